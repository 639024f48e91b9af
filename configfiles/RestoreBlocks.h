#pragma once
// What a restore writes: a file's blocks for the device it goes to. A clone (a file written onto
// another device of its model) keeps the target's own name and addresses unless asked not to;
// the blocks that then mix both devices' bytes get their checksum stamped afresh. varlo-cli
// restore and the window's Import build their blocks here, so both write the same bytes.
#include <optional>
#include <string>
#include <vector>

#include "configfiles/ConfigFile.h"

namespace varlo {

bool BuildRestoreBlocks(const ConfigFile& file, bool keepOwn, const ConfigSession& session,
                        std::vector<std::optional<Bytes>>* built, std::string* error);

}  // namespace varlo
