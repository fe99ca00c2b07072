// A temporary folder for one test, removed with everything in it when the test ends.
#pragma once

#include <QString>
#include <filesystem>
#include <string>

namespace velmora::test {

class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

private:
    std::filesystem::path path_;
};

// Writes text to a file, creating its folders.
void writeFile(const std::filesystem::path& file, const std::string& text);
// A path as the program's own code takes it.
inline QString qpath(const std::filesystem::path& path) {
    return QString::fromStdString(path.string());
}
// Reads a whole file as bytes.
std::string readFile(const std::filesystem::path& file);

} // namespace velmora::test
