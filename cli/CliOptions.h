#pragma once
// Options every varlo-cli command shares, and the demo rig they can run against.
#include <memory>
#include <string>
#include <vector>

#include "discovery/SearchSession.h"
#include "sim/DeviceSimulator.h"

namespace varlo::cli {

struct CommonOptions {
    bool demo = false;
    bool json = false;
    std::vector<std::string> rest;  // what the command parses itself
};

// Takes --target ADDRESS[:PORT], --interface NAME, --demo and --json out of args. False (with a
// message on standard error) on a malformed target.
bool ParseCommonOptions(const std::vector<std::string>& args, CommonOptions* options);

// Starts the demo rig when --demo was given; exits with a message when it cannot.
// One search with the search dialog's timing, into the device table. False (with the dialog's
// message on standard error) when the search socket cannot be created.
bool SearchDevices(SearchSession& session);

class DemoGuard {
public:
    bool Start(const CommonOptions& options);

private:
    std::unique_ptr<sim::DeviceSimulator> m_simulator;
};

}  // namespace varlo::cli
