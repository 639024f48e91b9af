// varlo-cli set TARGET KEY=VALUE...: changes named fields on the devices TARGET names (MACs,
// --model NAME or --all) after one search, as the dialogs' pages would let an operator change
// them, and saves each device's configuration to a backup file before writing to it.
#include <cstdio>

#include "cli/BatchArgs.h"
#include "cli/Commands.h"
#include "cli/SetFields.h"

namespace varlo::cli {

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
