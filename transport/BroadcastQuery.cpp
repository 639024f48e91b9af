#include "transport/BroadcastQuery.h"

#include <chrono>

#include "transport/TransportSettings.h"

namespace varlo {

namespace {
// The devices' own tool polls every 100 ms and resends every second. The steps keep the resend
// times; a reply ends its step when it arrives unless the transport asks for whole steps.
constexpr int kPollStepMs = 100;
constexpr int kResendMs = 1000;

// One poll step: sleep through it and look once, or, with replyEndsStep, watch the socket until
// the step's end and return at the first datagram that fits. Either way the step lasts 100 ms
// on the transport's clock unless a reply ends it.
int32_t AwaitStep(net::SocketHandle s, const TransportSettings& t, uint8_t* reply,
                  std::size_t replyCapacity) {
    if (!t.replyEndsStep) {
        t.clock->Sleep(s, kPollStepMs);
        return net::ReceiveFrom(s, reply, replyCapacity);
    }
    const auto end = t.clock->Now() + std::chrono::milliseconds(kPollStepMs);
    for (;;) {
        const auto left =
            std::chrono::ceil<std::chrono::milliseconds>(end - t.clock->Now()).count();
        if (left <= 0) {
            return net::ReceiveFrom(s, reply, replyCapacity);
        }
        if (t.clock->WaitReadable(s, static_cast<int>(left))) {
            const int32_t count = net::ReceiveFrom(s, reply, replyCapacity);
            if (count > 0) {
                return count;
            }
        }
    }
}
}  // namespace

void SendToAddr(net::SocketHandle s, uint32_t hostAddr, uint16_t port, const uint8_t* data,
                std::size_t len) {
    net::SendTo(s, hostAddr, port, data, len);
}

int32_t BroadcastQuery(const uint8_t* request, std::size_t requestLen, uint8_t* reply,
                       std::size_t replyCapacity, int budgetMs) {
    return RoutedQuery(nullptr, request, requestLen, reply, replyCapacity, budgetMs);
}

int32_t RoutedQuery(const DeviceRoute* route, const uint8_t* request, std::size_t requestLen,
                    uint8_t* reply, std::size_t replyCapacity, int budgetMs) {
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
            // The socket stays bound to the wildcard address, so a device that answers by
            // broadcast is heard whichever adapter the request left through.
            if (route != nullptr) {
                net::SendVia(s, route->unicast ? 0 : route->adapter.index, route->adapter.addr,
                             route->destination, t.targetPort, request, requestLen);
            } else {
                SendToAddr(s, t.targetAddr, t.targetPort, request, requestLen);
            }
        }
        // An empty datagram, one that does not fit and a receive error all read as "nothing":
        // none of them ends the wait.
        count = AwaitStep(s, t, reply, replyCapacity);
        elapsed += kPollStepMs;
        if (count > 0) {
            break;
        }
    }
    net::Close(s);
    return count > 0 ? count : -1;
}

}  // namespace varlo
