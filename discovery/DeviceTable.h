#pragma once
// The device table: every accepted search reply of the latest search, in arrival order, never
// merged or sorted. Row i of every device list is record i. Beside each record, the route it
// was found on (the adapter its reply came in on); the record itself stays the reply's bytes.
#include <cstddef>
#include <optional>
#include <vector>

#include "discovery/ConfigParam.h"
#include "transport/DeviceRoute.h"

namespace varlo {

class CConfigParamArray {
public:
    // Appends at the end and returns the new record's index.
    std::size_t Add(const _CONFIGPARAM& record, const DeviceRoute& route = {}) {
        m_records.push_back(record);
        m_routes.push_back(route);
        return m_records.size() - 1;
    }
    void RemoveAll() {
        std::vector<_CONFIGPARAM>().swap(m_records);
        std::vector<DeviceRoute>().swap(m_routes);
    }
    std::size_t GetSize() const { return m_records.size(); }
    const _CONFIGPARAM& operator[](std::size_t i) const { return m_records.at(i); }
    const DeviceRoute& RouteOf(std::size_t i) const { return m_routes.at(i); }

private:
    std::vector<_CONFIGPARAM> m_records;
    std::vector<DeviceRoute> m_routes;
};

extern CConfigParamArray g_arrConfigParam;
// The record the open parameter dialog works on; only the Config action writes it.
extern int g_nCurDevice;

// The identity of record g_nCurDevice, or nothing when the index is outside the table: the
// operation is then abandoned before anything is sent.
std::optional<DeviceIdentity> CurrentDeviceIdentity();

}  // namespace varlo
