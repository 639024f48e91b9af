#include "testsupport/VirtualClock.h"

namespace varlo::testing {

void VirtualClock::Sleep(net::SocketHandle s, int ms) {
    if (settle) {
        settle(s);
    }
    const std::lock_guard<std::mutex> lock(m_mutex);
    m_waits.push_back(ms);
    m_now += std::chrono::milliseconds(ms);
}

bool VirtualClock::WaitReadable(net::SocketHandle s, int ms) {
    if (settle) {
        settle(s);
    }
    const bool readable = s != net::kInvalidSocket && net::WaitReadable(s, 0);
    const std::lock_guard<std::mutex> lock(m_mutex);
    m_waits.push_back(ms);
    if (!readable) {
        m_now += std::chrono::milliseconds(ms);
    }
    return readable;
}

long VirtualClock::ElapsedMs() const {
    const std::lock_guard<std::mutex> lock(m_mutex);
    return static_cast<long>(
        std::chrono::duration_cast<std::chrono::milliseconds>(m_now - kStart).count());
}

}  // namespace varlo::testing
