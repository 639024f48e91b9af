#include "artnet/ArtNetCommands.h"

#include "discovery/DeviceTable.h"
#include "transport/ConfigExchange.h"

namespace varlo::artnet {

namespace {
// Bodiless requests of this family are the 24-byte header with its checksum.
template <typename Block>
bool ReadBlock(const DeviceIdentity& target, uint8_t code, Block* out) {
    return ReadBlockFrom(target, BuildShortRequest, code, out);
}

// The dialogs' operations work on record g_nCurDevice; outside the table nothing is sent.
template <typename Arg>
bool OnCurrent(bool (*op)(const DeviceIdentity&, Arg), Arg arg) {
    const std::optional<DeviceIdentity> target = CurrentDeviceIdentity();
    return target && op(*target, arg);
}
bool OnCurrent(bool (*op)(const DeviceIdentity&)) {
    const std::optional<DeviceIdentity> target = CurrentDeviceIdentity();
    return target && op(*target);
}
}  // namespace

bool ReadDeviceInfo(const DeviceIdentity& target, ArtNetDeviceInfo* out) {
    return ReadFrom(target, BuildShortRequest, kReadDeviceInfo, ArtNetDeviceInfo::kSize, 0, out);
}
bool ReadBasicParam(const DeviceIdentity& target, _ARTNETBASICPARAM* out) {
    return ReadBlock(target, kReadBasicParam, out);
}
bool ReadBasicParam(const DeviceIdentity& target, _RT5350BASICPARAM* out) {
    return ReadBlock(target, kReadBasicParam, out);
}
bool ReadNodeAParam(const DeviceIdentity& target, _ARTNETDMXPARAM* out) {
    return ReadBlock(target, kReadNodeAParam, out);
}
bool ReadNodeBParam(const DeviceIdentity& target, _ARTNETDMXPARAM* out) {
    return ReadBlock(target, kReadNodeBParam, out);
}

bool WriteBasicParam(const DeviceIdentity& target, const _ARTNETBASICPARAM& block) {
    return WriteBlockTo(target, kWriteBasicParam, block);
}
bool WriteBasicParam(const DeviceIdentity& target, const _RT5350BASICPARAM& block) {
    return WriteBlockTo(target, kWriteBasicParam, block);
}
bool WriteNodeAParam(const DeviceIdentity& target, const _ARTNETDMXPARAM& block) {
    return WriteBlockTo(target, kWriteNodeAParam, block);
}
bool WriteNodeBParam(const DeviceIdentity& target, const _ARTNETDMXPARAM& block) {
    return WriteBlockTo(target, kWriteNodeBParam, block);
}

bool SendApplyFinish(const DeviceIdentity& target) {
    return SendCommandTo(target, BuildShortRequest, kApplyFinish);
}
bool SendDefault(const DeviceIdentity& target) {
    return SendCommandTo(target, BuildShortRequest, kDefault);
}

bool ReadDeviceInfo(ArtNetDeviceInfo* out) {
    return OnCurrent(&ReadDeviceInfo, out);
}
bool ReadBasicParam(_ARTNETBASICPARAM* out) {
    return OnCurrent(&ReadBasicParam, out);
}
bool ReadBasicParam(_RT5350BASICPARAM* out) {
    return OnCurrent(&ReadBasicParam, out);
}
bool ReadNodeAParam(_ARTNETDMXPARAM* out) {
    return OnCurrent(&ReadNodeAParam, out);
}
bool ReadNodeBParam(_ARTNETDMXPARAM* out) {
    return OnCurrent(&ReadNodeBParam, out);
}
bool WriteBasicParam(const _ARTNETBASICPARAM& block) {
    return OnCurrent<const _ARTNETBASICPARAM&>(&WriteBasicParam, block);
}
bool WriteBasicParam(const _RT5350BASICPARAM& block) {
    return OnCurrent<const _RT5350BASICPARAM&>(&WriteBasicParam, block);
}
bool WriteNodeAParam(const _ARTNETDMXPARAM& block) {
    return OnCurrent<const _ARTNETDMXPARAM&>(&WriteNodeAParam, block);
}
bool WriteNodeBParam(const _ARTNETDMXPARAM& block) {
    return OnCurrent<const _ARTNETDMXPARAM&>(&WriteNodeBParam, block);
}
bool SendApplyFinish() {
    return OnCurrent(&SendApplyFinish);
}
bool SendDefault() {
    return OnCurrent(&SendDefault);
}

}  // namespace varlo::artnet
