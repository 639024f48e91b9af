#pragma once
// The nine configuration commands of a serial server, on the device at g_nCurDevice. Serial
// server frames carry no checksum: a read is the 20-byte header alone, a write the header
// followed directly by the block. Each operation returns whether it succeeded and shows nothing;
// a read hands back the block copied whole from reply byte 8 (the device information: the whole
// reply). A failed operation, or a g_nCurDevice outside the device table (nothing is sent then),
// leaves what it was given unchanged.
#include <cstdint>

#include "serialserver/BasicParam.h"
#include "serialserver/OpModeParam.h"
#include "serialserver/SerialDeviceInfo.h"
#include "serialserver/SerialParam.h"
#include "serialserver/WirelessParam.h"

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
