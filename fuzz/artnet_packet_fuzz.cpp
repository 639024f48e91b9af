// Art-Net 4's receive paths: every input is one datagram as the poller takes it from a node,
// and, when it is an ArtAddress or an ArtPoll, as a simulated LUMA node takes it. A reply is
// listed exactly when it starts with the ID and OpPollReply and holds at least the 207 bytes
// up to the MAC; everything else is counted, never read past its end.
#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "artnet4/ArtAddress.h"
#include "artnet4/ArtNetPoller.h"
#include "artnet4/ArtPoll.h"
#include "artnet4/NodePorts.h"
#include "fuzz/FuzzCheck.h"
#include "sim/ArtNetNodeReplies.h"
#include "sim/Rig.h"
#include "transport/ByteOrder.h"

namespace {
using namespace varlo;
using namespace varlo::artnet4;

constexpr std::size_t kLuma8 = 4;  // the demo rig's node with two port groups
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    static const sim::Rig demo = sim::DemoRig();
    ArtNetPoller poller;  // no socket: Take only
    const ArtNetCounters before = poller.Counters();
    const std::vector<std::size_t> changed = poller.Take(data, size, 0x7F000001, kArtNetPort);

    const bool isArtNet = size >= 10 && std::equal(kArtNetId, kArtNetId + 8, data);
    const bool isReply = isArtNet && LoadLE16(data + 8) == kOpPollReply;
    const bool listed = isReply && size >= ArtPollReply::kMinSize;
    FUZZ_CHECK(changed.size() == (listed ? 1u : 0u));
    FUZZ_CHECK(poller.Nodes().Size() == changed.size());
    FUZZ_CHECK(poller.Counters().malformed ==
               before.malformed + (!isArtNet || (isReply && !listed)));
    FUZZ_CHECK(poller.Counters().ignored == before.ignored + (isArtNet && !isReply));
    if (listed) {
        const ArtPollReply& r = poller.Nodes().Nodes()[0].reply;
        FUZZ_CHECK(std::equal(r.data(), r.data() + std::min(size, r.size()), data));
        FUZZ_CHECK(r.ShortName().size() <= 18 && r.LongName().size() <= 64);
        FUZZ_CHECK(r.BindIndex() >= 1);
        for (const NodePort& p : PortsOf(r)) {
            FUZZ_CHECK(p.number <= 4 && p.outputAddress < 0x8000 && p.inputAddress < 0x8000);
            FUZZ_CHECK(!p.Text().empty());
        }
    }

    // A node takes an ArtAddress and answers with what it holds then.
    if (const auto address = ArtAddress::Parse(data, size)) {
        sim::SimDevice node = demo.devices[kLuma8];
        for (uint8_t group = 1; group <= 2; ++group) {
            sim::ApplyArtAddress(node, group, *address);
            const auto reply = sim::BuildArtPollReply(node, group, 1);
            FUZZ_CHECK(reply.has_value());
            FUZZ_CHECK(reply->NetSwitch() == 0);  // the node has no net to set
            if (!address->LongName().empty() && group == 1) {
                FUZZ_CHECK(reply->LongName() == address->LongName().substr(0, 31));
            }
        }
    }
    FUZZ_CHECK(ArtPoll::Parse(data, size).has_value() ==
               (isArtNet && LoadLE16(data + 8) == kOpPoll && size >= 14));
    return 0;
}
