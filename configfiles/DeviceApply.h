#pragma once
// One device's part in a restore, a clone, a `set` or a batch change from the window, in three
// steps that the window can also take one at a time:
//   1. Read: the device's session read whole, as its dialog reads it when it opens (ReadAll).
//   2. Plan: the blocks to write, built from the saved copies by a BlockBuilder (a file's
//      blocks, named fields with the dialogs' rules), and every field that would change, old
//      value and new, with the notes of the rules (a field a rule changed, a conflict with the
//      operator's value). Nothing is sent (PlanChanges).
//   3. Write: under the device's lock (a lock file in the backup folder), a backup of what the
//      device holds, then exactly the differing blocks as the dialog's Apply writes them and
//      the finish command after them for a node.
// ApplyToDevice takes the three steps at once (varlo-cli). The window shows the plans of many
// devices as its preview, then writes each device the operator ticked with WritePlanned, which
// reads the device again under its lock and writes nothing when it no longer holds what the
// preview showed. A device is never stopped halfway: a batch stops between devices
// (BatchRun.h), and ApplyOptions::onWrites tells the caller while a device's writes are going
// out. Each call works on one device and may run on any thread.
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "configfiles/BlockDiff.h"
#include "discovery/ConfigParam.h"
#include "transport/ConfigSession.h"

namespace varlo {

struct ApplyOptions {
    bool dryRun = false;
    // Where backups and the devices' lock files go; unused by a dry run.
    std::filesystem::path backupDir;
    // Called with true just before a device's first write and with false after its finish
    // command: whoever must end the process at once can name the devices that may be partial.
    std::function<void(const _CONFIGPARAM& device, bool writing)> onWrites;
};

// What a builder makes of one device.
struct BuiltBlocks {
    std::vector<std::optional<Bytes>> blocks;  // one per block of the model; empty: left alone
    std::vector<std::string> notes;            // the rules' consequences and conflicts
    std::string error;  // why the device cannot take the change (reported as failed)
    bool skip = false;  // the change names nothing this device has (reported as skipped)
};

// Fills `out` (its blocks already sized to the model) from a session whose reads all succeeded;
// false when the device refuses (out->error) or is skipped (out->skip).
using BlockBuilder = std::function<bool(const ConfigSession& session, BuiltBlocks* out)>;

struct DevicePlan {
    BuiltBlocks built;
    std::vector<std::size_t> changedBlocks;  // indices in the model's session, in write order
    std::vector<FieldChange> changes;  // every field that changes, the rules' consequences too

    bool Empty() const { return changedBlocks.empty(); }
};

struct DeviceResult {
    // "written", "unchanged", "would write", "skipped", "busy", "failed" (and the commands'
    // own: "saved", "same", "different").
    std::string outcome;
    std::string lines;             // what is printed for the device, whole lines
    std::filesystem::path backup;  // the backup written before the writes, if any

    bool Failed() const { return outcome == "failed" || outcome == "busy"; }
};

// Reads every block in the dialog's order; nothing when all succeeded, otherwise the reason.
std::optional<std::string> ReadAll(ConfigSession& session);

// Step 2 on a session of a device of that type whose reads all succeeded. False when the
// builder refused or skipped the device (plan->built.error, plan->built.skip).
bool PlanChanges(uint32_t type, const ConfigSession& session, const BlockBuilder& build,
                 DevicePlan* plan);

// The three steps at once.
DeviceResult ApplyToDevice(const _CONFIGPARAM& record, const BlockBuilder& build,
                           const ApplyOptions& options);

// Step 3 after a preview: takes the lock, reads the device again, and writes the plan only when
// every block still reads as it did in `previewed`.
DeviceResult WritePlanned(const _CONFIGPARAM& record, const ConfigSession& previewed,
                          const DevicePlan& plan, const ApplyOptions& options);

// A device read whole and saved as a configuration file (Export, `dump -o`): nothing when a
// read failed. Outcome "saved" or "failed".
DeviceResult SaveDeviceFile(const _CONFIGPARAM& record, const std::filesystem::path& path,
                            bool withSecrets);
// "00-1A-2B-3C-4D-04.json", the file a device gets in a folder of many.
std::string DeviceFileName(const _CONFIGPARAM& record);

// "00:1A:2B:3C:4D:04 LUMA-4", the head of every line about a device.
std::string DeviceName(const _CONFIGPARAM& record);
// The lines of a failed device.
DeviceResult FailedResult(const _CONFIGPARAM& record, const std::string& reason);

// $XDG_DATA_HOME/varlo/backups, the platform's data folder, or ~/.local/share/varlo/backups;
// empty when none is known.
std::filesystem::path DefaultBackupDir();

}  // namespace varlo
