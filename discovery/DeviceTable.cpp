#include "discovery/DeviceTable.h"

namespace varlo {

CConfigParamArray g_arrConfigParam;
int g_nCurDevice = 0;

std::optional<DeviceIdentity> CurrentDeviceIdentity() {
    if (g_nCurDevice < 0 || static_cast<std::size_t>(g_nCurDevice) >= g_arrConfigParam.GetSize()) {
        return std::nullopt;
    }
    return g_arrConfigParam[static_cast<std::size_t>(g_nCurDevice)].Identity();
}

}  // namespace varlo
