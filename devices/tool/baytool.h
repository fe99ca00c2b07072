// The velmora-bay command line: what an operator does by hand with the virtual
// drives, discs and robots of the device bay.
#pragma once

#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

namespace velmora::bay {

// Runs one command (the arguments after the program name). Returns the exit
// status: 0 done, 1 the command failed, 2 wrong usage (usage printed on err).
int runTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// Lays out the demo bay in dataFolder: bay.ini and the sample disc trees under
// dataFolder/discs. Replaces an earlier demo bay there. Returns false with a
// reason in *error.
bool makeDemo(const std::filesystem::path& dataFolder, std::string* error);

} // namespace velmora::bay
