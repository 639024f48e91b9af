#include "artnet/ArtNetCommands.h"

#include "discovery/DeviceTable.h"
#include "transport/ConfigExchange.h"

namespace varlo::artnet {

namespace {
// Bodiless requests of this family are the 24-byte header with its checksum.
template <typename Block>
bool ReadBlock(uint8_t code, Block* out) {
    return ReadBlockFromCurrentDevice(BuildShortRequest, code, out);
}

bool SendCommand(uint8_t code) {
    const std::optional<DeviceIdentity> target = CurrentDeviceIdentity();
    return target && QueryAcknowledged(BuildShortRequest(code, *target));
}
}  // namespace

bool ReadDeviceInfo(ArtNetDeviceInfo* out) {
    return ReadFromCurrentDevice(BuildShortRequest, kReadDeviceInfo, ArtNetDeviceInfo::kSize, 0,
                                 out);
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
    return WriteBlockToCurrentDevice(kWriteBasicParam, block);
}
bool WriteBasicParam(const _RT5350BASICPARAM& block) {
    return WriteBlockToCurrentDevice(kWriteBasicParam, block);
}
bool WriteNodeAParam(const _ARTNETDMXPARAM& block) {
    return WriteBlockToCurrentDevice(kWriteNodeAParam, block);
}
bool WriteNodeBParam(const _ARTNETDMXPARAM& block) {
    return WriteBlockToCurrentDevice(kWriteNodeBParam, block);
}

bool SendApplyFinish() {
    return SendCommand(kApplyFinish);
}
bool SendDefault() {
    return SendCommand(kDefault);
}

}  // namespace varlo::artnet
