#include "discovery/SearchSession.h"

#include "discovery/SearchProtocol.h"
#include "transport/TransportSettings.h"

namespace varlo {

bool SearchSession::Open() {
    m_nCount = kSearchSeconds;
    m_table.RemoveAll();
    return m_socket.Create(Transport().searchLocalPort);
}

bool SearchSession::Tick() {
    const int old = m_nCount;
    // A tick that is already queued when the countdown ends must not send a sixth request.
    if (old <= 0) {
        m_nCount = 0;
        return false;
    }
    --m_nCount;
    const Bytes request = BuildSearchRequest(m_table);
    const TransportSettings& t = Transport();
    m_socket.SendTo(request.data(), request.size(), t.targetAddr, t.targetPort);
    return true;
}

std::optional<std::size_t> SearchSession::OnReadable() {
    uint8_t buffer[kSearchReceiveBuffer] = {};
    const int count = m_socket.ReceiveFrom(buffer, sizeof buffer);
    const auto record = AcceptSearchReply(buffer, count);
    if (!record) {
        return std::nullopt;
    }
    return m_table.Add(*record);
}

}  // namespace varlo
