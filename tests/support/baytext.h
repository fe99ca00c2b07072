// Writes a device bay description for a test into the per-user data folder
// ($XDG_DATA_HOME/Velmora/bay.ini), with disc folders beside it.
#pragma once

#include <filesystem>
#include <string>

namespace velmora::test {

// The per-user data folder of the running test.
std::filesystem::path dataFolder();
// Replaces bay.ini with this text and creates the folder of each listed disc id
// (as discs/<id> beside bay.ini, holding one small file).
void writeBay(const std::string& text, std::initializer_list<std::string> discIds = {});
// Removes bay.ini.
void removeBay();

} // namespace velmora::test
