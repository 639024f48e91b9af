#pragma once
// varlo-cli set without the search: named fields changed on devices already found, each device
// read whole, its affected blocks built from the saved copies with the family's rules and
// written only where they changed, the finish command after them for a node.
#include <string>
#include <vector>

#include "cli/DeviceApply.h"
#include "discovery/ConfigParam.h"

namespace varlo::cli {

struct Assignment {
    std::string path;
    std::string value;
};

// "PATH=VALUE"; the value may be empty (an empty name) and may hold '='.
bool ParseAssignment(const std::string& text, Assignment* out);

// Checks the assignments before any device is asked: each path must name a field an operator
// may change, with a value it takes, in the given model or, without one, in at least one model.
// False with the reason.
bool CheckAssignments(const std::vector<Assignment>& assignments,
                      const std::optional<uint32_t>& model, std::string* error);

// The blocks one device gets: its saved copies with the fields changed, then the family's rule
// (checksum stamped, an Art-Net network block's two bytes after it zero).
bool BuildSetBlocks(uint32_t type, const std::vector<Assignment>& assignments,
                    const ConfigSession& session, std::vector<std::optional<Bytes>>* built,
                    std::string* error);

// Runs the change on every device (`missing`: MACs the search did not find, reported as failed),
// prints one line per device and the summary, and returns the exit status: 0 when every device
// succeeded, 1 otherwise.
int SetOnDevices(const std::vector<_CONFIGPARAM>& devices, const std::vector<MacBytes>& missing,
                 const std::vector<Assignment>& assignments, const ApplyOptions& options, int jobs);

}  // namespace varlo::cli
