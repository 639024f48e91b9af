// varlo-cli restore FILE... [--to MAC...] [--with-addresses] [--dry-run]: writes each file's
// writable blocks that differ from what its device holds now, in the dialog's order, then the
// finish command for a node, exactly as the dialog's Apply would. Each file goes to its own
// device with no search at all; with --to, one file goes to the devices named after one search
// (a clone), and they keep their own name and IP addresses unless --with-addresses is given.
#include <cstdio>
#include <set>

#include "cli/BatchArgs.h"
#include "cli/Commands.h"
#include "cli/DeviceBatch.h"
#include "configfiles/ConfigFile.h"
#include "configfiles/DeviceApply.h"
#include "configfiles/FieldTable.h"
#include "configfiles/RestoreBlocks.h"
#include "discovery/DeviceFormat.h"

namespace varlo::cli {

namespace {
int Usage() {
    std::fprintf(stderr,
                 "usage: varlo-cli restore FILE... [--dry-run] [--backup DIR] [--jobs N]\n"
                 "       varlo-cli restore FILE --to MAC... [--with-addresses] [--dry-run] "
                 "[--backup DIR] [--jobs N]\n");
    return 2;
}
}  // namespace

int RestoreCommand(const std::vector<std::string>& args) {
    BatchArgs parsed;
    if (!ParseBatchArgs("restore", args, {"--to", "--with-addresses", "--dry-run", "--backup"},
                        &parsed)) {
        return 2;
    }
    if (parsed.positional.empty() || parsed.common.json ||
        (parsed.toGiven && parsed.positional.size() != 1) ||
        (parsed.withAddresses && !parsed.toGiven)) {
        return Usage();
    }
    // Every file is checked before any device is asked: a bad one stops the whole command.
    std::vector<ConfigFile> files(parsed.positional.size());
    std::set<DeviceIdentity> identities;
    for (std::size_t i = 0; i < files.size(); ++i) {
        std::string error;
        if (!LoadConfigFile(parsed.positional[i], &files[i], &error)) {
            std::fprintf(stderr, "varlo-cli restore: %s; nothing written\n", error.c_str());
            return 2;
        }
        if (!parsed.toGiven && !identities.insert(files[i].record.Identity()).second) {
            std::fprintf(stderr,
                         "varlo-cli restore: two files are for %s; give one; nothing written\n",
                         FormatMacColon(files[i].record.byMac()).c_str());
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

    BatchConsole console(jobs.size() + targets.missing.size());
    for (const MacBytes& mac : targets.missing) {
        console.Print(FormatMacColon(mac) +
                      ": FAILED: no device with this MAC answered the search\n");
        console.Done("failed");
    }
    RunOnDevices(jobs.size(), JobsOf(parsed), [&](std::size_t i) {
        const FileJob& job = jobs[i];
        const ConfigFile& file = *job.file;
        DeviceResult result;
        if (job.target.dwType() != file.Type()) {
            result = FailedResult(job.target,
                                  job.fileName + " holds a " + ModelNameOf(file.Type()) +
                                      " configuration and this device is a " +
                                      ModelNameOf(job.target.dwType()) + "; nothing written");
        } else {
            const bool keepOwn =
                job.target.Identity() != file.record.Identity() && !parsed.withAddresses;
            result = ApplyToDevice(
                job.target,
                [&](const ConfigSession& session, std::vector<std::optional<Bytes>>* built,
                    std::string* error) {
                    return BuildRestoreBlocks(file, keepOwn, session, built, error);
                },
                options);
        }
        console.Print(result.lines);
        console.Done(result.outcome);
    });
    std::string summary = "restore: " + console.Tally();
    if (console.Count("written") + console.Count("failed") > 0 && !options.dryRun) {
        summary += "; backups in " + options.backupDir.string();
    }
    console.Print(summary + "\n");
    return console.Count("failed") > 0 ? 1 : 0;
}

}  // namespace varlo::cli
