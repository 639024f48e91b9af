// varlo-cli search: one search as the search dialog runs it, then the table it shows.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <nlohmann/json.hpp>

#include "cli/CliOptions.h"
#include "cli/Commands.h"
#include "discovery/DeviceFormat.h"
#include "discovery/DeviceType.h"
#include "discovery/IpSearchSession.h"
#include "discovery/SearchDoctor.h"
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
    std::optional<IpRange> range;
    int rate = IpSearchSession::kDefaultRate;
    for (std::size_t i = 0; i < options.rest.size(); ++i) {
        const std::string& arg = options.rest[i];
        std::string error;
        if (arg == "--range" && i + 1 < options.rest.size()) {
            range = ParseIpRange(options.rest[++i], &error);
            if (!range) {
                std::fprintf(stderr, "varlo-cli search: --range: %s\n", error.c_str());
                return 2;
            }
        } else if (arg == "--rate" && i + 1 < options.rest.size()) {
            rate = std::atoi(options.rest[++i].c_str());
            if (rate < 1 || rate > 100000) {
                std::fprintf(stderr, "varlo-cli search: --rate takes 1 to 100000 per second\n");
                return 2;
            }
        } else {
            std::fprintf(stderr, "varlo-cli search: unexpected argument '%s'\n", arg.c_str());
            return 2;
        }
    }
    DemoGuard demo;
    if (!demo.Start(options)) {
        return 1;
    }
    const CConfigParamArray* table = nullptr;
    SearchSession session;
    IpSearchSession ipSearch;
    if (range) {
        g_arrConfigParam.RemoveAll();
        if (!RunIpSearch(ipSearch, *range, rate, [](std::size_t) {})) {
            std::fprintf(stderr, "varlo-cli: Can not create Search Socket!\n");
            return 1;
        }
        table = &ipSearch.Table();
    } else {
        if (!SearchDevices(session)) {
            return 1;
        }
        table = &session.Table();
    }
    if (options.json) {
        PrintJson(*table);
    } else {
        PrintTable(*table);
        std::printf("%zu Device(s) is Finded\n", table->GetSize());
        if (table->GetSize() == 0) {
            std::printf("Nothing answered: 'varlo-cli doctor' says why that may be.\n");
        }
    }
    return 0;
}

int InterfacesCommand(const std::vector<std::string>& args) {
    CommonOptions options;
    if (!ParseCommonOptions(args, &options) || !options.rest.empty()) {
        return 2;
    }
    const TransportSettings& t = Transport();
    if (!t.UsesAdapters()) {
        std::printf("--target %s:%u replaces the adapters: requests go there only.\n",
                    FormatIpv4(t.targetAddr).c_str(), t.targetPort);
        return 0;
    }
    const std::vector<NetAdapter> used = SearchAdapters();
    for (const NetAdapter& a : AllAdapters()) {
        const bool searched = std::any_of(used.begin(), used.end(), [&](const NetAdapter& u) {
            return u.name == a.name && u.addr == a.addr;
        });
        const std::string why = WhyNotUsed(a);
        std::printf("%-40s %s\n", DescribeAdapter(a).c_str(),
                    searched       ? "searched"
                    : !why.empty() ? ("not searched: " + why).c_str()
                                   : "not searched: not chosen with --interface");
    }
    for (const std::string& name : t.interfaceNames) {
        if (std::none_of(used.begin(), used.end(),
                         [&](const NetAdapter& u) { return u.name == name; })) {
            std::printf("%-40s not searched: no such adapter up with an address\n", name.c_str());
        }
    }
    return 0;
}

int DoctorCommand(const std::vector<std::string>& args) {
    CommonOptions options;
    if (!ParseCommonOptions(args, &options) || !options.rest.empty()) {
        return 2;
    }
    DemoGuard demo;
    if (!demo.Start(options)) {
        return 1;
    }
    // One search first, so that "where each search went" speaks of a real one.
    SearchSession session;
    const bool searched = RunSearch(session, [](std::size_t) {});
    std::printf("A search found %zu device(s)%s.\n\n", session.Table().GetSize(),
                searched ? "" : " (its socket could not be created)");
    std::fputs(FormatFindings(DiagnoseSearch(&session)).c_str(), stdout);
    return 0;
}

}  // namespace varlo::cli
