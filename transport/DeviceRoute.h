#pragma once
// How to reach a found device again: the adapter its search reply came in on, and where its
// configuration requests go. Kept beside the device table (the 16-byte record stays the
// device's own bytes) and looked up by identity when an exchange starts, so every request to a
// device leaves through the adapter that heard it.
#include <cstdint>
#include <map>
#include <mutex>
#include <optional>
#include <string>

#include "transport/FrameHeader.h"
#include "transport/NetAdapter.h"

namespace varlo {

struct DeviceRoute {
    // The adapter the reply came in on; index 0 when it is not known (a `--target` search):
    // requests then go as they always did.
    NetAdapter adapter;
    // Where requests go: the adapter's broadcast for a device found by broadcast, the device's
    // own address for one found by IP Search (a router drops broadcasts).
    uint32_t destination = 0xFFFFFFFF;
    bool unicast = false;
};

// The routes of the devices found, by identity; the first route heard for an identity holds.
// Exchanges run on several threads at once (`varlo-cli --jobs`), so it is locked.
class DeviceRoutes {
public:
    void Clear();
    void Remember(const DeviceIdentity& identity, const DeviceRoute& route);
    std::optional<DeviceRoute> Find(const DeviceIdentity& identity) const;

private:
    mutable std::mutex m_mutex;
    std::map<DeviceIdentity, DeviceRoute> m_routes;
};

DeviceRoutes& Routes();

}  // namespace varlo
