#pragma once
// The device information of the Art-Net nodes and the WiFi module: 80 bytes, the same for all
// six models. The first MAC is NodeA's (the module's LAN MAC), the second NodeB's (WLAN).
#include "transport/DeviceInfoReply.h"

namespace varlo {

class ArtNetDeviceInfo : public DeviceInfoReply<80> {
public:
    static constexpr std::size_t kReserved76 = 76;  // 4 bytes, not examined
};
static_assert(sizeof(ArtNetDeviceInfo) == 80);

}  // namespace varlo
