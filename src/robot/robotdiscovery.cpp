#include "robot/robotdiscovery.h"

#include "platform/textfile.h"
#include "robot/robotlibrary.h"

#include <algorithm>
#include <array>

namespace velmora::robot {

bool discoverRobots(RobotLibrary& robots, const QString& dataFolder, std::int32_t robotID,
                    RobotDriveLists lists, const std::function<void(const QString&)>& report) {
    // The library takes at most 254 bytes of folder text.
    QByteArray folder = platform::encodeAnsi(dataFolder).left(254);
    robots.KQ_Robots_SetProperty(KQ_PROPERTY_DATA_FOLDER, folder.constData());
    if (robots.KQ_Robots_Init(0) != KQ_OK)
        return false;

    std::int32_t count = 0;
    std::array<std::int32_t, KQ_MAX_ROBOTS> ids{};
    std::array<char, KQ_CONNECT_AREA> area{};
    std::array<std::uint8_t, KQ_MAX_ROBOTS> usable{};
    if (const std::int32_t c = robots.KQ_Robots_Connect(&count, ids.data(), area.data(), usable.data());
        c != KQ_OK) {
        report(QStringLiteral("****KQ_Robots_Connect Error:%1****").arg(c));
        return false;
    }
    std::array<char, KQ_ACTIVE_AREA> area1{};
    std::array<char, KQ_ACTIVE_AREA> area2{};
    if (const std::int32_t c = robots.KQ_Robots_Active(robotID, area1.data(), area2.data(), KQ_ACTIVE_AREA);
        c != KQ_OK) {
        report(QStringLiteral("****KQ_Robots_Active Error:%1****").arg(c));
        return false;
    }
    // The areas hold 26 entries; a larger count is cut to what they hold.
    count = std::clamp<std::int32_t>(count, 0, KQ_MAX_ROBOTS);
    for (int r = 0; r < count; ++r) {
        if (usable[r] == 0)
            continue;
        std::int32_t driveCount = 0;
        std::array<std::uint8_t, KQ_MAX_DRIVES> drives{};
        if (robots.KQ_Robots_EnumDrives(ids[r], &driveCount, drives.data()) != KQ_OK)
            continue;
        driveCount = std::clamp<std::int32_t>(driveCount, 0, KQ_MAX_DRIVES);
        for (int d = 0; d < driveCount; ++d) {
            std::array<char, KQ_DRIVE_NAME + 1> name{};
            if (robots.KQ_Robots_GetDriveName(drives[d], name.data()) != KQ_OK || name[0] == 0)
                continue;
            lists.rIDList.append(QString::number(ids[r]));
            lists.rDriveList.append(QString(QChar::fromLatin1(name[0])));
        }
    }
    return !lists.rIDList.isEmpty();
}

int findRobotDrive(const QString& entryText, const QStringList& rDriveList) {
    if (entryText.isEmpty())
        return -1;
    const QString key = entryText.left(1);
    for (int i = 0; i < rDriveList.size(); ++i) {
        if (rDriveList.at(i).compare(key, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

} // namespace velmora::robot
