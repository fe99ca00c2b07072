// Translations of the real-drive backend, checked without an optical drive.
#include "driveengine/realdrive_map.h"
#include "driveengine_api.h"

#include <cstring>
#include <gtest/gtest.h>

namespace velmora::fox {
namespace {

TEST(RealDriveMap, MediumTypeFromProfileAndDiscMode) {
    struct Case {
        int profile;
        discmode_t mode;
        bool multisession;
        int expected;
    };
    const Case cases[] = {
        {0x08, CDIO_DISC_MODE_CD_DATA, false, FOX_MEDIUM_CDROM},
        {0x08, CDIO_DISC_MODE_CD_XA, false, FOX_MEDIUM_CDROM_XA},
        {0x08, CDIO_DISC_MODE_CD_DA, false, FOX_MEDIUM_CD_AUDIO},
        {0x08, CDIO_DISC_MODE_CD_MIXED, false, FOX_MEDIUM_CD_MIXED},
        {0x09, CDIO_DISC_MODE_CD_DATA, true, FOX_MEDIUM_CD_MULTISESSION},
        {0x0A, CDIO_DISC_MODE_CD_XA, true, FOX_MEDIUM_CD_MULTISESSION},
        {0x08, CDIO_DISC_MODE_CD_DA, true, FOX_MEDIUM_CD_AUDIO},
        {0x08, CDIO_DISC_MODE_NO_INFO, false, FOX_MEDIUM_CDROM},
        {0x10, CDIO_DISC_MODE_DVD_ROM, false, FOX_MEDIUM_DVD},
        {0x1B, CDIO_DISC_MODE_DVD_PR, false, FOX_MEDIUM_DVD},
        {0x2B, CDIO_DISC_MODE_DVD_PR_DL, false, FOX_MEDIUM_DVD},
        {0x40, CDIO_DISC_MODE_NO_INFO, false, FOX_MEDIUM_BD},
        {0x43, CDIO_DISC_MODE_ERROR, false, FOX_MEDIUM_BD},
        {0x50, CDIO_DISC_MODE_NO_INFO, false, FOX_MEDIUM_HDDVD},
        // No profile: the disc mode alone decides.
        {0xFFFF, CDIO_DISC_MODE_DVD_R, false, FOX_MEDIUM_DVD},
        {0xFFFF, CDIO_DISC_MODE_HD_DVD_ROM, false, FOX_MEDIUM_HDDVD},
        {0xFFFF, CDIO_DISC_MODE_CD_DATA, false, FOX_MEDIUM_CDROM},
        {0xFFFF, CDIO_DISC_MODE_NO_INFO, false, -1},
        {0xFFFF, CDIO_DISC_MODE_ERROR, false, -1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(mediumType(c.profile, c.mode, c.multisession), c.expected)
            << "profile " << c.profile << " mode " << c.mode << " multisession " << c.multisession;
}

TEST(RealDriveMap, ParsesProcMountsWithEscapedBlanks) {
    const auto mounts = parseMounts("sysfs /sys sysfs rw 0 0\n"
                                    "/dev/sr0 /media/anna/HOLIDAY\\0402014 iso9660 ro,nosuid 0 0\n"
                                    "\n"
                                    "/dev/sr1 /mnt/back\\134slash\\011tab udf ro 0 0\n"
                                    "broken-line\n");
    ASSERT_EQ(mounts.size(), 3u);
    EXPECT_EQ(mounts[1].device, "/dev/sr0");
    EXPECT_EQ(mounts[1].mountPoint, "/media/anna/HOLIDAY 2014");
    EXPECT_EQ(mounts[1].type, "iso9660");
    EXPECT_EQ(mounts[2].mountPoint, "/mnt/back\\slash\ttab");
}

TEST(RealDriveMap, DecodesUdevLabels) {
    EXPECT_EQ(decodeUdevLabel("HOLIDAY\\x202014"), "HOLIDAY 2014");
    EXPECT_EQ(decodeUdevLabel("a\\x2fb\\x5cc"), "a/b\\c");
    EXPECT_EQ(decodeUdevLabel("\\xe5\\xa0\\xb1"), "\xe5\xa0\xb1");
    EXPECT_EQ(decodeUdevLabel("bad\\x2"), "bad\\x2") << "a cut escape stays as it is";
    EXPECT_EQ(decodeUdevLabel("bad\\xzz"), "bad\\xzz");
}

TEST(RealDriveMap, ReadsTheIso9660VolumeIdentifier) {
    unsigned char sector[2048] = {};
    sector[0] = 1;
    std::memcpy(sector + 1, "CD001", 5);
    std::memset(sector + 40, ' ', 32);
    std::memcpy(sector + 40, "BACKUP_2014", 11);
    EXPECT_EQ(isoVolumeId(sector, sizeof sector), "BACKUP_2014");
    EXPECT_EQ(isoVolumeId(sector, 60), "") << "too short";
    sector[0] = 2; // a supplementary descriptor, not the primary one
    EXPECT_EQ(isoVolumeId(sector, sizeof sector), "");
}

TEST(RealDriveMap, DeviceNamesBeginWithTheLetterAndNeverSplitACharacter) {
    EXPECT_EQ(deviceName('D', "HL-DT-ST DVDRAM GH24NSD1  ", 50), "D: HL-DT-ST DVDRAM GH24NSD1");
    const std::string chinese = "\xe5\xa0\xb1\xe5\x91\x8a"; // two 3-byte characters
    EXPECT_EQ(deviceName('E', chinese, 7), "E: \xe5\xa0\xb1") << "the second character does not fit whole";
    EXPECT_EQ(deviceName('E', std::string(80, 'x'), 50).size(), 50u);
}

} // namespace
} // namespace velmora::fox
