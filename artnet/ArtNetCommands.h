#pragma once
// The configuration commands of the Art-Net nodes and the WiFi module. Reads and the two bodiless
// commands are 24-byte short requests (the header, its checksum high byte first, two zero bytes); a
// write is the header followed directly by the block, which carries its own checksum and is sent
// exactly as given. Each operation returns whether it succeeded and shows nothing; a read hands
// back the block copied whole from reply byte 8 (the device information: the whole reply). A failed
// operation leaves what it was given unchanged. Each operation comes twice: on a device named by
// its identity, and, for the dialogs, on record g_nCurDevice of the device table (an index outside
// the table abandons it with nothing sent).
#include <cstdint>

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

bool ReadDeviceInfo(const DeviceIdentity& target, ArtNetDeviceInfo* out);
bool ReadBasicParam(const DeviceIdentity& target, _ARTNETBASICPARAM* out);
bool ReadBasicParam(const DeviceIdentity& target, _RT5350BASICPARAM* out);
bool ReadNodeAParam(const DeviceIdentity& target, _ARTNETDMXPARAM* out);
bool ReadNodeBParam(const DeviceIdentity& target, _ARTNETDMXPARAM* out);
bool WriteBasicParam(const DeviceIdentity& target, const _ARTNETBASICPARAM& block);
bool WriteBasicParam(const DeviceIdentity& target, const _RT5350BASICPARAM& block);
bool WriteNodeAParam(const DeviceIdentity& target, const _ARTNETDMXPARAM& block);
bool WriteNodeBParam(const DeviceIdentity& target, const _ARTNETDMXPARAM& block);
bool SendApplyFinish(const DeviceIdentity& target);
bool SendDefault(const DeviceIdentity& target);

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
