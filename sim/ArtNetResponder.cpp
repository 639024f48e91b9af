#include "sim/ArtNetResponder.h"

#include <algorithm>
#include <array>

#include "artnet4/ArtAddress.h"
#include "artnet4/ArtPoll.h"
#include "sim/ArtNetNodeReplies.h"

namespace varlo::sim {

using Clock = std::chrono::steady_clock;

namespace {
constexpr int kWaitMs = 10;
// The group sockets only hear ArtAddress and unicast polls; a look every 50 ms is quick enough
// for an operator and cheap with a thousand nodes.
constexpr auto kSweepEvery = std::chrono::milliseconds(50);
constexpr std::size_t kBuffer = 2048;
}  // namespace

ArtNetResponder::ArtNetResponder(DeviceAccess access, ArtNetResponderOptions options)
    : m_access(std::move(access)), m_options(options), m_random(options.seed) {}

ArtNetResponder::~ArtNetResponder() {
    Stop();
}

bool ArtNetResponder::Start(uint32_t bindAddr, uint16_t port) {
    m_socket = net::OpenUdp();
    if (m_socket == net::kInvalidSocket || !net::Bind(m_socket, bindAddr, port)) {
        Stop();
        return false;
    }
    net::SetNonBlocking(m_socket);
    net::RaiseReceiveBuffer(m_socket, 1024 * 1024);
    m_bindAddr = bindAddr;
    m_port = net::LocalPort(m_socket);

    m_access([this](std::vector<SimDevice>& devices) {
        for (std::size_t d = 0; d < devices.size(); ++d) {
            const uint8_t groups = ArtNetGroupCount(devices[d]);
            for (uint8_t g = 1; g <= groups; ++g) {
                m_groups.push_back({d, g, net::kInvalidSocket, 0});
            }
        }
    });
    for (std::size_t i = 0; i < m_groups.size(); ++i) {
        const net::SocketHandle s = net::OpenUdp();
        const uint32_t addr = kFirstNodeAddr + static_cast<uint32_t>(i);
        // The poll port when it is free there, else any: the address tells the nodes apart.
        if (s == net::kInvalidSocket || (!net::Bind(s, addr, m_port) && !net::Bind(s, addr, 0))) {
            net::Close(s);
            Stop();
            return false;
        }
        net::SetNonBlocking(s);
        m_groups[i].socket = s;
    }
    m_stop = false;
    m_thread = std::thread([this] { Run(); });
    return true;
}

void ArtNetResponder::Stop() {
    m_stop = true;
    if (m_thread.joinable()) {
        m_thread.join();
    }
    for (Group& g : m_groups) {
        net::Close(g.socket);
    }
    m_groups.clear();
    if (m_socket != net::kInvalidSocket) {
        net::Close(m_socket);
        m_socket = net::kInvalidSocket;
    }
}

void ArtNetResponder::Run() {
    auto nextSweep = Clock::now();
    while (!m_stop) {
        int waitMs = kWaitMs;
        if (!m_due.empty()) {
            const auto until = std::chrono::duration_cast<std::chrono::milliseconds>(
                m_due.top().at - Clock::now());
            waitMs = std::clamp(static_cast<int>(until.count()), 0, kWaitMs);
        }
        if (net::WaitReadable(m_socket, waitMs)) {
            TakePolls();
        }
        if (Clock::now() >= nextSweep) {
            SweepGroups();
            nextSweep = Clock::now() + kSweepEvery;
        }
        SendDue();
    }
}

void ArtNetResponder::TakePolls() {
    std::array<uint8_t, kBuffer> buffer;
    uint32_t addr = 0;
    uint16_t port = 0;
    for (int n;
         (n = net::ReceiveFrom(m_socket, buffer.data(), buffer.size(), &addr, &port)) >= 0;) {
        if (!artnet4::ArtPoll::Parse(buffer.data(), static_cast<std::size_t>(n))) {
            continue;
        }
        std::uniform_int_distribution<int> delay(0, std::max(0, m_options.replyDelayMaxMs));
        const auto now = Clock::now();
        for (std::size_t g = 0; g < m_groups.size(); ++g) {
            m_due.push(
                {now + std::chrono::milliseconds(delay(m_random)), m_order++, g, addr, port});
        }
    }
}

void ArtNetResponder::SweepGroups() {
    std::array<uint8_t, kBuffer> buffer;
    for (std::size_t g = 0; g < m_groups.size(); ++g) {
        uint32_t addr = 0;
        uint16_t port = 0;
        for (int n; (n = net::ReceiveFrom(m_groups[g].socket, buffer.data(), buffer.size(), &addr,
                                          &port)) >= 0;) {
            const auto size = static_cast<std::size_t>(n);
            if (const auto packet = artnet4::ArtAddress::Parse(buffer.data(), size)) {
                const Group& group = m_groups[g];
                // Bind index 0 is what controllers that know no groups send.
                if (packet->BindIndex() == 0 || packet->BindIndex() == group.bindIndex) {
                    m_access([&](std::vector<SimDevice>& devices) {
                        if (group.device < devices.size()) {
                            ApplyArtAddress(devices[group.device], group.bindIndex, *packet);
                        }
                    });
                    Answer(g, addr, port);
                }
            } else if (artnet4::ArtPoll::Parse(buffer.data(), size)) {
                Answer(g, addr, port);
            }
        }
    }
}

void ArtNetResponder::SendDue() {
    const auto now = Clock::now();
    while (!m_due.empty() && m_due.top().at <= now) {
        const Due d = m_due.top();
        m_due.pop();
        Answer(d.group, d.addr, d.port);
    }
}

void ArtNetResponder::Answer(std::size_t g, uint32_t addr, uint16_t port) {
    Group& group = m_groups[g];
    std::optional<artnet4::ArtPollReply> reply;
    m_access([&](std::vector<SimDevice>& devices) {
        if (group.device < devices.size()) {
            reply =
                BuildArtPollReply(devices[group.device], group.bindIndex, ++group.pollsAnswered);
        }
    });
    if (reply && net::SendTo(group.socket, addr, port, reply->data(), reply->size()) > 0) {
        ++m_sent;
    }
}

}  // namespace varlo::sim
