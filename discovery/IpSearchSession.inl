#pragma once
#include <algorithm>
#include <chrono>

#include "transport/TransportSettings.h"

namespace varlo {

template <typename OnRecord>
bool RunIpSearch(IpSearchSession& session, const IpRange& range, int rate, OnRecord onRecord) {
    PollClock& clock = *Transport().clock;
    if (!session.Open(range, rate)) {
        return false;
    }
    while (session.Pump(clock.Now())) {
        const auto wait = session.NextDue() - clock.Now();
        const int waitMs = static_cast<int>(
            std::max<long long>(0, std::chrono::ceil<std::chrono::milliseconds>(wait).count()));
        if (clock.WaitReadable(session.Socket().Descriptor(), waitMs)) {
            const std::size_t before = session.Table().GetSize();
            session.ReadWaiting(512);
            for (std::size_t i = before; i < session.Table().GetSize(); ++i) {
                onRecord(i);
            }
        }
    }
    session.Close();
    return true;
}

}  // namespace varlo
