// The demo bay: one robot with two drives and six sample discs in its input
// stack, and a manual drive holding a disc. The disc trees are generated, apart
// from the index database, which is copied from the demo data folder.
#include "tool/baytool.h"

#include "bay/bay.h"

#include <array>
#include <cstdint>
#include <fstream>
#include <unistd.h>

#ifndef VELMORA_DEMO_DATA
#define VELMORA_DEMO_DATA ""
#endif

namespace velmora::bay {

namespace {

namespace fs = std::filesystem;

constexpr int64_t MB = 1024 * 1024;

struct Failed {
    std::string message;
};

void writeFile(const fs::path& file, const std::string& bytes, bool readOnly = false) {
    fs::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), std::streamsize(bytes.size()));
    out.close();
    if (!out)
        throw Failed{"cannot write " + file.string()};
    if (readOnly)
        fs::permissions(file, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
}

// Reproducible bytes that look like a binary file.
std::string bytes(size_t count, uint32_t seed) {
    std::string out(count, '\0');
    uint32_t s = seed * 2654435761u + 1;
    for (char& c : out) {
        s = s * 1664525u + 1013904223u;
        c = char(s >> 24);
    }
    return out;
}

std::string text(const std::string& what, int lines) {
    std::string out;
    for (int i = 1; i <= lines; ++i)
        out += what + ", line " + std::to_string(i) + "\n";
    return out;
}

Drive drive(char letter, const std::string& name, const std::string& disc) {
    Drive d;
    d.letter = letter;
    d.name = name;
    d.disc = disc;
    return d;
}

// A demo disc; its files lie in discs/<id> under the data folder.
Disc disc(const std::string& id, const std::string& label, int32_t medium, int64_t size) {
    Disc d;
    d.id = id;
    d.label = label;
    d.medium = medium;
    d.size = size;
    d.folder = "discs/" + id;
    return d;
}

// The folder holding the demo's sample data: the source tree's data/demo, or
// demo/ beside the program.
fs::path demoData() {
    std::error_code ec;
    const fs::path compiled = VELMORA_DEMO_DATA;
    if (!compiled.empty() && fs::exists(compiled / "backup.mdkb", ec))
        return compiled;
    const fs::path program = fs::read_symlink("/proc/self/exe", ec).parent_path();
    for (const fs::path& p : {program / "demo", program})
        if (fs::exists(p / "backup.mdkb", ec))
            return p;
    throw Failed{"the demo data (backup.mdkb) was found neither in " + compiled.string() +
                 " nor beside the program"};
}

void layOut(const fs::path& dataFolder) {
    const fs::path discs = dataFolder / "discs";
    fs::remove_all(discs);
    const std::string holiday = bytes(640 * 1024, 7);
    const size_t half = holiday.size() / 2;

    // CD: nested photo folders, a read-only file and the first part of a split video.
    const fs::path cd1 = discs / "cd1";
    writeFile(cd1 / "readme.txt", text("Holiday 2014, disc 1 of 2", 5), true);
    for (int i = 1; i <= 3; ++i)
        writeFile(cd1 / "photos" / "2014" / "summer" / ("beach_00" + std::to_string(i) + ".jpg"),
                  bytes(48 * 1024, 100 + i));
    writeFile(cd1 / "photos" / "2014" / "winter" / "snow.jpg", bytes(32 * 1024, 200));
    writeFile(cd1 / "videos" / "holiday.mp4.2.1", holiday.substr(0, half));

    // Multisession CD: the second part of the video and deeper folders.
    const fs::path cd2 = discs / "cd2";
    writeFile(cd2 / "videos" / "holiday.mp4.2.2", holiday.substr(half));
    writeFile(cd2 / "notes" / "trip.txt", text("Trip notes", 20), true);
    writeFile(cd2 / "notes" / "2014" / "august" / "day1" / "list.txt", text("Packing list", 8));

    // DVD with an index database and the files it lists, in its root.
    const fs::path dvd1 = discs / "dvd1";
    fs::create_directories(dvd1);
    fs::copy_file(demoData() / "backup.mdkb", dvd1 / "backup.mdkb", fs::copy_options::overwrite_existing);
    fs::permissions(dvd1 / "backup.mdkb", fs::perms(0644));
    const std::array<const char*, 7> indexed = {"plan.xls", "root.txt",       "e.txt",   "dup.txt",
                                                "報告.doc", "space name.txt", "deep.bin"};
    for (size_t i = 0; i < indexed.size(); ++i)
        writeFile(dvd1 / indexed[i], std::string(indexed[i]).ends_with(".txt")
                                         ? text(indexed[i], 3)
                                         : bytes(1000 * (i + 1), 300 + i));

    // BD: a deep archive tree with a larger file.
    const fs::path bd1 = discs / "bd1";
    writeFile(bd1 / "archive" / "2015" / "q1" / "january" / "ledger.csv", text("2015-01;entry;42.00", 50));
    writeFile(bd1 / "archive" / "2015" / "q2" / "report.pdf", bytes(256 * 1024, 400));
    writeFile(bd1 / "archive" / "2015" / "q2" / "final" / "signed.txt", text("Signed", 2), true);
    writeFile(bd1 / "archive" / "raw.bin", bytes(1 * MB, 401));

    // DVD with one file that cannot be read: a link to a file that does not exist.
    const fs::path dvd2 = discs / "dvd2";
    writeFile(dvd2 / "good.txt", text("Readable file", 4));
    writeFile(dvd2 / "data" / "after.txt", text("Read after the damaged file", 4));
    fs::create_directories(dvd2 / "data");
    fs::create_symlink("missing-sector.bin", dvd2 / "data" / "broken.dat");

    // CD-ROM XA with a label that is no valid folder name on every system.
    const fs::path cd3 = discs / "cd3";
    writeFile(cd3 / "album" / "cover.png", bytes(24 * 1024, 500));
    writeFile(cd3 / "album" / "tracks.txt", text("Track", 12));

    // The disc already in the manual drive.
    const fs::path manual = discs / "manual1";
    writeFile(manual / "family" / "birthday" / "cake.jpg", bytes(40 * 1024, 600));
    writeFile(manual / "family" / "index.txt", text("Family DVD", 6), true);

    Bay b;
    b.realDrives = true;
    b.drives = {drive('E', "Robot DVD-RW 1", ""), drive('F', "Robot BD-RE 2", ""),
                drive('G', "Virtual DVD-ROM", "manual1")};
    b.discs = {
        disc("cd1", "HOLIDAY 2014", 0, 650 * MB),     disc("cd2", "HOLIDAY 2014 2", 5, 700 * MB),
        disc("dvd1", "OFFICE INDEX", 6, 4700372992),  disc("bd1", "BD ARCHIVE 2015", 7, 25025314816),
        disc("dvd2", "DAMAGED DISC", 6, 4700372992),  disc("cd3", "Photos: 2015/16", 1, 500 * MB),
        disc("manual1", "FAMILY DVD", 6, 4700372992),
    };
    Robot robot;
    robot.id = 1001;
    robot.drives = {'E', 'F'};
    robot.input = {"cd1", "cd2", "dvd1", "bd1", "dvd2", "cd3"};
    robot.delayMs = 300;
    b.robots = {robot};
    const fs::path file = bayFile(dataFolder);
    Lock lock(file);
    std::string error;
    if (!save(file, b, &error))
        throw Failed{error};
}

} // namespace

bool makeDemo(const std::filesystem::path& dataFolder, std::string* error) {
    try {
        layOut(std::filesystem::absolute(dataFolder));
        return true;
    } catch (const Failed& e) {
        if (error)
            *error = e.message;
    } catch (const std::exception& e) {
        if (error)
            *error = e.what();
    }
    return false;
}

} // namespace velmora::bay
