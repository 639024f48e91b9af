#pragma once
// A write in two steps, for a front end that shows the operator every change before anything is
// sent: first read the device whole and build its blocks, listing each field that would change;
// later, once the operator has accepted that list, write exactly those blocks, with a backup
// first, and only while the device still holds what the preview read. A device changed in
// between (by its web page, another workstation, a second run) is left alone and reported, so a
// write never carries changes the operator did not see.
#include <optional>
#include <string>
#include <vector>

#include "configfiles/DeviceApply.h"
#include "discovery/ConfigParam.h"

namespace varlo {

struct FieldChange {
    std::string field;  // "BLOCK.PATH" as diff lines name it, or "BLOCK.bytes.FROM-TO"
    std::string before;
    std::string after;
};

struct DevicePreview {
    _CONFIGPARAM record;
    std::string error;                        // why nothing can be written; empty when it can
    std::vector<Bytes> saved;                 // every block as read
    std::vector<std::optional<Bytes>> built;  // per block: what would be written
    std::vector<FieldChange> changes;         // in the model's block order

    bool Ok() const { return error.empty(); }
    bool Writes() const { return Ok() && !changes.empty(); }
};

// Reads every block in the dialog's order and builds the blocks; nothing is written.
DevicePreview PreviewDevice(const _CONFIGPARAM& record, const BlockBuilder& build);

// Writes what the preview built, as ApplyToDevice does (backup, the differing blocks in order,
// the finish command), after reading the device again: when anything it holds differs from the
// preview, nothing is written and the device is reported as failed.
DeviceResult ApplyPreview(const DevicePreview& preview, const ApplyOptions& options);

// "BLOCK.PATH: before -> after" split into its parts.
FieldChange SplitDiffLine(const std::string& line);

}  // namespace varlo
