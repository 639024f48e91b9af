#include "discovery/SearchSession.h"

#include "discovery/SearchProtocol.h"
#include "transport/SocketShim.h"
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
    std::optional<std::size_t> added;
    ReceiveOne(&added);
    return added;
}

std::size_t SearchSession::ReadWaiting(std::size_t max) {
    std::size_t received = 0;
    std::optional<std::size_t> added;
    while (received < max && ReceiveOne(&added)) {
        ++received;
    }
    return received;
}

bool SearchSession::ReceiveOne(std::optional<std::size_t>* added) {
    added->reset();
    uint8_t buffer[kSearchReceiveBuffer] = {};
    const int count = m_socket.ReceiveFrom(buffer, sizeof buffer);
    if (const auto record = AcceptSearchReply(buffer, count)) {
        *added = m_table.Add(*record);
        return true;
    }
    // A failed receive either found nothing or took a datagram too large for the buffer; only
    // the socket can say whether more are waiting behind it.
    return count >= 0 || (m_socket.IsOpen() && net::WaitReadable(m_socket.Descriptor(), 0));
}

}  // namespace varlo
