#pragma once
// The search socket: UDP on the search port of every local address, broadcast on,
// non-blocking, telling which adapter each datagram came in on. Its descriptor is exposed so a
// front end can be told when it is readable.
#include <cstddef>
#include <cstdint>

#include "transport/SocketShim.h"

namespace varlo {

class CMySchSocket {
public:
    CMySchSocket() = default;
    CMySchSocket(const CMySchSocket&) = delete;
    CMySchSocket& operator=(const CMySchSocket&) = delete;
    ~CMySchSocket() { Close(); }

    // False when the socket cannot be created or bound (the port is taken, for instance).
    bool Create(uint16_t localPort);
    void Close();
    bool IsOpen() const { return m_socket != net::kInvalidSocket; }
    net::SocketHandle Descriptor() const { return m_socket; }
    uint16_t LocalPort() const { return net::LocalPort(m_socket); }

    int SendTo(const uint8_t* data, std::size_t len, uint32_t hostAddr, uint16_t port);
    // Out of one adapter (see net::SendVia); index 0 sends as SendTo.
    int SendVia(const uint8_t* data, std::size_t len, uint32_t ifIndex, uint32_t localAddr,
                uint32_t hostAddr, uint16_t port);
    // One datagram, or -1 (nothing waiting, error, or larger than the buffer: dropped).
    int ReceiveFrom(uint8_t* buf, std::size_t cap);
    // The same, and the adapter it came in on, where the system says.
    int ReceiveArrival(uint8_t* buf, std::size_t cap, net::Arrival* arrival);

private:
    net::SocketHandle m_socket = net::kInvalidSocket;
};

}  // namespace varlo
