// Real optical drives of this machine (/dev/sr*), reached through libcdio.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace velmora::fox {

struct RealDrive {
    std::string device;      // e.g. /dev/sr0
    std::string description; // vendor and model, or the device path
};

// The machine's optical drives; empty when there are none. readInfo: ask each
// drive for its vendor and model.
std::vector<RealDrive> findRealDrives(bool readInfo);

// Each returns a FoxError code.
int32_t realReady(const std::string& device, int32_t& ready);
int32_t realMedium(const std::string& device, int32_t& type, int64_t& size);
int32_t realEject(const std::string& device);
int32_t realClose(const std::string& device);
int32_t realRoot(const std::string& device, std::string& root);
int32_t realLabel(const std::string& device, std::string& label);

} // namespace velmora::fox
