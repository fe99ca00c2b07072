#include "platform/dynlib.h"

#include "platform/paths.h"

#include <QFileInfo>

namespace velmora::platform {

QString libraryFileName(const QString& windowsName) {
    QString base = QFileInfo(QString(windowsName).replace(QLatin1Char('\\'), QLatin1Char('/'))).fileName();
    if (base.endsWith(QLatin1String(".dll"), Qt::CaseInsensitive))
        base.chop(4);
    return QStringLiteral("lib") + base + QStringLiteral(".so");
}

QString DynamicLibrary::filePath(const QString& windowsName) {
    return programFolder() + libraryFileName(windowsName);
}

bool DynamicLibrary::fileExists(const QString& windowsName) {
    return QFileInfo(filePath(windowsName)).isFile();
}

bool DynamicLibrary::load(const QString& windowsName) {
    unload();
    const QString path = filePath(windowsName);
    // Checked first so that QLibrary never goes looking for other names elsewhere.
    if (!QFileInfo(path).isFile()) {
        error_ = QStringLiteral("Cannot find the library %1").arg(path);
        return false;
    }
    library_.setFileName(path);
    if (!library_.load()) {
        error_ = library_.errorString();
        return false;
    }
    error_.clear();
    return true;
}

QFunctionPointer DynamicLibrary::resolve(const char* symbol) {
    if (!library_.isLoaded()) {
        error_ = QStringLiteral("No library is loaded");
        return nullptr;
    }
    QFunctionPointer function = library_.resolve(symbol);
    if (!function)
        error_ = library_.errorString();
    return function;
}

void DynamicLibrary::unload() {
    if (library_.isLoaded())
        library_.unload();
}

} // namespace velmora::platform
