// varlo-cli dump MAC: searches, then reads the device information and every block the device's
// parameter dialog reads, in the dialog's order and stopping at the first failure, and prints
// them as JSON: per block the raw bytes in hex and the decoded fields. With -o the same goes to
// a configuration file that restores byte for byte; with several MACs, --model or --all, after
// one search, to one file per device named after its MAC.
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "cli/BatchArgs.h"
#include "cli/BatchConsole.h"
#include "cli/Commands.h"
#include "configfiles/BlockJson.h"
#include "configfiles/ConfigFile.h"
#include "configfiles/DeviceApply.h"
#include "discovery/DeviceFormat.h"
#include "transport/ConfigSession.h"

namespace varlo::cli {

namespace {
void Print(const Json& out) {
    // Device texts are 8-bit; bytes that are not UTF-8 print as U+FFFD (the hex keeps them).
    std::printf("%s\n", out.dump(2, ' ', false, Json::error_handler_t::replace).c_str());
}

int Usage() {
    std::fprintf(stderr,
                 "usage: varlo-cli dump MAC [-o FILE] [--no-secrets] [--target A[:P]] [--demo]\n"
                 "       varlo-cli dump (MAC... | --model NAME | --all) -o DIR [--no-secrets] "
                 "[--jobs N]\n");
    return 2;
}

// One device to standard output, as the dialog reads it.
int DumpToStandardOutput(const MacBytes& mac, const ResolvedTargets& targets, std::size_t tableSize,
                         bool withSecrets) {
    if (targets.found.empty()) {
        std::fprintf(stderr,
                     "varlo-cli dump: no device with MAC %s answered the search (%zu found)\n",
                     FormatMacColon(mac).c_str(), tableSize);
        return 1;
    }
    const _CONFIGPARAM& record = targets.found[0];
    // The dialog's own opening: each read only when every read before it succeeded.
    ConfigSession session(SessionModelOf(record.dwType()), record.Identity());
    const std::size_t read = session.Open();
    Json out = DeviceJson(record, session, read, withSecrets);
    if (read < session.BlockCount()) {
        // What was read so far is still printed, marked incomplete.
        const BlockSpec& failed = session.Model().blocks[read];
        out["complete"] = false;
        Print(out);
        std::fprintf(stderr,
                     "varlo-cli dump: %s: reading %s (code 0x%02X) failed: no valid reply\n",
                     FormatMacColon(mac).c_str(), failed.name, failed.readCode);
        return 1;
    }
    out["complete"] = true;
    Print(out);
    return 0;
}

}  // namespace

int DumpCommand(const std::vector<std::string>& args) {
    BatchArgs parsed;
    if (!ParseBatchArgs("dump", args, {"MAC", "--all", "--model", "-o", "--no-secrets"}, &parsed)) {
        return 2;
    }
    if (!parsed.positional.empty()) {
        std::fprintf(stderr, "varlo-cli dump: '%s' is not a MAC address like 00:1A:2B:3C:4D:5E\n",
                     parsed.positional[0].c_str());
        return 2;
    }
    const TargetSpec& wanted = parsed.targets;
    const bool one = wanted.macs.size() == 1 && !wanted.all && !wanted.model;
    if (wanted.Empty() || (!one && !parsed.output)) {
        return Usage();
    }
    // -o names a folder for several devices, or when it is one already.
    std::error_code ec;
    const bool toFolder =
        parsed.output && (!one || std::filesystem::is_directory(*parsed.output, ec));
    if (toFolder) {
        std::filesystem::create_directories(*parsed.output, ec);
        if (ec) {
            std::fprintf(stderr, "varlo-cli dump: cannot create the folder %s: %s\n",
                         parsed.output->c_str(), ec.message().c_str());
            return 2;
        }
    }
    DemoGuard demo;
    if (!demo.Start(parsed.common)) {
        return 1;
    }
    SearchSession search;
    if (!SearchDevices(search)) {
        return 1;
    }
    const ResolvedTargets targets = ResolveTargets(search.Table(), wanted);
    if (!parsed.output) {
        return DumpToStandardOutput(wanted.macs[0], targets, search.Table().GetSize(),
                                    !parsed.noSecrets);
    }

    BatchConsole console("dump", targets.found.size() + targets.missing.size());
    console.ReportMissing(targets.missing);
    console.Run(
        targets.found.size(), JobsOf(parsed),
        [&](std::size_t i) {
            const _CONFIGPARAM& record = targets.found[i];
            // A file holds a whole configuration: a device whose reads did not all succeed
            // gets none.
            const std::filesystem::path path =
                toFolder ? std::filesystem::path(*parsed.output) / DeviceFileName(record)
                         : std::filesystem::path(*parsed.output);
            return SaveDeviceFile(record, path, !parsed.noSecrets);
        },
        [&](std::size_t i) { return DeviceName(targets.found[i]); });
    console.Summary();
    return targets.found.empty() && !console.StopStatus() ? 1 : console.ExitStatus();
}

}  // namespace varlo::cli
