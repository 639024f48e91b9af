#include "transport/BroadcastQuery.h"

#include "transport/TransportSettings.h"

namespace varlo {

namespace {
// The devices' own tool polls every 100 ms and resends every second; a reply that comes early
// still waits for the end of its step.
constexpr int kPollStepMs = 100;
constexpr int kResendMs = 1000;
}  // namespace

void SendToAddr(net::SocketHandle s, uint32_t hostAddr, uint16_t port, const uint8_t* data,
                std::size_t len) {
    net::SendTo(s, hostAddr, port, data, len);
}

int32_t BroadcastQuery(const uint8_t* request, std::size_t requestLen, uint8_t* reply,
                       std::size_t replyCapacity, int budgetMs) {
    if (budgetMs <= 0) {
        return 0;
    }
    const net::SocketHandle s = net::OpenUdp();
    if (s == net::kInvalidSocket) {
        return -1;
    }
    net::SetBroadcast(s, true);
    if (!net::Bind(s, 0, 0)) {
        net::Close(s);
        return -1;
    }
    net::SetNonBlocking(s);

    const TransportSettings& t = Transport();
    int32_t count = 0;
    for (int elapsed = 0; elapsed < budgetMs;) {
        if (elapsed % kResendMs == 0) {
            SendToAddr(s, t.targetAddr, t.targetPort, request, requestLen);
        }
        t.clock->Sleep(s, kPollStepMs);
        // An empty datagram, one that does not fit and a receive error all read as "nothing":
        // none of them ends the wait.
        count = net::ReceiveFrom(s, reply, replyCapacity);
        elapsed += kPollStepMs;
        if (count > 0) {
            break;
        }
    }
    net::Close(s);
    return count > 0 ? count : -1;
}

}  // namespace varlo
