// The configuration exchange's receive path, block by block for every model of both families:
// the reply goes through a real socket into the exchange the dialogs and varlo-cli run, on a
// virtual clock, then into the decoders varlo-cli prints with. A read passes exactly when the
// reply has the block's reply length and code, and then keeps reply byte 8 on (the device
// information: the whole reply); a write passes exactly with 8 bytes, its code and status 0.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <deque>

#include "configfiles/BlockJson.h"
#include "fuzz/ExchangeCases.h"
#include "fuzz/FuzzCheck.h"
#include "testsupport/LoopbackDevice.h"
#include "testsupport/VirtualClock.h"
#include "transport/TransportSettings.h"

namespace {
using namespace varlo;

constexpr std::size_t kMaxUdpPayload = 65507;

struct Harness {
    testing::LoopbackDevice device;
    testing::VirtualClock clock;
    std::deque<Bytes> answers;  // the device's answers to the next requests, in order

    Harness() {
        FUZZ_CHECK(device.IsOpen());
        Transport().targetAddr = device.Address();
        Transport().targetPort = device.Port();
        Transport().clock = &clock;
        clock.settle = [this](net::SocketHandle s) {
            for (const auto& r : device.Receive()) {
                if (!answers.empty()) {
                    device.Answer(r, answers.front(), s);
                    answers.pop_front();
                }
            }
        };
    }
};

// A well-formed answer to a read of the block: code | 0x80, status 0, the block's bytes.
Bytes GoodReadReply(const BlockSpec& layout) {
    Bytes reply(layout.ReplySize(), 0x5A);
    reply[0] = layout.readCode | 0x80;
    reply[1] = 0;
    return reply;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    static Harness h;
    if (size == 0) {
        return 0;
    }
    const std::vector<fuzz::ExchangeCase>& cases = fuzz::ExchangeCases();
    const fuzz::ExchangeCase& c = cases[data[0] % cases.size()];
    const Bytes reply(data + 1, data + std::min(size, kMaxUdpPayload + 1));
    const BlockSpec& layout = c.model->blocks[c.block];
    const DeviceIdentity identity{};
    ConfigSession session(*c.model, identity);
    h.answers.clear();

    if (!c.write) {
        h.answers.push_back(reply);
        const bool read = session.Read(c.block);
        const bool good =
            reply.size() == layout.ReplySize() && reply[0] == (layout.readCode | 0x80);
        FUZZ_CHECK(read == good);
        FUZZ_CHECK(session.IsRead(c.block) == good);
        if (read) {
            const Bytes& saved = *session.Saved(c.block);
            FUZZ_CHECK(saved.size() == layout.size);
            FUZZ_CHECK(std::equal(saved.begin(), saved.end(),
                                  reply.begin() + static_cast<std::ptrdiff_t>(layout.replyOffset)));
            // What varlo-cli prints of it: every decoder reads only inside the block.
            const Json decoded = DecodeBlock(c.type, layout, saved);
            FUZZ_CHECK(!decoded.dump(-1, ' ', false, Json::error_handler_t::replace).empty());
        }
        return 0;
    }

    const Bytes goodRead = GoodReadReply(layout);
    const Bytes readCopy(goodRead.begin() + static_cast<std::ptrdiff_t>(layout.replyOffset),
                         goodRead.end());
    h.answers.push_back(goodRead);
    FUZZ_CHECK(session.Read(c.block));
    Bytes built = *session.Saved(c.block);
    built[0] ^= 0xFF;  // changed, so the write goes out
    h.answers.push_back(reply);
    const WriteOutcome outcome = session.Commit(c.block, built);
    const bool good =
        reply.size() == kAckReplySize && reply[0] == (layout.writeCode | 0x80) && reply[1] == 0;
    FUZZ_CHECK(outcome == (good ? WriteOutcome::Written : WriteOutcome::Failed));
    // A failed write keeps the copy read, so the next Apply sends the block again.
    FUZZ_CHECK(*session.Saved(c.block) == (good ? built : readCopy));
    return 0;
}
