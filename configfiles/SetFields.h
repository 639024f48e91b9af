#pragma once
// Named fields assigned as an operator types them (`varlo-cli set`, a batch change in the window):
// the paths and values checked against the field table, and the blocks one device gets, built
// from its saved copies with the family's rules.
#include <string>
#include <vector>

#include "configfiles/DeviceApply.h"
#include "discovery/ConfigParam.h"

namespace varlo {

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

}  // namespace varlo
