// varlo-cli com: the COM mappings as the COM mapping pane lists them, read the same way.
#include <cstdio>
#include <nlohmann/json.hpp>
#include <optional>

#include "cli/CliOptions.h"
#include "cli/Commands.h"
#include "comport/ComMapEntry.h"
#include "comport/ComMapping.h"
#include "comport/ComRegistrySource.h"
#include "comport/RegFile.h"
#include "comport/SerialDriver.h"

namespace varlo::cli {

namespace {
struct ComOptions {
    std::optional<std::string> registry;
    std::optional<std::string> admin;
    bool all = false;
};

bool ParseComOptions(const std::vector<std::string>& rest, ComOptions* out) {
    for (std::size_t i = 0; i < rest.size(); ++i) {
        const std::string& arg = rest[i];
        if ((arg == "--registry" || arg == "--admin") && i + 1 < rest.size()) {
            (arg == "--registry" ? out->registry : out->admin) = rest[++i];
        } else if (arg == "--all") {
            out->all = true;
        } else {
            std::fprintf(stderr, "varlo-cli com: %s '%s'\n",
                         arg == "--registry" || arg == "--admin" ? "missing value after"
                                                                 : "unexpected argument",
                         arg.c_str());
            return false;
        }
    }
    return true;
}

// Points the registry reader where the options say. Returns the exit status to stop with, or
// -1 to go on.
int ChooseRegistry(const CommonOptions& common, const ComOptions& options) {
    const bool fileOptions = options.registry || options.admin || common.demo;
    if (!kComRegistryFromFile) {
        if (fileOptions) {
            std::fprintf(stderr,
                         "varlo-cli com: --registry, --admin and --demo are not available here: "
                         "this build reads the machine's registry\n");
            return 2;
        }
        return -1;
    }
    if (common.demo && !UseDemoComRegistry()) {
        std::fprintf(stderr, "varlo-cli com: cannot find the demo registry (ComDemo.reg)\n");
        return 1;
    }
    if (options.registry) {
        SetComRegistryFile(*options.registry);
        // A lone export reads as if the driver were running.
        SetComAdminPath(*options.registry);
    }
    if (options.admin) {
        SetComAdminPath(*options.admin);
    }
    if (ComRegistryFile().empty()) {
        std::fprintf(stderr,
                     "varlo-cli com: no registry to read: give --registry FILE (a registry "
                     "export) or --demo\n");
        return 2;
    }
    CRegFile registry;
    std::string error;
    if (!LoadRegFile(ComRegistryFile(), &registry, &error, nullptr)) {
        std::fprintf(stderr, "varlo-cli com: cannot read registry file %s: %s\n",
                     ComRegistryFile().c_str(), error.c_str());
        return 1;
    }
    return -1;
}

void PrintTable(const char* version, const std::vector<ComMapEntry>& entries, bool all) {
    std::printf("Driver: %s\n", version ? version : "not running (no administration device)");
    std::printf("%-10s %-16s %-11s %s\n", "COM Port", "IP Address", "Port Index", "State");
    int rows = 0;
    for (const ComMapEntry& e : entries) {
        if (IsListedComState(e.nState)) {
            std::printf("%-10s %-16s %-11s %s\n", ComPortText(e.nCom).c_str(),
                        ComIpText(e.dwIP).c_str(), ComPortIndexText(e.nPort).c_str(),
                        ComMapStateName(e.nState));
            ++rows;
        }
    }
    std::printf("%d mapping(s)\n", rows);
    if (all) {
        std::printf("\n%-10s %-6s %s\n", "COM Port", "Result", "Meaning");
        for (const ComMapEntry& e : entries) {
            if (e.nState != COMMAP_NO_DRIVER) {
                std::printf("%-10s %-6d %s\n", ComPortText(e.nCom).c_str(), e.nState,
                            ComMapStateName(e.nState));
            }
        }
    }
}

void PrintJson(const char* version, const std::vector<ComMapEntry>& entries, bool all) {
    nlohmann::ordered_json rows = nlohmann::ordered_json::array();
    nlohmann::ordered_json results = nlohmann::ordered_json::array();
    for (const ComMapEntry& e : entries) {
        if (IsListedComState(e.nState)) {
            rows.push_back({{"comPort", ComPortText(e.nCom)},
                            {"ipAddress", ComIpText(e.dwIP)},
                            {"portIndex", e.nPort},
                            {"state", ComMapStateName(e.nState)},
                            {"report", e.nReport},
                            {"keepAlive", e.nKeepAlive},
                            {"share", e.nShare}});
        }
        if (all && e.nState != COMMAP_NO_DRIVER) {
            results.push_back({{"comPort", ComPortText(e.nCom)},
                               {"result", e.nState},
                               {"meaning", ComMapStateName(e.nState)}});
        }
    }
    nlohmann::ordered_json out = {
        {"driver", version ? nlohmann::ordered_json(version) : nlohmann::ordered_json()},
        {"mappings", rows}};
    if (all) {
        out["results"] = results;
    }
    std::printf("%s\n", out.dump(2).c_str());
}
}  // namespace

int ComCommand(const std::vector<std::string>& args) {
    CommonOptions common;
    ComOptions options;
    if (!ParseCommonOptions(args, &common) || !ParseComOptions(common.rest, &options)) {
        return 2;
    }
    if (const int status = ChooseRegistry(common, options); status >= 0) {
        return status;
    }
    const char* version = StartSerialDriver();
    std::vector<ComMapEntry> entries;
    entries.reserve(kMaxComNumber);
    for (int n = 1; n <= kMaxComNumber; ++n) {
        entries.push_back(ReadComMapEntry(n));
    }
    if (common.json) {
        PrintJson(version, entries, options.all);
    } else {
        PrintTable(version, entries, options.all);
    }
    return 0;
}

}  // namespace varlo::cli
