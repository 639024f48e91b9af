// varlo-cli search: one search as the search dialog runs it, then the table it shows.
#include <cstdio>
#include <nlohmann/json.hpp>

#include "cli/CliOptions.h"
#include "cli/Commands.h"
#include "discovery/DeviceFormat.h"
#include "discovery/DeviceType.h"
#include "discovery/SearchSession.h"

namespace varlo::cli {

namespace {
void PrintTable(const CConfigParamArray& table) {
    std::printf("%-5s %-17s %-18s %s\n", "No.", "Device Type", "Mac", "IP Address");
    for (std::size_t i = 0; i < table.GetSize(); ++i) {
        const char* name = GetDeviceTypeName(table[i].dwType());
        std::printf("%-5zu %-17s %-18s %s\n", i, name ? name : "",
                    FormatMacColon(table[i].byMac()).c_str(), FormatIp(table[i].dwIp()).c_str());
    }
}

void PrintJson(const CConfigParamArray& table) {
    nlohmann::json rows = nlohmann::json::array();
    for (std::size_t i = 0; i < table.GetSize(); ++i) {
        const _CONFIGPARAM& r = table[i];
        const char* name = GetDeviceTypeName(r.dwType());
        char type[11];
        std::snprintf(type, sizeof type, "0x%08X", r.dwType());
        rows.push_back({{"no", i},
                        {"deviceType", name ? name : ""},
                        {"typeCode", type},
                        {"mac", FormatMacColon(r.byMac())},
                        {"ip", FormatIp(r.dwIp())}});
    }
    std::printf("%s\n", rows.dump(2).c_str());
}
}  // namespace

int SearchCommand(const std::vector<std::string>& args) {
    CommonOptions options;
    if (!ParseCommonOptions(args, &options)) {
        return 2;
    }
    if (!options.rest.empty()) {
        std::fprintf(stderr, "varlo-cli search: unexpected argument '%s'\n",
                     options.rest[0].c_str());
        return 2;
    }
    DemoGuard demo;
    if (!demo.Start(options)) {
        return 1;
    }
    SearchSession session;
    if (!SearchDevices(session)) {
        return 1;
    }
    if (options.json) {
        PrintJson(session.Table());
    } else {
        PrintTable(session.Table());
        std::printf("%zu Device(s) is Finded\n", session.Table().GetSize());
    }
    return 0;
}

}  // namespace varlo::cli
