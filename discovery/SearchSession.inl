#pragma once
#include <chrono>

#include "transport/SocketShim.h"

namespace varlo {

template <typename OnRecord>
bool RunSearch(SearchSession& session, OnRecord onRecord) {
    using Clock = std::chrono::steady_clock;
    const bool opened = session.Open();
    auto nextTick = Clock::now() + std::chrono::milliseconds(SearchSession::kFirstTickMs);
    for (;;) {
        const auto now = Clock::now();
        if (now >= nextTick) {
            if (!session.Tick()) {
                break;
            }
            nextTick = now + std::chrono::milliseconds(SearchSession::kTickMs);
            continue;
        }
        const int waitMs = static_cast<int>(
            std::chrono::duration_cast<std::chrono::milliseconds>(nextTick - now).count() + 1);
        if (!opened) {
            net::SleepMs(waitMs);
            continue;
        }
        if (net::WaitReadable(session.Socket().Descriptor(), waitMs)) {
            if (auto index = session.OnReadable()) {
                onRecord(*index);
            }
        }
    }
    session.Close();
    return opened;
}

}  // namespace varlo
