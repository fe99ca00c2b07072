// The device bay: a hand-editable text file (bay.ini) describing virtual drives,
// the discs in and around them, and virtual disc robots. Both device libraries
// and the velmora-bay tool read it; writers hold an exclusive lock on a lock file
// beside it and replace it atomically. The format is described in README.md.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velmora::bay {

// A scripted result code: the next call of kind `kind` returns `code`.
struct ScriptEntry {
    std::string kind;
    int32_t code = 0;
    bool operator==(const ScriptEntry&) const = default;
};

struct Disc {
    std::string id;
    std::string label;
    int32_t medium = 0;
    int64_t size = 0;
    std::string folder; // relative to the bay file's folder, or absolute
    bool queryFails = false;
    bool operator==(const Disc&) const = default;
};

struct Drive {
    char letter = 'A'; // upper case
    std::string name;
    bool trayOpen = false;
    std::string disc; // id of the disc in the drive (also when the tray is open); empty = none
    bool operator==(const Drive&) const = default;
};

struct Robot {
    int32_t id = 0;
    bool usable = true;
    std::vector<char> drives;       // upper-case letters, in order
    std::vector<std::string> input; // the disc loaded next first
    std::vector<std::string> output;
    std::vector<std::string> reject;
    int32_t delayMs = 0;
    std::vector<ScriptEntry> script;
    bool operator==(const Robot&) const = default;
};

struct Bay {
    bool realDrives = true;
    std::vector<ScriptEntry> script; // calls not tied to one robot (connect, active)
    std::vector<Drive> drives;       // kept in letter order
    std::vector<Disc> discs;         // in file order
    std::vector<Robot> robots;       // in file order

    Drive* drive(char letter);
    const Drive* drive(char letter) const;
    Disc* disc(std::string_view id);
    const Disc* disc(std::string_view id) const;
    Robot* robot(int32_t id);
    // The first robot (in file order) that serves this drive letter, any case.
    Robot* robotServing(char letter);
    bool operator==(const Bay&) const = default;
};

// Parses bay text. Returns nothing (and a reason in *error) for a damaged bay.
std::optional<Bay> parse(std::string_view text, std::string* error = nullptr);
// Writes a bay as text that parse() reads back unchanged.
std::string format(const Bay& bay);

// The per-user data folder: $XDG_DATA_HOME/Velmora (XDG_DATA_HOME defaults to
// $HOME/.local/share), read from the environment at each call.
std::filesystem::path defaultDataFolder();
// bay.ini in a data folder.
std::filesystem::path bayFile(const std::filesystem::path& dataFolder);
// Absolute folder of a disc's file tree.
std::filesystem::path discFolder(const std::filesystem::path& bayFile, const Disc& disc);

enum class LoadResult { Ok, Missing, Damaged };
// Reads and parses the bay file.
LoadResult load(const std::filesystem::path& file, Bay& bay, std::string* error = nullptr);

// Exclusive lock on "<bay file>.lock", held while the object lives.
class Lock {
public:
    explicit Lock(const std::filesystem::path& bayFile);
    ~Lock();
    Lock(const Lock&) = delete;
    Lock& operator=(const Lock&) = delete;
    bool held() const { return fd_ >= 0; }

private:
    int fd_ = -1;
};

// Writes the bay to a temporary file beside `file` and renames it over `file`.
// The caller holds the Lock. Creates the folder when needed.
bool save(const std::filesystem::path& file, const Bay& bay, std::string* error = nullptr);

// Splits a text at blanks (spaces and tabs).
std::vector<std::string> words(std::string_view text);
// Parses "load:423 unload:5" into script entries.
std::optional<std::vector<ScriptEntry>> parseScript(std::string_view text);
// Removes and returns the code of the first entry of this kind, if any.
std::optional<int32_t> takeScripted(std::vector<ScriptEntry>& script, std::string_view kind);

} // namespace velmora::bay
