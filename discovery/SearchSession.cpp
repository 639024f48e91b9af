#include "discovery/SearchSession.h"

#include "discovery/SearchProtocol.h"
#include "transport/SocketShim.h"
#include "transport/TransportSettings.h"

namespace varlo {

bool SearchSession::Open() {
    m_nCount = kSearchSeconds;
    m_table.RemoveAll();
    Routes().Clear();
    m_sends.clear();
    m_allAdapters.clear();
    const TransportSettings& t = Transport();
    if (t.UsesAdapters()) {
        for (const NetAdapter& a : SearchAdapters()) {
            m_sends.push_back({a});
        }
        m_allAdapters = AllAdapters();
    }
    return m_socket.Create(t.searchLocalPort);
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
    // Without a usable adapter (none chosen, or `--target`) the request goes where the route
    // table sends it, as it always did.
    if (m_sends.empty()) {
        m_socket.SendTo(request.data(), request.size(), t.targetAddr, t.targetPort);
        return true;
    }
    for (AdapterSends& s : m_sends) {
        const int n = m_socket.SendVia(request.data(), request.size(), s.adapter.index,
                                       s.adapter.addr, s.adapter.broadcastTo, t.targetPort);
        ++(n == static_cast<int>(request.size()) ? s.sent : s.failed);
    }
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
    net::Arrival arrival;
    const int count = m_socket.ReceiveArrival(buffer, sizeof buffer, &arrival);
    if (const auto record = AcceptSearchReply(buffer, count)) {
        DeviceRoute route;
        if (const NetAdapter* adapter = AdapterOf(arrival)) {
            route.adapter = *adapter;
            route.destination = adapter->broadcastTo;
            Routes().Remember(record->Identity(), route);
        }
        *added = m_table.Add(*record, route);
        return true;
    }
    // A failed receive either found nothing or took a datagram too large for the buffer; only
    // the socket can say whether more are waiting behind it.
    return count >= 0 || (m_socket.IsOpen() && net::WaitReadable(m_socket.Descriptor(), 0));
}

const NetAdapter* SearchSession::AdapterOf(const net::Arrival& arrival) {
    if (m_sends.empty() || arrival.ifIndex == 0) {
        return nullptr;
    }
    for (AdapterSends& s : m_sends) {
        if (s.adapter.addr == arrival.toAddr && s.adapter.index == arrival.ifIndex) {
            ++s.replies;
            return &s.adapter;
        }
    }
    for (AdapterSends& s : m_sends) {
        if (s.adapter.index == arrival.ifIndex) {
            ++s.replies;
            return &s.adapter;
        }
    }
    // An adapter left out of the search heard it all the same (a reply by broadcast on a
    // segment the operator did not choose): requests to it go back the same way.
    for (const NetAdapter& a : m_allAdapters) {
        if (a.index == arrival.ifIndex && UsableForSearch(a)) {
            return &a;
        }
    }
    return nullptr;
}

}  // namespace varlo
