#pragma once
// A configuration file's blocks for one device, as restore, a clone and the window's Import
// write them: the file's bytes, with the target's own name and addresses kept for a clone, the
// device's own secrets kept when the file was written without them, the field rules checked
// (a file edited by hand must not write what no dialog can), and the family's fixed bytes
// stamped as the dialogs stamp them.
#include <string>

#include "configfiles/ConfigFile.h"
#include "configfiles/DeviceApply.h"

namespace varlo {

struct RestoreOptions {
    bool keepOwn = false;  // a clone: the target keeps its name and addresses
    // Writes the file's bytes as they are: values outside the field rules, fixed bytes as the
    // file holds them (an operator's deliberate choice).
    bool raw = false;
};

// The model check: a file goes only onto a device of its own type (a LUMA-4 file onto a LUMA-1
// has the same blocks and would still corrupt it). False with the reason.
bool ModelMatches(const ConfigFile& file, const std::string& fileName, const _CONFIGPARAM& target,
                  std::string* error);

// For BlockBuilder: fills out->blocks from the file for a session read whole from the target.
// False (out->error) when a field of the file breaks the rules and the device does not hold
// that same value now.
bool BuildRestoreBlocks(const ConfigFile& file, const RestoreOptions& options,
                        const ConfigSession& session, BuiltBlocks* out);

}  // namespace varlo
