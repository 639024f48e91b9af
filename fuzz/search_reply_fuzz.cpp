// The search socket's receive path: every input is one datagram sent to a search session on
// loopback and taken as the search dialog takes it. A datagram is accepted exactly when it fits
// the 256-byte buffer and starts 0x81, any byte, length 24 big-endian; its record is bytes 8-23,
// zeros where the datagram ended; the next request lists what was accepted.
#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "discovery/SearchProtocol.h"
#include "discovery/SearchSession.h"
#include "fuzz/FuzzCheck.h"
#include "transport/ByteOrder.h"
#include "transport/TransportSettings.h"

namespace {
using namespace varlo;

constexpr std::size_t kMaxUdpPayload = 65507;
constexpr std::size_t kTableLimit = 64;  // then the table starts over

struct Harness {
    CConfigParamArray table;
    SearchSession session{table};
    net::SocketHandle sender = net::OpenUdp();

    Harness() {
        Transport().searchLocalPort = 0;  // never the fixed search port
        FUZZ_CHECK(session.Open());
        FUZZ_CHECK(sender != net::kInvalidSocket);
    }
};
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    static Harness h;
    size = std::min(size, kMaxUdpPayload);
    if (h.table.GetSize() >= kTableLimit) {
        h.table.RemoveAll();
    }
    const std::size_t before = h.table.GetSize();
    FUZZ_CHECK(net::SendTo(h.sender, 0x7F000001, h.session.Socket().LocalPort(), data, size) ==
               static_cast<int>(size));
    FUZZ_CHECK(net::WaitReadable(h.session.Socket().Descriptor(), 1000));
    const std::optional<std::size_t> index = h.session.OnReadable();

    const bool acceptable = size >= 4 && size <= kSearchReceiveBuffer &&
                            data[0] == kSearchReplyCode && LoadBE16(data + 2) == 24;
    FUZZ_CHECK(index.has_value() == acceptable);
    if (!index) {
        FUZZ_CHECK(h.table.GetSize() == before);
        return 0;
    }
    FUZZ_CHECK(*index == before && h.table.GetSize() == before + 1);
    uint8_t expected[16] = {};
    if (size > 8) {
        std::copy_n(data + 8, std::min<std::size_t>(size - 8, 16), expected);
    }
    FUZZ_CHECK(std::equal(expected, expected + 16, h.table[*index].data()));

    const Bytes request = BuildSearchRequest(h.table);
    FUZZ_CHECK(request.size() == 8 + 12 * h.table.GetSize());
    FUZZ_CHECK(std::equal(expected, expected + 12, request.end() - 12));
    return 0;
}
