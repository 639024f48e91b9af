// varlo-cli dump MAC: searches, then reads the device information and every block the device's
// parameter dialog reads, in the dialog's order and stopping at the first failure, and prints
// them as JSON: per block the raw bytes in hex and the decoded fields.
#include <cstdio>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "artnet/ArtNetCommands.h"
#include "cli/BlockJson.h"
#include "cli/CliOptions.h"
#include "cli/Commands.h"
#include "discovery/DeviceFormat.h"
#include "discovery/DeviceType.h"
#include "discovery/SearchSession.h"
#include "serialserver/SerialServerCommands.h"

namespace varlo::cli {

namespace {
// One read of the dialog's opening sequence; nothing when it failed.
struct Step {
    const char* what;  // for the message on standard error
    uint8_t code;
    std::function<std::optional<Json>()> read;
};

// Reads a block and prints it whole: for the device information the whole reply, for a
// parameter block the block as it stands from reply byte 8 on.
template <typename Block, typename Decode>
Step Read(const char* what, const char* name, uint8_t code, bool (*read)(Block*), Decode decode) {
    return {what, code, [=]() -> std::optional<Json> {
                Block block;
                if (!read(&block)) {
                    return std::nullopt;
                }
                char codeText[5];
                std::snprintf(codeText, sizeof codeText, "0x%02X", code);
                return Json{{"block", name},
                            {"code", codeText},
                            {"size", block.size()},
                            {"hex", HexOf(block.data(), block.size())},
                            {"fields", decode(block)}};
            }};
}

template <typename Block>
Step Read(const char* what, const char* name, uint8_t code, bool (*read)(Block*)) {
    return Read(what, name, code, read, [](const Block& b) { return DecodeFields(b); });
}

std::vector<Step> SerialServerSteps() {
    using namespace serialserver;
    return {Read("device information", "deviceInfo", kReadDeviceInfo, &ReadDeviceInfo),
            Read("network block", "_BASICPARAM", kReadBasicParam, &ReadBasicParam),
            Read("wireless block", "_WIRELESSPARAM", kReadWirelessParam, &ReadWirelessParam),
            Read("serial-line block", "_SERIALPARAM", kReadSerialParam, &ReadSerialParam),
            Read("operating-mode block", "_OPMODEPARAM", kReadOpModeParam, &ReadOpModeParam)};
}

Step ReadArtNetInfo(bool module) {
    return Read("device information", "deviceInfo", artnet::kReadDeviceInfo,
                &artnet::ReadDeviceInfo,
                [module](const ArtNetDeviceInfo& info) { return DecodeFields(info, module); });
}

std::vector<Step> ModuleSteps() {
    bool (*readBasic)(_RT5350BASICPARAM*) = &artnet::ReadBasicParam;
    return {ReadArtNetInfo(true),
            Read("network block", "_RT5350BASICPARAM", artnet::kReadBasicParam, readBasic)};
}

std::vector<Step> NodeSteps(uint32_t type) {
    // The port each record carries on the model's DMX page (0: not shown). The LUMA-1 keeps its
    // one port in record 1, the LUMA-EX in record 0; the LUMA-8 shows ports 5-8 from NodeB.
    static constexpr int kNone[4] = {0, 0, 0, 0};
    static constexpr int kLuma1[4] = {0, 1, 0, 0};
    static constexpr int kLuma2[4] = {1, 2, 0, 0};
    static constexpr int kFour[4] = {1, 2, 3, 4};
    static constexpr int kLuma8B[4] = {5, 6, 7, 8};
    static constexpr int kLumaEx[4] = {1, 0, 0, 0};
    const int(&nodeAPorts)[4] = type == DEVTYPE_LUMA_1                             ? kLuma1
                                : type == DEVTYPE_LUMA_2                           ? kLuma2
                                : type == DEVTYPE_LUMA_EX                          ? kLumaEx
                                : type == DEVTYPE_LUMA_4 || type == DEVTYPE_LUMA_8 ? kFour
                                                                                   : kNone;
    bool (*readBasic)(_ARTNETBASICPARAM*) = &artnet::ReadBasicParam;
    std::vector<Step> steps = {
        ReadArtNetInfo(false),
        Read("network block", "_ARTNETBASICPARAM", artnet::kReadBasicParam, readBasic),
        Read("NodeA port block", "_ARTNETDMXPARAM", artnet::kReadNodeAParam,
             &artnet::ReadNodeAParam,
             [&nodeAPorts](const _ARTNETDMXPARAM& b) { return DecodeFields(b, nodeAPorts); })};
    if (type == DEVTYPE_LUMA_8) {
        steps.push_back(Read("NodeB port block", "_ARTNETDMXPARAM", artnet::kReadNodeBParam,
                             &artnet::ReadNodeBParam,
                             [](const _ARTNETDMXPARAM& b) { return DecodeFields(b, kLuma8B); }));
    }
    return steps;
}

const char* DialogOf(uint32_t type) {
    switch (type) {
        case DEVTYPE_LUMA_AIR_MODULE:
            return "CRT5350OptionsDlg";
        case DEVTYPE_LUMA_1:
            return "CArtNet1OptionsDlg";
        case DEVTYPE_LUMA_2:
            return "CArtNet2OptionsDlg";
        case DEVTYPE_LUMA_4:
            return "CArtNet4OptionsDlg";
        case DEVTYPE_LUMA_8:
            return "CArtNet8OptionsDlg";
        case DEVTYPE_LUMA_EX:
            return "CArtNet1EMOptionsDlg";
        default:
            return "COptionsDlg";
    }
}

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
    SearchSession session;
    if (!SearchDevices(session)) {
        return 1;
    }
    // The first record with that MAC, as Config on its row would pick it.
    const CConfigParamArray& table = session.Table();
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
    g_nCurDevice = static_cast<int>(*found);
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
                {"dialog", DialogOf(type)},
                {"blocks", Json::array()}};
    const DeviceFamily family = GetDeviceFamily(type);
    const std::vector<Step> steps = family == DeviceFamily::SerialServer   ? SerialServerSteps()
                                    : family == DeviceFamily::ArtNetModule ? ModuleSteps()
                                                                           : NodeSteps(type);
    for (const Step& step : steps) {
        std::optional<Json> block = step.read();
        if (!block) {
            // What was read so far is still printed, marked incomplete.
            out["complete"] = false;
            Print(out);
            std::fprintf(stderr,
                         "varlo-cli dump: %s: reading the %s (code 0x%02X) failed: no valid "
                         "reply\n",
                         FormatMacColon(*mac).c_str(), step.what, step.code);
            return 1;
        }
        out["blocks"].push_back(std::move(*block));
    }
    out["complete"] = true;
    Print(out);
    return 0;
}

}  // namespace varlo::cli
