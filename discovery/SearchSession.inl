#pragma once
#include <chrono>

#include "transport/TransportSettings.h"

namespace varlo {

template <typename OnRecord>
bool RunSearch(SearchSession& session, OnRecord onRecord) {
    PollClock& clock = *Transport().clock;
    const bool opened = session.Open();
    auto nextTick = clock.Now() + std::chrono::milliseconds(SearchSession::kFirstTickMs);
    for (;;) {
        const auto now = clock.Now();
        if (now >= nextTick) {
            if (!session.Tick()) {
                break;
            }
            nextTick = now + std::chrono::milliseconds(SearchSession::kTickMs);
            continue;
        }
        // Rounded up: waking before the tick is due would only loop once more.
        const int waitMs =
            static_cast<int>(std::chrono::ceil<std::chrono::milliseconds>(nextTick - now).count());
        // Without a socket the wait only sleeps: the countdown runs on, sending nothing.
        if (clock.WaitReadable(session.Socket().Descriptor(), waitMs)) {
            if (auto index = session.OnReadable()) {
                onRecord(*index);
            }
        }
    }
    session.Close();
    return opened;
}

}  // namespace varlo
