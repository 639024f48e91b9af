// varlo-cli dump MAC: searches, then reads the device information and every block the device's
// parameter dialog reads, in the dialog's order and stopping at the first failure, and prints
// them as JSON: per block the raw bytes in hex and the decoded fields.
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "cli/BlockJson.h"
#include "cli/CliOptions.h"
#include "cli/Commands.h"
#include "discovery/DeviceFormat.h"
#include "discovery/DeviceType.h"
#include "discovery/SearchSession.h"
#include "transport/ConfigSession.h"

namespace varlo::cli {

namespace {
// "00:1A:2B:3C:4D:5E" or "00-1a-2b-3c-4d-5e".
std::optional<MacBytes> ParseMac(const std::string& text) {
    MacBytes mac{};
    if (text.size() != 17) {
        return std::nullopt;
    }
    for (std::size_t i = 0; i < 6; ++i) {
        const std::size_t at = 3 * i;
        if (i > 0 && text[at - 1] != ':' && text[at - 1] != '-') {
            return std::nullopt;
        }
        unsigned value = 0;
        for (const char c : text.substr(at, 2)) {
            const int digit = c >= '0' && c <= '9'   ? c - '0'
                              : c >= 'a' && c <= 'f' ? c - 'a' + 10
                              : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                                     : -1;
            if (digit < 0) {
                return std::nullopt;
            }
            value = value * 16 + static_cast<unsigned>(digit);
        }
        mac[i] = static_cast<uint8_t>(value);
    }
    return mac;
}

void Print(const Json& out) {
    // Device texts are 8-bit; bytes that are not UTF-8 print as U+FFFD (the hex keeps them).
    std::printf("%s\n", out.dump(2, ' ', false, Json::error_handler_t::replace).c_str());
}
}  // namespace

int DumpCommand(const std::vector<std::string>& args) {
    CommonOptions options;
    if (!ParseCommonOptions(args, &options)) {
        return 2;
    }
    if (options.rest.size() != 1) {
        std::fprintf(stderr, "usage: varlo-cli dump MAC [--target A[:P]] [--demo]\n");
        return 2;
    }
    const std::optional<MacBytes> mac = ParseMac(options.rest[0]);
    if (!mac) {
        std::fprintf(stderr, "varlo-cli dump: '%s' is not a MAC address like 00:1A:2B:3C:4D:5E\n",
                     options.rest[0].c_str());
        return 2;
    }
    DemoGuard demo;
    if (!demo.Start(options)) {
        return 1;
    }
    SearchSession search;
    if (!SearchDevices(search)) {
        return 1;
    }
    // The first record with that MAC, as Config on its row would pick it.
    const CConfigParamArray& table = search.Table();
    std::optional<std::size_t> found;
    for (std::size_t i = 0; i < table.GetSize() && !found; ++i) {
        if (table[i].byMac() == *mac) {
            found = i;
        }
    }
    if (!found) {
        std::fprintf(stderr,
                     "varlo-cli dump: no device with MAC %s answered the search (%zu found)\n",
                     FormatMacColon(*mac).c_str(), table.GetSize());
        return 1;
    }
    const _CONFIGPARAM& record = table[*found];
    const uint32_t type = record.dwType();
    const char* name = GetDeviceTypeName(type);
    char typeCode[11];
    std::snprintf(typeCode, sizeof typeCode, "0x%08X", type);

    Json out = {{"device",
                 {{"deviceType", name ? name : ""},
                  {"typeCode", typeCode},
                  {"mac", FormatMacColon(record.byMac())},
                  {"ip", FormatIp(record.dwIp())}}},
                {"dialog", DialogClassOf(type)},
                {"blocks", Json::array()}};
    // The dialog's own opening: each read only when every read before it succeeded.
    ConfigSession session(SessionModelOf(type), record.Identity());
    const std::size_t read = session.Open();
    for (std::size_t i = 0; i < read; ++i) {
        out["blocks"].push_back(DecodeBlock(type, session.Model().blocks[i], *session.Saved(i)));
    }
    if (read < session.BlockCount()) {
        // What was read so far is still printed, marked incomplete.
        const BlockSpec& failed = session.Model().blocks[read];
        out["complete"] = false;
        Print(out);
        std::fprintf(stderr,
                     "varlo-cli dump: %s: reading %s (code 0x%02X) failed: no valid reply\n",
                     FormatMacColon(*mac).c_str(), failed.name, failed.readCode);
        return 1;
    }
    out["complete"] = true;
    Print(out);
    return 0;
}

}  // namespace varlo::cli
