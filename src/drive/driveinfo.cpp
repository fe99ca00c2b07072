#include "drive/driveinfo.h"

#include "drive/foxburner.h"

#include <QDir>
#include <QFileInfo>
#include <sys/statvfs.h>

namespace velmora::drive {

DiskSpace diskSpaceOfFolder(const QString& folder) {
    struct statvfs fs {};
    if (folder.isEmpty() || statvfs(QFile::encodeName(folder).constData(), &fs) != 0)
        return {};
    const auto unit = static_cast<std::int64_t>(fs.f_frsize ? fs.f_frsize : fs.f_bsize);
    return {static_cast<std::int64_t>(fs.f_bavail) * unit, static_cast<std::int64_t>(fs.f_blocks) * unit};
}

DiskSpace diskSpace(const TFoxBurnerSDK& fox, const QString& path) {
    const QString trimmed = path.trimmed();
    if (trimmed.size() >= 2 && trimmed.at(0).isLetter() && trimmed.at(1) == u':')
        return diskSpaceOfFolder(fox.driveRoot(trimmed.at(0).toUpper()));
    if (trimmed.isEmpty() || !QDir::isAbsolutePath(trimmed))
        return {};
    QFileInfo at(QDir::cleanPath(trimmed));
    while (!at.isDir() && !at.isRoot())
        at.setFile(at.absolutePath());
    return at.isDir() ? diskSpaceOfFolder(at.absoluteFilePath()) : DiskSpace{};
}

} // namespace velmora::drive
