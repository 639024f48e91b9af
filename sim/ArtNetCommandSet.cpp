// A simulated Art-Net node or WiFi module. Reads and the two bodiless commands come as 24-byte
// short requests; a frame whose header checksum does not match is dropped, and a written block
// whose own checksum does not match is refused with status 1, as a careful device does. The
// module knows only the device information, its network block and Default.
#include "artnet/ArtNetCommands.h"
#include "sim/CommandSet.h"
#include "sim/SimReplies.h"
#include "transport/FrameCrc.h"

namespace varlo::sim {

namespace {
using namespace varlo::artnet;

constexpr std::size_t kInfoBody = kReplyHeaderSize;  // stored from reply byte 8

// The layout of the block a read code returns; the module's network block is told apart from
// the nodes' by its size.
BlockLayout LayoutOf(uint8_t readCode, std::size_t blockSize) {
    using I = ArtNetDeviceInfo;
    BlockLayout l;
    switch (readCode) {
        case kReadDeviceInfo:
            l.texts = {{I::kFirmwareVersion - kInfoBody, I::kFirmwareVersionWidth},
                       {I::kHardwareVersion - kInfoBody, I::kHardwareVersionWidth},
                       {I::kModuleName - kInfoBody, I::kModuleNameWidth}};
            l.unused = {{I::kReserved68 - kInfoBody, 2}, {I::kReserved76 - kInfoBody, 4}};
            break;
        case kReadBasicParam:
            if (blockSize == _RT5350BASICPARAM::kSize) {
                using R = _RT5350BASICPARAM;
                l.texts = {{R::kDeviceName, R::kDeviceNameWidth}};
                l.unused = {
                    {R::kReserved32, 4}, {R::kReserved44, R::kReserved44Width}, {R::kTrailer, 2}};
                l.checksumAt = R::kChecksum;
            } else {
                using B = _ARTNETBASICPARAM;
                l.texts = {{B::kDeviceName, B::kDeviceNameWidth}};
                l.unused = {{B::kReserved34, 1}, {B::kTrailer, 2}};
                l.checksumAt = B::kChecksum;
            }
            break;
        case kReadNodeAParam:
        case kReadNodeBParam:
            for (std::size_t k = 0; k < _ARTNETDMXPARAM::kPortCount; ++k) {
                const std::size_t r = _ARTNETDMXPARAM::RecordAt(k);
                l.unused.push_back({r + _DMXPORTPARAM::kReserved1, 1});
                l.unused.push_back({r + _DMXPORTPARAM::kReserved5, 2});
            }
            l.unused.push_back({_ARTNETDMXPARAM::kTrailer, 2});
            l.checksumAt = _ARTNETDMXPARAM::kChecksum;
            break;
        default:
            break;
    }
    return l;
}

bool ChecksumMatches(const Bytes& block, std::optional<std::size_t> crcAt) {
    if (!crcAt || *crcAt + 2 > block.size()) {
        return false;
    }
    uint8_t crc[2];
    StoreFrameCrc(crc, CalcFrameCrc(block.data(), static_cast<uint16_t>(*crcAt)));
    return crc[0] == block[*crcAt] && crc[1] == block[*crcAt + 1];
}

CommandHandler ReadHandler(uint8_t code) {
    return [code](SimDevice& device, const Bytes& request) -> std::optional<Bytes> {
        const auto block = device.blocks.find(code);
        if (!IsShortRequest(request) || block == device.blocks.end()) {
            return std::nullopt;
        }
        const Bytes& b = block->second;
        return ReadReply(code, device.faults.dirtyText ? Dirtied(b, LayoutOf(code, b.size())) : b);
    };
}

// A careful device refuses a block whose checksum does not match its bytes.
bool ChecksumAccepted(uint8_t readCode, const Bytes& block) {
    return ChecksumMatches(block, LayoutOf(readCode, block.size()).checksumAt);
}

std::optional<Bytes> Finish(SimDevice&, const Bytes& request) {
    if (!IsShortRequest(request)) {
        return std::nullopt;
    }
    return Ack(kApplyFinish);
}

std::optional<Bytes> Default(SimDevice& device, const Bytes& request) {
    if (!IsShortRequest(request)) {
        return std::nullopt;
    }
    device.blocks = device.factory;
    return Ack(kDefault);
}

CommandSet BuildNode() {
    CommandSet set;
    for (const uint8_t code :
         {kReadDeviceInfo, kReadBasicParam, kReadNodeAParam, kReadNodeBParam}) {
        set.On(code, ReadHandler(code));
    }
    // A node without a NodeB block (all but the LUMA-8) stays silent on 0x05 and 0x09.
    set.On(kWriteBasicParam, WriteHandler(kWriteBasicParam, kReadBasicParam, ChecksumAccepted));
    set.On(kWriteNodeAParam, WriteHandler(kWriteNodeAParam, kReadNodeAParam, ChecksumAccepted));
    set.On(kWriteNodeBParam, WriteHandler(kWriteNodeBParam, kReadNodeBParam, ChecksumAccepted));
    set.On(kApplyFinish, Finish);
    set.On(kDefault, Default);
    return set;
}

CommandSet BuildModule() {
    CommandSet set;
    set.On(kReadDeviceInfo, ReadHandler(kReadDeviceInfo));
    set.On(kReadBasicParam, ReadHandler(kReadBasicParam));
    set.On(kWriteBasicParam, WriteHandler(kWriteBasicParam, kReadBasicParam, ChecksumAccepted));
    set.On(kDefault, Default);
    return set;
}
}  // namespace

const CommandSet& ArtNetCommands(DeviceFamily family) {
    static const CommandSet node = BuildNode();
    static const CommandSet module = BuildModule();
    return family == DeviceFamily::ArtNetModule ? module : node;
}

}  // namespace varlo::sim
