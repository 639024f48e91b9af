#pragma once
// What the device list warns about, per record: an address outside every subnet of the adapter
// the device was found on (the workstation cannot reach its web page), and an address that
// another device answered with too. Each mark comes with what the operator should do.
#include <string>
#include <vector>

#include "discovery/DeviceTable.h"

namespace varlo {

struct DeviceMark {
    bool outsideSubnet = false;
    bool sharedIp = false;
    std::string advice;  // empty without a mark

    bool Any() const { return outsideSubnet || sharedIp; }
};

// One mark per record of the table, in table order. A device found by IP Search, or by a
// search with `--target`, has no adapter to be outside of; the same device listed twice does
// not share its address with itself.
std::vector<DeviceMark> MarkDevices(const CConfigParamArray& table);

}  // namespace varlo
