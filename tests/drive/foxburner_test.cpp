// The drive engine component against our drive-engine library and a device bay.
#include "drive/driveinfo.h"
#include "drive/foxburner.h"
#include "platform/paths.h"
#include "support/baytext.h"
#include "support/tempdir.h"

#include <QFile>
#include <gtest/gtest.h>

using namespace velmora;
using drive::TFoxBurnerSDK;

namespace {

const char* const mediaBay = R"([bay]
realDrives = no

[drive E]
disc = cd
[drive F]
disc = audio
[drive H]
disc = dvd
[drive I]
disc = multi
[drive J]
disc = bd
[drive K]
disc = xa
[drive L]
disc = broken
[drive M]
tray = open
disc = cd
[drive N]

[disc cd]
label = DATA CD
medium = 0
size = 681574400
folder = discs/cd
[disc audio]
medium = 2
size = 681574400
folder = discs/audio
[disc dvd]
medium = 6
size = 4700000000
folder = discs/dvd
[disc multi]
medium = 5
size = 734003200
folder = discs/multi
[disc bd]
medium = 7
size = 25025314816
folder = discs/bd
[disc xa]
medium = 1
size = 1000000
folder = discs/xa
[disc broken]
medium = 0
size = 1000
folder = discs/broken
query = fail
)";

void activate(TFoxBurnerSDK& fox) {
    fox.DLLName = QStringLiteral("FoxSDKU32w.dll");
    fox.setActive(true);
    ASSERT_EQ(fox.LastError(), 0) << fox.LastErrorText().toStdString();
    ASSERT_TRUE(fox.GetDevices());
}

int listIndexOf(const TFoxBurnerSDK& fox, QChar letter) {
    for (int i = 2; i <= fox.DeviceCount(); ++i) {
        if (fox.deviceName(i).startsWith(letter))
            return i - 2;
    }
    return -100;
}

} // namespace

TEST(DriveEngine, MediumValueFollowsTypeSizeAndReadiness) {
    test::writeBay(mediaBay, {"cd", "audio", "dvd", "multi", "bd", "xa", "broken"});
    TFoxBurnerSDK fox;
    activate(fox);
    struct Case {
        char letter;
        int expected;
    };
    // CD-ROM and audio CDs and DVDs are told by type; every other kind by its
    // size in whole megabytes; a failing medium query and a drive that is not
    // ready have their own values.
    const Case cases[] = {{'E', -4}, {'F', -4}, {'H', -5}, {'I', 700}, {'J', 23866},
                          {'K', 0},  {'L', -2}, {'M', -1}, {'N', -1}};
    for (const Case& c : cases) {
        const int index = listIndexOf(fox, QChar::fromLatin1(c.letter));
        ASSERT_GE(index, 0) << c.letter;
        EXPECT_EQ(drive::getMediaInfo(fox, index), c.expected) << "drive " << c.letter;
    }
}

TEST(DriveEngine, ImageDeviceComesFirstAndDrivesBeginWithTheirLetter) {
    test::writeBay(mediaBay, {"cd"});
    TFoxBurnerSDK fox;
    activate(fox);
    ASSERT_EQ(fox.DeviceCount(), 10);
    EXPECT_FALSE(fox.deviceName(1).isEmpty());
    const QString letters = QStringLiteral("EFHIJKLMN");
    for (int i = 2; i <= fox.DeviceCount(); ++i) {
        EXPECT_EQ(fox.deviceName(i).at(0), letters.at(i - 2));
        EXPECT_LE(fox.deviceName(i).size(), 50);
    }
    EXPECT_TRUE(fox.deviceName(0).isEmpty());
    EXPECT_TRUE(fox.deviceName(11).isEmpty());
}

TEST(DriveEngine, TrayControlChangesReadiness) {
    test::writeBay(mediaBay, {"cd"});
    TFoxBurnerSDK fox;
    activate(fox);
    const int e = listIndexOf(fox, u'E') + 2;
    EXPECT_TRUE(fox.IsDeviceReady(e));
    fox.EjectDevice(e);
    fox.BurnDevice = e;
    EXPECT_FALSE(fox.IsDeviceReady(0));
    fox.CloseDevice(e);
    EXPECT_TRUE(fox.IsDeviceReady(0));
}

TEST(DriveEngine, RootAndLabelByLetterInEitherCase) {
    test::writeBay(mediaBay, {"cd"});
    TFoxBurnerSDK fox;
    activate(fox);
    const QString root = fox.driveRoot(u'e');
    EXPECT_TRUE(QFile::exists(root + QStringLiteral("/readme.txt"))) << root.toStdString();
    EXPECT_EQ(fox.volumeLabel(u'E'), QStringLiteral("DATA CD"));
    EXPECT_TRUE(fox.driveRoot(u'N').isEmpty()); // no disc
    EXPECT_TRUE(fox.driveRoot(u'Z').isEmpty()); // no such drive
}

TEST(DriveEngine, ActivationFailuresGiveTheLibraryTexts) {
    test::TempDir empty;
    {
        TFoxBurnerSDK fox;
        fox.DLLName = QStringLiteral("FoxSDKU32w.dll");
        fox.setLibraryFolder(test::qpath(empty.path()));
        fox.setActive(true);
        EXPECT_EQ(fox.LastError(), 4097);
        EXPECT_EQ(fox.LastErrorText(), QStringLiteral("SDK DLL file not found"));
        EXPECT_FALSE(fox.GetDevices());
        EXPECT_FALSE(fox.IsDeviceReady(0));
    }
    {
        // A library of that name that lacks the engine's functions.
        ASSERT_TRUE(QFile::copy(platform::programFolder() + QStringLiteral("libKQRobots20.so"),
                                test::qpath(empty / "libFoxSDKU32w.so")));
        TFoxBurnerSDK fox;
        fox.DLLName = QStringLiteral("FoxSDKU32w.dll");
        fox.setLibraryFolder(test::qpath(empty.path()));
        fox.setActive(true);
        EXPECT_EQ(fox.LastError(), 4098);
        EXPECT_EQ(fox.LastErrorText(), QStringLiteral("Structure error in SDK DLL: functions not found"));
    }
    TFoxBurnerSDK inactive;
    EXPECT_EQ(inactive.LastErrorText(), QStringLiteral("SDK DLL is not initialized"));
}

TEST(DriveInfo, SpaceOfDriveLettersAndFolders) {
    test::writeBay(mediaBay, {"cd"});
    TFoxBurnerSDK fox;
    activate(fox);
    const drive::DiskSpace disc = drive::diskSpace(fox, QStringLiteral("e:\\Restore"));
    EXPECT_GT(disc.totalBytes, 0);
    EXPECT_GE(disc.totalBytes, disc.freeBytes);

    // Missing drives, relative and empty paths count as zero.
    for (const char* path : {"Z:\\Restore", "N:\\", "relative/path", "", "   "}) {
        const drive::DiskSpace none = drive::diskSpace(fox, QString::fromLatin1(path));
        EXPECT_EQ(none.freeBytes, 0) << path;
        EXPECT_EQ(none.totalBytes, 0) << path;
    }
    // A folder that does not exist yet is measured on its nearest existing parent.
    test::TempDir dir;
    const drive::DiskSpace folder = drive::diskSpace(fox, test::qpath(dir / "not" / "yet"));
    EXPECT_GT(folder.totalBytes, 0);
}
