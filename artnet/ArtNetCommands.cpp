#include "artnet/ArtNetCommands.h"

#include "discovery/DeviceTable.h"
#include "transport/ConfigExchange.h"

namespace varlo::artnet {

namespace {
// A read reply is 8 bytes followed by the block; replyOffset says where `out` starts in it.
template <typename Block>
bool Read(uint8_t code, std::size_t replyLength, std::size_t replyOffset, Block* out) {
    const std::optional<DeviceIdentity> target = CurrentDeviceIdentity();
    if (!target) {
        return false;
    }
    const std::optional<Bytes> reply = QueryReply(BuildShortRequest(code, *target), replyLength);
    if (!reply) {
        return false;
    }
    out->Assign(reply->data() + replyOffset);
    return true;
}

template <typename Block>
bool ReadBlock(uint8_t code, Block* out) {
    return Read(code, kReplyHeaderSize + Block::kSize, kReplyHeaderSize, out);
}

template <typename Block>
bool WriteBlock(uint8_t code, const Block& block) {
    const std::optional<DeviceIdentity> target = CurrentDeviceIdentity();
    return target &&
           QueryAcknowledged(BuildWriteRequest(code, *target, block.data(), block.size()));
}

bool SendCommand(uint8_t code) {
    const std::optional<DeviceIdentity> target = CurrentDeviceIdentity();
    return target && QueryAcknowledged(BuildShortRequest(code, *target));
}
}  // namespace

bool ReadDeviceInfo(ArtNetDeviceInfo* out) {
    return Read(kReadDeviceInfo, ArtNetDeviceInfo::kSize, 0, out);
}
bool ReadBasicParam(_ARTNETBASICPARAM* out) {
    return ReadBlock(kReadBasicParam, out);
}
bool ReadBasicParam(_RT5350BASICPARAM* out) {
    return ReadBlock(kReadBasicParam, out);
}
bool ReadNodeAParam(_ARTNETDMXPARAM* out) {
    return ReadBlock(kReadNodeAParam, out);
}
bool ReadNodeBParam(_ARTNETDMXPARAM* out) {
    return ReadBlock(kReadNodeBParam, out);
}

bool WriteBasicParam(const _ARTNETBASICPARAM& block) {
    return WriteBlock(kWriteBasicParam, block);
}
bool WriteBasicParam(const _RT5350BASICPARAM& block) {
    return WriteBlock(kWriteBasicParam, block);
}
bool WriteNodeAParam(const _ARTNETDMXPARAM& block) {
    return WriteBlock(kWriteNodeAParam, block);
}
bool WriteNodeBParam(const _ARTNETDMXPARAM& block) {
    return WriteBlock(kWriteNodeBParam, block);
}

bool SendApplyFinish() {
    return SendCommand(kApplyFinish);
}
bool SendDefault() {
    return SendCommand(kDefault);
}

}  // namespace varlo::artnet
