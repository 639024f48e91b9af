#pragma once
// A device the test plays itself, on a socket of its own on loopback: it takes the requests
// sent to it and answers exactly what the test says, with nothing in between (no thread, no
// delays). Together with a VirtualClock whose settle answers the requests, an exchange's steps
// and resends can be counted exactly. Free of GoogleTest, so the fuzz targets use it too.
#include <cstdint>
#include <vector>

#include "transport/FrameHeader.h"
#include "transport/SocketShim.h"

namespace varlo::testing {

class LoopbackDevice {
public:
    struct Request {
        Bytes bytes;
        uint32_t fromAddr = 0;
        uint16_t fromPort = 0;
    };

    LoopbackDevice();  // bound to 127.0.0.1 on a port of the system's choice
    ~LoopbackDevice();
    LoopbackDevice(const LoopbackDevice&) = delete;
    LoopbackDevice& operator=(const LoopbackDevice&) = delete;

    bool IsOpen() const { return m_socket != net::kInvalidSocket; }
    uint32_t Address() const { return 0x7F000001; }
    uint16_t Port() const;

    // Every request waiting now. A loopback datagram is queued at its receiver before its send
    // returns, so what the code under test sent before it waited is here.
    std::vector<Request> Receive();
    // Sends the datagram to the request's sender and, when `to` is given, waits (up to a second)
    // until that socket is readable, so the datagram is there for its next receive.
    void Answer(const Request& request, const Bytes& datagram,
                net::SocketHandle to = net::kInvalidSocket);

private:
    net::SocketHandle m_socket;
};

}  // namespace varlo::testing
