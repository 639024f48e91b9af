#pragma once
// The time an exchange and the search loop run on, and the waits they make. Operators get the
// system clock: an exchange and the search loop wake when their socket is readable or their step
// or tick is over. Tests install a clock of their
// own in Transport().clock, so that what they check (how many requests, in which step, when the
// wait ends) does not depend on how fast the machine is.
#include <chrono>

#include "transport/SocketShim.h"

namespace varlo {

class PollClock {
public:
    using TimePoint = std::chrono::steady_clock::time_point;

    virtual ~PollClock() = default;

    virtual TimePoint Now() = 0;
    // One whole poll step of an exchange, when the transport asks for whole steps: ms of sleep
    // before the next receive from s. The socket is only there so that a test's clock can tell
    // whether a reply has come.
    virtual void Sleep(net::SocketHandle s, int ms) = 0;
    // Until s is readable (true) or ms have passed (false); an invalid s only waits.
    virtual bool WaitReadable(net::SocketHandle s, int ms) = 0;
};

// The steady clock, real sleeps and the socket shim's wait.
PollClock& SystemClock();

}  // namespace varlo
