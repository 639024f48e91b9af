#include "serialserver/SerialServerCommands.h"

#include "discovery/DeviceTable.h"
#include "transport/ConfigExchange.h"

namespace varlo::serialserver {

namespace {
// A read reply is 8 bytes followed by the block; replyOffset says where `out` starts in it.
template <typename Block>
bool Read(uint8_t code, std::size_t replyLength, std::size_t replyOffset, Block* out) {
    const std::optional<DeviceIdentity> target = CurrentDeviceIdentity();
    if (!target) {
        return false;
    }
    const std::optional<Bytes> reply = QueryReply(BuildHeaderRequest(code, *target), replyLength);
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
}  // namespace

bool ReadDeviceInfo(SerialDeviceInfo* out) {
    return Read(kReadDeviceInfo, SerialDeviceInfo::kSize, 0, out);
}
bool ReadBasicParam(_BASICPARAM* out) {
    return ReadBlock(kReadBasicParam, out);
}
bool ReadWirelessParam(_WIRELESSPARAM* out) {
    return ReadBlock(kReadWirelessParam, out);
}
bool ReadSerialParam(_SERIALPARAM* out) {
    return ReadBlock(kReadSerialParam, out);
}
bool ReadOpModeParam(_OPMODEPARAM* out) {
    return ReadBlock(kReadOpModeParam, out);
}

bool WriteBasicParam(const _BASICPARAM& block) {
    return WriteBlock(kWriteBasicParam, block);
}
bool WriteWirelessParam(const _WIRELESSPARAM& block) {
    return WriteBlock(kWriteWirelessParam, block);
}
bool WriteSerialParam(const _SERIALPARAM& block) {
    return WriteBlock(kWriteSerialParam, block);
}
bool WriteOpModeParam(const _OPMODEPARAM& block) {
    return WriteBlock(kWriteOpModeParam, block);
}

}  // namespace varlo::serialserver
