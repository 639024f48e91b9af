#include "discovery/IpSearchSession.h"

#include "discovery/SearchProtocol.h"
#include "transport/TransportSettings.h"

namespace varlo {

bool IpSearchSession::Open(const IpRange& range, int ratePerSecond) {
    m_range = range;
    m_rate = std::max(1, ratePerSecond);
    m_sent = 0;
    m_failed = 0;
    m_found = 0;
    m_stopped = false;
    m_listed.clear();
    for (std::size_t i = 0; i < m_table.GetSize(); ++i) {
        m_listed.insert(m_table[i].Identity());
    }
    m_start = Transport().clock->Now();
    m_lastSend = m_start;
    return m_socket.Create(Transport().searchLocalPort);
}

PollClock::TimePoint IpSearchSession::Due(uint32_t k) const {
    return m_start +
           std::chrono::microseconds(uint64_t{k} * 1000000 / static_cast<unsigned>(m_rate));
}

PollClock::TimePoint IpSearchSession::NextDue() const {
    if (m_sent < m_range.count) {
        return Due(m_sent);
    }
    return m_lastSend + std::chrono::milliseconds(kLateReplyMs);
}

bool IpSearchSession::Pump(PollClock::TimePoint now) {
    if (m_stopped || !m_socket.IsOpen()) {
        return false;
    }
    // Each address is asked once, so the request lists nobody: the bare 8-byte header.
    static const Bytes request = BuildSearchRequest(CConfigParamArray());
    const uint16_t port = Transport().targetPort;
    while (m_sent < m_range.count && Due(m_sent) <= now) {
        const int n = m_socket.SendTo(request.data(), request.size(), m_range.At(m_sent), port);
        if (n != static_cast<int>(request.size())) {
            ++m_failed;
        }
        ++m_sent;
        m_lastSend = now;
    }
    return m_sent < m_range.count || now < m_lastSend + std::chrono::milliseconds(kLateReplyMs);
}

std::size_t IpSearchSession::ReadWaiting(std::size_t max) {
    std::size_t taken = 0;
    while (taken < max) {
        uint8_t buffer[kSearchReceiveBuffer] = {};
        net::Arrival arrival;
        const int count = m_socket.ReceiveArrival(buffer, sizeof buffer, &arrival);
        if (count < 0 && !(m_socket.IsOpen() && net::WaitReadable(m_socket.Descriptor(), 0))) {
            break;
        }
        ++taken;
        const auto record = AcceptSearchReply(buffer, count);
        if (!record || !m_listed.insert(record->Identity()).second) {
            continue;
        }
        DeviceRoute route;
        route.unicast = true;
        route.destination = arrival.fromAddr;
        Routes().Remember(record->Identity(), route);
        m_table.Add(*record, route);
        ++m_found;
    }
    return taken;
}

}  // namespace varlo
