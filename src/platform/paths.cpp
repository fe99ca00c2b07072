#include "platform/paths.h"

#include <QCoreApplication>
#include <QDir>

namespace velmora::platform {

QString programFolder() {
    return QCoreApplication::applicationDirPath() + QLatin1Char('/');
}

QString appDataFolder() {
    const QString xdg = qEnvironmentVariable("XDG_DATA_HOME");
    if (!xdg.isEmpty() && QDir::isAbsolutePath(xdg))
        return QDir::cleanPath(xdg);
    return QDir::cleanPath(QDir::homePath() + QStringLiteral("/.local/share"));
}

QString userDataFolder() {
    return appDataFolder() + QStringLiteral("/Velmora");
}

QString robotLogFolder() {
    return appDataFolder() + QStringLiteral("/HALDOR");
}

} // namespace velmora::platform
