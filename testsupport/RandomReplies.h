#pragma once
// Bad-input tests of the configuration operations: the simulator answers chosen request codes
// with random datagrams, mostly of the expected length (half of those with the right reply
// code), some shorter, a few of any length up to 400 bytes.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <random>
#include <vector>

#include "sim/DeviceSimulator.h"

namespace varlo::testing {

class RandomReplies {
public:
    explicit RandomReplies(uint32_t seed) : m_state(std::make_shared<State>()) {
        m_state->random.seed(seed);
    }

    // expected: request code -> the reply length the program waits for.
    void Install(sim::DeviceSimulator& simulator, const std::map<uint8_t, std::size_t>& expected) {
        for (const auto& [code, length] : expected) {
            // The state is shared with the handler: a late request may reach the simulator
            // after the test body has ended.
            simulator.OverrideCommand(code, [state = m_state, code = code, length = length](
                                                sim::SimDevice&, const Bytes&) {
                std::lock_guard lock(state->mutex);
                std::mt19937& r = state->random;
                const unsigned pick = r() % 8;
                const std::size_t n = pick < 4 ? length : pick < 7 ? r() % length : r() % 400;
                Bytes reply(n);
                for (uint8_t& b : reply) {
                    b = static_cast<uint8_t>(r());
                }
                if (n > 0 && pick % 2 == 0) {
                    reply[0] = code | 0x80;
                }
                state->sent.push_back(reply);
                ++state->count;
                return std::optional<Bytes>(reply);
            });
        }
    }

    // Whether a reply sent since the last call ended in `bytes` from `offset` on; forgets the
    // replies sent so far.
    bool Sent(const Bytes& bytes, std::size_t offset) {
        std::lock_guard lock(m_state->mutex);
        const bool found =
            std::any_of(m_state->sent.begin(), m_state->sent.end(), [&](const Bytes& reply) {
                return reply.size() == offset + bytes.size() &&
                       std::equal(bytes.begin(), bytes.end(), reply.begin() + offset);
            });
        m_state->sent.clear();
        return found;
    }

    std::size_t Count() const {
        std::lock_guard lock(m_state->mutex);
        return m_state->count;
    }

private:
    struct State {
        std::mutex mutex;
        std::mt19937 random;
        std::vector<Bytes> sent;
        std::size_t count = 0;
    };
    std::shared_ptr<State> m_state;
};

}  // namespace varlo::testing
