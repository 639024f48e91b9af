#pragma once
// The command codes of the Art-Net nodes and the WiFi module. Reads and the two bodiless
// commands are 24-byte short requests (the header, its checksum high byte first, two zero
// bytes); a write is the header followed directly by the block, which carries its own checksum
// and is sent exactly as given. ConfigSession runs them, with each model naming which block each
// code reads or writes.
#include <cstdint>

// The blocks these codes carry, for the files that name both.
#include "artnet/ArtNetBasicParam.h"
#include "artnet/ArtNetDeviceInfo.h"
#include "artnet/ArtNetDmxParam.h"
#include "artnet/Rt5350BasicParam.h"
#include "transport/FrameHeader.h"

namespace varlo::artnet {

inline constexpr uint8_t kReadDeviceInfo = 0x16;
inline constexpr uint8_t kReadBasicParam = 0x03;
inline constexpr uint8_t kReadNodeAParam = 0x04;
inline constexpr uint8_t kReadNodeBParam = 0x05;
inline constexpr uint8_t kWriteBasicParam = 0x07;
inline constexpr uint8_t kWriteNodeAParam = 0x08;
inline constexpr uint8_t kWriteNodeBParam = 0x09;
inline constexpr uint8_t kApplyFinish = 0x7E;
inline constexpr uint8_t kDefault = 0x7F;

}  // namespace varlo::artnet
