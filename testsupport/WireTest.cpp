#include "testsupport/WireTest.h"

#include <chrono>
#include <cstdio>

#include "transport/HexText.h"

namespace varlo::testing {

namespace {
bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}
}  // namespace

Bytes Hex(const std::string& text) {
    Bytes out;
    std::size_t groupDigits = 0;
    int high = -1;
    for (std::size_t i = 0; i <= text.size(); ++i) {
        const char c = i < text.size() ? text[i] : ' ';
        if (IsSpace(c)) {
            if (groupDigits % 2 != 0) {
                throw std::invalid_argument("odd number of hex digits before offset " +
                                            std::to_string(i) + " of \"" + text + "\"");
            }
            groupDigits = 0;
            continue;
        }
        const int digit = HexDigit(c);
        if (digit < 0) {
            throw std::invalid_argument(std::string("'") + c + "' in hex fixture \"" + text + "\"");
        }
        ++groupDigits;
        if (high < 0) {
            high = digit;
        } else {
            out.push_back(static_cast<uint8_t>(high << 4 | digit));
            high = -1;
        }
    }
    return out;
}

Bytes Repeat(uint8_t v, std::size_t n) {
    return Bytes(n, v);
}

std::string Dump(const Bytes& bytes) {
    std::string out;
    char cell[8];
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        std::snprintf(cell, sizeof cell, "%s%02X", i == 0 ? "" : (i % 16 == 0 ? "\n" : " "),
                      bytes[i]);
        out += cell;
    }
    return out;
}

::testing::AssertionResult BytesEq(const Bytes& actual, const Bytes& expected) {
    if (actual == expected) {
        return ::testing::AssertionSuccess();
    }
    std::size_t i = 0;
    while (i < actual.size() && i < expected.size() && actual[i] == expected[i]) {
        ++i;
    }
    return ::testing::AssertionFailure()
           << "first difference at byte " << i << " (sizes " << actual.size() << " and "
           << expected.size() << ")\nactual:\n"
           << Dump(actual) << "\nexpected:\n"
           << Dump(expected);
}

void SimulatorTest::StartSimulator(sim::Rig rig, Timing timing, sim::SimOptions options) {
    options.recordRequests = true;
    simulator = std::make_unique<sim::DeviceSimulator>(std::move(rig), options);
    ASSERT_TRUE(simulator->Start());
    Transport().targetAddr = simulator->Address();
    Transport().targetPort = simulator->Port();
    Transport().searchLocalPort = 0;  // tests run side by side: never the fixed search port
    if (timing == Timing::Virtual) {
        clock.settle = [this](net::SocketHandle s) { Settle(s); };
        Transport().clock = &clock;
    }
}

void SimulatorTest::StartSimulator(sim::Rig rig, int pollSleepMs, sim::SimOptions options) {
    StartSimulator(std::move(rig), pollSleepMs == 100 ? Timing::Real : Timing::Virtual, options);
}

void SimulatorTest::Settle(net::SocketHandle s) {
    // A loopback datagram is queued at its receiver before the send returns, so once the
    // simulator is idle its replies are waiting on s. The limit only keeps a stuck simulator
    // from hanging the test: the exchange then goes on and fails.
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!simulator->Idle() && std::chrono::steady_clock::now() < until) {
        if (s == net::kInvalidSocket) {
            net::SleepMs(1);
        } else if (net::WaitReadable(s, 1)) {
            return;
        }
    }
}

void SimulatorTest::TearDown() {
    if (simulator) {
        simulator->Stop();
    }
}

}  // namespace varlo::testing
