#pragma once
// Helpers for tests on the wire: byte comparisons that print a dump, and a fixture that runs
// the simulator on loopback with the process-wide target pointed at it.
#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <stdexcept>
#include <string>

#include "sim/DeviceSimulator.h"
#include "testsupport/ScopedDeviceTable.h"
#include "testsupport/ScopedTransport.h"
#include "testsupport/VirtualClock.h"
#include "transport/TransportSettings.h"

namespace varlo::testing {

// "01 00 00 08" -> bytes. Digits come in pairs: a group of an odd number of digits, or anything
// but hex digits and white space, throws std::invalid_argument, so a fixture cannot silently be
// a byte short.
Bytes Hex(const std::string& text);
// The same, for a fixture that must be exactly N bytes long.
template <std::size_t N>
std::array<uint8_t, N> HexArray(const std::string& text) {
    const Bytes bytes = Hex(text);
    if (bytes.size() != N) {
        throw std::invalid_argument("hex fixture of " + std::to_string(bytes.size()) +
                                    " bytes where " + std::to_string(N) + " are needed");
    }
    std::array<uint8_t, N> out;
    std::copy(bytes.begin(), bytes.end(), out.begin());
    return out;
}
// n bytes of the value v: long runs inside an expected frame.
Bytes Repeat(uint8_t v, std::size_t n);
std::string Dump(const Bytes& bytes);

// EXPECT_TRUE(BytesEq(actual, expected)): on mismatch, both dumps and the first differing byte.
::testing::AssertionResult BytesEq(const Bytes& actual, const Bytes& expected);

// How the exchanges and the search loop of a simulator test wait.
enum class Timing {
    // A VirtualClock that settles on the simulator: each wait ends as soon as its socket has a
    // datagram or the simulator has answered everything sent to it. The default: what a test
    // checks then does not depend on the machine's speed.
    Virtual,
    // The system clock, for the few tests of the timing itself.
    Real,
};

class SimulatorTest : public ::testing::Test {
protected:
    // Starts a simulator of the given rig that records what it receives.
    void StartSimulator(sim::Rig rig, Timing timing = Timing::Virtual,
                        sim::SimOptions options = {});
    // The form the older UI tests use: a poll length of 100 asks for the real timing, any
    // other for the virtual one.
    void StartSimulator(sim::Rig rig, int pollSleepMs, sim::SimOptions options = {});
    void TearDown() override;

    // Waits until s is readable or the simulator has answered everything sent to it so far.
    void Settle(net::SocketHandle s = net::kInvalidSocket);

    VirtualClock clock;
    // Declared after the clock: the transport setting is put back before the clock goes.
    ScopedTransport transport;
    ScopedDeviceTable deviceTable;
    std::unique_ptr<sim::DeviceSimulator> simulator;
};

}  // namespace varlo::testing
