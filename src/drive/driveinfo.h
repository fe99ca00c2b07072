// Drive information: free and total bytes of the drive a folder lies on, and
// the volume label of a drive named by its letter.
#pragma once

#include <QString>
#include <cstdint>

namespace velmora::drive {

class TFoxBurnerSDK;

struct DiskSpace {
    std::int64_t freeBytes = 0; // bytes available to the user
    std::int64_t totalBytes = 0;
};

// A path that begins with a drive letter and ":" names that drive of the
// drive engine and is measured at its root. Any other path is measured on the
// nearest folder of it that exists. A drive that does not exist or cannot be
// read gives zero for both.
DiskSpace diskSpace(const TFoxBurnerSDK& fox, const QString& path);

// Free and total bytes of the file system holding this existing folder.
DiskSpace diskSpaceOfFolder(const QString& folder);

} // namespace velmora::drive
