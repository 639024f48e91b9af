#pragma once
// The six read-only fields of the dialog's information panel ("基本信息"), top to bottom.
#include <array>
#include <string>

#include "serialserver/SerialDeviceInfo.h"

namespace varlo::serialserver {

class SerialInfoPanel {
public:
    enum Row {
        kHardwareVersion,
        kFirmwareVersion,
        kModuleName,
        kSerialNumber,
        kLanMac,
        kWlanMac,
        kRowCount
    };

    // 8-bit texts as the device sent them; all empty until the information was read.
    std::array<std::string, kRowCount> texts;

    // Versions and module name as text, the serial number as "%u", the MACs as
    // "%02X-%02X-%02X-%02X-%02X-%02X".
    void Fill(const SerialDeviceInfo& info);
};

}  // namespace varlo::serialserver
