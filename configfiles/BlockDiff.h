#pragma once
// The differences between two copies of a writable block, one line per field as
// "BLOCK.PATH: first -> second". Bytes that no field covers, or that differ where the fields read
// the same (bytes after a text's terminator), are listed as BLOCK.bytes.FROM-TO in hex, so that
// two blocks with no line between them are equal byte for byte.
#include <string>
#include <vector>

#include "configfiles/FieldValues.h"

namespace varlo {

// One field that differs: "BLOCK.PATH" (or BLOCK.bytes.FROM-TO), first value and second.
struct FieldChange {
    std::string path;
    std::string before;
    std::string after;

    std::string Line() const { return path + ": " + before + " -> " + after; }
};

std::vector<FieldChange> DiffFields(const BlockFields& block, const Bytes& first,
                                    const Bytes& second);
// The same as lines.
std::vector<std::string> DiffBlock(const BlockFields& block, const Bytes& first,
                                   const Bytes& second);

}  // namespace varlo
