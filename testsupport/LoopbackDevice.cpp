#include "testsupport/LoopbackDevice.h"

namespace varlo::testing {

namespace {
constexpr std::size_t kMaxDatagram = 65536;
}  // namespace

LoopbackDevice::LoopbackDevice() : m_socket(net::OpenUdp()) {
    if (m_socket != net::kInvalidSocket && !net::Bind(m_socket, Address(), 0)) {
        net::Close(m_socket);
        m_socket = net::kInvalidSocket;
    }
    if (m_socket != net::kInvalidSocket) {
        net::SetNonBlocking(m_socket);
    }
}

LoopbackDevice::~LoopbackDevice() {
    net::Close(m_socket);
}

uint16_t LoopbackDevice::Port() const {
    return net::LocalPort(m_socket);
}

std::vector<LoopbackDevice::Request> LoopbackDevice::Receive() {
    std::vector<Request> requests;
    Bytes buffer(kMaxDatagram);
    Request r;
    for (int n; (n = net::ReceiveFrom(m_socket, buffer.data(), buffer.size(), &r.fromAddr,
                                      &r.fromPort)) >= 0;) {
        r.bytes.assign(buffer.begin(), buffer.begin() + n);
        requests.push_back(r);
    }
    return requests;
}

void LoopbackDevice::Answer(const Request& request, const Bytes& datagram, net::SocketHandle to) {
    net::SendTo(m_socket, request.fromAddr, request.fromPort, datagram.data(), datagram.size());
    if (to != net::kInvalidSocket) {
        net::WaitReadable(to, 1000);
    }
}

}  // namespace varlo::testing
