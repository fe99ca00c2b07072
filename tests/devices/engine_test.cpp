// The drive engine library as the program uses it: loaded from the program
// folder, devices listed from the device bay, readiness, medium facts and trays.
#include "devicelib.h"

#include "driveengine_api.h"

#include <array>
#include <filesystem>
#include <memory>
#include <optional>
#include <set>

namespace velmora::test {
namespace {

bool machineHasOpticalDrive() {
    std::error_code ec;
    for (const auto& e : std::filesystem::directory_iterator("/dev", ec))
        if (e.path().filename().string().starts_with("sr"))
            return true;
    return false;
}

class DriveEngine : public ::testing::Test {
protected:
    static void SetUpTestSuite() { lib = std::make_unique<DeviceLibrary>("libFoxSDKU32w.so"); }
    static void TearDownTestSuite() { lib.reset(); }

    void TearDown() override { fox<void()>("FoxShutdown")(); }

    template <typename F> F* fox(const char* name) { return lib->fn<F>(name); }

    int32_t init(bool imageDevice = true) {
        FoxSettings s{};
        s.enableImageDevice = imageDevice ? 1 : 0;
        s.autoGetDeviceInfo = 1;
        s.errorCorrection = 1;
        s.blankBadSectors = 1;
        s.hardwareRetryCount = 5;
        s.softwareRetryCount = 5;
        return fox<int32_t(const FoxSettings*)>("FoxInitialize")(&s);
    }
    int32_t count() {
        int32_t n = -1;
        EXPECT_EQ(fox<int32_t(int32_t*)>("FoxGetDevices")(&n), FOX_OK);
        return n;
    }
    std::string name(int32_t index) {
        std::array<char, FOX_MAX_NAME + 1> buffer{};
        EXPECT_EQ(
            fox<decltype(FoxGetDeviceName)>("FoxGetDeviceName")(index, buffer.data(), int32_t(buffer.size())),
            FOX_OK);
        return buffer.data();
    }
    int32_t ready(int32_t index) {
        int32_t r = -1;
        EXPECT_EQ(fox<decltype(FoxIsDeviceReady)>("FoxIsDeviceReady")(index, &r), FOX_OK);
        return r;
    }
    int32_t medium(int32_t index, int32_t& type, int64_t& size) {
        return fox<decltype(FoxGetMediumInformation)>("FoxGetMediumInformation")(index, &type, &size);
    }
    int32_t text(const char* function, int32_t index, std::string& out) {
        std::array<char, 4096> buffer{};
        int32_t rc =
            fox<int32_t(int32_t, char*, int32_t)>(function)(index, buffer.data(), int32_t(buffer.size()));
        out = buffer.data();
        return rc;
    }

    static std::unique_ptr<DeviceLibrary> lib;
    DataHome home;
};

std::unique_ptr<DeviceLibrary> DriveEngine::lib;

TEST_F(DriveEngine, ListsImageDeviceThenVirtualDrivesInLetterOrder) {
    home.writeBay("[bay]\nrealDrives = no\n"
                  "[drive G]\nname = Second Drive\n"
                  "[drive e]\nname = Virtual DVD-ROM ; a comment\n"
                  "[drive H]\nname = A drive name far longer than fifty characters in all, really\n");
    ASSERT_EQ(init(), FOX_OK);
    ASSERT_EQ(count(), 4);
    EXPECT_EQ(name(1), "Image Writer");
    EXPECT_EQ(name(2), "E: Virtual DVD-ROM");
    EXPECT_EQ(name(3), "G: Second Drive");
    EXPECT_EQ(name(4).size(), size_t(FOX_MAX_NAME));
    EXPECT_TRUE(name(4).starts_with("H: A drive name"));

    std::string out;
    EXPECT_EQ(text("FoxGetDeviceName", 0, out), FOX_ERR_BAD_DEVICE);
    EXPECT_EQ(text("FoxGetDeviceName", 5, out), FOX_ERR_BAD_DEVICE);
    std::array<char, 4> small{};
    EXPECT_EQ(fox<decltype(FoxGetDeviceName)>("FoxGetDeviceName")(2, small.data(), int32_t(small.size())),
              FOX_ERR_BUFFER);
}

TEST_F(DriveEngine, WithoutImageDeviceTheFirstDriveIsDeviceOne) {
    home.writeBay("[bay]\nrealDrives = no\n[drive E]\nname = Only\n");
    ASSERT_EQ(init(false), FOX_OK);
    ASSERT_EQ(count(), 1);
    EXPECT_EQ(name(1), "E: Only");
}

TEST_F(DriveEngine, MissingEmptyOrDamagedBayLeavesOnlyTheImageDevice) {
    if (machineHasOpticalDrive())
        GTEST_SKIP() << "this machine has an optical drive";
    const std::vector<std::pair<const char*, std::optional<std::string>>> cases = {
        {"missing", std::nullopt},
        {"empty", ""},
        {"binary garbage", std::string("\x00\xff\xfe[\x01]\n=\x80", 9)},
        {"unknown section", "[drive E]\nname = x\n[garage 1]\n"},
        {"bad value", "[drive E]\ntray = ajar\n"},
        {"unterminated header", "[drive E\n"},
    };
    for (const auto& [what, text] : cases) {
        SCOPED_TRACE(what);
        std::filesystem::remove(home.bay());
        if (text)
            home.writeBay(*text);
        ASSERT_EQ(init(), FOX_OK);
        ASSERT_EQ(count(), 1);
        EXPECT_EQ(name(1), "Image Writer");
        EXPECT_EQ(ready(1), 0);
        int32_t type = 0;
        int64_t size = 0;
        EXPECT_NE(medium(1, type, size), FOX_OK);
        fox<void()>("FoxShutdown")();
    }
}

// One virtual drive E in each state a drive and its disc can be in.
TEST_F(DriveEngine, ReadinessAndMediumFollowTrayAndDisc) {
    home.makeDisc("dvd");
    struct Case {
        const char* what;
        const char* drive;
        const char* disc;
        int32_t ready;
        int32_t mediumResult;
    };
    const Case cases[] = {
        {"closed with disc", "tray = closed\ndisc = dvd\n", "folder = discs/dvd\n", 1, FOX_OK},
        {"open with disc", "tray = open\ndisc = dvd\n", "folder = discs/dvd\n", 0, FOX_ERR_NOT_READY},
        {"closed, empty", "tray = closed\ndisc =\n", "folder = discs/dvd\n", 0, FOX_ERR_NO_MEDIUM},
        {"unknown disc", "disc = nothere\n", "folder = discs/dvd\n", 0, FOX_ERR_NO_MEDIUM},
        {"disc folder gone", "disc = dvd\n", "folder = discs/gone\n", 0, FOX_ERR_NOT_READY},
        {"query fails", "disc = dvd\n", "folder = discs/dvd\nquery = fail\n", 1, FOX_ERR_MEDIUM_QUERY},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        home.writeBay(std::string("[bay]\nrealDrives = no\n[drive E]\nname = V\n") + c.drive +
                      "[disc dvd]\nlabel = \" My Disc; 2 \"\nmedium = 6\nsize = 4700372992\n" + c.disc);
        ASSERT_EQ(init(), FOX_OK);
        ASSERT_EQ(count(), 2);
        EXPECT_EQ(ready(2), c.ready);
        int32_t type = -1;
        int64_t size = -1;
        EXPECT_EQ(medium(2, type, size), c.mediumResult);
        if (c.mediumResult == FOX_OK) {
            EXPECT_EQ(type, FOX_MEDIUM_DVD);
            EXPECT_EQ(size, 4700372992);
        }
        std::string root, label;
        const int32_t rootResult = text("FoxGetDriveRoot", 2, root);
        const int32_t labelResult = text("FoxGetVolumeLabel", 2, label);
        if (c.ready) {
            EXPECT_EQ(rootResult, FOX_OK);
            EXPECT_EQ(std::filesystem::path(root), home.data() / "discs" / "dvd");
            EXPECT_EQ(labelResult, FOX_OK);
            EXPECT_EQ(label, " My Disc; 2 ");
        } else {
            EXPECT_NE(rootResult, FOX_OK);
            EXPECT_NE(labelResult, FOX_OK);
        }
        fox<void()>("FoxShutdown")();
    }
}

TEST_F(DriveEngine, EjectOpensTheTrayAndCloseMakesTheDiscReadyAgain) {
    home.makeDisc("cd");
    home.writeBay("[bay]\nrealDrives = no\n[drive E]\ndisc = cd\n"
                  "[disc cd]\nlabel = CD\nmedium = 0\nsize = 681574400\nfolder = discs/cd\n");
    ASSERT_EQ(init(), FOX_OK);
    ASSERT_EQ(count(), 2);
    ASSERT_EQ(ready(2), 1);

    EXPECT_EQ(fox<decltype(FoxEjectDevice)>("FoxEjectDevice")(2), FOX_OK);
    EXPECT_EQ(ready(2), 0);
    const std::string opened = readFile(home.bay());
    EXPECT_NE(opened.find("tray = open"), std::string::npos);
    EXPECT_NE(opened.find("disc = cd"), std::string::npos) << "the disc stays in the open tray";

    EXPECT_EQ(fox<decltype(FoxCloseDevice)>("FoxCloseDevice")(2), FOX_OK);
    EXPECT_EQ(ready(2), 1);
    EXPECT_EQ(fox<decltype(FoxEjectDevice)>("FoxEjectDevice")(1), FOX_OK) << "the image device has no tray";
    EXPECT_EQ(fox<decltype(FoxEjectDevice)>("FoxEjectDevice")(3), FOX_ERR_BAD_DEVICE);
}

TEST_F(DriveEngine, SeesBayChangesWithoutListingAgainAndSurvivesDamage) {
    home.makeDisc("cd");
    const std::string discs = "[disc cd]\nfolder = discs/cd\n";
    home.writeBay("[bay]\nrealDrives = no\n[drive E]\n" + discs);
    ASSERT_EQ(init(), FOX_OK);
    ASSERT_EQ(count(), 2);
    EXPECT_EQ(ready(2), 0);

    home.writeBay("[bay]\nrealDrives = no\n[drive E]\ndisc = cd\n" + discs); // an operator inserts the disc
    EXPECT_EQ(ready(2), 1);

    home.writeBay("[drive E]\ndisc = cd\nsmell = burnt\n");
    int32_t r = -1, type = 0;
    int64_t size = 0;
    EXPECT_EQ(fox<decltype(FoxIsDeviceReady)>("FoxIsDeviceReady")(2, &r), FOX_ERR_BAY);
    EXPECT_EQ(r, 0);
    EXPECT_EQ(medium(2, type, size), FOX_ERR_BAY);
    EXPECT_EQ(fox<decltype(FoxEjectDevice)>("FoxEjectDevice")(2), FOX_ERR_BAY);
    EXPECT_EQ(readFile(home.bay()), "[drive E]\ndisc = cd\nsmell = burnt\n") << "a damaged bay is left alone";
}

TEST_F(DriveEngine, CallsBeforeInitializeFailCleanly) {
    int32_t n = 0, r = 0;
    EXPECT_EQ(fox<int32_t(int32_t*)>("FoxGetDevices")(&n), FOX_ERR_NOT_INITIALIZED);
    EXPECT_EQ(fox<decltype(FoxIsDeviceReady)>("FoxIsDeviceReady")(1, &r), FOX_ERR_NOT_INITIALIZED);
    std::string out;
    EXPECT_EQ(text("FoxGetDeviceName", 1, out), FOX_ERR_NOT_INITIALIZED);
}

TEST_F(DriveEngine, EveryErrorCodeHasItsOwnText) {
    auto errorText = fox<decltype(FoxGetErrorText)>("FoxGetErrorText");
    std::set<std::string> texts;
    for (int32_t code = FOX_OK; code <= FOX_ERR_IO; ++code) {
        ASSERT_NE(errorText(code), nullptr);
        EXPECT_FALSE(std::string(errorText(code)).empty());
        texts.insert(errorText(code));
    }
    EXPECT_EQ(texts.size(), size_t(FOX_ERR_IO + 1));
    ASSERT_NE(errorText(12345), nullptr);
    EXPECT_EQ(texts.count(errorText(-1)), 0u);
}

} // namespace
} // namespace velmora::test
