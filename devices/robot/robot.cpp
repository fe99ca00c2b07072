// A virtual autoloader: robots, their drives and their disc bins live in the
// device bay file; loading and unloading move disc identifiers between the
// input stack, the drives and the output and reject bins. Every call is logged.
#include "bay/bay.h"

#pragma GCC visibility push(default)
#include "robot_api.h"
#pragma GCC visibility pop

#include <chrono>
#include <cstring>
#include <ctime>
#include <fstream>
#include <mutex>
#include <optional>
#include <sstream>
#include <string>
#include <thread>

namespace {

namespace bay = velmora::bay;

// Result codes of our own, besides those of robot_api.h.
constexpr int32_t KQ_ERR_NO_ROBOT = 1;      // no bay, or a bay without robots
constexpr int32_t KQ_ERR_BAY = 2;           // the bay is damaged or cannot be written
constexpr int32_t KQ_ERR_UNKNOWN_ROBOT = 3; // no robot with this identifier
constexpr int32_t KQ_ERR_UNKNOWN_DRIVE = 4; // no robot serves this drive
constexpr int32_t KQ_ERR_BAD_ARGUMENT = 6;  // missing output area or unknown movement kind

std::mutex mutex;
std::optional<std::string> dataFolder; // property 5

std::filesystem::path bayPath() {
    std::lock_guard guard(mutex);
    return bay::bayFile(dataFolder && !dataFolder->empty() ? std::filesystem::path(*dataFolder)
                                                           : bay::defaultDataFolder());
}

// Appends one line to today's log file in <application data>/HALDOR.
void log(const std::string& call, int32_t result) {
    const auto now = std::chrono::system_clock::now();
    const std::time_t t = std::chrono::system_clock::to_time_t(now);
    std::tm local{};
    localtime_r(&t, &local);
    char day[16], stamp[32];
    std::strftime(day, sizeof day, "%Y%m%d", &local);
    std::strftime(stamp, sizeof stamp, "%Y-%m-%d %H:%M:%S", &local);
    const auto ms =
        std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000;

    const std::filesystem::path folder = bay::defaultDataFolder().parent_path() / "HALDOR";
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    std::ofstream out(folder / ("KQRobots" + std::string(day) + ".log"), std::ios::app);
    char msText[8];
    std::snprintf(msText, sizeof msText, ".%03d", int(ms));
    out << stamp << msText << " " << call << " = " << result << "\n";
}

int32_t logged(const std::string& call, int32_t result) {
    log(call, result);
    return result;
}

std::string letterText(char letter) {
    if (letter >= 0x20 && letter < 0x7f)
        return std::string(1, letter);
    return "#" + std::to_string(static_cast<unsigned char>(letter));
}

bool success(int32_t code) {
    return code == KQ_OK || code == KQ_OK_NOTHING_TO_DO;
}

// Runs fn on the bay under the bay lock and saves the bay when fn changed it.
// fn(bay, changed) returns the call's result code.
template <typename F> int32_t withBay(F fn) {
    const std::filesystem::path file = bayPath();
    bay::Lock lock(file);
    bay::Bay b;
    switch (bay::load(file, b)) {
    case bay::LoadResult::Missing:
        return KQ_ERR_NO_ROBOT;
    case bay::LoadResult::Damaged:
        return KQ_ERR_BAY;
    case bay::LoadResult::Ok:
        break;
    }
    bool changed = false;
    const int32_t rc = fn(b, changed);
    if (changed && !(lock.held() && bay::save(file, b)))
        return KQ_ERR_BAY;
    return rc;
}

// Movement time of the robot serving a drive, read before the movement.
int32_t delayFor(char letter) {
    int32_t delay = 0;
    bay::Bay b;
    if (bay::load(bayPath(), b) == bay::LoadResult::Ok)
        if (const bay::Robot* r = b.robotServing(letter))
            delay = r->delayMs;
    return delay;
}

} // namespace

extern "C" {

int32_t KQ_Robots_SetProperty(int32_t property, const char* value) {
    if (property == KQ_PROPERTY_DATA_FOLDER) {
        std::lock_guard guard(mutex);
        if (value)
            dataFolder = value;
        else
            dataFolder.reset();
    }
    return logged("KQ_Robots_SetProperty(" + std::to_string(property) + ", \"" + (value ? value : "") + "\")",
                  KQ_OK);
}

int32_t KQ_Robots_Init(int32_t reserved) {
    const int32_t rc = withBay([](bay::Bay& b, bool&) { return b.robots.empty() ? KQ_ERR_NO_ROBOT : KQ_OK; });
    return logged("KQ_Robots_Init(" + std::to_string(reserved) + ")", rc);
}

int32_t KQ_Robots_Connect(int32_t* robotCount, int32_t robotIds[KQ_MAX_ROBOTS], char area[KQ_CONNECT_AREA],
                          uint8_t usable[KQ_MAX_ROBOTS]) {
    int32_t rc = KQ_ERR_BAD_ARGUMENT;
    if (robotCount && robotIds && usable) {
        rc = withBay([&](bay::Bay& b, bool& changed) {
            if (std::optional<int32_t> scripted = bay::takeScripted(b.script, "connect")) {
                changed = true;
                if (*scripted != KQ_OK)
                    return *scripted;
            }
            *robotCount = 0;
            std::memset(robotIds, 0, sizeof(int32_t) * KQ_MAX_ROBOTS);
            std::memset(usable, 0, KQ_MAX_ROBOTS);
            if (area)
                std::memset(area, 0, KQ_CONNECT_AREA);
            for (const bay::Robot& r : b.robots) {
                if (*robotCount >= KQ_MAX_ROBOTS)
                    break;
                robotIds[*robotCount] = r.id;
                usable[*robotCount] = r.usable ? 1 : 0;
                ++*robotCount;
            }
            return KQ_OK;
        });
    }
    return logged("KQ_Robots_Connect() count " + std::to_string(robotCount && rc == KQ_OK ? *robotCount : 0),
                  rc);
}

int32_t KQ_Robots_Active(int32_t robotId, char area1[KQ_ACTIVE_AREA], char area2[KQ_ACTIVE_AREA],
                         int32_t areaSize) {
    const size_t clear = areaSize > 0 ? std::min<size_t>(size_t(areaSize), KQ_ACTIVE_AREA) : 0;
    if (area1)
        std::memset(area1, 0, clear);
    if (area2)
        std::memset(area2, 0, clear);
    const int32_t rc = withBay([&](bay::Bay& b, bool& changed) {
        if (std::optional<int32_t> scripted = bay::takeScripted(b.script, "active")) {
            changed = true;
            if (*scripted != KQ_OK)
                return *scripted;
        }
        // Identifier 0 addresses the robots as a whole.
        return robotId == 0 || b.robot(robotId) ? KQ_OK : KQ_ERR_UNKNOWN_ROBOT;
    });
    return logged("KQ_Robots_Active(" + std::to_string(robotId) + ", " + std::to_string(areaSize) + ")", rc);
}

int32_t KQ_Robots_EnumDrives(int32_t robotId, int32_t* driveCount, uint8_t drives[KQ_MAX_DRIVES]) {
    int32_t rc = KQ_ERR_BAD_ARGUMENT;
    if (driveCount && drives) {
        rc = withBay([&](bay::Bay& b, bool& changed) {
            bay::Robot* r = b.robot(robotId);
            if (!r)
                return KQ_ERR_UNKNOWN_ROBOT;
            if (std::optional<int32_t> scripted = bay::takeScripted(r->script, "enum")) {
                changed = true;
                if (*scripted != KQ_OK)
                    return *scripted;
            }
            std::memset(drives, 0, KQ_MAX_DRIVES);
            *driveCount = 0;
            for (char letter : r->drives) {
                if (*driveCount >= KQ_MAX_DRIVES)
                    break;
                drives[(*driveCount)++] = static_cast<uint8_t>(letter);
            }
            return KQ_OK;
        });
    }
    return logged("KQ_Robots_EnumDrives(" + std::to_string(robotId) + ")", rc);
}

int32_t KQ_Robots_GetDriveName(uint8_t drive, char name[KQ_DRIVE_NAME]) {
    int32_t rc = KQ_ERR_BAD_ARGUMENT;
    if (name) {
        std::memset(name, 0, KQ_DRIVE_NAME);
        rc = withBay([&](bay::Bay& b, bool& changed) {
            bay::Robot* r = b.robotServing(char(drive));
            if (!r)
                return KQ_ERR_UNKNOWN_DRIVE;
            if (std::optional<int32_t> scripted = bay::takeScripted(r->script, "name")) {
                changed = true;
                if (*scripted != KQ_OK)
                    return *scripted;
            }
            name[0] = char(drive);
            name[1] = ':';
            name[2] = '\\';
            return KQ_OK;
        });
    }
    return logged("KQ_Robots_GetDriveName(" + letterText(char(drive)) + ")", rc);
}

int32_t KQ_Robots_LoadDrive(char driveLetter, int32_t source, int32_t kind, int32_t reserved) {
    std::this_thread::sleep_for(std::chrono::milliseconds(delayFor(driveLetter)));
    const int32_t rc = withBay([&](bay::Bay& b, bool& changed) {
        bay::Robot* r = b.robotServing(driveLetter);
        if (!r)
            return KQ_ERR_NOT_ARRIVED;
        std::optional<int32_t> scripted = bay::takeScripted(r->script, "load");
        changed = scripted.has_value();
        if (scripted && !success(*scripted))
            return *scripted;
        if (r->input.empty())
            return KQ_ERR_INPUT_EMPTY;
        bay::Drive* d = b.drive(driveLetter);
        if (!d || !d->disc.empty())
            return KQ_ERR_NOT_ARRIVED;
        d->disc = r->input.front();
        d->trayOpen = false;
        r->input.erase(r->input.begin());
        changed = true;
        return scripted.value_or(KQ_OK);
    });
    return logged("KQ_Robots_LoadDrive(" + letterText(driveLetter) + ", " + std::to_string(source) + ", " +
                      std::to_string(kind) + ", " + std::to_string(reserved) + ")",
                  rc);
}

int32_t KQ_Robots_UnloadDrive(char driveLetter, int32_t source, int32_t kind, int32_t reserved) {
    std::this_thread::sleep_for(std::chrono::milliseconds(delayFor(driveLetter)));
    const int32_t rc = withBay([&](bay::Bay& b, bool& changed) {
        if (kind != KQ_UNLOAD && kind != KQ_REJECT)
            return KQ_ERR_BAD_ARGUMENT;
        bay::Robot* r = b.robotServing(driveLetter);
        if (!r)
            return KQ_ERR_UNKNOWN_DRIVE;
        std::optional<int32_t> scripted =
            bay::takeScripted(r->script, kind == KQ_REJECT ? "reject" : "unload");
        changed = scripted.has_value();
        if (scripted && !success(*scripted))
            return *scripted;
        bay::Drive* d = b.drive(driveLetter);
        if (!d || d->disc.empty())
            return KQ_OK_NOTHING_TO_DO;
        (kind == KQ_UNLOAD ? r->output : r->reject).push_back(d->disc);
        d->disc.clear();
        d->trayOpen = false;
        changed = true;
        return scripted.value_or(KQ_OK);
    });
    return logged("KQ_Robots_UnloadDrive(" + letterText(driveLetter) + ", " + std::to_string(source) + ", " +
                      std::to_string(kind) + ", " + std::to_string(reserved) + ")",
                  rc);
}

void KQ_Robots_Close(void) {
    log("KQ_Robots_Close()", KQ_OK);
}

} // extern "C"
