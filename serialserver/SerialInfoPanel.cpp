#include "serialserver/SerialInfoPanel.h"

#include "discovery/DeviceFormat.h"

namespace varlo::serialserver {

void SerialInfoPanel::Fill(const SerialDeviceInfo& info) {
    texts[kHardwareVersion] = info.HardwareVersion();
    texts[kFirmwareVersion] = info.FirmwareVersion();
    texts[kModuleName] = info.ModuleName();
    texts[kSerialNumber] = std::to_string(info.SerialNumber());
    texts[kLanMac] = FormatMacDash(info.LanMac());
    texts[kWlanMac] = FormatMacDash(info.WlanMac());
}

}  // namespace varlo::serialserver
