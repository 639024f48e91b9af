#include "transport/DeviceRoute.h"

namespace varlo {

void DeviceRoutes::Clear() {
    std::lock_guard lock(m_mutex);
    m_routes.clear();
}

void DeviceRoutes::Remember(const DeviceIdentity& identity, const DeviceRoute& route) {
    std::lock_guard lock(m_mutex);
    m_routes.emplace(identity, route);
}

std::optional<DeviceRoute> DeviceRoutes::Find(const DeviceIdentity& identity) const {
    std::lock_guard lock(m_mutex);
    const auto it = m_routes.find(identity);
    if (it == m_routes.end()) {
        return std::nullopt;
    }
    return it->second;
}

DeviceRoutes& Routes() {
    static DeviceRoutes routes;
    return routes;
}

}  // namespace varlo
