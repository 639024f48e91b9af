#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstring>
#include <thread>

#include "transport/SocketShim.h"

namespace varlo::net {

const SocketHandle kInvalidSocket = -1;

namespace {
sockaddr_in MakeAddr(uint32_t hostAddr, uint16_t port) {
    sockaddr_in sa;
    std::memset(&sa, 0, sizeof sa);
    sa.sin_family = AF_INET;
    sa.sin_addr.s_addr = htonl(hostAddr);
    sa.sin_port = htons(port);
    return sa;
}
}  // namespace

bool StartUp() {
    return true;
}

SocketHandle OpenUdp() {
    return ::socket(AF_INET, SOCK_DGRAM, 0);
}

void Close(SocketHandle s) {
    if (s != kInvalidSocket) {
        ::close(s);
    }
}

bool SetBroadcast(SocketHandle s, bool on) {
    int v = on ? 1 : 0;
    return ::setsockopt(s, SOL_SOCKET, SO_BROADCAST, &v, sizeof v) == 0;
}

bool SetNonBlocking(SocketHandle s) {
    const int flags = ::fcntl(s, F_GETFL, 0);
    return flags >= 0 && ::fcntl(s, F_SETFL, flags | O_NONBLOCK) == 0;
}

int RaiseReceiveBuffer(SocketHandle s, int bytes) {
    ::setsockopt(s, SOL_SOCKET, SO_RCVBUF, &bytes, sizeof bytes);
    int granted = 0;
    socklen_t len = sizeof granted;
    ::getsockopt(s, SOL_SOCKET, SO_RCVBUF, &granted, &len);
    return granted;
}

bool Bind(SocketHandle s, uint32_t hostAddr, uint16_t port) {
    sockaddr_in sa = MakeAddr(hostAddr, port);
    return ::bind(s, reinterpret_cast<sockaddr*>(&sa), sizeof sa) == 0;
}

uint16_t LocalPort(SocketHandle s) {
    sockaddr_in sa;
    socklen_t len = sizeof sa;
    if (::getsockname(s, reinterpret_cast<sockaddr*>(&sa), &len) != 0) {
        return 0;
    }
    return ntohs(sa.sin_port);
}

int SendTo(SocketHandle s, uint32_t hostAddr, uint16_t port, const uint8_t* data, std::size_t len) {
    sockaddr_in sa = MakeAddr(hostAddr, port);
    const ssize_t n = ::sendto(s, data, len, 0, reinterpret_cast<const sockaddr*>(&sa), sizeof sa);
    return n < 0 ? -1 : static_cast<int>(n);
}

int ReceiveFrom(SocketHandle s, uint8_t* buf, std::size_t cap, uint32_t* fromAddr,
                uint16_t* fromPort) {
    sockaddr_in sa;
    std::memset(&sa, 0, sizeof sa);
    iovec iov{buf, cap};
    msghdr msg;
    std::memset(&msg, 0, sizeof msg);
    msg.msg_name = &sa;
    msg.msg_namelen = sizeof sa;
    msg.msg_iov = &iov;
    msg.msg_iovlen = 1;
    const ssize_t n = ::recvmsg(s, &msg, 0);
    if (n < 0 || (msg.msg_flags & MSG_TRUNC) != 0) {
        return -1;
    }
    if (fromAddr != nullptr) {
        *fromAddr = ntohl(sa.sin_addr.s_addr);
    }
    if (fromPort != nullptr) {
        *fromPort = ntohs(sa.sin_port);
    }
    return static_cast<int>(n);
}

bool WaitReadable(SocketHandle s, int timeoutMs) {
    pollfd p{s, POLLIN, 0};
    return ::poll(&p, 1, timeoutMs) > 0 && (p.revents & POLLIN) != 0;
}

void SleepMs(int ms) {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

}  // namespace varlo::net
