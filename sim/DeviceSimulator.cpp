#include "sim/DeviceSimulator.h"

#include <algorithm>
#include <set>

#include "discovery/SearchProtocol.h"
#include "transport/ByteOrder.h"

namespace varlo::sim {

using Clock = std::chrono::steady_clock;

namespace {
constexpr std::size_t kMaxDatagram = 65536;
constexpr int kIdlePollMs = 20;
}  // namespace

DeviceSimulator::DeviceSimulator(Rig rig, SimOptions options)
    : m_rig(std::move(rig)), m_options(options), m_random(options.seed) {
    IndexIdentities();
}

void DeviceSimulator::IndexIdentities() {
    m_byIdentity.clear();
    for (std::size_t i = 0; i < m_rig.devices.size(); ++i) {
        m_byIdentity[m_rig.devices[i].Identity()].push_back(i);
    }
}

DeviceSimulator::~DeviceSimulator() {
    Stop();
}

bool DeviceSimulator::Start(uint32_t bindAddr, uint16_t port) {
    m_socket = net::OpenUdp();
    if (m_socket == net::kInvalidSocket) {
        return false;
    }
    if (!net::Bind(m_socket, bindAddr, port)) {
        net::Close(m_socket);
        m_socket = net::kInvalidSocket;
        return false;
    }
    net::SetNonBlocking(m_socket);
    net::RaiseReceiveBuffer(m_socket, 8 * 1024 * 1024);
    net::EnableArrivalInfo(m_socket);
    m_bindAddr = bindAddr;
    m_port = net::LocalPort(m_socket);
    m_stop = false;
    m_thread = std::thread([this] { Run(); });
    return true;
}

bool DeviceSimulator::StartArtNet(uint32_t bindAddr, uint16_t port,
                                  ArtNetResponderOptions options) {
    if (m_artNet) {
        return false;
    }
    // Art-Net changes names and universes, never identities: no reindexing needed.
    auto responder = std::make_unique<ArtNetResponder>(
        [this](const std::function<void(std::vector<SimDevice>&)>& f) {
            std::lock_guard lock(m_mutex);
            f(m_rig.devices);
        },
        options);
    if (!responder->Start(bindAddr, port)) {
        return false;
    }
    m_artNet = std::move(responder);
    return true;
}

void DeviceSimulator::Stop() {
    if (m_artNet) {
        m_artNet->Stop();
    }
    m_stop = true;
    if (m_thread.joinable()) {
        m_thread.join();
    }
    net::Close(m_socket);
    m_socket = net::kInvalidSocket;
}

void DeviceSimulator::Run() {
    Bytes buffer(kMaxDatagram);
    while (!m_stop) {
        int waitMs = kIdlePollMs;
        {
            std::lock_guard lock(m_mutex);
            if (!m_outgoing.empty()) {
                const auto until = std::chrono::duration_cast<std::chrono::milliseconds>(
                    m_outgoing.top().due - Clock::now());
                waitMs = std::clamp(static_cast<int>(until.count()), 0, kIdlePollMs);
            }
        }
        if (net::WaitReadable(m_socket, waitMs)) {
            {
                // Set while the datagram is still queued, so Idle() never sees a gap.
                std::lock_guard lock(m_mutex);
                m_busy = true;
            }
            net::Arrival from;
            // Drain what is waiting so a burst of requests does not starve the replies.
            for (int n;
                 (n = net::ReceiveArrival(m_socket, buffer.data(), buffer.size(), &from)) >= 0;) {
                const Bytes datagram(buffer.begin(), buffer.begin() + n);
                std::lock_guard lock(m_mutex);
                Record(datagram, from.fromAddr, from.fromPort, from.toAddr);
                m_answering = from;
                Handle(datagram, from.fromAddr, from.fromPort, from.toAddr);
            }
        }
        SendDue();
    }
}

void DeviceSimulator::Record(const Bytes& datagram, uint32_t fromAddr, uint16_t fromPort,
                             uint32_t toAddr) {
    const uint64_t sequence = m_received++;
    if (!m_options.recordRequests) {
        return;
    }
    m_log.push_back({sequence, Clock::now(), datagram, fromAddr, fromPort, toAddr});
    m_logBytes += datagram.size();
    while (!m_log.empty() &&
           (m_log.size() > m_options.logMaxEntries || m_logBytes > m_options.logMaxBytes)) {
        m_logBytes -= m_log.front().bytes.size();
        m_log.pop_front();
    }
}

void DeviceSimulator::Handle(const Bytes& datagram, uint32_t fromAddr, uint16_t fromPort,
                             uint32_t toAddr) {
    if (datagram.size() >= kSearchHeaderSize && datagram[0] == kSearchRequestCode) {
        AnswerSearch(datagram, fromAddr, fromPort, toAddr);
    } else if (datagram.size() >= kRequestHeaderSize) {
        AnswerConfiguration(datagram, fromAddr, fromPort);
    }
}

void DeviceSimulator::AnswerSearch(const Bytes& request, uint32_t addr, uint16_t port,
                                   uint32_t toAddr) {
    std::set<DeviceIdentity> listed;
    for (std::size_t off = kSearchHeaderSize; off + kIdentitySize <= request.size();
         off += kIdentitySize) {
        DeviceIdentity id;
        std::copy_n(request.begin() + off, kIdentitySize, id.begin());
        listed.insert(id);
    }
    std::uniform_int_distribution<int> delay(
        m_options.searchDelayMinMs,
        std::max(m_options.searchDelayMinMs, m_options.searchDelayMaxMs));
    const auto now = Clock::now();
    m_pendingSearchReplies.resize(m_rig.devices.size(), 0);
    for (std::size_t i = 0; i < m_rig.devices.size(); ++i) {
        const SimDevice& device = m_rig.devices[i];
        // A device whose answer to an earlier request is still on its way does not answer
        // again: it has not been listed only because the program has not heard it yet.
        if (device.faults.hiddenFromSearch || listed.count(device.Identity()) != 0 ||
            m_pendingSearchReplies[i] > 0) {
            continue;
        }
        const Ipv4Bytes ip = ReportedIp(device);
        if (m_options.answerOwnAddressOnly && LoadBE32(ip.data()) != toAddr) {
            continue;
        }
        Bytes reply(24, 0);
        reply[0] = kSearchReplyCode;
        StoreBE16(reply.data() + 2, kSearchReplyLengthField);
        std::copy_n(device.record.data(), 16, reply.begin() + 8);
        std::copy(ip.begin(), ip.end(), reply.begin() + 8 + _CONFIGPARAM::kIp);
        const int copies = device.faults.duplicateSearchReply ? 2 : 1;
        for (int c = 0; c < copies; ++c) {
            Schedule(now + std::chrono::milliseconds(delay(m_random)), addr, port, reply,
                     static_cast<long>(i));
            ++m_pendingSearchReplies[i];
        }
    }
}

void DeviceSimulator::AnswerConfiguration(const Bytes& request, uint32_t addr, uint16_t port) {
    DeviceIdentity id;
    std::copy_n(request.begin() + 8, id.size(), id.begin());
    const auto found = m_byIdentity.find(id);
    if (found == m_byIdentity.end()) {
        return;
    }
    for (const std::size_t index : found->second) {
        SimDevice& device = m_rig.devices[index];
        const SimFaults& f = device.faults;
        if (f.silent) {
            continue;
        }
        const auto over = m_overrides.find(request[0]);
        std::optional<Bytes> reply = over != m_overrides.end()
                                         ? over->second(device, request)
                                         : CommandsFor(device.Type()).Handle(device, request);
        if (!reply) {
            continue;
        }
        if (!reply->empty() && f.wrongCode) {
            (*reply)[0] &= 0x7F;
        }
        if (reply->size() > 1 && f.status >= 0) {
            (*reply)[1] = static_cast<uint8_t>(f.status);
        }
        if (f.lengthDelta != 0) {
            const long size = static_cast<long>(reply->size()) + f.lengthDelta;
            reply->resize(static_cast<std::size_t>(std::max(0L, size)), 0xA5);
        }
        const auto due = Clock::now() + std::chrono::milliseconds(f.delayMs);
        for (const Bytes& stray : f.before) {
            Schedule(due, addr, port, stray);
        }
        Schedule(due, addr, port, std::move(*reply));
    }
}

void DeviceSimulator::Schedule(Clock::time_point due, uint32_t addr, uint16_t port, Bytes bytes,
                               long searchDevice) {
    // A device spread over the network answers from its own address, the one it was asked at.
    const net::Arrival via = m_options.answerOwnAddressOnly ? m_answering : net::Arrival{};
    m_outgoing.push({due, m_order++, addr, port, std::move(bytes), searchDevice, via});
}

void DeviceSimulator::SendDue() {
    std::lock_guard lock(m_mutex);
    const auto now = Clock::now();
    while (!m_outgoing.empty() && m_outgoing.top().due <= now) {
        const Outgoing& o = m_outgoing.top();
        net::SendVia(m_socket, o.via.ifIndex, o.via.toAddr, o.addr, o.port, o.bytes.data(),
                     o.bytes.size());
        if (o.searchDevice >= 0 &&
            static_cast<std::size_t>(o.searchDevice) < m_pendingSearchReplies.size()) {
            --m_pendingSearchReplies[static_cast<std::size_t>(o.searchDevice)];
        }
        m_outgoing.pop();
    }
    m_busy = false;
}

std::vector<Bytes> DeviceSimulator::Answer(const Bytes& datagram) {
    std::lock_guard lock(m_mutex);
    Handle(datagram, 0x7F000001, 1);
    std::vector<Bytes> sent;
    for (; !m_outgoing.empty(); m_outgoing.pop()) {
        sent.push_back(m_outgoing.top().bytes);
    }
    m_pendingSearchReplies.assign(m_rig.devices.size(), 0);
    return sent;
}

bool DeviceSimulator::Idle() const {
    std::lock_guard lock(m_mutex);
    return !m_busy && m_outgoing.empty() &&
           (m_socket == net::kInvalidSocket || !net::WaitReadable(m_socket, 0));
}

std::vector<LoggedDatagram> DeviceSimulator::Log() const {
    std::lock_guard lock(m_mutex);
    return {m_log.begin(), m_log.end()};
}

std::size_t DeviceSimulator::LogSize() const {
    std::lock_guard lock(m_mutex);
    return m_log.size();
}

std::size_t DeviceSimulator::LogBytes() const {
    std::lock_guard lock(m_mutex);
    return m_logBytes;
}

uint64_t DeviceSimulator::Received() const {
    std::lock_guard lock(m_mutex);
    return m_received;
}

void DeviceSimulator::ClearLog() {
    std::lock_guard lock(m_mutex);
    m_log.clear();
    m_logBytes = 0;
}

std::vector<LoggedDatagram> DeviceSimulator::LogSince(uint64_t* next) const {
    std::lock_guard lock(m_mutex);
    std::vector<LoggedDatagram> out;
    for (const LoggedDatagram& d : m_log) {
        if (d.sequence >= *next) {
            out.push_back(d);
        }
    }
    if (!out.empty()) {
        *next = out.back().sequence + 1;
    }
    return out;
}

bool DeviceSimulator::WaitForLog(std::size_t n, int timeoutMs) const {
    const auto until = Clock::now() + std::chrono::milliseconds(timeoutMs);
    while (LogSize() < n) {
        if (Clock::now() >= until) {
            return false;
        }
        net::SleepMs(5);
    }
    return true;
}

void DeviceSimulator::WithDevices(const std::function<void(std::vector<SimDevice>&)>& f) {
    std::lock_guard lock(m_mutex);
    f(m_rig.devices);
    IndexIdentities();
}

void DeviceSimulator::SetFaults(std::size_t device, const SimFaults& faults) {
    std::lock_guard lock(m_mutex);
    m_rig.devices.at(device).faults = faults;
}

void DeviceSimulator::OverrideCommand(uint8_t code, CommandHandler handler) {
    std::lock_guard lock(m_mutex);
    m_overrides[code] = std::move(handler);
}

}  // namespace varlo::sim
