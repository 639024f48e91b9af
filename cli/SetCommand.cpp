// varlo-cli set TARGET KEY=VALUE...: changes named fields on the devices TARGET names (MACs,
// --model NAME or --all) after one search, as the dialogs' pages would let an operator change
// them, and saves each device's configuration to a backup file before writing to it.
#include <cstdio>

#include "cli/BatchArgs.h"
#include "cli/Commands.h"
#include "cli/DeviceBatch.h"
#include "configfiles/FieldTable.h"
#include "configfiles/SetFields.h"
#include "discovery/DeviceFormat.h"

namespace varlo::cli {

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

int SetCommand(const std::vector<std::string>& args) {
    BatchArgs parsed;
    if (!ParseBatchArgs("set", args, {"MAC", "--all", "--model", "--backup", "--dry-run"},
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
    if (parsed.targets.Empty() || assignments.empty() || parsed.common.json) {
        std::fprintf(stderr,
                     "usage: varlo-cli set (MAC... | --model NAME | --all) FIELD=VALUE... "
                     "[--dry-run] [--backup DIR] [--jobs N]\n");
        return 2;
    }
    std::string error;
    if (!CheckAssignments(assignments, parsed.targets.model, &error)) {
        std::fprintf(stderr, "varlo-cli set: %s; nothing written\n", error.c_str());
        return 2;
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
    return SetOnDevices(targets.found, targets.missing, assignments, options, JobsOf(parsed));
}

}  // namespace varlo::cli
