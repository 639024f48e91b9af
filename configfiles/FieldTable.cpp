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
#include "configfiles/HexText.h"
#include "discovery/DeviceType.h"
#include "serialserver/BasicParam.h"
#include "serialserver/OpModeParam.h"
#include "serialserver/SerialParam.h"
#include "serialserver/SerialServerItems.h"
#include "serialserver/SerialServerModel.h"
#include "serialserver/WirelessParam.h"

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

FieldSpec Secret(FieldSpec f) {
    f.secret = true;
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
            f.push_back(Secret(
                Editable(KeyBytes((length == 0 ? "wepKeys64." : "wepKeys128.") + std::to_string(k),
                                  slot.offset, slot.keyBytes))));
        }
    }
    f.push_back(Editable(
        List("wpaCipher", W::kWpaCipher, 4, kWpaCipherItems.items, kWpaCipherItems.firstWire)));
    f.push_back(Secret(Editable(Text("passPhrase", W::kPassPhrase, W::kPassPhraseWidth, false))));
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
    return TypeCodeText(type);
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

}  // namespace varlo
