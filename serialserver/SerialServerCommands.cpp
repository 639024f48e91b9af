#include "serialserver/SerialServerCommands.h"

#include "discovery/DeviceTable.h"
#include "transport/ConfigExchange.h"

namespace varlo::serialserver {

namespace {
// Bodiless requests of this family are the 20-byte header alone.
template <typename Block>
bool ReadBlock(const DeviceIdentity& target, uint8_t code, Block* out) {
    return ReadBlockFrom(target, BuildHeaderRequest, code, out);
}

// The dialogs' operations work on record g_nCurDevice; outside the table nothing is sent.
template <typename Block>
bool OnCurrent(bool (*op)(const DeviceIdentity&, Block), Block arg) {
    const std::optional<DeviceIdentity> target = CurrentDeviceIdentity();
    return target && op(*target, arg);
}
}  // namespace

bool ReadDeviceInfo(const DeviceIdentity& target, SerialDeviceInfo* out) {
    return ReadFrom(target, BuildHeaderRequest, kReadDeviceInfo, SerialDeviceInfo::kSize, 0, out);
}
bool ReadBasicParam(const DeviceIdentity& target, _BASICPARAM* out) {
    return ReadBlock(target, kReadBasicParam, out);
}
bool ReadWirelessParam(const DeviceIdentity& target, _WIRELESSPARAM* out) {
    return ReadBlock(target, kReadWirelessParam, out);
}
bool ReadSerialParam(const DeviceIdentity& target, _SERIALPARAM* out) {
    return ReadBlock(target, kReadSerialParam, out);
}
bool ReadOpModeParam(const DeviceIdentity& target, _OPMODEPARAM* out) {
    return ReadBlock(target, kReadOpModeParam, out);
}

bool WriteBasicParam(const DeviceIdentity& target, const _BASICPARAM& block) {
    return WriteBlockTo(target, kWriteBasicParam, block);
}
bool WriteWirelessParam(const DeviceIdentity& target, const _WIRELESSPARAM& block) {
    return WriteBlockTo(target, kWriteWirelessParam, block);
}
bool WriteSerialParam(const DeviceIdentity& target, const _SERIALPARAM& block) {
    return WriteBlockTo(target, kWriteSerialParam, block);
}
bool WriteOpModeParam(const DeviceIdentity& target, const _OPMODEPARAM& block) {
    return WriteBlockTo(target, kWriteOpModeParam, block);
}

bool ReadDeviceInfo(SerialDeviceInfo* out) {
    return OnCurrent(&ReadDeviceInfo, out);
}
bool ReadBasicParam(_BASICPARAM* out) {
    return OnCurrent(&ReadBasicParam, out);
}
bool ReadWirelessParam(_WIRELESSPARAM* out) {
    return OnCurrent(&ReadWirelessParam, out);
}
bool ReadSerialParam(_SERIALPARAM* out) {
    return OnCurrent(&ReadSerialParam, out);
}
bool ReadOpModeParam(_OPMODEPARAM* out) {
    return OnCurrent(&ReadOpModeParam, out);
}
bool WriteBasicParam(const _BASICPARAM& block) {
    return OnCurrent<const _BASICPARAM&>(&WriteBasicParam, block);
}
bool WriteWirelessParam(const _WIRELESSPARAM& block) {
    return OnCurrent<const _WIRELESSPARAM&>(&WriteWirelessParam, block);
}
bool WriteSerialParam(const _SERIALPARAM& block) {
    return OnCurrent<const _SERIALPARAM&>(&WriteSerialParam, block);
}
bool WriteOpModeParam(const _OPMODEPARAM& block) {
    return OnCurrent<const _OPMODEPARAM&>(&WriteOpModeParam, block);
}

}  // namespace varlo::serialserver
