#include "robot/robotlibrary.h"

#include "platform/dynlib.h"
#include "platform/paths.h"

#include <QDir>
#include <QFileInfo>
#include <QLibrary>

namespace velmora::robot {

struct RobotLibrary::Api {
    QLibrary library;
    decltype(&::KQ_Robots_SetProperty) setProperty = nullptr;
    decltype(&::KQ_Robots_Init) init = nullptr;
    decltype(&::KQ_Robots_Connect) connect = nullptr;
    decltype(&::KQ_Robots_Active) active = nullptr;
    decltype(&::KQ_Robots_EnumDrives) enumDrives = nullptr;
    decltype(&::KQ_Robots_GetDriveName) getDriveName = nullptr;
    decltype(&::KQ_Robots_LoadDrive) loadDrive = nullptr;
    decltype(&::KQ_Robots_UnloadDrive) unloadDrive = nullptr;
    decltype(&::KQ_Robots_Close) close = nullptr;

    template <typename F> bool bind(F& fn, const char* symbol) {
        fn = reinterpret_cast<F>(library.resolve(symbol));
        return fn != nullptr;
    }
    bool bindAll() {
        return bind(setProperty, "KQ_Robots_SetProperty") && bind(init, "KQ_Robots_Init") &&
               bind(connect, "KQ_Robots_Connect") && bind(active, "KQ_Robots_Active") &&
               bind(enumDrives, "KQ_Robots_EnumDrives") && bind(getDriveName, "KQ_Robots_GetDriveName") &&
               bind(loadDrive, "KQ_Robots_LoadDrive") && bind(unloadDrive, "KQ_Robots_UnloadDrive") &&
               bind(close, "KQ_Robots_Close");
    }
};

RobotLibrary::RobotLibrary() = default;
RobotLibrary::~RobotLibrary() = default;

RobotLibrary::Api* RobotLibrary::api() {
    if (!tried_) {
        tried_ = true;
        const QString folder = libraryFolder_.isEmpty() ? platform::programFolder() : libraryFolder_;
        const QString file =
            QDir(folder).filePath(platform::libraryFileName(QStringLiteral("KQRobots20.DLL")));
        auto api = std::make_unique<Api>();
        api->library.setFileName(file);
        if (QFileInfo::exists(file) && api->library.load() && api->bindAll())
            api_ = std::move(api);
    }
    return api_.get();
}

bool RobotLibrary::isLoaded() {
    return api() != nullptr;
}

std::int32_t RobotLibrary::KQ_Robots_SetProperty(std::int32_t property, const char* value) {
    return api() ? api_->setProperty(property, value) : NoLibrary;
}

std::int32_t RobotLibrary::KQ_Robots_Init(std::int32_t reserved) {
    return api() ? api_->init(reserved) : NoLibrary;
}

std::int32_t RobotLibrary::KQ_Robots_Connect(std::int32_t* robotCount, std::int32_t* robotIds, char* area,
                                             std::uint8_t* usable) {
    return api() ? api_->connect(robotCount, robotIds, area, usable) : NoLibrary;
}

std::int32_t RobotLibrary::KQ_Robots_Active(std::int32_t robotId, char* area1, char* area2,
                                            std::int32_t areaSize) {
    return api() ? api_->active(robotId, area1, area2, areaSize) : NoLibrary;
}

std::int32_t RobotLibrary::KQ_Robots_EnumDrives(std::int32_t robotId, std::int32_t* driveCount,
                                                std::uint8_t* drives) {
    return api() ? api_->enumDrives(robotId, driveCount, drives) : NoLibrary;
}

std::int32_t RobotLibrary::KQ_Robots_GetDriveName(std::uint8_t drive, char* name) {
    return api() ? api_->getDriveName(drive, name) : NoLibrary;
}

std::int32_t RobotLibrary::KQ_Robots_LoadDrive(char driveLetter, std::int32_t source, std::int32_t kind,
                                               std::int32_t reserved) {
    return api() ? api_->loadDrive(driveLetter, source, kind, reserved) : NoLibrary;
}

std::int32_t RobotLibrary::KQ_Robots_UnloadDrive(char driveLetter, std::int32_t source, std::int32_t kind,
                                                 std::int32_t reserved) {
    return api() ? api_->unloadDrive(driveLetter, source, kind, reserved) : NoLibrary;
}

void RobotLibrary::KQ_Robots_Close() {
    // Closing a library that never loaded does nothing, and does not load it now.
    if (api_)
        api_->close();
}

} // namespace velmora::robot
