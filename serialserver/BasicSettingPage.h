#pragma once
// What the network page ("基本设置") holds: the device name, the address type and the five
// addresses, filled from a _BASICPARAM block and built back into one.
#include <array>

#include "serialserver/BasicParam.h"
#include "serialserver/TextField.h"

namespace varlo::serialserver {

class BasicSettingPage {
public:
    // The address fields, top to bottom.
    enum Address { kLocalIp, kSubnetMask, kGateway, kPreferredDns, kAlternateDns, kAddressCount };

    TextField deviceName;
    int ipType = kNoSelection;  // item of kIpTypeItems
    std::array<Ipv4Bytes, kAddressCount> addresses{};
    bool addressesEnabled = true;

    void Fill(const _BASICPARAM& block);
    // The address-type rule: the addresses can be edited for a static address only; disabled
    // fields keep and show their values.
    void SelectIpType(int index);
    // Every byte comes from the page: the name, at most 31 characters, is followed by zero
    // bytes, so a name read with other bytes after its terminator does not rebuild its block.
    _BASICPARAM Build() const;
};

}  // namespace varlo::serialserver
