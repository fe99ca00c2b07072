#include "support/baytext.h"

#include "support/tempdir.h"

#include <cstdlib>

namespace velmora::test {

std::filesystem::path dataFolder() {
    const char* home = std::getenv("XDG_DATA_HOME");
    return std::filesystem::path(home ? home : "/tmp") / "Velmora";
}

void writeBay(const std::string& text, std::initializer_list<std::string> discIds) {
    writeFile(dataFolder() / "bay.ini", text);
    for (const std::string& id : discIds)
        writeFile(dataFolder() / "discs" / id / "readme.txt", "disc " + id + "\n");
}

void removeBay() {
    std::error_code ec;
    std::filesystem::remove(dataFolder() / "bay.ini", ec);
}

} // namespace velmora::test
