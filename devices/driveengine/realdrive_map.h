// Pure translations used by the real-drive backend: drive profiles and disc
// modes to medium types, /proc/mounts parsing, udev label decoding, the ISO 9660
// volume identifier and device names. Kept free of any device access so that
// they can be checked without an optical drive.
#pragma once

#include <cdio/cdio.h>

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace velmora::fox {

// Extended medium type (FoxMediumType) of a disc from the drive's current MMC
// profile, the disc mode libcdio reports and whether the disc has more than one
// session. Returns -1 when the medium cannot be told.
int mediumType(int mmcProfile, discmode_t discMode, bool multisession);

struct MountEntry {
    std::string device;
    std::string mountPoint;
    std::string type;
};
// The entries of /proc/mounts (or /etc/mtab) text, octal escapes (\040) decoded.
std::vector<MountEntry> parseMounts(std::string_view text);

// A name from /dev/disk/by-label with udev's \xNN escapes decoded.
std::string decodeUdevLabel(std::string_view name);

// Volume identifier of an ISO 9660 primary volume descriptor (sector 16),
// trailing blanks removed; empty when the sector is no such descriptor.
std::string isoVolumeId(const unsigned char* sector, std::size_t size);

// "D: TSSTcorp DVD-ROM" from a letter and the drive's vendor and model, cut to
// at most maxBytes bytes without splitting a UTF-8 character.
std::string deviceName(char letter, std::string_view description, std::size_t maxBytes);

} // namespace velmora::fox
