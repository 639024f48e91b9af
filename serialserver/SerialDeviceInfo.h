#pragma once
// A serial server's device information: 76 bytes, LAN MAC first, WLAN MAC second.
#include "transport/DeviceInfoReply.h"

namespace varlo {

class SerialDeviceInfo : public DeviceInfoReply<76> {
public:
    MacBytes LanMac() const { return FirstMac(); }
    MacBytes WlanMac() const { return SecondMac(); }
    void SetLanMac(const MacBytes& mac) { SetFirstMac(mac); }
    void SetWlanMac(const MacBytes& mac) { SetSecondMac(mac); }
};
static_assert(sizeof(SerialDeviceInfo) == 76);

}  // namespace varlo
