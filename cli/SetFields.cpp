#include "cli/SetFields.h"

#include <set>

#include "cli/DeviceBatch.h"
#include "cli/FieldTable.h"
#include "discovery/DeviceFormat.h"

namespace varlo::cli {

namespace {
// Where a path and value fail for one model; empty when the model takes them.
std::string Check(uint32_t type, const Assignment& a) {
    const ModelFields& fields = FieldsOf(type);
    std::string error;
    const FieldRef ref = FindEditableField(fields, a.path, &error);
    if (!ref) {
        return error;
    }
    Bytes scratch(ref.block->size, 0);
    if (!StoreValue(*ref.field, a.value, &scratch, &error)) {
        return a.path + "=" + a.value + ": expected " + error;
    }
    return {};
}
}  // namespace

bool ParseAssignment(const std::string& text, Assignment* out) {
    const std::size_t equals = text.find('=');
    if (equals == std::string::npos || equals == 0) {
        return false;
    }
    *out = {text.substr(0, equals), text.substr(equals + 1)};
    return true;
}

bool CheckAssignments(const std::vector<Assignment>& assignments,
                      const std::optional<uint32_t>& model, std::string* error) {
    std::set<std::string> seen;
    for (const Assignment& a : assignments) {
        if (!seen.insert(a.path).second) {
            *error = a.path + " is given twice";
            return false;
        }
        std::string first;
        bool taken = false;
        for (const uint32_t type : model ? std::vector<uint32_t>{*model} : ModelTypes()) {
            const std::string reason = Check(type, a);
            taken = taken || reason.empty();
            // The most telling reason: a bad value over a field that is not there.
            if (!reason.empty() &&
                (first.empty() || reason.find(": expected") != std::string::npos)) {
                first = reason;
            }
        }
        if (!taken) {
            *error = first + (model ? " (" + ModelNameOf(*model) + ")" : std::string());
            return false;
        }
    }
    return true;
}

bool BuildSetBlocks(uint32_t type, const std::vector<Assignment>& assignments,
                    const ConfigSession& session, std::vector<std::optional<Bytes>>* built,
                    std::string* error) {
    const ModelFields& fields = FieldsOf(type);
    std::set<const BlockFields*> touched;
    for (const Assignment& a : assignments) {
        std::string reason;
        const FieldRef ref = FindEditableField(fields, a.path, &reason);
        if (!ref) {
            *error = reason + " on a " + ModelNameOf(type);
            return false;
        }
        std::optional<Bytes>& block = (*built)[ref.block->index];
        if (!block) {
            block = *session.Saved(ref.block->index);
        }
        if (!StoreValue(*ref.field, a.value, &*block, &reason)) {
            *error = a.path + "=" + a.value + ": expected " + reason;
            return false;
        }
        touched.insert(ref.block);
    }
    for (const BlockFields* b : touched) {
        FinishBuiltBlock(*b, &*(*built)[b->index]);
    }
    return true;
}

int SetOnDevices(const std::vector<_CONFIGPARAM>& devices, const std::vector<MacBytes>& missing,
                 const std::vector<Assignment>& assignments, const ApplyOptions& options,
                 int jobs) {
    BatchConsole console(devices.size() + missing.size());
    for (const MacBytes& mac : missing) {
        console.Print(FormatMacColon(mac) +
                      ": FAILED: no device with this MAC answered the search\n");
        console.Done("failed");
    }
    RunOnDevices(devices.size(), jobs, [&](std::size_t i) {
        const uint32_t type = devices[i].dwType();
        const DeviceResult result = ApplyToDevice(
            devices[i],
            [&](const ConfigSession& session, std::vector<std::optional<Bytes>>* built,
                std::string* error) {
                return BuildSetBlocks(type, assignments, session, built, error);
            },
            options);
        console.Print(result.lines);
        console.Done(result.outcome);
    });
    std::string summary = "set: " + console.Tally();
    if (console.Count("written") + console.Count("failed") > 0 && !options.dryRun) {
        summary += "; backups in " + options.backupDir.string();
    }
    console.Print(summary + "\n");
    return console.Count("failed") > 0 ? 1 : 0;
}

}  // namespace varlo::cli
