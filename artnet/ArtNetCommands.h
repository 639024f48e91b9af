#pragma once
// The configuration commands of the Art-Net nodes and the WiFi module, on the device at
// g_nCurDevice. Reads and the two bodiless commands are 24-byte short requests (the header, its
// checksum high byte first, two zero bytes); a write is the header followed directly by the block,
// which carries its own checksum and is sent exactly as given. Each operation returns whether it
// succeeded and shows nothing; a read hands back the block copied whole from reply byte 8 (the
// device information: the whole reply). A failed operation, or a g_nCurDevice outside the device
// table (nothing is sent then), leaves what it was given unchanged.
#include <cstdint>

#include "artnet/ArtNetBasicParam.h"
#include "artnet/ArtNetDeviceInfo.h"
#include "artnet/ArtNetDmxParam.h"
#include "artnet/Rt5350BasicParam.h"

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

bool ReadDeviceInfo(ArtNetDeviceInfo* out);
// The same code reads the nodes' 88-byte block and the module's 60-byte block; the block type
// decides which reply length is expected.
bool ReadBasicParam(_ARTNETBASICPARAM* out);
bool ReadBasicParam(_RT5350BASICPARAM* out);
bool ReadNodeAParam(_ARTNETDMXPARAM* out);
bool ReadNodeBParam(_ARTNETDMXPARAM* out);

bool WriteBasicParam(const _ARTNETBASICPARAM& block);
bool WriteBasicParam(const _RT5350BASICPARAM& block);
bool WriteNodeAParam(const _ARTNETDMXPARAM& block);
bool WriteNodeBParam(const _ARTNETDMXPARAM& block);

// The finish command that ends an Apply which changed a block.
bool SendApplyFinish();
bool SendDefault();

}  // namespace varlo::artnet
