// The velmora-bay tool: its commands, its errors and the demo bay.
#include "bay/bay.h"
#include "devicelib.h"
#include "tool/baytool.h"

#include "support/tempdir.h"

#include <fcntl.h>
#include <fstream>
#include <gtest/gtest.h>
#include <set>
#include <spawn.h>
#include <sstream>
#include <sys/stat.h>
#include <sys/wait.h>

extern char** environ;

namespace velmora::bay {
namespace {

namespace fs = std::filesystem;
using velmora::test::readFile;
using velmora::test::TempDir;
using velmora::test::writeFile;

class Tool : public ::testing::Test {
protected:
    // Runs velmora-bay --data <data> args...; returns the exit status.
    int run(std::vector<std::string> args) {
        args.insert(args.begin(), {"--data", data.string()});
        out.str("");
        err.str("");
        return runTool(args, out, err);
    }
    Bay bay() {
        Bay b;
        EXPECT_EQ(load(bayFile(data), b), LoadResult::Ok);
        return b;
    }

    TempDir dir;
    fs::path data = dir / "Velmora";
    std::ostringstream out, err;
};

TEST_F(Tool, BuildsABayStepByStep) {
    writeFile(dir / "discs" / "cd" / "a.txt", "a");
    ASSERT_EQ(run({"create"}), 0) << err.str();
    EXPECT_EQ(run({"create"}), 1) << "an existing bay is kept";
    EXPECT_EQ(run({"create", "--force"}), 0);
    ASSERT_EQ(run({"add-drive", "e", "Robot Drive"}), 0) << err.str();
    ASSERT_EQ(run({"add-drive", "G"}), 0) << err.str();
    ASSERT_EQ(run({"add-disc", "cd", (dir / "discs" / "cd").string(), "--label", "MY CD; 1", "--medium", "5",
                   "--size", "734003200", "--query-fail"}),
              0)
        << err.str();
    ASSERT_EQ(run({"add-disc", "dvd", (dir / "discs" / "dvd").string(), "--medium", "6"}), 0) << err.str();
    ASSERT_EQ(run({"add-robot", "1001", "--drives", "E", "--input", "dvd", "--delay", "250"}), 0)
        << err.str();
    ASSERT_EQ(run({"script", "1001", "load:423 unload:5"}), 0) << err.str();
    ASSERT_EQ(run({"script", "bay", "connect:7"}), 0) << err.str();
    ASSERT_EQ(run({"insert", "G", "cd"}), 0) << err.str();

    Bay b = bay();
    ASSERT_EQ(b.drives.size(), 2u);
    EXPECT_EQ(b.drive('E')->name, "Robot Drive");
    EXPECT_EQ(b.drive('G')->disc, "cd");
    const Disc* cd = b.disc("cd");
    ASSERT_TRUE(cd);
    EXPECT_EQ(cd->label, "MY CD; 1");
    EXPECT_EQ(cd->medium, 5);
    EXPECT_EQ(cd->size, 734003200);
    EXPECT_TRUE(cd->queryFails);
    EXPECT_TRUE(fs::path(cd->folder).is_absolute());
    ASSERT_EQ(b.robots.size(), 1u);
    EXPECT_EQ(b.robots[0].input, std::vector<std::string>{"dvd"});
    EXPECT_EQ(b.robots[0].delayMs, 250);
    EXPECT_EQ(b.robots[0].script, (std::vector<ScriptEntry>{{"load", 423}, {"unload", 5}}));
    EXPECT_EQ(b.script, (std::vector<ScriptEntry>{{"connect", 7}}));

    ASSERT_EQ(run({"list"}), 0) << err.str();
    for (const char* expected :
         {"E: Robot Drive | tray closed | no disc", "G: Virtual DVD-ROM | tray closed | disc cd",
          "cd \"MY CD; 1\" medium 5 size 734003200", "query fails", "1001 drives E delay 250", "input: dvd",
          "output: -", "script: load:423 unload:5", "(missing)"})
        EXPECT_NE(out.str().find(expected), std::string::npos) << expected << "\n" << out.str();
}

TEST_F(Tool, TraysAndDiscsChangeByHand) {
    ASSERT_EQ(run({"add-drive", "E"}), 0);
    ASSERT_EQ(run({"add-disc", "a", "discs/a"}), 0);
    ASSERT_EQ(run({"add-disc", "b", "discs/b"}), 0);
    ASSERT_EQ(run({"add-robot", "1", "--drives", "E", "--input", "a b"}), 0);
    ASSERT_EQ(run({"open", "E"}), 0);
    EXPECT_TRUE(bay().drive('E')->trayOpen);
    ASSERT_EQ(run({"insert", "E", "b"}), 0);
    EXPECT_FALSE(bay().drive('E')->trayOpen) << "inserting closes the tray";
    EXPECT_EQ(bay().robots[0].input, std::vector<std::string>{"a"}) << "a disc lies in one place only";
    ASSERT_EQ(run({"open", "e"}), 0);
    ASSERT_EQ(run({"remove", "E"}), 0);
    EXPECT_TRUE(bay().drive('E')->disc.empty());
    ASSERT_EQ(run({"close", "E"}), 0);
    EXPECT_FALSE(bay().drive('E')->trayOpen);
}

TEST_F(Tool, WrongUsageAndFailuresExitNonZero) {
    ASSERT_EQ(run({"add-drive", "E"}), 0);
    ASSERT_EQ(run({"add-disc", "a", "discs/a"}), 0);
    struct Case {
        std::vector<std::string> args;
        int status;
    };
    const Case cases[] = {
        {{}, 2},
        {{"dance"}, 2},
        {{"add-drive"}, 2},
        {{"add-drive", "EF"}, 2},
        {{"add-drive", "E"}, 1},
        {{"add-disc", "a", "x"}, 1},
        {{"add-disc", "b", "x", "--medium", "9"}, 2},
        {{"add-disc", "b", "x", "--size", "big"}, 2},
        {{"add-disc", "b", "x", "--label"}, 2},
        {{"add-disc", "b", "x", "--colour", "red"}, 2},
        {{"add-disc", "b", "x", "--label", "two\nlines"}, 2},
        {{"insert", "E", "nothere"}, 1},
        {{"insert", "Q", "a"}, 1},
        {{"open", "Q"}, 1},
        {{"add-robot", "1"}, 2},
        {{"add-robot", "1", "--drives", "Q"}, 1},
        {{"add-robot", "1", "--drives", "E", "--input", "nothere"}, 1},
        {{"script", "77", "load:1"}, 1},
        {{"script", "bay", "load"}, 2},
        {{"list", "extra"}, 2},
    };
    const std::string before = readFile(bayFile(data));
    for (const Case& c : cases) {
        std::string shown;
        for (const auto& a : c.args)
            shown += a + " ";
        EXPECT_EQ(run(c.args), c.status) << shown;
        EXPECT_FALSE(err.str().empty()) << shown;
        if (c.status == 2) {
            EXPECT_NE(err.str().find("usage:"), std::string::npos) << shown;
        }
    }
    EXPECT_EQ(readFile(bayFile(data)), before) << "failed commands change nothing";

    writeFile(bayFile(data), "[drive E]\ntray = ajar\n");
    EXPECT_EQ(run({"list"}), 1);
    EXPECT_NE(err.str().find("line 2"), std::string::npos) << err.str();
    EXPECT_EQ(run({"open", "E"}), 1);
    EXPECT_EQ(readFile(bayFile(data)), "[drive E]\ntray = ajar\n") << "a damaged bay is not overwritten";
}

TEST_F(Tool, DemoLaysOutRobotDiscsAndManualDrive) {
    writeFile(data / "backSettings.ini", "[korvoForm]\n");
    ASSERT_EQ(run({"demo", data.string()}), 0) << err.str();
    ASSERT_EQ(run({"demo", data.string()}), 0) << "again, over the first one: " << err.str();
    EXPECT_TRUE(fs::exists(data / "backSettings.ini")) << "the demo leaves the operator's other files alone";

    const Bay b = bay();
    ASSERT_EQ(b.robots.size(), 1u);
    const Robot& r = b.robots[0];
    EXPECT_EQ(r.id, 1001);
    EXPECT_EQ(r.drives, (std::vector<char>{'E', 'F'}));
    ASSERT_EQ(r.input.size(), 6u);
    const Drive* g = b.drive('G');
    ASSERT_TRUE(g);
    EXPECT_FALSE(g->trayOpen);
    ASSERT_TRUE(b.disc(g->disc));

    std::set<int32_t> media;
    uintmax_t total = 0;
    int readOnly = 0;
    for (const Disc& d : b.discs) {
        media.insert(d.medium);
        const fs::path folder = discFolder(bayFile(data), d);
        ASSERT_TRUE(fs::is_directory(folder)) << d.id;
        for (const auto& e : fs::recursive_directory_iterator(folder)) {
            if (e.is_regular_file()) {
                total += e.file_size();
                readOnly += (e.status().permissions() & fs::perms::owner_write) == fs::perms::none;
            }
        }
    }
    for (int32_t kind : {0, 5, 6, 7})
        EXPECT_TRUE(media.count(kind)) << "medium " << kind;
    EXPECT_GT(readOnly, 0);
    EXPECT_LT(total, 20u * 1024 * 1024);

    // A file split over two discs that follow each other in the input stack.
    std::vector<fs::path> parts;
    for (const auto& id : r.input)
        for (const auto& e : fs::recursive_directory_iterator(discFolder(bayFile(data), *b.disc(id))))
            if (e.path().filename().string().starts_with("holiday.mp4.2."))
                parts.push_back(e.path());
    ASSERT_EQ(parts.size(), 2u);
    EXPECT_EQ(parts[0].filename(), "holiday.mp4.2.1");
    EXPECT_EQ(parts[1].filename(), "holiday.mp4.2.2");
    EXPECT_GT(fs::file_size(parts[0]), 0u);

    // The index disc: the database and the files it names, in its root.
    const std::string sample = readFile(velmora::test::programFolder() / "demo" / "backup.mdkb");
    bool indexFound = false;
    for (const Disc& d : b.discs) {
        const fs::path root = discFolder(bayFile(data), d);
        if (!fs::exists(root / "backup.mdkb"))
            continue;
        indexFound = true;
        EXPECT_EQ(readFile(root / "backup.mdkb"), sample);
        for (const char* name :
             {"plan.xls", "root.txt", "e.txt", "dup.txt", "報告.doc", "space name.txt", "deep.bin"})
            EXPECT_TRUE(fs::is_regular_file(root / name)) << name;
    }
    EXPECT_TRUE(indexFound);

    // One disc holds a file that cannot be read.
    int unreadable = 0;
    for (const Disc& d : b.discs)
        for (const auto& e : fs::recursive_directory_iterator(discFolder(bayFile(data), d)))
            if (e.is_symlink() && !std::ifstream(e.path()))
                ++unreadable;
    EXPECT_EQ(unreadable, 1);
}

// The built program, run the way an operator runs it.
TEST(ToolProgram, RunsFromTheProgramFolder) {
    TempDir dir;
    const std::string program = (velmora::test::programFolder() / "velmora-bay").string();
    auto spawn = [&](std::vector<std::string> args) {
        args.insert(args.begin(), program);
        std::vector<char*> argv;
        for (auto& a : args)
            argv.push_back(a.data());
        argv.push_back(nullptr);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        const std::string output = (dir / "output.txt").string();
        posix_spawn_file_actions_addopen(&actions, 1, output.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        posix_spawn_file_actions_addopen(&actions, 2, output.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
        pid_t pid = 0;
        int status = -1;
        if (posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ) == 0)
            waitpid(pid, &status, 0);
        posix_spawn_file_actions_destroy(&actions);
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    };
    EXPECT_EQ(spawn({}), 2);
    EXPECT_NE(readFile(dir / "output.txt").find("usage:"), std::string::npos);
    ASSERT_EQ(spawn({"demo", (dir / "data").string()}), 0) << readFile(dir / "output.txt");
    ASSERT_EQ(spawn({"--data", (dir / "data").string(), "list"}), 0);
    EXPECT_NE(readFile(dir / "output.txt").find("1001 drives E F"), std::string::npos)
        << readFile(dir / "output.txt");
}

} // namespace
} // namespace velmora::bay
