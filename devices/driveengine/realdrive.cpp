#include "driveengine/realdrive.h"

#include "driveengine/realdrive_map.h"
#include "driveengine_api.h"

#include <cdio/cdio.h>
#include <cdio/logging.h>
#include <cdio/mmc.h>
#include <cdio/mmc_hl_cmds.h>
#include <cdio/mmc_ll_cmds.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <mutex>
#include <sstream>

namespace velmora::fox {

namespace {

// libcdio writes its warnings to stderr unless a handler takes them.
void quietLog(cdio_log_level_t, const char*) {}

void silenceCdio() {
    static std::once_flag once;
    std::call_once(once, [] { cdio_log_set_handler(quietLog); });
}

struct CdioClose {
    void operator()(CdIo_t* p) const { cdio_destroy(p); }
};
using CdioPtr = std::unique_ptr<CdIo_t, CdioClose>;

CdioPtr openDrive(const std::string& device) {
    silenceCdio();
    return CdioPtr(cdio_open(device.c_str(), DRIVER_LINUX));
}

std::string canonical(const std::string& path) {
    std::error_code ec;
    std::filesystem::path p = std::filesystem::canonical(path, ec);
    return ec ? path : p.string();
}

} // namespace

std::vector<RealDrive> findRealDrives(bool readInfo) {
    silenceCdio();
    std::vector<RealDrive> drives;
    // With no drive the list may be NULL or empty; both mean none.
    char** list = cdio_get_devices(DRIVER_LINUX);
    for (char** d = list; d && *d; ++d) {
        RealDrive drive{*d, *d};
        if (readInfo) {
            if (CdioPtr p = openDrive(*d)) {
                cdio_hwinfo_t info{};
                if (cdio_get_hwinfo(p.get(), &info)) {
                    std::string text = std::string(info.psz_vendor) + " " + info.psz_model;
                    if (text.find_first_not_of(' ') != std::string::npos)
                        drive.description = text;
                }
            }
        }
        drives.push_back(drive);
    }
    if (list)
        cdio_free_device_list(list);
    return drives;
}

int32_t realReady(const std::string& device, int32_t& ready) {
    ready = 0;
    CdioPtr p = openDrive(device);
    if (p && mmc_test_unit_ready(p.get(), 0) == DRIVER_OP_SUCCESS)
        ready = 1;
    return FOX_OK;
}

int32_t realMedium(const std::string& device, int32_t& type, int64_t& size) {
    CdioPtr p = openDrive(device);
    if (!p || mmc_test_unit_ready(p.get(), 0) != DRIVER_OP_SUCCESS)
        return FOX_ERR_NOT_READY;
    cdio_mmc_feature_profile_t profile = CDIO_MMC_FEATURE_PROF_NON_CONFORM;
    if (mmc_get_disctype(p.get(), 0, &profile) != DRIVER_OP_SUCCESS)
        profile = CDIO_MMC_FEATURE_PROF_NON_CONFORM;
    lsn_t lastSession = 0;
    const bool multisession =
        cdio_get_last_session(p.get(), &lastSession) == DRIVER_OP_SUCCESS && lastSession > 0;
    const int medium = mediumType(profile, cdio_get_discmode(p.get()), multisession);
    const lsn_t last = cdio_get_disc_last_lsn(p.get());
    if (medium < 0 || last == CDIO_INVALID_LSN)
        return FOX_ERR_MEDIUM_QUERY;
    type = medium;
    size = int64_t(last) * CDIO_CD_FRAMESIZE;
    return FOX_OK;
}

int32_t realEject(const std::string& device) {
    silenceCdio();
    return cdio_eject_media_drive(device.c_str()) == DRIVER_OP_SUCCESS ? FOX_OK : FOX_ERR_IO;
}

int32_t realClose(const std::string& device) {
    silenceCdio();
    driver_id_t driver = DRIVER_LINUX;
    return cdio_close_tray(device.c_str(), &driver) == DRIVER_OP_SUCCESS ? FOX_OK : FOX_ERR_IO;
}

int32_t realRoot(const std::string& device, std::string& root) {
    std::ifstream in("/proc/mounts");
    std::ostringstream text;
    text << in.rdbuf();
    const std::string wanted = canonical(device);
    for (const MountEntry& m : parseMounts(text.str())) {
        if (m.device.starts_with("/") && canonical(m.device) == wanted) {
            root = m.mountPoint;
            return FOX_OK;
        }
    }
    return FOX_ERR_NOT_READY;
}

int32_t realLabel(const std::string& device, std::string& label) {
    const std::string wanted = canonical(device);
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator("/dev/disk/by-label", ec)) {
        if (canonical(entry.path().string()) == wanted) {
            label = decodeUdevLabel(entry.path().filename().string());
            return FOX_OK;
        }
    }
    // Not known to udev: read the volume identifier of the ISO 9660 descriptor.
    CdioPtr p = openDrive(device);
    if (!p)
        return FOX_ERR_NOT_READY;
    unsigned char sector[CDIO_CD_FRAMESIZE];
    if (cdio_read_data_sectors(p.get(), sector, 16, CDIO_CD_FRAMESIZE, 1) != DRIVER_OP_SUCCESS)
        return FOX_ERR_IO;
    label = isoVolumeId(sector, sizeof sector);
    return FOX_OK;
}

} // namespace velmora::fox
