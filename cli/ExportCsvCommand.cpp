// varlo-cli export-csv [MAC... | --model NAME | --all] [-o FILE]: searches once and writes the
// device list as CSV (model, MAC, IP, name, firmware) for inventories, every device found when
// none is named, by MAC. The name and firmware are read from each device, --jobs at a time.
#include <algorithm>
#include <cstdio>
#include <filesystem>

#include "cli/BatchArgs.h"
#include "cli/Commands.h"
#include "configfiles/BatchRun.h"
#include "configfiles/ConfigFile.h"
#include "configfiles/DeviceListCsv.h"
#include "discovery/DeviceFormat.h"

namespace varlo::cli {

int ExportCsvCommand(const std::vector<std::string>& args) {
    BatchArgs parsed;
    if (!ParseBatchArgs("export-csv", args, {"MAC", "--all", "--model", "-o"}, &parsed)) {
        return 2;
    }
    if (!parsed.positional.empty() || parsed.common.json) {
        std::fprintf(stderr,
                     "usage: varlo-cli export-csv [MAC... | --model NAME | --all] [-o FILE] "
                     "[--jobs N]\n");
        return 2;
    }
    TargetSpec wanted = parsed.targets;
    wanted.all = wanted.all || wanted.Empty();
    DemoGuard demo;
    if (!demo.Start(parsed.common)) {
        return 1;
    }
    ResolvedTargets targets;
    if (!FindTargets(wanted, &targets)) {
        return 1;
    }
    if (parsed.targets.macs.empty()) {
        std::stable_sort(
            targets.found.begin(), targets.found.end(),
            [](const _CONFIGPARAM& a, const _CONFIGPARAM& b) { return a.byMac() < b.byMac(); });
    }
    std::vector<DeviceListRow> rows(targets.found.size());
    RunOnDevices(rows.size(), JobsOf(parsed),
                 [&](std::size_t i) { rows[i] = ReadDeviceListRow(targets.found[i]); });
    const std::string csv = DeviceListCsv(rows);
    if (parsed.output) {
        std::string error;
        if (!SaveTextFile(*parsed.output, csv, &error)) {
            std::fprintf(stderr, "varlo-cli export-csv: %s\n", error.c_str());
            return 1;
        }
        std::fprintf(stderr, "varlo-cli export-csv: %zu device(s) in %s\n", rows.size(),
                     parsed.output->c_str());
    } else {
        std::fputs(csv.c_str(), stdout);
    }
    for (const MacBytes& mac : targets.missing) {
        std::fprintf(stderr, "varlo-cli export-csv: no device with MAC %s answered the search\n",
                     FormatMacColon(mac).c_str());
    }
    return targets.missing.empty() ? 0 : 1;
}

}  // namespace varlo::cli
