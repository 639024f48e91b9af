// varlo-cli set TARGET KEY=VALUE... [--number FIELD=START]: changes named fields on the devices
// TARGET names (MACs, --model NAME or --all) after one search, as the dialogs' pages would let an
// operator change them, and saves each device's configuration to a backup file before writing to
// it. --number gives one field a value counted up from START across the devices, in the order
// their MACs were named, or by MAC for --model and --all.
#include <algorithm>
#include <cstdio>

#include "cli/BatchArgs.h"
#include "cli/BatchConsole.h"
#include "cli/Commands.h"
#include "configfiles/FieldTable.h"
#include "configfiles/SetFields.h"
#include "discovery/DeviceFormat.h"

namespace varlo::cli {

int SetOnDevices(const std::vector<_CONFIGPARAM>& devices, const std::vector<MacBytes>& missing,
                 const std::vector<Assignment>& assignments, const ApplyOptions& options, int jobs,
                 const std::optional<Assignment>& number) {
    // Each device's own assignments: the numbered field's value is fixed before any device
    // starts, by the device's place among those that have the field.
    std::vector<std::vector<Assignment>> own(devices.size(), assignments);
    std::vector<std::string> numberError(devices.size());
    std::size_t n = 0;
    for (std::size_t i = 0; number && i < devices.size(); ++i) {
        if (!HasEditableField(devices[i].dwType(), number->path)) {
            continue;  // skipped below, and takes no number
        }
        std::string value;
        if (NumberedValue(devices[i].dwType(), *number, n++, &value, &numberError[i])) {
            own[i].push_back({number->path, value});
        }
    }
    for (std::size_t i = 0; number && i < devices.size(); ++i) {
        if (!HasEditableField(devices[i].dwType(), number->path)) {
            own[i].push_back(*number);  // BuildSetBlocks reports the device as skipped
        }
    }

    BatchConsole console("set", devices.size() + missing.size());
    ApplyOptions withTracker = options;
    withTracker.onWrites = console.WriteTracker();
    console.ReportMissing(missing);
    console.Run(
        devices.size(), jobs,
        [&](std::size_t i) {
            if (!numberError[i].empty()) {
                return FailedResult(devices[i], numberError[i] + "; nothing written");
            }
            const uint32_t type = devices[i].dwType();
            return ApplyToDevice(
                devices[i],
                [&](const ConfigSession& session, BuiltBlocks* out) {
                    return BuildSetBlocks(type, own[i], session, out);
                },
                withTracker);
        },
        [&](std::size_t i) { return DeviceName(devices[i]); });
    console.Summary(options.backupDir);
    return console.ExitStatus();
}

int SetCommand(const std::vector<std::string>& args) {
    BatchArgs parsed;
    if (!ParseBatchArgs("set", args,
                        {"MAC", "--all", "--model", "--backup", "--dry-run", "--number"},
                        &parsed)) {
        return 2;
    }
    std::vector<Assignment> assignments;
    for (const std::string& word : parsed.positional) {
        Assignment a;
        if (!ParseAssignment(word, &a)) {
            std::fprintf(stderr, "varlo-cli set: '%s' is neither a MAC address nor FIELD=VALUE\n",
                         word.c_str());
            return 2;
        }
        assignments.push_back(a);
    }
    std::optional<Assignment> number;
    if (parsed.number) {
        Assignment a;
        if (!ParseAssignment(*parsed.number, &a)) {
            std::fprintf(stderr, "varlo-cli set: --number needs FIELD=START, not '%s'\n",
                         parsed.number->c_str());
            return 2;
        }
        number = a;
    }
    if (parsed.targets.Empty() || (assignments.empty() && !number) || parsed.common.json) {
        std::fprintf(stderr,
                     "usage: varlo-cli set (MAC... | --model NAME | --all) FIELD=VALUE... "
                     "[--number FIELD=START] [--dry-run] [--backup DIR] [--jobs N]\n");
        return 2;
    }
    std::vector<Assignment> all = assignments;
    if (number) {
        all.push_back(*number);
    }
    std::string error;
    if (!CheckAssignments(all, parsed.targets.model, &error)) {
        std::fprintf(stderr, "varlo-cli set: %s; nothing written\n", error.c_str());
        return 2;
    }
    if (number) {
        for (const uint32_t type : ModelTypes()) {
            std::string value;
            if ((!parsed.targets.model || *parsed.targets.model == type) &&
                HasEditableField(type, number->path) &&
                !NumberedValue(type, *number, 0, &value, &error)) {
                std::fprintf(stderr, "varlo-cli set: %s; nothing written\n", error.c_str());
                return 2;
            }
        }
    }
    ApplyOptions options;
    options.dryRun = parsed.dryRun;
    if (!options.dryRun && !PrepareBackupDir("set", parsed, &options.backupDir)) {
        return 2;
    }
    DemoGuard demo;
    if (!demo.Start(parsed.common)) {
        return 1;
    }
    ResolvedTargets targets;
    if (!FindTargets(parsed.targets, &targets)) {
        return 1;
    }
    if (targets.found.empty() && targets.missing.empty()) {
        std::fprintf(stderr, "varlo-cli set: no such device answered the search\n");
        return 1;
    }
    if (parsed.targets.macs.empty()) {
        std::stable_sort(
            targets.found.begin(), targets.found.end(),
            [](const _CONFIGPARAM& a, const _CONFIGPARAM& b) { return a.byMac() < b.byMac(); });
    }
    return SetOnDevices(targets.found, targets.missing, assignments, options, JobsOf(parsed),
                        number);
}

}  // namespace varlo::cli
