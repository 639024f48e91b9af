#include "transport/PollClock.h"

namespace varlo {

namespace {
class CSystemClock final : public PollClock {
public:
    TimePoint Now() override { return std::chrono::steady_clock::now(); }
    void Sleep(net::SocketHandle, int ms) override { net::SleepMs(ms); }
    bool WaitReadable(net::SocketHandle s, int ms) override {
        // Winsock's select fails at once on an invalid socket: the wait would become a spin.
        if (s == net::kInvalidSocket) {
            net::SleepMs(ms);
            return false;
        }
        return net::WaitReadable(s, ms);
    }
};
}  // namespace

PollClock& SystemClock() {
    static CSystemClock clock;
    return clock;
}

}  // namespace varlo
