#pragma once
// Virtual time for the exchange and the search loop: it moves only when the code under test
// waits, and then by exactly what it asked for, so a test can count poll steps, requests and
// ticks the same on any machine. Before each wait, `settle` runs with the socket waited on: a
// test that plays the device answers there, a simulator test waits there for the simulator to
// have answered. A wait on a socket that is then readable ends at once.
#include <functional>
#include <mutex>
#include <vector>

#include "transport/PollClock.h"

namespace varlo::testing {

class VirtualClock : public PollClock {
public:
    TimePoint Now() override {
        const std::lock_guard<std::mutex> lock(m_mutex);
        return m_now;
    }
    void Sleep(net::SocketHandle s, int ms) override;
    bool WaitReadable(net::SocketHandle s, int ms) override;

    // Milliseconds of virtual time since the clock was made.
    long ElapsedMs() const;
    // The length of every wait asked for, whole step or wait for the socket, in order: an
    // exchange asks for one a poll step, and for one more after each datagram that did not end
    // it.
    const std::vector<int>& Waits() const { return m_waits; }

    std::function<void(net::SocketHandle)> settle;

private:
    // The command line works on several devices at once, each thread waiting on this clock.
    mutable std::mutex m_mutex;
    // Far from the steady clock's epoch, so that no arithmetic of the code under test wraps.
    static constexpr TimePoint kStart = TimePoint{} + std::chrono::hours(24);
    TimePoint m_now = kStart;
    std::vector<int> m_waits;
};

}  // namespace varlo::testing
