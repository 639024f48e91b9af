#pragma once
// The command codes of a serial server. Serial server frames carry no checksum: a read is the
// 20-byte header alone, a write the header followed directly by the block. ConfigSession runs
// them, with the serial server's model naming which block each code reads or writes.
#include <cstdint>

// The blocks these codes carry, for the files that name both.
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

}  // namespace varlo::serialserver
