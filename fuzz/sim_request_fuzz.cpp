// The simulator's request handling: every input is one datagram to the demo rig (the first byte
// turns the dirtyText fault on or off for every device, the rest is the datagram). Whatever it
// receives, the simulator answers a search with 24-byte replies and a configuration request with
// the request's code with bit 7 set, and never reads or writes outside a buffer.
#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "discovery/SearchProtocol.h"
#include "fuzz/FuzzCheck.h"
#include "sim/DeviceSimulator.h"
#include "sim/Rig.h"
#include "transport/ByteOrder.h"

namespace {
using namespace varlo;
constexpr std::size_t kMaxUdpPayload = 65507;
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    // A fresh rig each time: writes and Default change the devices' blocks.
    sim::Rig rig = sim::DemoRig();
    for (sim::SimDevice& device : rig.devices) {
        device.faults.dirtyText = (data[0] & 1) != 0;
    }
    const std::size_t devices = rig.devices.size();
    sim::DeviceSimulator simulator(std::move(rig));
    const Bytes datagram(data + 1, data + std::min(size, kMaxUdpPayload + 1));
    const std::vector<Bytes> replies = simulator.Answer(datagram);

    const bool search = datagram.size() >= kSearchHeaderSize && datagram[0] == kSearchRequestCode;
    if (search) {
        FUZZ_CHECK(replies.size() <= devices);
    }
    for (const Bytes& reply : replies) {
        if (search) {
            FUZZ_CHECK(reply.size() == 24 && reply[0] == kSearchReplyCode &&
                       LoadBE16(reply.data() + 2) == kSearchReplyLengthField);
        } else {
            FUZZ_CHECK(datagram.size() >= 20);
            FUZZ_CHECK(reply.size() >= 8 && reply[0] == (datagram[0] | 0x80));
        }
    }
    return 0;
}
