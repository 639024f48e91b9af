#pragma once
// A rig: the devices a simulator stands in for.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "sim/SimDevice.h"

namespace varlo::sim {

inline constexpr uint32_t kDemoUnknownType = 0x12345678;

struct Rig {
    std::vector<SimDevice> devices;
};

// One device of every model and one of a type no dialog knows.
Rig DemoRig();
// n devices of mixed models with distinct MACs and addresses, the same for the same seed.
Rig GeneratedRig(std::size_t n, uint32_t seed = 1);
// A text file, one device a line: TYPE MAC IP [EXTRA], for example
//   0x90000001 00:1A:2B:3C:4D:5E 192.168.1.50
// '#' starts a comment. False with a message naming the line on a malformed line.
bool LoadRig(const std::string& path, Rig* rig, std::string* error);

}  // namespace varlo::sim
