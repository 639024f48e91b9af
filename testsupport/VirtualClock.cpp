#include "testsupport/VirtualClock.h"

namespace varlo::testing {

void VirtualClock::Sleep(net::SocketHandle s, int ms) {
    if (settle) {
        settle(s);
    }
    m_waits.push_back(ms);
    m_now += std::chrono::milliseconds(ms);
}

bool VirtualClock::WaitReadable(net::SocketHandle s, int ms) {
    if (settle) {
        settle(s);
    }
    m_waits.push_back(ms);
    if (s != net::kInvalidSocket && net::WaitReadable(s, 0)) {
        return true;
    }
    m_now += std::chrono::milliseconds(ms);
    return false;
}

long VirtualClock::ElapsedMs() const {
    return static_cast<long>(
        std::chrono::duration_cast<std::chrono::milliseconds>(m_now - kStart).count());
}

}  // namespace varlo::testing
