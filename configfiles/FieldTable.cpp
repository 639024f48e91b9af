#include "configfiles/FieldTable.h"

#include <algorithm>
#include <cstdio>
#include <map>

#include "artnet/ArtNetBasicParam.h"
#include "artnet/ArtNetCommands.h"
#include "artnet/ArtNetDmxParam.h"
#include "artnet/ArtNetItems.h"
#include "artnet/ArtNetModels.h"
#include "artnet/DmxPortPage.h"
#include "artnet/Rt5350BasicParam.h"
#include "configfiles/BlockJson.h"
#include "discovery/DeviceType.h"
#include "serialserver/BasicParam.h"
#include "serialserver/OpModeParam.h"
#include "serialserver/SerialParam.h"
#include "serialserver/SerialServerItems.h"
#include "serialserver/SerialServerModel.h"
#include "serialserver/WirelessParam.h"
#include "transport/ByteOrder.h"
#include "transport/FrameCrc.h"
#include "transport/TransportSettings.h"

namespace varlo {

namespace {

// Builders of one field each; `editable` and `own` are set by the caller where they apply.
FieldSpec Text(std::string path, std::size_t offset, std::size_t width, bool padded) {
    FieldSpec f;
    f.path = std::move(path);
    f.kind = FieldKind::Text;
    f.offset = offset;
    f.width = width;
    f.paddedText = padded;
    return f;
}

FieldSpec Number(std::string path, std::size_t offset, std::size_t width, uint32_t min,
                 uint32_t max) {
    FieldSpec f;
    f.path = std::move(path);
    f.kind = FieldKind::Number;
    f.offset = offset;
    f.width = width;
    f.min = min;
    f.max = max;
    return f;
}

FieldSpec List(std::string path, std::size_t offset, std::size_t width,
               std::span<const char* const> items, uint32_t firstWire = 0) {
    FieldSpec f;
    f.path = std::move(path);
    f.kind = FieldKind::List;
    f.offset = offset;
    f.width = width;
    f.items = items;
    f.firstWire = firstWire;
    return f;
}

FieldSpec Address(std::string path, std::size_t offset) {
    FieldSpec f;
    f.path = std::move(path);
    f.kind = FieldKind::Address;
    f.offset = offset;
    f.width = 4;
    return f;
}

FieldSpec KeyBytes(std::string path, std::size_t offset, std::size_t width) {
    FieldSpec f;
    f.path = std::move(path);
    f.kind = FieldKind::KeyBytes;
    f.offset = offset;
    f.width = width;
    return f;
}

FieldSpec Checksum(std::size_t offset) {
    FieldSpec f;
    f.path = "checksum";
    f.kind = FieldKind::Checksum;
    f.offset = offset;
    f.width = 2;
    return f;
}

FieldSpec Editable(FieldSpec f, bool editable = true) {
    f.editable = editable;
    return f;
}

FieldSpec Own(FieldSpec f) {
    f.own = true;
    return f;
}

// The serial-server pages let the operator edit every field they show, and they show all of
// them. The keep-alive fields take the range their labels give, "(0-99 min)".
constexpr uint32_t kKeepAliveMax = 99;
constexpr uint32_t kPortMax = 0xFFFF;

std::vector<FieldSpec> SerialBasicFields() {
    using B = _BASICPARAM;
    using namespace serialserver;
    return {Own(Editable(Text("deviceName", B::kDeviceName, B::kDeviceNameWidth, false))),
            Own(Editable(List("ipAddressType", B::kIpType, 4, kIpTypeItems.items))),
            Own(Editable(Address("localIp", B::kLocalIp))),
            Own(Editable(Address("subnetMask", B::kSubnetMask))),
            Own(Editable(Address("defaultGateway", B::kGateway))),
            Own(Editable(Address("preferredDns", B::kPreferredDns))),
            Own(Editable(Address("alternateDns", B::kAlternateDns)))};
}

std::vector<FieldSpec> SerialWirelessFields() {
    using W = _WIRELESSPARAM;
    using namespace serialserver;
    std::vector<FieldSpec> f = {
        Editable(Text("ssid", W::kSsid, W::kSsidWidth, false)),
        Editable(List("wirelessMode", W::kWirelessMode, 4, kWirelessModeItems.items)),
        Editable(List("encryptionMode", W::kEncryptionMode, 4, kEncryptionModeItems.items)),
        Editable(List("wepKeyLength", W::kWepKeyLength, 4, kWepKeyLengthItems.items)),
        Editable(List("wepKeyFormat", W::kWepKeyFormat, 4, kWepKeyTypeItems.items)),
        Editable(List("wepDefaultKey", W::kWepDefaultKey, 4, kWepDefaultKeyItems.items))};
    for (const uint32_t length : {0u, 1u}) {
        for (std::size_t k = 0; k < W::kWepKeyCount; ++k) {
            const W::WepSlot slot = W::WepKeySlot(length, k);
            f.push_back(
                Editable(KeyBytes((length == 0 ? "wepKeys64." : "wepKeys128.") + std::to_string(k),
                                  slot.offset, slot.keyBytes)));
        }
    }
    f.push_back(Editable(
        List("wpaCipher", W::kWpaCipher, 4, kWpaCipherItems.items, kWpaCipherItems.firstWire)));
    f.push_back(Editable(Text("passPhrase", W::kPassPhrase, W::kPassPhraseWidth, false)));
    return f;
}

std::vector<FieldSpec> SerialLineFields() {
    using S = _SERIALPARAM;
    using namespace serialserver;
    return {
        Editable(List("baudRate", S::kBaudRate, 4, kBaudRateItems.items, kBaudRateItems.firstWire)),
        Editable(List("dataBits", S::kDataBits, 4, kDataBitsItems.items)),
        Editable(List("stopBits", S::kStopBits, 4, kStopBitsItems.items)),
        Editable(List("parity", S::kParity, 4, kParityItems.items))};
}

std::vector<FieldSpec> SerialOpModeFields() {
    using O = _OPMODEPARAM;
    using namespace serialserver;
    std::vector<FieldSpec> f = {
        Editable(List("operatingMode", O::kOpMode, 4, kOpModeItems.items)),
        Editable(Number("realCom.keepAliveMinutes", O::kRealComKeepAlive, 4, 0, kKeepAliveMax)),
        Editable(Number("tcpServer.keepAliveMinutes", O::kTcpServerKeepAlive, 4, 0, kKeepAliveMax)),
        Editable(Number("tcpServer.localPort", O::kTcpServerPort, 2, 0, kPortMax)),
        Editable(
            Number("tcpClient.keepAliveMinutes", O::kTcpClientKeepAlive, 4, 0, kKeepAliveMax))};
    for (std::size_t i = 0; i < O::kDestinationCount; ++i) {
        const std::string at = "tcpClient.destinations." + std::to_string(i);
        f.push_back(
            Editable(Text(at + ".address", O::TcpClientAddressAt(i), O::kAddressWidth, false)));
        f.push_back(Editable(Number(at + ".port", O::TcpClientPortAt(i), 2, 0, kPortMax)));
    }
    for (std::size_t i = 0; i < O::kDestinationCount; ++i) {
        const std::string at = "udp.destinations." + std::to_string(i);
        f.push_back(Editable(Text(at + ".address", O::UdpAddressAt(i), O::kAddressWidth, false)));
        f.push_back(Editable(Number(at + ".port", O::UdpPortAt(i), 2, 0, kPortMax)));
    }
    f.push_back(Editable(Number("udp.listenPort", O::kUdpListenPort, 2, 0, kPortMax)));
    return f;
}

// The node's network block. The current address sets are what the device uses now: the page
// shows them read-only. The NodeB group and "Display Hold Time:" exist on every page but only
// the pages that show them let the operator edit them.
std::vector<FieldSpec> NodeBasicFields(const artnet::BasicPageModel& page) {
    using B = _ARTNETBASICPARAM;
    using namespace artnet;
    std::vector<FieldSpec> f = {
        Own(Editable(Text("deviceName", B::kDeviceName, B::kDeviceNameWidth, true))),
        Editable(List("dmxHoldTime", B::kDmxHoldTime, 1, kDmxHoldTimeItems.items)),
        Editable(List("displayHoldTime", B::kDisplayHoldTime, 1, kDisplayHoldTimeItems.items),
                 page.showDisplayHold),
        Own(Editable(List("ipAddressType", B::kIpType, 1, kIpTypeItems.items)))};
    const struct {
        const char* prefix;
        std::size_t at;
        bool editable;
    } sets[] = {{"nodeA.current.", B::kNodeACurrent, false},
                {"nodeA.static.", B::kNodeAStatic, true},
                {"nodeB.current.", B::kNodeBCurrent, false},
                {"nodeB.static.", B::kNodeBStatic, page.showNodeB}};
    for (const auto& set : sets) {
        const std::string p = set.prefix;
        f.push_back(Own(Editable(Address(p + "localIp", set.at), set.editable)));
        f.push_back(Own(Editable(Address(p + "subnetMask", set.at + 4), set.editable)));
        f.push_back(Own(Editable(Address(p + "gateway", set.at + 8), set.editable)));
    }
    f.push_back(Checksum(B::kChecksum));
    return f;
}

// The module's page shows its name read-only and lets the operator change the address and mask.
std::vector<FieldSpec> ModuleBasicFields() {
    using R = _RT5350BASICPARAM;
    return {Own(Text("deviceName", R::kDeviceName, R::kDeviceNameWidth, true)),
            Own(Editable(Address("localIp", R::kIpAddress))),
            Own(Editable(Address("subnetMask", R::kSubnetMask))), Checksum(R::kChecksum)};
}

// A port block: the records a page shows are editable in the controls the page shows; the other
// records go back as read.
std::vector<FieldSpec> PortFields(const artnet::PortPageModel* page) {
    using P = _DMXPORTPARAM;
    using namespace artnet;
    std::vector<FieldSpec> f;
    for (std::size_t k = 0; k < _ARTNETDMXPARAM::kPortCount; ++k) {
        bool shown = false;
        for (std::size_t i = 0; page && i < page->portCount; ++i) {
            shown = shown || page->records[i] == k;
        }
        const std::size_t r = _ARTNETDMXPARAM::RecordAt(k);
        const std::string at = "ports." + std::to_string(k) + ".";
        f.push_back(Editable(List(at + "mode", r + P::kPortMode, 1, kPortModeItems.items),
                             shown && page->showMode && !page->modeAlwaysOutput));
        f.push_back(
            Editable(Number(at + "universe", r + P::kUniverse, 1, 0, artnet::kMaxUniverse), shown));
        f.push_back(Editable(
            Number(at + "frameRate", r + P::kFrameRate, 1, 0, artnet::kMaxFrameRate), shown));
        f.push_back(Editable(List(at + "merge", r + P::kMergeMode, 1, kMergeModeItems.items),
                             shown && page->showMerge));
        f.push_back(
            Editable(Number(at + "unicast", r + P::kUnicast, 1, 0, 1), shown && page->showUnicast));
        f.push_back(Editable(Address(at + "unicastAddress", r + P::kUnicastAddress),
                             shown && page->showUnicast));
    }
    f.push_back(Checksum(_ARTNETDMXPARAM::kChecksum));
    return f;
}

std::string CodeText(uint8_t code) {
    char text[5];
    std::snprintf(text, sizeof text, "0x%02X", code);
    return text;
}

// Labels the model's writable blocks: the block's name, with its read code when another block of
// the model has the same name.
void Label(const SessionModel& session, ModelFields* model) {
    for (BlockFields& b : model->blocks) {
        const std::size_t sameName =
            std::count_if(session.blocks.begin(), session.blocks.end(), [&](const BlockSpec& s) {
                return std::string_view(s.name) == session.blocks[b.index].name;
            });
        b.label = session.blocks[b.index].name;
        if (sameName > 1) {
            b.label += "@" + CodeText(b.readCode);
        }
    }
}

BlockFields Block(const SessionModel& session, std::size_t index, std::vector<FieldSpec> fields) {
    BlockFields b;
    b.index = index;
    b.readCode = session.blocks[index].readCode;
    b.size = session.blocks[index].size;
    b.fields = std::move(fields);
    for (const FieldSpec& f : b.fields) {
        if (f.kind == FieldKind::Checksum) {
            b.checksumAt = f.offset;
        }
    }
    return b;
}

ModelFields BuildSerialServer() {
    const SessionModel& s = serialserver::GetSerialServerModel().session;
    using namespace serialserver;
    ModelFields m;
    m.blocks.push_back(Block(s, kBasicBlock, SerialBasicFields()));
    m.blocks.push_back(Block(s, kWirelessBlock, SerialWirelessFields()));
    m.blocks.push_back(Block(s, kSerialBlock, SerialLineFields()));
    m.blocks.push_back(Block(s, kOpModeBlock, SerialOpModeFields()));
    Label(s, &m);
    return m;
}

ModelFields BuildArtNet(const artnet::ArtNetModel& model) {
    const SessionModel& s = model.session;
    ModelFields m;
    m.modelName = model.modelName;
    for (std::size_t i = 0; i < s.blocks.size(); ++i) {
        const BlockSpec& layout = s.blocks[i];
        if (!layout.Writable()) {
            continue;
        }
        if (layout.readCode == artnet::kReadBasicParam) {
            const bool module = model.basic.rule == artnet::AddressRule::Module;
            BlockFields b =
                Block(s, i, module ? ModuleBasicFields() : NodeBasicFields(model.basic));
            b.zeroedAt = module ? _RT5350BASICPARAM::kTrailer : _ARTNETBASICPARAM::kTrailer;
            m.blocks.push_back(std::move(b));
            continue;
        }
        const artnet::PortPageModel* page = nullptr;
        for (const artnet::PortPageModel& p : model.portPages) {
            if (p.readCode == layout.readCode) {
                page = &p;
            }
        }
        m.blocks.push_back(Block(s, i, PortFields(page)));
    }
    Label(s, &m);
    return m;
}

std::string NormalizedPath(std::string_view path) {
    // "ports[1].universe" -> "ports.1.universe"
    std::string out;
    for (const char c : path) {
        if (c == '[') {
            out += '.';
        } else if (c != ']') {
            out += c;
        }
    }
    return out;
}

bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c + 32) : c; };
               return lower(x) == lower(y);
           });
}

bool ParseDecimal(std::string_view text, uint32_t* out) {
    if (text.empty() || text.size() > 10) {
        return false;
    }
    uint64_t v = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') {
            return false;
        }
        v = v * 10 + static_cast<uint64_t>(c - '0');
    }
    if (v > 0xFFFFFFFFu) {
        return false;
    }
    *out = static_cast<uint32_t>(v);
    return true;
}

uint32_t LoadNumber(const uint8_t* p, std::size_t width) {
    switch (width) {
        case 1:
            return p[0];
        case 2:
            return LoadBE16(p);
        default:
            return LoadBE32(p);
    }
}

void StoreNumber(uint8_t* p, std::size_t width, uint32_t v) {
    switch (width) {
        case 1:
            p[0] = static_cast<uint8_t>(v);
            break;
        case 2:
            StoreBE16(p, static_cast<uint16_t>(v));
            break;
        default:
            StoreBE32(p, v);
            break;
    }
}

std::string ItemsText(const FieldSpec& f) {
    std::string out;
    for (std::size_t i = 0; i < f.items.size(); ++i) {
        out += (i ? ", \"" : "\"") + std::string(f.items[i]) + "\" (" +
               std::to_string(f.firstWire + i) + ")";
    }
    return out;
}

// The wire value a list value entered as text stands for: its item text (exactly, or ignoring
// ASCII case), otherwise the number of an item.
std::optional<uint32_t> ListWire(const FieldSpec& f, std::string_view text) {
    for (std::size_t i = 0; i < f.items.size(); ++i) {
        if (text == f.items[i]) {
            return f.firstWire + static_cast<uint32_t>(i);
        }
    }
    for (std::size_t i = 0; i < f.items.size(); ++i) {
        if (EqualsIgnoringAsciiCase(text, f.items[i])) {
            return f.firstWire + static_cast<uint32_t>(i);
        }
    }
    uint32_t v = 0;
    if (ParseDecimal(text, &v) && v >= f.firstWire && v - f.firstWire < f.items.size()) {
        return v;
    }
    return std::nullopt;
}

int HexDigit(char c) {
    return c >= '0' && c <= '9'   ? c - '0'
           : c >= 'a' && c <= 'f' ? c - 'a' + 10
           : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                  : -1;
}

std::string Quoted(const uint8_t* p, std::size_t width) {
    std::string out = "\"";
    for (std::size_t i = 0; i < width && p[i] != 0; ++i) {
        const uint8_t c = p[i];
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c < 0x20 || c == 0x7F) {
            char esc[5];
            std::snprintf(esc, sizeof esc, "\\x%02X", c);
            out += esc;
        } else {
            out += static_cast<char>(c);  // 8-bit texts go out as the device holds them
        }
    }
    return out + "\"";
}
}  // namespace

const ModelFields& FieldsOf(uint32_t type) {
    // Built once, before any worker thread asks (function statics are thread-safe anyway).
    static const std::map<uint32_t, ModelFields> artNet = [] {
        std::map<uint32_t, ModelFields> m;
        for (const artnet::ArtNetModel& model : artnet::ArtNetModels()) {
            m.emplace(model.type, BuildArtNet(model));
        }
        return m;
    }();
    static const ModelFields serial = BuildSerialServer();
    const auto found = artNet.find(type);
    return found != artNet.end() ? found->second : serial;
}

std::vector<uint32_t> ModelTypes() {
    std::vector<uint32_t> types = {DEVTYPE_KV70};
    for (const artnet::ArtNetModel& m : artnet::ArtNetModels()) {
        types.push_back(m.type);
    }
    return types;
}

std::string ModelNameOf(uint32_t type) {
    if (const char* name = GetDeviceTypeName(type)) {
        return name;
    }
    char code[11];
    std::snprintf(code, sizeof code, "0x%08X", type);
    return code;
}

FieldRef FindField(const ModelFields& model, std::string_view path, std::string* error) {
    const std::string wanted = NormalizedPath(path);
    std::vector<FieldRef> found;
    for (const BlockFields& b : model.blocks) {
        const std::string prefix = b.label + ".";
        // Without the code suffix the block's name still selects it when it is unique.
        const std::string plain = b.label.substr(0, b.label.find('@')) + ".";
        for (const FieldSpec& f : b.fields) {
            if (wanted == f.path || wanted == prefix + f.path || wanted == plain + f.path) {
                found.push_back({&b, &f});
            }
        }
    }
    if (found.size() == 1) {
        return found[0];
    }
    if (found.empty()) {
        *error = "no field '" + wanted + "'";
    } else {
        *error = "'" + wanted + "' is in " + std::to_string(found.size()) + " blocks: write";
        for (std::size_t i = 0; i < found.size(); ++i) {
            *error += (i ? " or " : " ") + found[i].block->label + "." + found[i].field->path;
        }
    }
    return {};
}

FieldRef FindEditableField(const ModelFields& model, std::string_view path, std::string* error) {
    FieldRef ref = FindField(model, path, error);
    if (ref && !ref.field->editable) {
        *error = "'" + ref.block->label + "." + ref.field->path +
                 "' is not a field the dialog lets an operator change";
        return {};
    }
    return ref;
}

bool StoreValue(const FieldSpec& f, std::string_view text, Bytes* block, std::string* error) {
    if (f.offset + f.width > block->size()) {
        *error = "block too short";
        return false;
    }
    uint8_t* p = block->data() + f.offset;
    switch (f.kind) {
        case FieldKind::Text: {
            if (text.size() > f.width - 1) {
                *error = "at most " + std::to_string(f.width - 1) + " characters";
                return false;
            }
            if (text.find('\0') != std::string_view::npos) {
                *error = "a text cannot hold a zero byte";
                return false;
            }
            if (f.paddedText) {
                std::fill_n(p, f.width, uint8_t{0});
            }
            std::copy(text.begin(), text.end(), p);
            p[text.size()] = 0;
            return true;
        }
        case FieldKind::Number: {
            uint32_t v = 0;
            if (!ParseDecimal(text, &v) || v < f.min || v > f.max) {
                *error =
                    "an integer between " + std::to_string(f.min) + " and " + std::to_string(f.max);
                return false;
            }
            StoreNumber(p, f.width, v);
            return true;
        }
        case FieldKind::List: {
            const std::optional<uint32_t> wire = ListWire(f, text);
            if (!wire) {
                *error = "one of " + ItemsText(f);
                return false;
            }
            StoreNumber(p, f.width, *wire);
            return true;
        }
        case FieldKind::Address: {
            uint32_t a = 0;
            if (!ParseIpv4(text, &a)) {
                *error = "an IPv4 address like 192.168.1.50";
                return false;
            }
            StoreBE32(p, a);
            return true;
        }
        case FieldKind::KeyBytes: {
            if (text.size() != 2 * f.width ||
                !std::all_of(text.begin(), text.end(), [](char c) { return HexDigit(c) >= 0; })) {
                *error = "exactly " + std::to_string(2 * f.width) + " hexadecimal digits";
                return false;
            }
            for (std::size_t i = 0; i < f.width; ++i) {
                p[i] = static_cast<uint8_t>(HexDigit(text[2 * i]) * 16 + HexDigit(text[2 * i + 1]));
            }
            return true;
        }
        case FieldKind::Checksum:
            break;
    }
    *error = "computed, not entered";
    return false;
}

std::string DescribeField(const FieldSpec& f) {
    switch (f.kind) {
        case FieldKind::Text:
            return "text, at most " + std::to_string(f.width - 1) + " characters";
        case FieldKind::Number:
            return "an integer between " + std::to_string(f.min) + " and " + std::to_string(f.max);
        case FieldKind::List:
            return "one of " + ItemsText(f);
        case FieldKind::Address:
            return "an IPv4 address";
        case FieldKind::KeyBytes:
            return std::to_string(2 * f.width) + " hexadecimal digits";
        case FieldKind::Checksum:
            break;
    }
    return "computed";
}

std::string ShowValue(const FieldSpec& f, const Bytes& block) {
    if (f.offset + f.width > block.size()) {
        return "?";
    }
    const uint8_t* p = block.data() + f.offset;
    switch (f.kind) {
        case FieldKind::Text:
            return Quoted(p, f.width);
        case FieldKind::Number:
            return std::to_string(LoadNumber(p, f.width));
        case FieldKind::List: {
            const uint32_t v = LoadNumber(p, f.width);
            const bool hasItem = v >= f.firstWire && v - f.firstWire < f.items.size();
            return std::to_string(v) + " (" +
                   (hasItem ? std::string(f.items[v - f.firstWire]) : std::string("no item")) + ")";
        }
        case FieldKind::Address:
            return FormatIpv4(LoadBE32(p));
        case FieldKind::KeyBytes:
            return HexOf(p, f.width);
        case FieldKind::Checksum: {
            char text[7];
            std::snprintf(text, sizeof text, "0x%04X", LoadBE16(p));
            return text;
        }
    }
    return "?";
}

void StampChecksum(const BlockFields& block, Bytes* bytes) {
    if (block.checksumAt && *block.checksumAt + 2 <= bytes->size()) {
        StampFrameCrc(bytes->data(), static_cast<uint16_t>(*block.checksumAt));
    }
}

void FinishBuiltBlock(const BlockFields& block, Bytes* bytes) {
    if (block.zeroedAt && *block.zeroedAt + 2 <= bytes->size()) {
        (*bytes)[*block.zeroedAt] = 0;
        (*bytes)[*block.zeroedAt + 1] = 0;
    }
    StampChecksum(block, bytes);
}

bool ChecksumValid(const BlockFields& block, const Bytes& bytes) {
    if (!block.checksumAt) {
        return true;
    }
    const std::size_t at = *block.checksumAt;
    if (at + 2 > bytes.size()) {
        return false;
    }
    uint8_t expected[2];
    StoreFrameCrc(expected, CalcFrameCrc(bytes.data(), static_cast<uint16_t>(at)));
    return expected[0] == bytes[at] && expected[1] == bytes[at + 1];
}

}  // namespace varlo
