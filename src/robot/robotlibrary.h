// The disc-robot library as the program calls it. The library is loaded from
// the program folder when first needed; without it every call reports "no
// robot" (KQ_Robots_Init fails) and KQ_Robots_Close does nothing.
#pragma once

#include "robot_api.h"

#include <QString>
#include <cstdint>
#include <memory>

namespace velmora::robot {

// Result returned by every call when the library could not be loaded.
inline constexpr std::int32_t NoLibrary = -1;

class RobotLibrary {
public:
    RobotLibrary();
    ~RobotLibrary();
    RobotLibrary(const RobotLibrary&) = delete;
    RobotLibrary& operator=(const RobotLibrary&) = delete;

    // Folder the library is loaded from; the program folder unless set.
    void setLibraryFolder(const QString& folder) { libraryFolder_ = folder; }
    bool isLoaded();

    std::int32_t KQ_Robots_SetProperty(std::int32_t property, const char* value);
    std::int32_t KQ_Robots_Init(std::int32_t reserved);
    std::int32_t KQ_Robots_Connect(std::int32_t* robotCount, std::int32_t* robotIds, char* area,
                                   std::uint8_t* usable);
    std::int32_t KQ_Robots_Active(std::int32_t robotId, char* area1, char* area2, std::int32_t areaSize);
    std::int32_t KQ_Robots_EnumDrives(std::int32_t robotId, std::int32_t* driveCount, std::uint8_t* drives);
    std::int32_t KQ_Robots_GetDriveName(std::uint8_t drive, char* name);
    std::int32_t KQ_Robots_LoadDrive(char driveLetter, std::int32_t source, std::int32_t kind,
                                     std::int32_t reserved);
    std::int32_t KQ_Robots_UnloadDrive(char driveLetter, std::int32_t source, std::int32_t kind,
                                       std::int32_t reserved);
    void KQ_Robots_Close();

private:
    struct Api;
    Api* api();

    std::unique_ptr<Api> api_;
    bool tried_ = false;
    QString libraryFolder_;
};

} // namespace velmora::robot
