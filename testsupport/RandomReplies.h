#pragma once
// Bad-input tests of the configuration operations: the simulator answers chosen request codes
// with random datagrams, mostly of the expected length (half of those with the right reply
// code), some shorter, a few of any length up to 400 bytes. Passing() says, from the replies
// actually sent, what the operation just made must have returned, so a test fails when a good
// reply is refused as well as when a bad one is taken.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
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
                // Now and then a status of 0, so that some writes must pass.
                if (n > 1 && pick == 0) {
                    reply[1] = 0;
                }
                state->sent.push_back(reply);
                ++state->count;
                return std::optional<Bytes>(reply);
            });
        }
    }

    // The reply an operation on `code` with a reply of `length` bytes must have passed on, or
    // nothing when it must have failed; forgets the replies sent so far. The first reply that
    // fits the reply buffer decides (an empty one, or one longer than the buffer, is skipped):
    // it passes with exactly `length` bytes and the reply code, and for a write or command
    // (`acknowledged`) also status 0.
    std::optional<Bytes> Passing(uint8_t code, std::size_t length, bool acknowledged) {
        std::lock_guard lock(m_state->mutex);
        std::optional<Bytes> passing;
        for (const Bytes& reply : m_state->sent) {
            if (reply.empty() || reply.size() > length) {
                continue;
            }
            if (reply.size() == length && reply[0] == (code | 0x80) &&
                (!acknowledged || reply[1] == 0)) {
                passing = reply;
            }
            break;
        }
        m_state->sent.clear();
        ++(passing ? m_passes : m_failures);
        return passing;
    }

    std::size_t Count() const {
        std::lock_guard lock(m_state->mutex);
        return m_state->count;
    }
    std::size_t Passes() const { return m_passes; }
    std::size_t Failures() const { return m_failures; }

private:
    struct State {
        std::mutex mutex;
        std::mt19937 random;
        std::vector<Bytes> sent;
        std::size_t count = 0;
    };
    std::shared_ptr<State> m_state;
    std::size_t m_passes = 0;
    std::size_t m_failures = 0;
};

}  // namespace varlo::testing
