#pragma once
// What restore and set do with one device: read every block as its dialog does when it opens,
// build the blocks to write from the saved copies, and, when any of them differs, save a backup
// of what the device holds and then write exactly the differing blocks as the dialog's Apply
// would, the finish command after them for a node. A device whose reads did not all succeed
// gets nothing.
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "discovery/ConfigParam.h"
#include "transport/ConfigSession.h"

namespace varlo {

struct ApplyOptions {
    bool dryRun = false;
    std::filesystem::path backupDir;
};

// Fills one entry per block of the model (empty: leave the block alone) from a session whose
// reads all succeeded; false with the reason when the device cannot take them.
using BlockBuilder = std::function<bool(
    const ConfigSession& session, std::vector<std::optional<Bytes>>* built, std::string* error)>;

struct DeviceResult {
    std::string outcome;  // "written", "unchanged", "would write", "failed", "same", "different"
    std::string lines;    // what is printed for the device, whole lines

    bool Failed() const { return outcome == "failed"; }
};

DeviceResult ApplyToDevice(const _CONFIGPARAM& record, const BlockBuilder& build,
                           const ApplyOptions& options);

// Reads every block in the dialog's order; nothing when all succeeded, otherwise the reason.
std::optional<std::string> ReadAll(ConfigSession& session);

// "00:1A:2B:3C:4D:04 LUMA-4", the head of every line about a device.
std::string DeviceName(const _CONFIGPARAM& record);
// The lines of a failed device.
DeviceResult FailedResult(const _CONFIGPARAM& record, const std::string& reason);

// $XDG_DATA_HOME/varlo/backups, or ~/.local/share/varlo/backups; empty when neither is known.
std::filesystem::path DefaultBackupDir();

}  // namespace varlo
