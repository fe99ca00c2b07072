#include "platform/dynlib.h"
#include "platform/paths.h"
#include "support/tempdir.h"

#include <QCoreApplication>
#include <QDir>
#include <cstdlib>
#include <gtest/gtest.h>

namespace velmora::platform {
namespace {

// Restores an environment variable when the test ends.
class EnvGuard {
public:
    explicit EnvGuard(const char* name) : name_(name) {
        if (const char* value = std::getenv(name))
            old_ = value, had_ = true;
    }
    ~EnvGuard() {
        if (had_)
            setenv(name_, old_.c_str(), 1);
        else
            unsetenv(name_);
    }

private:
    const char* name_;
    std::string old_;
    bool had_ = false;
};

TEST(Paths, ProgramFolderIsTheExecutablesFolder) {
    const QString folder = programFolder();
    EXPECT_TRUE(folder.endsWith('/'));
    EXPECT_TRUE(QDir(folder).exists());
    EXPECT_EQ(folder, QCoreApplication::applicationDirPath() + "/");
}

TEST(Paths, DataFoldersFollowXdgDataHome) {
    EnvGuard xdg("XDG_DATA_HOME"), home("HOME");
    setenv("HOME", "/home/operator", 1);

    setenv("XDG_DATA_HOME", "/tmp/data-home/", 1);
    EXPECT_EQ(appDataFolder(), QString("/tmp/data-home"));
    EXPECT_EQ(userDataFolder(), QString("/tmp/data-home/Velmora"));
    EXPECT_EQ(robotLogFolder(), QString("/tmp/data-home/HALDOR"));

    // A relative value is ignored, as is an empty one.
    setenv("XDG_DATA_HOME", "relative/data", 1);
    EXPECT_EQ(appDataFolder(), QString("/home/operator/.local/share"));
    setenv("XDG_DATA_HOME", "", 1);
    EXPECT_EQ(appDataFolder(), QString("/home/operator/.local/share"));
    unsetenv("XDG_DATA_HOME");
    EXPECT_EQ(userDataFolder(), QString("/home/operator/.local/share/Velmora"));
}

TEST(DynamicLibrary, FileNamesFollowThisPlatform) {
    const std::pair<const char*, const char*> cases[] = {
        {"FoxSDKU32w.dll", "libFoxSDKU32w.so"},
        {"KQRobots20.DLL", "libKQRobots20.so"},
        {"Plain", "libPlain.so"},
        {"C:\\Windows\\evil.dll", "libevil.so"},
        {"../up/evil.Dll", "libevil.so"},
    };
    for (const auto& [windows, file] : cases)
        EXPECT_EQ(libraryFileName(windows), QString(file)) << windows;
}

TEST(DynamicLibrary, LoadsFromTheProgramFolderAndResolves) {
    DynamicLibrary library;
    ASSERT_TRUE(DynamicLibrary::fileExists("VelmoraProbe.dll"));
    ASSERT_TRUE(library.load("VelmoraProbe.dll")) << library.errorString().toStdString();
    EXPECT_TRUE(library.isLoaded());
    auto answer = reinterpret_cast<int (*)()>(library.resolve("velmora_probe_answer"));
    ASSERT_NE(answer, nullptr);
    EXPECT_EQ(answer(), 42);

    EXPECT_EQ(library.resolve("no_such_symbol"), nullptr);
    EXPECT_FALSE(library.errorString().isEmpty());
    library.unload();
    EXPECT_FALSE(library.isLoaded());
}

TEST(DynamicLibrary, MissingAndBrokenLibrariesAreToldApart) {
    DynamicLibrary library;
    EXPECT_FALSE(DynamicLibrary::fileExists("NoSuchLibrary.dll"));
    EXPECT_FALSE(library.load("NoSuchLibrary.dll"));
    EXPECT_FALSE(library.errorString().isEmpty());
    EXPECT_EQ(library.resolve("anything"), nullptr);

    const std::filesystem::path broken = programFolder().toStdString() + "libVelmoraBroken.so";
    test::writeFile(broken, "this is no shared library");
    EXPECT_TRUE(DynamicLibrary::fileExists("VelmoraBroken.dll"));
    EXPECT_FALSE(library.load("VelmoraBroken.dll"));
    EXPECT_FALSE(library.errorString().isEmpty());
    EXPECT_FALSE(library.isLoaded());
    std::filesystem::remove(broken);
}

} // namespace
} // namespace velmora::platform
