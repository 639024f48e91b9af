#include "sim/ArtNetNodeReplies.h"

#include <algorithm>
#include <cstdio>

#include "artnet/ArtNetBasicParam.h"
#include "artnet/ArtNetCommands.h"
#include "artnet/ArtNetDmxParam.h"
#include "artnet/ArtNetItems.h"
#include "artnet/ArtNetModels.h"
#include "discovery/DeviceType.h"

namespace varlo::sim {

namespace {
using artnet4::ArtAddress;
using artnet4::ArtPollReply;

constexpr uint16_t kFirmware = 0x0203;  // V2.3
constexpr uint16_t kOem = 0x00FF;       // no OEM code of its own
constexpr uint16_t kEstaCode = 0x7FF0;  // ESTA's range for prototypes
constexpr uint8_t kMergeHtp = 1;
constexpr uint8_t kMergeLtp = 2;

const artnet::PortPageModel* GroupPage(const SimDevice& device, uint8_t bindIndex) {
    const artnet::ArtNetModel* model = artnet::FindArtNetModel(device.Type());
    if (model == nullptr || GetDeviceFamily(device.Type()) != DeviceFamily::ArtNetNode ||
        bindIndex < 1 || bindIndex > model->portPages.size()) {
        return nullptr;
    }
    return &model->portPages[bindIndex - 1];
}

template <typename Block>
std::optional<Block> ReadBlock(const SimDevice& device, uint8_t code) {
    const auto found = device.blocks.find(code);
    if (found == device.blocks.end() || found->second.size() < Block::kSize) {
        return std::nullopt;
    }
    Block block;
    block.Assign(found->second.data());
    return block;
}

template <typename Block>
void WriteBlock(SimDevice& device, uint8_t code, Block block) {
    block.StampChecksum();
    device.blocks[code] = Bytes(block.data(), block.data() + block.size());
}
}  // namespace

uint8_t ArtNetGroupCount(const SimDevice& device) {
    uint8_t n = 0;
    while (GroupPage(device, static_cast<uint8_t>(n + 1)) != nullptr) {
        ++n;
    }
    return n;
}

std::optional<ArtPollReply> BuildArtPollReply(const SimDevice& device, uint8_t bindIndex,
                                              unsigned pollsAnswered) {
    const artnet::PortPageModel* page = GroupPage(device, bindIndex);
    if (page == nullptr) {
        return std::nullopt;
    }
    const auto basic = ReadBlock<_ARTNETBASICPARAM>(device, artnet::kReadBasicParam);
    const auto ports = ReadBlock<_ARTNETDMXPARAM>(device, page->readCode);
    if (!basic || !ports) {
        return std::nullopt;
    }
    ArtPollReply reply;
    const Ipv4Bytes nodeA = basic->Addresses(_ARTNETBASICPARAM::kNodeACurrent).ip;
    reply.SetIpAddress(bindIndex == 1 ? nodeA
                                      : basic->Addresses(_ARTNETBASICPARAM::kNodeBCurrent).ip);
    reply.SetBindIp(nodeA);
    reply.SetBindIndex(bindIndex);
    reply.SetFirmware(kFirmware);
    reply.SetOem(kOem);
    reply.SetEstaCode(kEstaCode);
    reply.SetStatus1(device.locating ? ArtPollReply::kIndicatorLocate
                                     : ArtPollReply::kIndicatorNormal);
    const std::string name = basic->DeviceName();
    reply.SetShortName(device.artNetShortName.empty() ? name : device.artNetShortName);
    reply.SetLongName(bindIndex == 1 ? name : name + " NodeB");
    char report[64];
    std::snprintf(report, sizeof report, "#0001 [%04u] Power On Tests successful",
                  pollsAnswered % 10000);
    reply.SetNodeReport(report);
    reply.SetMac(device.record.byMac());
    reply.SetStatus2(ArtPollReply::kStatus2PortAddress15 | ArtPollReply::kStatus2DhcpCapable |
                     (basic->IpType() == 2 ? ArtPollReply::kStatus2DhcpInUse : 0));

    // Art-Net has one sub-net per reply and the node one per port: the first port's speaks
    // for the group, as the node's own pages keep them equal.
    reply.SetPortCount(static_cast<uint16_t>(page->portCount));
    for (std::size_t k = 0; k < page->portCount; ++k) {
        const _DMXPORTPARAM port = ports->Port(page->records[k]);
        if (k == 0) {
            reply.SetSubSwitch(port.SubNet());
        }
        if (port.PortMode() == artnet::kPortModeOutput) {
            reply.SetPortType(k, ArtPollReply::kPortCanOutput);
            reply.SetSwOut(k, port.UniverseInSubNet());
            reply.SetGoodOutput(
                k, static_cast<uint8_t>(
                       ArtPollReply::kOutputTransmitting |
                       (port.MergeMode() == kMergeLtp ? ArtPollReply::kOutputMergeLtp : 0)));
        } else {
            reply.SetPortType(k, ArtPollReply::kPortCanInput);
            reply.SetSwIn(k, port.UniverseInSubNet());
            reply.SetGoodInput(k, ArtPollReply::kInputDataReceived);
        }
    }
    return reply;
}

void ApplyArtAddress(SimDevice& device, uint8_t bindIndex, const ArtAddress& packet) {
    const artnet::PortPageModel* page = GroupPage(device, bindIndex);
    auto basic = ReadBlock<_ARTNETBASICPARAM>(device, artnet::kReadBasicParam);
    auto ports = page ? ReadBlock<_ARTNETDMXPARAM>(device, page->readCode) : std::nullopt;
    if (!basic || !ports) {
        return;
    }
    if (!packet.ShortName().empty()) {
        device.artNetShortName = packet.ShortName();
    }
    if (!packet.LongName().empty()) {
        basic->SetDeviceName(packet.LongName());
        WriteBlock(device, artnet::kReadBasicParam, *basic);
    }
    const std::optional<uint8_t> subNet = packet.SubNetToProgram();
    const uint8_t command = packet.Command();
    for (std::size_t k = 0; k < page->portCount; ++k) {
        _DMXPORTPARAM port = ports->Port(page->records[k]);
        const bool output = port.PortMode() == artnet::kPortModeOutput;
        uint8_t sub = port.SubNet();
        uint8_t universe = port.UniverseInSubNet();
        if (subNet) {
            sub = *subNet;
        }
        if (const auto u = output ? packet.SwOutToProgram(k) : packet.SwInToProgram(k)) {
            universe = *u;
        }
        port.SetUniverse(static_cast<uint8_t>((sub << 4) | universe));
        if (command == ArtAddress::kCmdMergeLtp0 + k) {
            port.SetMergeMode(kMergeLtp);
        } else if (command == ArtAddress::kCmdMergeHtp0 + k) {
            port.SetMergeMode(kMergeHtp);
        }
        ports->SetPort(page->records[k], port);
    }
    WriteBlock(device, page->readCode, *ports);
    if (command == ArtAddress::kCmdLedLocate) {
        device.locating = true;
    } else if (command == ArtAddress::kCmdLedNormal) {
        device.locating = false;
    }
}

}  // namespace varlo::sim
