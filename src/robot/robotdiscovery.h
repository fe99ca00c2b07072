// Robot discovery: asks the robot library which robots are attached and which
// drives each serves, and records every robot drive as a pair of robot
// identifier and drive letter.
#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>

namespace velmora::robot {

class RobotLibrary;

struct RobotDriveLists {
    QStringList& rIDList;    // robot identifier of each robot drive, decimal
    QStringList& rDriveList; // drive letter of each robot drive, one character
};

// Runs discovery once. dataFolder is the per-user data folder handed to the
// library; robotID is the identifier passed to KQ_Robots_Active; report
// receives the error lines of a failed connect or activation. Returns true
// when at least one robot drive was recorded.
bool discoverRobots(RobotLibrary& robots, const QString& dataFolder, std::int32_t robotID,
                    RobotDriveLists lists, const std::function<void(const QString&)>& report);

// Position in rDriveList of the drive letter that begins entryText, ignoring
// case; -1 when the entry is empty or the drive is no robot drive.
int findRobotDrive(const QString& entryText, const QStringList& rDriveList);

} // namespace velmora::robot
