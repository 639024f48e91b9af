#include "artnet4/ArtNetPoller.h"

#include <array>
#include <chrono>

#include "artnet4/ArtPoll.h"

namespace varlo::artnet4 {

namespace {
// Larger than any Art-Net packet: a datagram that does not fit is not one Varlo reads.
constexpr std::size_t kReceiveBuffer = 1024;
// A thousand nodes answer one broadcast poll within a second; the replies wait here.
constexpr int kReceiveBufferBytes = 4 * 1024 * 1024;
}  // namespace

ArtNetPoller::ArtNetPoller(PollClock& clock) : m_clock(clock) {}

ArtNetPoller::~ArtNetPoller() {
    Close();
}

bool ArtNetPoller::Open(const ArtNetSettings& settings) {
    Close();
    m_settings = settings;
    net::StartUp();
    m_socket = net::OpenUdp();
    if (m_socket == net::kInvalidSocket) {
        return false;
    }
    net::SetBroadcast(m_socket, true);
    m_portTaken = false;
    if (!net::Bind(m_socket, 0, settings.localPort)) {
        m_portTaken = settings.localPort != 0;
        if (!m_portTaken || !net::Bind(m_socket, 0, 0)) {
            Close();
            return false;
        }
    }
    net::SetNonBlocking(m_socket);
    net::RaiseReceiveBuffer(m_socket, kReceiveBufferBytes);
    return true;
}

void ArtNetPoller::Close() {
    if (m_socket != net::kInvalidSocket) {
        net::Close(m_socket);
        m_socket = net::kInvalidSocket;
    }
}

uint16_t ArtNetPoller::LocalPort() const {
    return IsOpen() ? net::LocalPort(m_socket) : 0;
}

bool ArtNetPoller::SendPoll() {
    if (!IsOpen()) {
        return false;
    }
    m_nodes.PollSent();
    // Bit 1: a node whose state changes tells us without waiting for the next poll.
    const ArtPoll poll(ArtPoll::kFlagReplyOnChange);
    bool sent = false;
    for (const uint32_t addr : PollDestinations(m_settings.pollAddrs, SearchAdapters())) {
        sent |= net::SendTo(m_socket, addr, m_settings.pollPort, poll.data(), poll.size()) ==
                static_cast<int>(poll.size());
    }
    return sent;
}

bool ArtNetPoller::SendAddress(const ArtNetNode& node, const ArtAddress& packet) {
    return IsOpen() && net::SendTo(m_socket, node.fromAddr, node.fromPort, packet.data(),
                                   packet.size()) == static_cast<int>(packet.size());
}

std::vector<std::size_t> ArtNetPoller::OnReadable() {
    std::vector<std::size_t> changed;
    if (!IsOpen()) {
        return changed;
    }
    std::array<uint8_t, kReceiveBuffer> buffer;
    uint32_t addr = 0;
    uint16_t port = 0;
    for (int n;
         (n = net::ReceiveFrom(m_socket, buffer.data(), buffer.size(), &addr, &port)) >= 0;) {
        const std::vector<std::size_t> taken =
            Take(buffer.data(), static_cast<std::size_t>(n), addr, port);
        changed.insert(changed.end(), taken.begin(), taken.end());
    }
    return changed;
}

std::vector<std::size_t> ArtNetPoller::Take(const uint8_t* data, std::size_t size,
                                            uint32_t fromAddr, uint16_t fromPort) {
    const std::optional<uint16_t> op = ReadOpCode(data, size);
    if (!op) {
        ++m_counters.malformed;
        return {};
    }
    if (*op != kOpPollReply) {
        // Our own broadcast poll comes back to a socket on 6454, and DMX flows past it.
        ++m_counters.ignored;
        return {};
    }
    const std::optional<ArtPollReply> reply = ArtPollReply::Parse(data, size);
    if (!reply) {
        ++m_counters.malformed;
        return {};
    }
    ++m_counters.replies;
    return {m_nodes.Take(*reply, fromAddr, fromPort, m_clock.Now()).index};
}

void ArtNetPoller::Collect(int ms) {
    const auto end = m_clock.Now() + std::chrono::milliseconds(ms);
    for (;;) {
        OnReadable();
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(end - m_clock.Now());
        if (left.count() <= 0 || !IsOpen()) {
            return;
        }
        m_clock.WaitReadable(m_socket, static_cast<int>(left.count()));
    }
}

}  // namespace varlo::artnet4
