#pragma once
// Every test program starts with the process-wide target on loopback, so a test that forgets to
// point the program at its simulator, or a fault that sends where nothing should go, never
// broadcasts from the machine running the tests. Nothing listens on the port: such requests go
// unanswered. Tests that need a target set their own (the simulator fixture does).
#include <cstdint>

#include "artnet4/ArtNetSettings.h"
#include "transport/TransportSettings.h"

namespace varlo::testing {

inline constexpr uint32_t kLoopbackAddr = 0x7F000001;  // 127.0.0.1
inline constexpr uint16_t kNowherePort = 9;            // discard: no one answers

inline void PointTransportAtLoopback() {
    Transport().targetAddr = kLoopbackAddr;
    Transport().targetPort = kNowherePort;
    // Art-Net polls too, from a port of the system's choice so test programs never contend
    // for 6454.
    artnet4::ArtNetTarget().pollAddrs = {kLoopbackAddr};
    artnet4::ArtNetTarget().pollPort = kNowherePort;
    artnet4::ArtNetTarget().localPort = 0;
}

}  // namespace varlo::testing
