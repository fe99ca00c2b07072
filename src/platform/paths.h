// The folders the program uses: its own folder and the per-user data folders.
#pragma once

#include <QString>

namespace velmora::platform {

// The folder of the executable, ending in "/".
QString programFolder();
// The per-user application-data folder: $XDG_DATA_HOME when it is set to an absolute
// path, else $HOME/.local/share; no trailing separator. Read anew at every call.
QString appDataFolder();
// appDataFolder() + "/Velmora": the settings file and the report file live there.
QString userDataFolder();
// appDataFolder() + "/HALDOR": the robot library writes its log files there.
QString robotLogFolder();

} // namespace velmora::platform
