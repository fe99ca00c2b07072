// Test helpers for the device libraries: loading a library from the program
// folder the way the program does, and a per-test data home.
#pragma once

#include "support/tempdir.h"

#include <cstdlib>
#include <dlfcn.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <stdexcept>
#include <string>

namespace velmora::test {

inline std::filesystem::path programFolder() {
    return std::filesystem::read_symlink("/proc/self/exe").parent_path();
}

// A shared library opened from the program folder; fn<F>(name) looks up a function.
class DeviceLibrary {
public:
    explicit DeviceLibrary(const std::string& file) {
        handle_ = dlopen((programFolder() / file).c_str(), RTLD_NOW | RTLD_LOCAL);
        if (!handle_)
            throw std::runtime_error(std::string("cannot load ") + file + ": " + dlerror());
    }
    ~DeviceLibrary() { dlclose(handle_); }
    DeviceLibrary(const DeviceLibrary&) = delete;
    DeviceLibrary& operator=(const DeviceLibrary&) = delete;

    template <typename F> F* fn(const char* name) const {
        void* p = dlsym(handle_, name);
        if (!p)
            throw std::runtime_error(std::string("missing symbol ") + name);
        return reinterpret_cast<F*>(p);
    }

private:
    void* handle_ = nullptr;
};

// XDG_DATA_HOME pointing at a fresh folder for one test; the data folder is
// <it>/Velmora, the robot log folder <it>/HALDOR.
class DataHome {
public:
    DataHome() { setenv("XDG_DATA_HOME", dir_.path().c_str(), 1); }
    std::filesystem::path home() const { return dir_.path(); }
    std::filesystem::path data() const { return dir_.path() / "Velmora"; }
    std::filesystem::path bay() const { return data() / "bay.ini"; }
    void writeBay(const std::string& text) const { writeFile(bay(), text); }
    // A disc tree under the data folder, with one file in it.
    std::filesystem::path makeDisc(const std::string& id) const {
        writeFile(data() / "discs" / id / "file.txt", id);
        return data() / "discs" / id;
    }

private:
    TempDir dir_;
};

} // namespace velmora::test
