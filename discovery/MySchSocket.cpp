#include "discovery/MySchSocket.h"

namespace varlo {

namespace {
// Thousands of devices may answer within the same second; the default buffer (about 200 KB
// on Linux, where each queued datagram costs far more than its 24 bytes) would drop replies
// while the user interface is busy.
constexpr int kReceiveBufferBytes = 8 * 1024 * 1024;
}  // namespace

bool CMySchSocket::Create(uint16_t localPort) {
    Close();
    m_socket = net::OpenUdp();
    if (m_socket == net::kInvalidSocket) {
        return false;
    }
    if (!net::Bind(m_socket, 0, localPort)) {
        Close();
        return false;
    }
    net::SetBroadcast(m_socket, true);
    net::SetNonBlocking(m_socket);
    net::RaiseReceiveBuffer(m_socket, kReceiveBufferBytes);
    net::EnableArrivalInfo(m_socket);
    return true;
}

void CMySchSocket::Close() {
    net::Close(m_socket);
    m_socket = net::kInvalidSocket;
}

int CMySchSocket::SendTo(const uint8_t* data, std::size_t len, uint32_t hostAddr, uint16_t port) {
    if (!IsOpen()) {
        return -1;
    }
    return net::SendTo(m_socket, hostAddr, port, data, len);
}

int CMySchSocket::SendVia(const uint8_t* data, std::size_t len, uint32_t ifIndex,
                          uint32_t localAddr, uint32_t hostAddr, uint16_t port) {
    if (!IsOpen()) {
        return -1;
    }
    return net::SendVia(m_socket, ifIndex, localAddr, hostAddr, port, data, len);
}

int CMySchSocket::ReceiveArrival(uint8_t* buf, std::size_t cap, net::Arrival* arrival) {
    if (!IsOpen()) {
        return -1;
    }
    return net::ReceiveArrival(m_socket, buf, cap, arrival);
}

int CMySchSocket::ReceiveFrom(uint8_t* buf, std::size_t cap) {
    if (!IsOpen()) {
        return -1;
    }
    return net::ReceiveFrom(m_socket, buf, cap);
}

}  // namespace varlo
