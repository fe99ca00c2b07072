// The device bay file format: what an operator may write by hand, what counts
// as damaged, and that writing and reading again loses nothing.
#include "bay/bay.h"

#include "support/tempdir.h"

#include <gtest/gtest.h>

namespace velmora::bay {
namespace {

TEST(BayFormat, ReadsTheHandWrittenExample) {
    const char* text = "[bay]\n"
                       "realDrives = no          ; also list the machine's optical drives\n"
                       "\n"
                       "[drive E]\n"
                       "name = Virtual DVD-ROM    ; device name\n"
                       "tray = closed\n"
                       "disc = cd1\n"
                       "# a comment line\n"
                       "[disc cd1]\r\n"
                       "label = HOLIDAY 2014      ; may contain spaces\r\n"
                       "medium = 0\n"
                       "size = 681574400\n"
                       "folder = discs/cd1\n"
                       "query = fail\n"
                       "[robot 1001]\n"
                       "usable = yes\n"
                       "drives = E f\n"
                       "input = dvd1 bd1\n"
                       "output =\n"
                       "delay = 300\n"
                       "script = load:423 unload:5\n";
    std::string error;
    const std::optional<Bay> b = parse(text, &error);
    ASSERT_TRUE(b) << error;
    EXPECT_FALSE(b->realDrives);
    ASSERT_EQ(b->drives.size(), 1u);
    EXPECT_EQ(b->drives[0].name, "Virtual DVD-ROM");
    EXPECT_EQ(b->drives[0].disc, "cd1");
    const Disc* d = b->disc("cd1");
    ASSERT_TRUE(d);
    EXPECT_EQ(d->label, "HOLIDAY 2014");
    EXPECT_EQ(d->size, 681574400);
    EXPECT_TRUE(d->queryFails);
    ASSERT_EQ(b->robots.size(), 1u);
    const Robot& r = b->robots[0];
    EXPECT_EQ(r.id, 1001);
    EXPECT_EQ(r.drives, (std::vector<char>{'E', 'F'}));
    EXPECT_EQ(r.input, (std::vector<std::string>{"dvd1", "bd1"}));
    EXPECT_TRUE(r.output.empty());
    EXPECT_EQ(r.delayMs, 300);
    EXPECT_EQ(r.script, (std::vector<ScriptEntry>{{"load", 423}, {"unload", 5}}));
}

TEST(BayFormat, WritingAndReadingAgainKeepsOddTexts) {
    Bay b;
    b.realDrives = false;
    b.script = {{"connect", 7}};
    Drive drive;
    drive.letter = 'Z';
    drive.name = "  Drive; with # marks \\ and \"quotes\" ";
    drive.trayOpen = true;
    drive.disc = "x";
    b.drives.push_back(drive);
    for (const std::string label :
         {"", "報告 2014", "a;b", "#1", " lead", "tail ", "\"quoted\"", "back\\slash"}) {
        Disc d;
        d.id = "disc" + std::to_string(b.discs.size());
        d.label = label;
        d.medium = 8;
        d.size = 25025314816;
        d.folder = "/abs/folder with blanks";
        b.discs.push_back(d);
    }
    Robot r;
    r.id = -5;
    r.usable = false;
    r.drives = {'Z'};
    r.input = {"disc1", "disc2"};
    r.output = {"disc0"};
    r.script = {{"load", 427}};
    b.robots.push_back(r);

    std::string error;
    const std::optional<Bay> again = parse(format(b), &error);
    ASSERT_TRUE(again) << error << "\n" << format(b);
    EXPECT_EQ(*again, b);
}

TEST(BayFormat, DamagedTextsAreRejectedWithAReason) {
    const char* cases[] = {
        "realDrives = yes\n",               // key before any section
        "[drive EE]\n",                     // not one letter
        "[drive E]\n[drive e]\n",           // same drive twice
        "[disc]\n",                         // no identifier
        "[disc a b]\n",                     // identifier with a blank
        "[robot 99999999999]\n",            // not 32-bit
        "[robot abc]\n",                    // not a number
        "[shelf 1]\n",                      // unknown kind
        "[drive E]\ntray = ajar\n",         // bad value
        "[drive E]\ncolour = red\n",        // unknown key
        "[disc a]\nmedium = 9\n",           // medium out of range
        "[disc a]\nsize = -1\n",            // negative size
        "[disc a]\nsize = 12MB\n",          // not a number
        "[disc a]\nlabel = \"open quote\n", // quote never closed
        "[robot 1]\ndrives = E FG\n",       // not letters
        "[robot 1]\nscript = load423\n",    // no colon
        "[robot 1]\nscript = load:x\n",     // code not a number
        "[robot 1]\ndelay = -3\n",          // negative delay
        "[drive E]\nname\n",                // no "="
        "[bay\n",                           // header not closed
    };
    for (const char* text : cases) {
        std::string error;
        EXPECT_FALSE(parse(text, &error)) << text;
        EXPECT_NE(error.find("line "), std::string::npos) << text;
    }
}

TEST(BayFile, MissingDamagedAndSavedFiles) {
    velmora::test::TempDir dir;
    const auto file = dir / "bay.ini";
    Bay b;
    EXPECT_EQ(load(file, b), LoadResult::Missing);
    velmora::test::writeFile(file, "[drive E]\ntray = ajar\n");
    EXPECT_EQ(load(file, b), LoadResult::Damaged);

    Bay saved;
    saved.discs.resize(1);
    saved.discs[0].id = "cd";
    saved.discs[0].folder = "discs/cd";
    {
        Lock lock(file);
        ASSERT_TRUE(lock.held());
        ASSERT_TRUE(save(file, saved));
    }
    ASSERT_EQ(load(file, b), LoadResult::Ok);
    EXPECT_EQ(b, saved);
    EXPECT_EQ(discFolder(file, b.discs[0]), dir.path() / "discs" / "cd");
    b.discs[0].folder = "/elsewhere/cd";
    EXPECT_EQ(discFolder(file, b.discs[0]), std::filesystem::path("/elsewhere/cd"));
    for (const auto& e : std::filesystem::directory_iterator(dir.path()))
        EXPECT_TRUE(e.path() == file || e.path().string() == file.string() + ".lock")
            << "left over: " << e.path();
}

TEST(BayFile, DataFolderFollowsTheEnvironment) {
    const std::string saved = std::getenv("XDG_DATA_HOME") ? std::getenv("XDG_DATA_HOME") : "";
    setenv("XDG_DATA_HOME", "/some/where", 1);
    EXPECT_EQ(defaultDataFolder(), std::filesystem::path("/some/where/Velmora"));
    unsetenv("XDG_DATA_HOME");
    EXPECT_EQ(defaultDataFolder(), std::filesystem::path(std::getenv("HOME")) / ".local/share/Velmora");
    setenv("XDG_DATA_HOME", saved.c_str(), 1);
}

} // namespace
} // namespace velmora::bay
