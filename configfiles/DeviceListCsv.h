#pragma once
// The device list as CSV for inventories (model, MAC, IP, name, firmware), as `varlo-cli
// export-csv` and the window's Export write it.
#include <string>
#include <vector>

#include "discovery/ConfigParam.h"

namespace varlo {

struct DeviceListRow {
    std::string model;
    std::string mac;
    std::string ip;
    std::string name;      // empty when it could not be read
    std::string firmware;  // empty when it could not be read
};

// The row of a device from its search record, and its name and firmware read from it (the
// device information and the network block, as its dialog reads them first).
DeviceListRow ReadDeviceListRow(const _CONFIGPARAM& record);

// A header line and one line per row, CRLF-ended, fields quoted where they need it.
std::string DeviceListCsv(const std::vector<DeviceListRow>& rows);

}  // namespace varlo
