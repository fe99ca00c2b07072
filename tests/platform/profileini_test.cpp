#include "platform/profileini.h"
#include "support/tempdir.h"

#include <QString>
#include <gtest/gtest.h>

namespace velmora::platform {
namespace {

using test::qpath;
using test::readFile;
using test::TempDir;
using test::writeFile;

class ProfileIniTest : public ::testing::Test {
protected:
    TempDir dir;
    std::filesystem::path file = dir / "backSettings.ini";
};

TEST_F(ProfileIniTest, SavedKeysComeBackInOrderWithEmptyValues) {
    ProfileIni ini(qpath(file));
    ASSERT_TRUE(ini.load());
    ini.setValue("korvoForm", "deviceCombo.ItemIndex", "-1");
    ini.setValue("korvoForm", "path1.Text", "/srv/光碟");
    ini.setValue("korvoForm", "fWord.Text", "");
    ini.setValue("korvoForm", "op1.Checked", "True");
    ini.setValue("korvoForm", "note", "two\r\nlines");
    ASSERT_TRUE(ini.save()) << ini.errorString().toStdString();

    // key=value lines without spaces, CR LF, no byte-order mark, UTF-8 being this
    // machine's locale character set.
    EXPECT_EQ(readFile(file), "[korvoForm]\r\n"
                              "deviceCombo.ItemIndex=-1\r\n"
                              "path1.Text=/srv/光碟\r\n"
                              "fWord.Text=\r\n"
                              "op1.Checked=True\r\n"
                              "note=two  lines\r\n");

    ProfileIni again(qpath(file));
    ASSERT_TRUE(again.load());
    EXPECT_EQ(again.keys("korvoForm"),
              QStringList({"deviceCombo.ItemIndex", "path1.Text", "fWord.Text", "op1.Checked", "note"}));
    EXPECT_EQ(again.value("korvoForm", "path1.Text"), QString("/srv/光碟"));
    EXPECT_EQ(again.value("korvoForm", "fWord.Text", "default"), QString(""));
    EXPECT_EQ(again.value("korvoForm", "missing", "default"), QString("default"));
    EXPECT_EQ(again.value("other", "path1.Text", "default"), QString("default"));
}

TEST_F(ProfileIniTest, KeysAreReadInFileOrder) {
    writeFile(file, "[korvoForm]\nzeta=1\nalpha=2\nMid=3\n[other]\nb=4\na=5\n");
    ProfileIni ini(qpath(file));
    ASSERT_TRUE(ini.load());
    EXPECT_EQ(ini.keys("korvoForm"), QStringList({"zeta", "alpha", "Mid"}));
    EXPECT_EQ(ini.keys("other"), QStringList({"b", "a"}));
    EXPECT_TRUE(ini.keys("none").isEmpty());
}

TEST_F(ProfileIniTest, ErasedSectionIsWrittenAnewAndOthersAreKept) {
    writeFile(file, "[other]\r\nkeep=yes\r\n[korvoForm]\r\nold=1\r\nb=2\r\n");
    ProfileIni ini(qpath(file));
    ASSERT_TRUE(ini.load());
    ini.eraseSection("korvoForm");
    EXPECT_TRUE(ini.keys("korvoForm").isEmpty());
    ini.setValue("korvoForm", "b", "3");
    ini.setValue("korvoForm", "a", "4");
    ASSERT_TRUE(ini.save());

    ProfileIni again(qpath(file));
    ASSERT_TRUE(again.load());
    EXPECT_EQ(again.keys("korvoForm"), QStringList({"b", "a"}));
    EXPECT_EQ(again.value("korvoForm", "old", "gone"), QString("gone"));
    EXPECT_EQ(again.value("other", "keep"), QString("yes"));
}

TEST_F(ProfileIniTest, MissingFileIsAnEmptyProfile) {
    ProfileIni ini(qpath(file));
    EXPECT_TRUE(ini.load());
    EXPECT_TRUE(ini.keys("korvoForm").isEmpty());
}

TEST_F(ProfileIniTest, ByteOrderMarksSelectTheEncoding) {
    const std::string utf8 = "[s]\r\nkey=值\r\n";
    std::string le = "\xFF\xFE", be = "\xFE\xFF";
    for (const char16_t c : QString::fromStdString(utf8).toStdU16String()) {
        le += {static_cast<char>(c & 0xff), static_cast<char>(c >> 8)};
        be += {static_cast<char>(c >> 8), static_cast<char>(c & 0xff)};
    }
    for (const std::string& bytes : {"\xEF\xBB\xBF" + utf8, le, be, utf8}) {
        writeFile(file, bytes);
        ProfileIni ini(qpath(file));
        ASSERT_TRUE(ini.load()) << ini.errorString().toStdString();
        EXPECT_EQ(ini.keys("s"), QStringList{"key"});
        EXPECT_EQ(ini.value("s", "key"), QString("值"));
    }
}

struct Damage {
    const char* name;
    std::string bytes;
};

class DamagedProfileTest : public ProfileIniTest, public ::testing::WithParamInterface<Damage> {};

TEST_P(DamagedProfileTest, FailsCleanlyWithNothingLoaded) {
    writeFile(file, GetParam().bytes);
    ProfileIni ini(qpath(file));
    ini.setValue("korvoForm", "before", "x");
    EXPECT_FALSE(ini.load());
    EXPECT_FALSE(ini.errorString().isEmpty());
    EXPECT_TRUE(ini.keys("korvoForm").isEmpty());
}

std::string garbage() {
    std::string bytes(4096, '\0');
    unsigned state = 12345;
    for (char& c : bytes) {
        state = state * 1103515245 + 12345;
        c = static_cast<char>(state >> 16);
    }
    return bytes;
}

INSTANTIATE_TEST_SUITE_P(
    Files, DamagedProfileTest,
    ::testing::Values(Damage{"Garbage", garbage()},
                      Damage{"InvalidUtf8Value", "[korvoForm]\r\npath1.Text=\xC3\x28\xFF\r\n"},
                      Damage{"InvalidAfterUtf8Mark", "\xEF\xBB\xBF[korvoForm]\r\na=\xFF\xFE\xFD\r\n"},
                      Damage{"OddUtf16", std::string("\xFF\xFE[\0s\0]", 7)},
                      Damage{"NulBytes", std::string("[korvoForm]\r\na=1\0b=2\r\n", 22)},
                      Damage{"Huge",
                             "[korvoForm]\r\n" + std::string(ProfileIni::maxFileSize, 'a') + "=1\r\n"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ProfileIniTest, FolderInPlaceOfTheFileFailsToLoadAndSave) {
    std::filesystem::create_directory(file);
    ProfileIni ini(qpath(file));
    EXPECT_FALSE(ini.load());
    ini.setValue("korvoForm", "a", "1");
    EXPECT_FALSE(ini.save());
    EXPECT_FALSE(ini.errorString().isEmpty());
}

TEST_F(ProfileIniTest, SaveIntoMissingFolderFails) {
    ProfileIni ini(qpath(dir / "missing" / "backSettings.ini"));
    ini.setValue("korvoForm", "a", "1");
    EXPECT_FALSE(ini.save());
    EXPECT_FALSE(ini.errorString().isEmpty());
}

} // namespace
} // namespace velmora::platform
