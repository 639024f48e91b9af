#pragma once
// Helpers for tests on the wire: byte comparisons that print a dump, and a fixture that runs
// the simulator on loopback with the process-wide target pointed at it.
#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <string>

#include "sim/DeviceSimulator.h"
#include "transport/TransportSettings.h"

namespace varlo::testing {

Bytes Hex(const std::string& text);  // "01 00 00 08" -> bytes; spaces ignored
std::string Dump(const Bytes& bytes);

// EXPECT_TRUE(BytesEq(actual, expected)): on mismatch, both dumps and the first differing byte.
::testing::AssertionResult BytesEq(const Bytes& actual, const Bytes& expected);

class SimulatorTest : public ::testing::Test {
protected:
    // Starts a simulator of the given rig; the exchange's 100 ms poll step really sleeps
    // pollSleepMs (tests of the timing itself pass 100).
    void StartSimulator(sim::Rig rig, int pollSleepMs = 10, sim::SimOptions options = {});
    void TearDown() override;

    std::unique_ptr<sim::DeviceSimulator> simulator;
    TransportSettings saved = Transport();
};

}  // namespace varlo::testing
