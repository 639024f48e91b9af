#pragma once
// Named fields assigned as an operator types them (`varlo-cli set`, a batch change in the
// window): the paths and values checked against the field table, numbering across devices, and
// the blocks one device gets, built from its saved copies with the same rules as the dialogs.
#include <cstddef>
#include <optional>
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
// may change, with a value it takes, in the given model or, without one, in at least one model,
// and no two may name the same field of a model ("ports[1].universe" and
// "_ARTNETDMXPARAM.ports.1.universe" are one field). False with the reason.
bool CheckAssignments(const std::vector<Assignment>& assignments,
                      const std::optional<uint32_t>& model, std::string* error);

// Numbering: the value the n-th device (from 0, counting only devices whose model has the field)
// gets from "FIELD=START": START + n for a number, the address START counted up by n in its last
// octets. False with the reason when it runs past the field's range, or the field is neither a
// number nor an address.
bool NumberedValue(uint32_t type, const Assignment& start, std::size_t n, std::string* value,
                   std::string* error);
// Whether a device of that type has the field an operator may change (a device without it is
// skipped and takes no number).
bool HasEditableField(uint32_t type, const std::string& path);

// The blocks one device gets: its saved copies with the fields changed through the rules of the
// dialog page that shows them, then the family's fixed bytes (checksum stamped, an Art-Net
// network block's two bytes after it zero). A device whose model lacks one of the fields is
// skipped; a value that does not fit is refused.
bool BuildSetBlocks(uint32_t type, const std::vector<Assignment>& assignments,
                    const ConfigSession& session, BuiltBlocks* out);

}  // namespace varlo
