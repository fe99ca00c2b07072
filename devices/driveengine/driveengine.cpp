// The drive engine: device 1 is the image device, then the virtual drives of
// the device bay in letter order, then the machine's optical drives.
#include "bay/bay.h"
#include "driveengine/realdrive.h"
#include "driveengine/realdrive_map.h"

#pragma GCC visibility push(default)
#include "driveengine_api.h"
#pragma GCC visibility pop

#include <algorithm>
#include <cstring>
#include <mutex>
#include <string>
#include <vector>

namespace {

namespace bay = velmora::bay;
namespace fox = velmora::fox;

struct Device {
    enum class Kind { Image, Virtual, Real } kind;
    char letter = 0;
    std::string name;
    std::string path; // device node of a real drive
};

std::mutex mutex;
bool initialized = false;
FoxSettings settings{};
std::vector<Device> devices;

std::filesystem::path currentBayFile() {
    return bay::bayFile(bay::defaultDataFolder());
}

void enumerate() {
    devices.clear();
    if (settings.enableImageDevice)
        devices.push_back({Device::Kind::Image, 0, "Image Writer", {}});
    bay::Bay b;
    const bool haveBay = bay::load(currentBayFile(), b) == bay::LoadResult::Ok;
    std::vector<char> used;
    if (haveBay) {
        for (const bay::Drive& d : b.drives) {
            if (devices.size() >= FOX_MAX_DEVICES)
                break;
            devices.push_back(
                {Device::Kind::Virtual,
                 d.letter,
                 fox::deviceName(d.letter, d.name.empty() ? "Virtual drive" : d.name, FOX_MAX_NAME),
                 {}});
            used.push_back(d.letter);
        }
    }
    if (haveBay && !b.realDrives)
        return;
    char next = 'D';
    for (const fox::RealDrive& r : fox::findRealDrives(settings.autoGetDeviceInfo != 0)) {
        while (next <= 'Z' && std::find(used.begin(), used.end(), next) != used.end())
            ++next;
        if (next > 'Z' || devices.size() >= FOX_MAX_DEVICES)
            break;
        devices.push_back(
            {Device::Kind::Real, next, fox::deviceName(next, r.description, FOX_MAX_NAME), r.device});
        ++next;
    }
}

// Looks up device index; FOX_OK or the reason it cannot be used.
int32_t find(int32_t index, const Device*& device) {
    if (!initialized)
        return FOX_ERR_NOT_INITIALIZED;
    if (index < 1 || index > int32_t(devices.size()))
        return FOX_ERR_BAD_DEVICE;
    device = &devices[size_t(index - 1)];
    return FOX_OK;
}

// State of a virtual drive's disc: FOX_OK when it can be read.
struct VirtualDisc {
    int32_t code = FOX_ERR_NOT_READY;
    bay::Disc disc;
    std::filesystem::path folder;
};

VirtualDisc virtualDisc(char letter) {
    VirtualDisc v;
    bay::Bay b;
    const std::filesystem::path file = currentBayFile();
    const bay::LoadResult loaded = bay::load(file, b);
    if (loaded != bay::LoadResult::Ok) {
        v.code = loaded == bay::LoadResult::Damaged ? FOX_ERR_BAY : FOX_ERR_NOT_READY;
        return v;
    }
    const bay::Drive* drive = b.drive(letter);
    if (!drive || drive->trayOpen)
        return v;
    const bay::Disc* disc = b.disc(drive->disc);
    if (!disc) {
        v.code = FOX_ERR_NO_MEDIUM;
        return v;
    }
    v.disc = *disc;
    v.folder = bay::discFolder(file, *disc);
    std::error_code ec;
    if (!v.folder.empty() && std::filesystem::is_directory(v.folder, ec))
        v.code = FOX_OK;
    return v;
}

int32_t setTray(char letter, bool open) {
    const std::filesystem::path file = currentBayFile();
    bay::Lock lock(file);
    bay::Bay b;
    const bay::LoadResult loaded = bay::load(file, b);
    if (loaded != bay::LoadResult::Ok)
        return loaded == bay::LoadResult::Damaged ? FOX_ERR_BAY : FOX_ERR_BAD_DEVICE;
    bay::Drive* drive = b.drive(letter);
    if (!drive)
        return FOX_ERR_BAD_DEVICE;
    if (drive->trayOpen == open)
        return FOX_OK;
    drive->trayOpen = open;
    return lock.held() && bay::save(file, b) ? FOX_OK : FOX_ERR_IO;
}

int32_t copyText(const std::string& text, char* buffer, int32_t size) {
    if (!buffer || size <= 0)
        return FOX_ERR_BUFFER;
    if (text.size() >= size_t(size)) {
        buffer[0] = '\0';
        return FOX_ERR_BUFFER;
    }
    std::memcpy(buffer, text.c_str(), text.size() + 1);
    return FOX_OK;
}

// Opens (open) or closes the tray of a device. The image device has none.
int32_t moveTray(int32_t index, bool open) {
    std::lock_guard guard(mutex);
    const Device* d = nullptr;
    if (int32_t rc = find(index, d))
        return rc;
    switch (d->kind) {
    case Device::Kind::Image:
        return FOX_OK;
    case Device::Kind::Virtual:
        return setTray(d->letter, open);
    case Device::Kind::Real:
        return open ? fox::realEject(d->path) : fox::realClose(d->path);
    }
    return FOX_ERR_BAD_DEVICE;
}

} // namespace

extern "C" {

int32_t FoxInitialize(const FoxSettings* s) {
    std::lock_guard guard(mutex);
    settings = s ? *s : FoxSettings{};
    initialized = true;
    enumerate();
    return FOX_OK;
}

void FoxShutdown(void) {
    std::lock_guard guard(mutex);
    initialized = false;
    devices.clear();
}

int32_t FoxGetDevices(int32_t* count) {
    std::lock_guard guard(mutex);
    if (!initialized)
        return FOX_ERR_NOT_INITIALIZED;
    if (!count)
        return FOX_ERR_BUFFER;
    enumerate();
    *count = int32_t(devices.size());
    return FOX_OK;
}

int32_t FoxGetDeviceName(int32_t index, char* buffer, int32_t size) {
    std::lock_guard guard(mutex);
    const Device* d = nullptr;
    if (int32_t rc = find(index, d))
        return rc;
    return copyText(d->name, buffer, size);
}

int32_t FoxIsDeviceReady(int32_t index, int32_t* ready) {
    std::lock_guard guard(mutex);
    const Device* d = nullptr;
    if (int32_t rc = find(index, d))
        return rc;
    if (!ready)
        return FOX_ERR_BUFFER;
    *ready = 0;
    switch (d->kind) {
    case Device::Kind::Image:
        return FOX_OK;
    case Device::Kind::Virtual: {
        const VirtualDisc v = virtualDisc(d->letter);
        if (v.code == FOX_ERR_BAY)
            return FOX_ERR_BAY;
        *ready = v.code == FOX_OK;
        return FOX_OK;
    }
    case Device::Kind::Real:
        return fox::realReady(d->path, *ready);
    }
    return FOX_OK;
}

int32_t FoxGetMediumInformation(int32_t index, int32_t* extendedMediumType, int64_t* mediumSize) {
    std::lock_guard guard(mutex);
    const Device* d = nullptr;
    if (int32_t rc = find(index, d))
        return rc;
    if (!extendedMediumType || !mediumSize)
        return FOX_ERR_BUFFER;
    switch (d->kind) {
    case Device::Kind::Image:
        return FOX_ERR_NO_MEDIUM;
    case Device::Kind::Virtual: {
        const VirtualDisc v = virtualDisc(d->letter);
        if (v.code != FOX_OK)
            return v.code;
        if (v.disc.queryFails)
            return FOX_ERR_MEDIUM_QUERY;
        *extendedMediumType = v.disc.medium;
        *mediumSize = v.disc.size;
        return FOX_OK;
    }
    case Device::Kind::Real:
        return fox::realMedium(d->path, *extendedMediumType, *mediumSize);
    }
    return FOX_ERR_BAD_DEVICE;
}

int32_t FoxEjectDevice(int32_t index) {
    return moveTray(index, true);
}

int32_t FoxCloseDevice(int32_t index) {
    return moveTray(index, false);
}

int32_t FoxGetDriveRoot(int32_t index, char* buffer, int32_t size) {
    std::lock_guard guard(mutex);
    const Device* d = nullptr;
    if (int32_t rc = find(index, d))
        return rc;
    std::string root;
    int32_t rc = FOX_ERR_NO_MEDIUM;
    if (d->kind == Device::Kind::Virtual) {
        const VirtualDisc v = virtualDisc(d->letter);
        rc = v.code;
        root = v.folder.string();
    } else if (d->kind == Device::Kind::Real) {
        rc = fox::realRoot(d->path, root);
    }
    return rc == FOX_OK ? copyText(root, buffer, size) : rc;
}

int32_t FoxGetVolumeLabel(int32_t index, char* buffer, int32_t size) {
    std::lock_guard guard(mutex);
    const Device* d = nullptr;
    if (int32_t rc = find(index, d))
        return rc;
    std::string label;
    int32_t rc = FOX_ERR_NO_MEDIUM;
    if (d->kind == Device::Kind::Virtual) {
        const VirtualDisc v = virtualDisc(d->letter);
        rc = v.code;
        label = v.disc.label;
    } else if (d->kind == Device::Kind::Real) {
        rc = fox::realLabel(d->path, label);
    }
    return rc == FOX_OK ? copyText(label, buffer, size) : rc;
}

const char* FoxGetErrorText(int32_t code) {
    switch (code) {
    case FOX_OK:
        return "No error";
    case FOX_ERR_NOT_INITIALIZED:
        return "The drive engine is not initialized";
    case FOX_ERR_BAD_DEVICE:
        return "No such device";
    case FOX_ERR_NOT_READY:
        return "The device is not ready";
    case FOX_ERR_NO_MEDIUM:
        return "No medium in the device";
    case FOX_ERR_MEDIUM_QUERY:
        return "The medium information could not be read";
    case FOX_ERR_BAY:
        return "The device bay file is damaged";
    case FOX_ERR_BUFFER:
        return "The buffer is missing or too small";
    case FOX_ERR_IO:
        return "Input/output error on the device";
    default:
        return "Unknown drive engine error";
    }
}

} // extern "C"
