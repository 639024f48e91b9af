#pragma once
// The `--demo` option of the front ends: the demo rig on a loopback port, with the
// process-wide target pointed at it and searches on a port of the system's choice; its nodes'
// Art-Net 4 side on another, with the Art-Net polls pointed there.
#include <memory>

#include "sim/DeviceSimulator.h"

namespace varlo::sim {

std::unique_ptr<DeviceSimulator> StartDemo();

}  // namespace varlo::sim
