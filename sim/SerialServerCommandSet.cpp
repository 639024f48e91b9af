// A simulated serial server: five reads and four writes, frames without checksums. It knows
// neither the finish command nor Default, so those get no reply.
#include "serialserver/SerialServerCommands.h"
#include "sim/CommandSet.h"
#include "sim/SimReplies.h"

namespace varlo::sim {

namespace {
using namespace varlo::serialserver;

constexpr std::size_t kInfoBody = kReplyHeaderSize;  // stored from reply byte 8

BlockLayout LayoutOf(uint8_t readCode) {
    using W = _WIRELESSPARAM;
    using O = _OPMODEPARAM;
    using I = SerialDeviceInfo;
    BlockLayout l;
    switch (readCode) {
        case kReadDeviceInfo:
            l.texts = {{I::kFirmwareVersion - kInfoBody, I::kFirmwareVersionWidth},
                       {I::kHardwareVersion - kInfoBody, I::kHardwareVersionWidth},
                       {I::kModuleName - kInfoBody, I::kModuleNameWidth}};
            l.unused = {{I::kReserved68 - kInfoBody, 2}};
            break;
        case kReadBasicParam:
            l.texts = {{_BASICPARAM::kDeviceName, _BASICPARAM::kDeviceNameWidth}};
            break;
        case kReadWirelessParam:
            l.texts = {{W::kSsid, W::kSsidWidth}, {W::kPassPhrase, W::kPassPhraseWidth}};
            l.unused = {{W::kReserved, 4}};
            for (std::size_t k = 0; k < W::kWepKeyCount; ++k) {
                for (const uint32_t length : {0u, 1u}) {
                    const W::WepSlot slot = W::WepKeySlot(length, k);
                    l.unused.push_back({slot.offset + slot.keyBytes, 3});
                }
            }
            break;
        case kReadOpModeParam:
            for (std::size_t i = 0; i < O::kDestinationCount; ++i) {
                l.texts.push_back({O::TcpClientAddressAt(i), O::kAddressWidth});
                l.texts.push_back({O::UdpAddressAt(i), O::kAddressWidth});
            }
            l.unused = {{O::kReserved1, 2}, {O::kReserved2, 2}};
            break;
        default:
            break;
    }
    return l;
}

CommandHandler ReadHandler(uint8_t code) {
    return [code](SimDevice& device, const Bytes& request) -> std::optional<Bytes> {
        const auto block = device.blocks.find(code);
        if (request.size() != kRequestHeaderSize || !LengthFieldMatches(request) ||
            block == device.blocks.end()) {
            return std::nullopt;
        }
        return ReadReply(
            code, device.faults.dirtyText ? Dirtied(block->second, LayoutOf(code)) : block->second);
    };
}

CommandSet Build() {
    CommandSet set;
    for (const uint8_t code : {kReadDeviceInfo, kReadBasicParam, kReadWirelessParam,
                               kReadSerialParam, kReadOpModeParam}) {
        set.On(code, ReadHandler(code));
    }
    set.On(kWriteBasicParam, WriteHandler(kWriteBasicParam, kReadBasicParam));
    set.On(kWriteWirelessParam, WriteHandler(kWriteWirelessParam, kReadWirelessParam));
    set.On(kWriteSerialParam, WriteHandler(kWriteSerialParam, kReadSerialParam));
    set.On(kWriteOpModeParam, WriteHandler(kWriteOpModeParam, kReadOpModeParam));
    return set;
}
}  // namespace

const CommandSet& SerialServerCommands() {
    static const CommandSet set = Build();
    return set;
}

}  // namespace varlo::sim
