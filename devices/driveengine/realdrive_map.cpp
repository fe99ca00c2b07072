#include "driveengine/realdrive_map.h"

#include "driveengine_api.h"

#include <cstring>

namespace velmora::fox {

namespace {

int cdMedium(discmode_t mode, bool multisession) {
    switch (mode) {
    case CDIO_DISC_MODE_CD_DATA:
        return multisession ? FOX_MEDIUM_CD_MULTISESSION : FOX_MEDIUM_CDROM;
    case CDIO_DISC_MODE_CD_XA:
    case CDIO_DISC_MODE_CD_I:
        return multisession ? FOX_MEDIUM_CD_MULTISESSION : FOX_MEDIUM_CDROM_XA;
    case CDIO_DISC_MODE_CD_DA:
        return FOX_MEDIUM_CD_AUDIO;
    case CDIO_DISC_MODE_CD_MIXED:
        return FOX_MEDIUM_CD_MIXED;
    default:
        return -1;
    }
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Undoes the octal escapes the kernel writes for blanks and backslashes in /proc/mounts.
std::string decodeOctal(std::string_view field) {
    std::string out;
    for (size_t i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && field.size() - i >= 4) {
            const char a = field[i + 1], b = field[i + 2], c = field[i + 3];
            if (a >= '0' && a <= '3' && b >= '0' && b <= '7' && c >= '0' && c <= '7') {
                out += char((a - '0') * 64 + (b - '0') * 8 + (c - '0'));
                i += 3;
                continue;
            }
        }
        out += field[i];
    }
    return out;
}

} // namespace

int mediumType(int mmcProfile, discmode_t discMode, bool multisession) {
    if (mmcProfile >= 0x08 && mmcProfile <= 0x0A) // CD-ROM, CD-R, CD-RW
        return cdMedium(discMode, multisession) >= 0 ? cdMedium(discMode, multisession) : FOX_MEDIUM_CDROM;
    if ((mmcProfile >= 0x10 && mmcProfile <= 0x1B) || mmcProfile == 0x2A || mmcProfile == 0x2B)
        return FOX_MEDIUM_DVD;
    if (mmcProfile >= 0x40 && mmcProfile <= 0x43)
        return FOX_MEDIUM_BD;
    if (mmcProfile >= 0x50 && mmcProfile <= 0x52)
        return FOX_MEDIUM_HDDVD;
    // No usable profile: fall back on the disc mode alone.
    switch (discMode) {
    case CDIO_DISC_MODE_DVD_ROM:
    case CDIO_DISC_MODE_DVD_RAM:
    case CDIO_DISC_MODE_DVD_R:
    case CDIO_DISC_MODE_DVD_RW:
    case CDIO_DISC_MODE_DVD_PR:
    case CDIO_DISC_MODE_DVD_PRW:
    case CDIO_DISC_MODE_DVD_PRW_DL:
    case CDIO_DISC_MODE_DVD_PR_DL:
    case CDIO_DISC_MODE_DVD_OTHER:
        return FOX_MEDIUM_DVD;
    case CDIO_DISC_MODE_HD_DVD_ROM:
    case CDIO_DISC_MODE_HD_DVD_RAM:
    case CDIO_DISC_MODE_HD_DVD_R:
        return FOX_MEDIUM_HDDVD;
    default:
        return cdMedium(discMode, multisession);
    }
}

std::vector<MountEntry> parseMounts(std::string_view text) {
    std::vector<MountEntry> out;
    while (!text.empty()) {
        size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        std::vector<std::string_view> fields;
        size_t i = 0;
        while (i < line.size() && fields.size() < 3) {
            while (i < line.size() && (line[i] == ' ' || line[i] == '\t'))
                ++i;
            size_t start = i;
            while (i < line.size() && line[i] != ' ' && line[i] != '\t')
                ++i;
            if (i > start)
                fields.push_back(line.substr(start, i - start));
        }
        if (fields.size() < 2 || fields[0].front() == '#')
            continue;
        out.push_back({decodeOctal(fields[0]), decodeOctal(fields[1]),
                       fields.size() > 2 ? std::string(fields[2]) : std::string()});
    }
    return out;
}

std::string decodeUdevLabel(std::string_view name) {
    std::string out;
    for (size_t i = 0; i < name.size(); ++i) {
        if (name[i] == '\\' && name.size() - i >= 4 && name[i + 1] == 'x' && hexDigit(name[i + 2]) >= 0 &&
            hexDigit(name[i + 3]) >= 0) {
            out += char(hexDigit(name[i + 2]) * 16 + hexDigit(name[i + 3]));
            i += 3;
            continue;
        }
        out += name[i];
    }
    return out;
}

std::string isoVolumeId(const unsigned char* sector, std::size_t size) {
    if (!sector || size < 72 || sector[0] != 1 || std::memcmp(sector + 1, "CD001", 5) != 0)
        return {};
    std::string id(reinterpret_cast<const char*>(sector + 40), 32);
    while (!id.empty() && (id.back() == ' ' || id.back() == '\0'))
        id.pop_back();
    return id;
}

std::string deviceName(char letter, std::string_view description, std::size_t maxBytes) {
    std::string name = std::string(1, letter) + ": " + std::string(description);
    while (!name.empty() && name.back() == ' ')
        name.pop_back();
    if (name.size() <= maxBytes)
        return name;
    size_t cut = maxBytes;
    // Step back over UTF-8 continuation bytes so that no character is split.
    while (cut > 0 && (static_cast<unsigned char>(name[cut]) & 0xC0) == 0x80)
        --cut;
    name.resize(cut);
    return name;
}

} // namespace velmora::fox
