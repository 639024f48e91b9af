#include "serialserver/BasicSettingPage.h"

#include "serialserver/SerialServerItems.h"

namespace varlo::serialserver {

void BasicSettingPage::Fill(const _BASICPARAM& block) {
    deviceName.Fill(block.DeviceName());
    addresses = {block.LocalIp(), block.SubnetMask(), block.Gateway(), block.PreferredDns(),
                 block.AlternateDns()};
    SelectIpType(kIpTypeItems.IndexOf(block.IpType()));
}

void BasicSettingPage::SelectIpType(int index) {
    ipType = index;
    addressesEnabled = index == 0;
}

_BASICPARAM BasicSettingPage::Build() const {
    _BASICPARAM block;
    block.SetDeviceName(deviceName.bytes);
    block.SetIpType(kIpTypeItems.WireOf(ipType));
    block.SetLocalIp(addresses[kLocalIp]);
    block.SetSubnetMask(addresses[kSubnetMask]);
    block.SetGateway(addresses[kGateway]);
    block.SetPreferredDns(addresses[kPreferredDns]);
    block.SetAlternateDns(addresses[kAlternateDns]);
    return block;
}

}  // namespace varlo::serialserver
