#include "testsupport/WireTest.h"

#include <cctype>
#include <cstdio>

#include "discovery/DeviceTable.h"

namespace varlo::testing {

Bytes Hex(const std::string& text) {
    Bytes out;
    std::string digits;
    for (const char c : text) {
        if (std::isxdigit(static_cast<unsigned char>(c))) {
            digits += c;
        }
        if (digits.size() == 2) {
            out.push_back(static_cast<uint8_t>(std::stoul(digits, nullptr, 16)));
            digits.clear();
        }
    }
    return out;
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

void SimulatorTest::StartSimulator(sim::Rig rig, int pollSleepMs, sim::SimOptions options) {
    simulator = std::make_unique<sim::DeviceSimulator>(std::move(rig), options);
    ASSERT_TRUE(simulator->Start());
    Transport().targetAddr = simulator->Address();
    Transport().targetPort = simulator->Port();
    Transport().searchLocalPort = 0;  // tests run side by side: never the fixed search port
    Transport().pollSleepMs = pollSleepMs;
}

void SimulatorTest::TearDown() {
    if (simulator) {
        simulator->Stop();
    }
    Transport() = saved;
    g_arrConfigParam.RemoveAll();
    g_nCurDevice = 0;
}

}  // namespace varlo::testing
