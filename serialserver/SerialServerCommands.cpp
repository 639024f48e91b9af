#include "serialserver/SerialServerCommands.h"

#include "transport/ConfigExchange.h"

namespace varlo::serialserver {

namespace {
// Bodiless requests of this family are the 20-byte header alone.
template <typename Block>
bool ReadBlock(uint8_t code, Block* out) {
    return ReadBlockFromCurrentDevice(BuildHeaderRequest, code, out);
}
}  // namespace

bool ReadDeviceInfo(SerialDeviceInfo* out) {
    return ReadFromCurrentDevice(BuildHeaderRequest, kReadDeviceInfo, SerialDeviceInfo::kSize, 0,
                                 out);
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
    return WriteBlockToCurrentDevice(kWriteBasicParam, block);
}
bool WriteWirelessParam(const _WIRELESSPARAM& block) {
    return WriteBlockToCurrentDevice(kWriteWirelessParam, block);
}
bool WriteSerialParam(const _SERIALPARAM& block) {
    return WriteBlockToCurrentDevice(kWriteSerialParam, block);
}
bool WriteOpModeParam(const _OPMODEPARAM& block) {
    return WriteBlockToCurrentDevice(kWriteOpModeParam, block);
}

}  // namespace varlo::serialserver
