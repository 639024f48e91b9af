#pragma once
// The nine configuration commands of a serial server. Serial
// server frames carry no checksum: a read is the 20-byte header alone, a write the header
// followed directly by the block. Each operation returns whether it succeeded and shows nothing;
// a read hands back the block copied whole from reply byte 8 (the device information: the whole
// reply). A failed operation leaves what it was given unchanged. Each operation comes twice: on a
// device named by its identity, and, for the dialogs, on record g_nCurDevice of the device table
// (an index outside the table abandons the operation with nothing sent).
#include <cstdint>

#include "serialserver/BasicParam.h"
#include "serialserver/OpModeParam.h"
#include "serialserver/SerialDeviceInfo.h"
#include "serialserver/SerialParam.h"
#include "serialserver/WirelessParam.h"
#include "transport/FrameHeader.h"

namespace varlo::serialserver {

inline constexpr uint8_t kReadDeviceInfo = 0x16;
inline constexpr uint8_t kReadBasicParam = 0x03;
inline constexpr uint8_t kReadWirelessParam = 0x04;
inline constexpr uint8_t kReadSerialParam = 0x05;
inline constexpr uint8_t kReadOpModeParam = 0x06;
inline constexpr uint8_t kWriteBasicParam = 0x07;
inline constexpr uint8_t kWriteWirelessParam = 0x08;
inline constexpr uint8_t kWriteSerialParam = 0x09;
inline constexpr uint8_t kWriteOpModeParam = 0x0A;

bool ReadDeviceInfo(const DeviceIdentity& target, SerialDeviceInfo* out);
bool ReadBasicParam(const DeviceIdentity& target, _BASICPARAM* out);
bool ReadWirelessParam(const DeviceIdentity& target, _WIRELESSPARAM* out);
bool ReadSerialParam(const DeviceIdentity& target, _SERIALPARAM* out);
bool ReadOpModeParam(const DeviceIdentity& target, _OPMODEPARAM* out);
bool WriteBasicParam(const DeviceIdentity& target, const _BASICPARAM& block);
bool WriteWirelessParam(const DeviceIdentity& target, const _WIRELESSPARAM& block);
bool WriteSerialParam(const DeviceIdentity& target, const _SERIALPARAM& block);
bool WriteOpModeParam(const DeviceIdentity& target, const _OPMODEPARAM& block);

bool ReadDeviceInfo(SerialDeviceInfo* out);
bool ReadBasicParam(_BASICPARAM* out);
bool ReadWirelessParam(_WIRELESSPARAM* out);
bool ReadSerialParam(_SERIALPARAM* out);
bool ReadOpModeParam(_OPMODEPARAM* out);

bool WriteBasicParam(const _BASICPARAM& block);
bool WriteWirelessParam(const _WIRELESSPARAM& block);
bool WriteSerialParam(const _SERIALPARAM& block);
bool WriteOpModeParam(const _OPMODEPARAM& block);

}  // namespace varlo::serialserver
