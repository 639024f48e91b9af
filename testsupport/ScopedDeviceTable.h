#pragma once
// Puts the device table and the current device index back as they were when the test began,
// however the test ends, and forgets the routes its searches found.
#include "discovery/DeviceTable.h"

namespace varlo::testing {

class ScopedDeviceTable {
public:
    ScopedDeviceTable() : m_table(g_arrConfigParam), m_current(g_nCurDevice) {}
    ~ScopedDeviceTable() {
        g_arrConfigParam = m_table;
        g_nCurDevice = m_current;
        Routes().Clear();
    }
    ScopedDeviceTable(const ScopedDeviceTable&) = delete;
    ScopedDeviceTable& operator=(const ScopedDeviceTable&) = delete;

private:
    CConfigParamArray m_table;
    int m_current;
};

}  // namespace varlo::testing
