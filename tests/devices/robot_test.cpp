// The robot library as the program uses it: discovery calls, then loading and
// unloading discs between the input stack, the drives and the bins.
#include "devicelib.h"

#include "bay/bay.h"
#include "driveengine_api.h"
#include "robot_api.h"

#include <array>
#include <chrono>
#include <cstring>
#include <memory>
#include <thread>

namespace velmora::test {
namespace {

const char* const twoRobots = "[bay]\nrealDrives = no\n"
                              "[drive E]\n[drive F]\n[drive G]\n"
                              "[disc d1]\nfolder = discs/d1\n"
                              "[disc d2]\nfolder = discs/d2\n"
                              "[robot 1001]\ndrives = E F\ninput = d1 d2\n"
                              "[robot 2002]\nusable = no\ndrives = G\n";

class Robot : public ::testing::Test {
protected:
    static void SetUpTestSuite() { lib = std::make_unique<DeviceLibrary>("libKQRobots20.so"); }
    static void TearDownTestSuite() { lib.reset(); }

    void SetUp() override {
        home.makeDisc("d1");
        home.makeDisc("d2");
        setProperty(KQ_PROPERTY_DATA_FOLDER, home.data().c_str());
    }
    void TearDown() override { setProperty(KQ_PROPERTY_DATA_FOLDER, nullptr); }

    template <typename F> F* kq(const char* name) { return lib->fn<F>(name); }
    int32_t setProperty(int32_t p, const char* v) {
        return kq<decltype(KQ_Robots_SetProperty)>("KQ_Robots_SetProperty")(p, v);
    }
    int32_t load(char letter) {
        return kq<decltype(KQ_Robots_LoadDrive)>("KQ_Robots_LoadDrive")(letter, 0, 1, 0);
    }
    int32_t unload(char letter, int32_t kind = KQ_UNLOAD) {
        return kq<decltype(KQ_Robots_UnloadDrive)>("KQ_Robots_UnloadDrive")(letter, 0, kind, 0);
    }
    int32_t initLib() { return kq<decltype(KQ_Robots_Init)>("KQ_Robots_Init")(0); }
    bay::Bay readBay() {
        bay::Bay b;
        EXPECT_EQ(bay::load(home.bay(), b), bay::LoadResult::Ok);
        return b;
    }

    static std::unique_ptr<DeviceLibrary> lib;
    DataHome home;
};

std::unique_ptr<DeviceLibrary> Robot::lib;

TEST_F(Robot, InitNeedsABayWithARobot) {
    EXPECT_NE(initLib(), KQ_OK) << "no bay";
    home.writeBay("[drive E]\n");
    EXPECT_NE(initLib(), KQ_OK) << "no robot";
    home.writeBay("[robot 7]\ndrives = E\n[robot x]\n");
    EXPECT_NE(initLib(), KQ_OK) << "damaged bay";
    home.writeBay(twoRobots);
    EXPECT_EQ(initLib(), KQ_OK);
}

TEST_F(Robot, DataFolderPropertyWinsOverTheDefaultFolder) {
    TempDir elsewhere;
    writeFile(elsewhere / "bay.ini", "[robot 5]\ndrives = E\n");
    EXPECT_NE(initLib(), KQ_OK) << "the default folder holds no bay";
    setProperty(KQ_PROPERTY_DATA_FOLDER, elsewhere.path().c_str());
    EXPECT_EQ(initLib(), KQ_OK);
    setProperty(KQ_PROPERTY_DATA_FOLDER, nullptr);
    EXPECT_NE(initLib(), KQ_OK);
}

TEST_F(Robot, DiscoveryReportsRobotsDrivesAndNames) {
    home.writeBay(twoRobots);
    ASSERT_EQ(initLib(), KQ_OK);
    int32_t count = -1;
    std::array<int32_t, KQ_MAX_ROBOTS> ids{};
    std::array<char, KQ_CONNECT_AREA> area;
    area.fill('\x55');
    std::array<uint8_t, KQ_MAX_ROBOTS> usable{};
    auto connect = kq<decltype(KQ_Robots_Connect)>("KQ_Robots_Connect");
    ASSERT_EQ(connect(&count, ids.data(), area.data(), usable.data()), KQ_OK);
    ASSERT_EQ(count, 2);
    EXPECT_EQ(ids[0], 1001);
    EXPECT_EQ(ids[1], 2002);
    EXPECT_NE(usable[0], 0);
    EXPECT_EQ(usable[1], 0);
    EXPECT_TRUE(std::all_of(area.begin(), area.end(), [](char c) { return c == 0; }));

    std::array<char, KQ_ACTIVE_AREA> a1{}, a2{};
    EXPECT_EQ(kq<decltype(KQ_Robots_Active)>("KQ_Robots_Active")(0, a1.data(), a2.data(), KQ_ACTIVE_AREA),
              KQ_OK)
        << "the program asks with identifier 0";

    int32_t driveCount = -1;
    std::array<uint8_t, KQ_MAX_DRIVES> drives{};
    auto enumDrives = kq<decltype(KQ_Robots_EnumDrives)>("KQ_Robots_EnumDrives");
    ASSERT_EQ(enumDrives(1001, &driveCount, drives.data()), KQ_OK);
    ASSERT_EQ(driveCount, 2);
    EXPECT_NE(enumDrives(4242, &driveCount, drives.data()), KQ_OK);

    auto driveName = kq<decltype(KQ_Robots_GetDriveName)>("KQ_Robots_GetDriveName");
    std::array<char, KQ_DRIVE_NAME> name{};
    ASSERT_EQ(driveName(drives[0], name.data()), KQ_OK);
    EXPECT_STREQ(name.data(), "E:\\");
    ASSERT_EQ(driveName(drives[1], name.data()), KQ_OK);
    EXPECT_EQ(name[0], 'F');
    EXPECT_NE(driveName('Q', name.data()), KQ_OK);
    kq<void()>("KQ_Robots_Close")();
    kq<void()>("KQ_Robots_Close")();
}

TEST_F(Robot, LoadAndUnloadMoveDiscsBetweenStackDrivesAndBins) {
    home.writeBay(twoRobots);
    struct Step {
        const char* what;
        char letter;
        int32_t kind; // 1 load, else the unload kind
        int32_t expected;
    };
    const Step steps[] = {
        {"load E takes d1", 'E', 1, KQ_OK},
        {"E is occupied", 'e', 1, KQ_ERR_NOT_ARRIVED},
        {"load f takes d2", 'f', 1, KQ_OK},
        {"stack empty", 'E', 1, KQ_ERR_INPUT_EMPTY},
        {"unload E to output", 'E', KQ_UNLOAD, KQ_OK},
        {"E empty now", 'E', KQ_UNLOAD, KQ_OK_NOTHING_TO_DO},
        {"reject F", 'F', KQ_REJECT, KQ_OK},
        {"drive served by no robot", 'X', 1, KQ_ERR_NOT_ARRIVED},
    };
    for (const Step& s : steps)
        EXPECT_EQ(s.kind == 1 ? load(s.letter) : unload(s.letter, s.kind), s.expected) << s.what;

    const bay::Bay b = readBay();
    const bay::Robot& r = b.robots.front();
    EXPECT_TRUE(r.input.empty());
    EXPECT_EQ(r.output, std::vector<std::string>{"d1"});
    EXPECT_EQ(r.reject, std::vector<std::string>{"d2"});
    EXPECT_TRUE(b.drive('E')->disc.empty());
    EXPECT_FALSE(b.drive('E')->trayOpen);
}

TEST_F(Robot, LoadedDiscIsReadyInTheDriveEngine) {
    home.writeBay(twoRobots);
    DeviceLibrary engine("libFoxSDKU32w.so");
    FoxSettings settings{};
    settings.enableImageDevice = 1;
    ASSERT_EQ(engine.fn<decltype(FoxInitialize)>("FoxInitialize")(&settings), FOX_OK);
    int32_t ready = -1;
    auto isReady = engine.fn<decltype(FoxIsDeviceReady)>("FoxIsDeviceReady");
    ASSERT_EQ(isReady(2, &ready), FOX_OK); // device 2 is drive E
    EXPECT_EQ(ready, 0);
    ASSERT_EQ(load('E'), KQ_OK);
    ASSERT_EQ(isReady(2, &ready), FOX_OK);
    EXPECT_EQ(ready, 1);
    engine.fn<decltype(FoxShutdown)>("FoxShutdown")();
}

TEST_F(Robot, ScriptedCodesComeFirstAndAreConsumedOneByOne) {
    std::string text = twoRobots;
    text.insert(text.find("[robot 2002]"), "script = load:423 load:400 unload:5 reject:9 enum:3 name:8\n");
    home.writeBay(text);
    EXPECT_EQ(load('E'), KQ_ERR_INPUT_EMPTY);
    EXPECT_EQ(readBay().robots.front().input.size(), 2u) << "a scripted failure moves nothing";
    EXPECT_EQ(load('E'), KQ_OK_NOTHING_TO_DO) << "a scripted success code still moves the disc";
    EXPECT_EQ(readBay().drive('E')->disc, "d1");
    EXPECT_EQ(unload('E'), 5);
    EXPECT_EQ(unload('E', KQ_REJECT), 9);
    EXPECT_EQ(readBay().drive('E')->disc, "d1");
    EXPECT_EQ(unload('E'), KQ_OK);

    int32_t n = 0;
    std::array<uint8_t, KQ_MAX_DRIVES> drives{};
    auto enumDrives = kq<decltype(KQ_Robots_EnumDrives)>("KQ_Robots_EnumDrives");
    EXPECT_EQ(enumDrives(1001, &n, drives.data()), 3);
    EXPECT_EQ(enumDrives(1001, &n, drives.data()), KQ_OK);
    std::array<char, KQ_DRIVE_NAME> name{};
    auto driveName = kq<decltype(KQ_Robots_GetDriveName)>("KQ_Robots_GetDriveName");
    EXPECT_EQ(driveName('E', name.data()), 8);
    EXPECT_EQ(driveName('E', name.data()), KQ_OK);
}

TEST_F(Robot, BayLevelScriptFailsConnectAndActive) {
    home.writeBay("[bay]\nscript = connect:7 active:12\n[drive E]\n[robot 1]\ndrives = E\n");
    ASSERT_EQ(initLib(), KQ_OK);
    int32_t count = 0;
    std::array<int32_t, KQ_MAX_ROBOTS> ids{};
    std::array<char, KQ_CONNECT_AREA> area{};
    std::array<uint8_t, KQ_MAX_ROBOTS> usable{};
    auto connect = kq<decltype(KQ_Robots_Connect)>("KQ_Robots_Connect");
    EXPECT_EQ(connect(&count, ids.data(), area.data(), usable.data()), 7);
    EXPECT_EQ(connect(&count, ids.data(), area.data(), usable.data()), KQ_OK);
    EXPECT_EQ(count, 1);
    std::array<char, KQ_ACTIVE_AREA> a1{}, a2{};
    auto active = kq<decltype(KQ_Robots_Active)>("KQ_Robots_Active");
    EXPECT_EQ(active(0, a1.data(), a2.data(), KQ_ACTIVE_AREA), 12);
    EXPECT_EQ(active(0, a1.data(), a2.data(), KQ_ACTIVE_AREA), KQ_OK);
}

TEST_F(Robot, MovementsTakeTheirDelayAndRunOnAWorkerThread) {
    home.writeBay(
        "[drive E]\n[disc d1]\nfolder = discs/d1\n[robot 1]\ndrives = E\ninput = d1\ndelay = 150\n");
    int32_t result = -1;
    const auto start = std::chrono::steady_clock::now();
    std::thread worker([&] { result = load('E'); });
    worker.join();
    EXPECT_EQ(result, KQ_OK);
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(150));
}

TEST_F(Robot, EveryCallIsLogged) {
    home.writeBay(twoRobots);
    initLib();
    load('E');
    unload('E', KQ_REJECT);
    const auto folder = home.home() / "HALDOR";
    std::vector<std::filesystem::path> logs;
    for (const auto& e : std::filesystem::directory_iterator(folder))
        logs.push_back(e.path());
    ASSERT_EQ(logs.size(), 1u);
    const std::string name = logs[0].filename().string();
    EXPECT_TRUE(name.starts_with("KQRobots") && name.ends_with(".log") && name.size() == 8 + 8 + 4) << name;
    const std::string text = readFile(logs[0]);
    EXPECT_NE(text.find("KQ_Robots_Init(0) = 0"), std::string::npos) << text;
    EXPECT_NE(text.find("KQ_Robots_LoadDrive(E, 0, 1, 0) = 0"), std::string::npos) << text;
    EXPECT_NE(text.find("KQ_Robots_UnloadDrive(E, 0, 4, 0) = 0"), std::string::npos) << text;
}

} // namespace
} // namespace velmora::test
