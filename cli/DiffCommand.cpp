// varlo-cli diff FILE... [--to MAC...]: reads each file's device (or, with --to, the devices
// named, after one search) as its dialog does and prints every field of the configuration
// blocks that differs, as "BLOCK.PATH: device value -> file value". Exit status as diff(1):
// 0 the same, 1 different, 2 trouble (a bad file, a device not found or not of the file's
// model, a read that failed).
#include <cstdio>

#include "cli/BatchArgs.h"
#include "cli/BatchConsole.h"
#include "cli/Commands.h"
#include "configfiles/BlockDiff.h"
#include "configfiles/ConfigFile.h"
#include "configfiles/DeviceApply.h"
#include "configfiles/FieldTable.h"
#include "configfiles/RestoreBlocks.h"
#include "discovery/DeviceFormat.h"

namespace varlo::cli {

namespace {
// The lines between a device and a file; nothing (and the reason) when it cannot be compared.
std::optional<std::vector<std::string>> Compare(const FileJob& job, std::string* error) {
    const ConfigFile& file = *job.file;
    if (!ModelMatches(file, job.fileName, job.target, error)) {
        return std::nullopt;
    }
    ConfigSession session(SessionModelOf(file.Type()), job.target.Identity());
    if (const std::optional<std::string> failed = ReadAll(session)) {
        *error = *failed;
        return std::nullopt;
    }
    std::vector<std::string> lines;
    for (const BlockFields& b : FieldsOf(file.Type()).blocks) {
        for (std::string& line : DiffBlock(b, *session.Saved(b.index), file.blocks[b.index])) {
            lines.push_back(std::move(line));
        }
    }
    return lines;
}
}  // namespace

int DiffCommand(const std::vector<std::string>& args) {
    BatchArgs parsed;
    if (!ParseBatchArgs("diff", args, {"--to"}, &parsed)) {
        return 2;
    }
    if (parsed.positional.empty() || parsed.common.json ||
        (parsed.toGiven && parsed.positional.size() != 1)) {
        std::fprintf(stderr,
                     "usage: varlo-cli diff FILE... [--jobs N]\n"
                     "       varlo-cli diff FILE --to MAC... [--jobs N]\n");
        return 2;
    }
    std::vector<ConfigFile> files;
    if (!LoadFiles("diff", parsed, "", &files)) {
        return 2;
    }
    DemoGuard demo;
    if (!demo.Start(parsed.common)) {
        return 2;
    }
    std::vector<FileJob> jobs;
    ResolvedTargets targets;
    if (!FileJobs(parsed, files, &jobs, &targets)) {
        return 2;
    }

    // One device: the lines alone, as diff(1) prints them. Several: a head line per device.
    const bool single = jobs.size() == 1 && targets.missing.empty();
    BatchConsole console("diff", jobs.size() + targets.missing.size());
    console.ReportMissing(targets.missing);
    console.Run(
        jobs.size(), JobsOf(parsed),
        [&](std::size_t i) {
            const FileJob& job = jobs[i];
            std::string error;
            const std::optional<std::vector<std::string>> lines = Compare(job, &error);
            std::string text;
            if (!lines) {
                if (single) {
                    std::fprintf(stderr, "varlo-cli diff: %s: %s\n", DeviceName(job.target).c_str(),
                                 error.c_str());
                } else {
                    text = FailedResult(job.target, error).lines;
                }
            } else if (!single) {
                text = DeviceName(job.target) + ": " +
                       (lines->empty() ? "same as "
                                       : std::to_string(lines->size()) + " difference(s) from ") +
                       job.fileName + "\n";
            }
            for (const std::string& line : lines.value_or(std::vector<std::string>())) {
                text += (single ? "" : "    ") + line + "\n";
            }
            return DeviceResult{!lines           ? "failed"
                                : lines->empty() ? "same"
                                                 : "different",
                                text,
                                {}};
        },
        [&](std::size_t i) { return DeviceName(jobs[i].target); });
    if (!single || console.StopStatus()) {
        console.Summary();
    }
    if (const std::optional<int> stopped = console.StopStatus()) {
        return *stopped;
    }
    return console.Count("failed") > 0 ? 2 : console.Count("different") > 0 ? 1 : 0;
}

}  // namespace varlo::cli
