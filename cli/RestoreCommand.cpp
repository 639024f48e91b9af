// varlo-cli restore FILE... [--to MAC...] [--with-addresses] [--dry-run] [--raw]: writes each
// file's writable blocks that differ from what its device holds now, in the dialog's order, then
// the finish command for a node, exactly as the dialog's Apply would. Each file goes to its own
// device with no search at all; with --to, one file goes to the devices named after one search
// (a clone), and they keep their own name and IP addresses unless --with-addresses is given.
#include <cstdio>
#include <set>

#include "cli/BatchArgs.h"
#include "cli/BatchConsole.h"
#include "cli/Commands.h"
#include "configfiles/ConfigFile.h"
#include "configfiles/DeviceApply.h"
#include "configfiles/RestoreBlocks.h"
#include "discovery/DeviceFormat.h"

namespace varlo::cli {

namespace {
int Usage() {
    std::fprintf(stderr,
                 "usage: varlo-cli restore FILE... [--dry-run] [--raw] [--backup DIR] [--jobs N]\n"
                 "       varlo-cli restore FILE --to MAC... [--with-addresses] [--dry-run] [--raw] "
                 "[--backup DIR] [--jobs N]\n");
    return 2;
}
}  // namespace

int RestoreCommand(const std::vector<std::string>& args) {
    BatchArgs parsed;
    if (!ParseBatchArgs("restore", args,
                        {"--to", "--with-addresses", "--dry-run", "--backup", "--raw"}, &parsed)) {
        return 2;
    }
    if (parsed.positional.empty() || parsed.common.json ||
        (parsed.toGiven && parsed.positional.size() != 1) ||
        (parsed.withAddresses && !parsed.toGiven)) {
        return Usage();
    }
    std::vector<ConfigFile> files;
    if (!LoadFiles("restore", parsed, "; nothing written", &files)) {
        return 2;
    }
    std::set<DeviceIdentity> identities;
    for (const ConfigFile& file : files) {
        if (!parsed.toGiven && !identities.insert(file.record.Identity()).second) {
            std::fprintf(stderr,
                         "varlo-cli restore: two files are for %s; give one; nothing written\n",
                         FormatMacColon(file.record.byMac()).c_str());
            return 2;
        }
    }
    ApplyOptions options;
    options.dryRun = parsed.dryRun;
    if (!options.dryRun && !PrepareBackupDir("restore", parsed, &options.backupDir)) {
        return 2;
    }
    DemoGuard demo;
    if (!demo.Start(parsed.common)) {
        return 1;
    }
    std::vector<FileJob> jobs;
    ResolvedTargets targets;
    if (!FileJobs(parsed, files, &jobs, &targets)) {
        return 1;
    }

    BatchConsole console("restore", jobs.size() + targets.missing.size());
    options.onWrites = console.WriteTracker();
    console.ReportMissing(targets.missing);
    console.Run(
        jobs.size(), JobsOf(parsed),
        [&](std::size_t i) {
            const FileJob& job = jobs[i];
            const ConfigFile& file = *job.file;
            std::string error;
            if (!ModelMatches(file, job.fileName, job.target, &error)) {
                return FailedResult(job.target, error + "; nothing written");
            }
            RestoreOptions restore;
            restore.keepOwn =
                job.target.Identity() != file.record.Identity() && !parsed.withAddresses;
            restore.raw = parsed.raw;
            return ApplyToDevice(
                job.target,
                [&](const ConfigSession& session, BuiltBlocks* out) {
                    return BuildRestoreBlocks(file, restore, session, out);
                },
                options);
        },
        [&](std::size_t i) { return DeviceName(jobs[i].target); });
    console.Summary(options.backupDir);
    return console.ExitStatus();
}

}  // namespace varlo::cli
