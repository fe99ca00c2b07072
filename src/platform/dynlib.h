// Shared libraries loaded at run time from the program folder, named as the rest
// of the system names them ("FoxSDKU32w.dll" is the file "libFoxSDKU32w.so").
#pragma once

#include <QLibrary>
#include <QString>

namespace velmora::platform {

// The file name of a library on this platform: "FoxSDKU32w.dll" gives
// "libFoxSDKU32w.so", "KQRobots20.DLL" gives "libKQRobots20.so". Only the file
// name part of windowsName counts.
QString libraryFileName(const QString& windowsName);

class DynamicLibrary {
public:
    DynamicLibrary() = default;
    ~DynamicLibrary() { unload(); }
    DynamicLibrary(const DynamicLibrary&) = delete;
    DynamicLibrary& operator=(const DynamicLibrary&) = delete;

    // The full path the library is loaded from: programFolder() + libraryFileName().
    static QString filePath(const QString& windowsName);
    // Whether the library's file is present in the program folder, so that a caller
    // can tell "not found" from "cannot be loaded".
    static bool fileExists(const QString& windowsName);

    // Loads the library from the program folder only. Unloads a library loaded before.
    bool load(const QString& windowsName);
    bool isLoaded() const { return library_.isLoaded(); }
    // The address of an exported symbol, or null (errorString() tells why).
    QFunctionPointer resolve(const char* symbol);
    // The reason of the last failure of load() or resolve().
    QString errorString() const { return error_; }
    void unload();

private:
    QLibrary library_;
    QString error_;
};

} // namespace velmora::platform
