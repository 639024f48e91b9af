#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
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

bool EnableArrivalInfo(SocketHandle s) {
#ifdef IP_PKTINFO
    int on = 1;
    return ::setsockopt(s, IPPROTO_IP, IP_PKTINFO, &on, sizeof on) == 0;
#else
    (void)s;
    return false;
#endif
}

namespace {
// One datagram's header: its address, one buffer, and room for control messages.
msghdr MessageHeader(sockaddr_in* sa, iovec* iov, void* control, std::size_t controlSize) {
    msghdr msg;
    std::memset(&msg, 0, sizeof msg);
    msg.msg_name = sa;
    msg.msg_namelen = sizeof *sa;
    msg.msg_iov = iov;
    msg.msg_iovlen = 1;
    msg.msg_control = control;
    msg.msg_controllen = controlSize;
    return msg;
}
}  // namespace

int ReceiveArrival(SocketHandle s, uint8_t* buf, std::size_t cap, Arrival* arrival) {
    sockaddr_in sa;
    std::memset(&sa, 0, sizeof sa);
    iovec iov{buf, cap};
    alignas(cmsghdr) unsigned char control[128];
    msghdr msg = MessageHeader(&sa, &iov, control, sizeof control);
    const ssize_t n = ::recvmsg(s, &msg, 0);
    if (n < 0 || (msg.msg_flags & MSG_TRUNC) != 0) {
        return -1;
    }
    *arrival = Arrival{};
    arrival->fromAddr = ntohl(sa.sin_addr.s_addr);
    arrival->fromPort = ntohs(sa.sin_port);
#ifdef IP_PKTINFO
    for (cmsghdr* c = CMSG_FIRSTHDR(&msg); c != nullptr; c = CMSG_NXTHDR(&msg, c)) {
        if (c->cmsg_level == IPPROTO_IP && c->cmsg_type == IP_PKTINFO) {
            in_pktinfo info;
            std::memcpy(&info, CMSG_DATA(c), sizeof info);
            arrival->ifIndex = static_cast<uint32_t>(info.ipi_ifindex);
            arrival->toAddr = ntohl(info.ipi_addr.s_addr);
        }
    }
#endif
    return static_cast<int>(n);
}

int SendVia(SocketHandle s, uint32_t ifIndex, uint32_t localAddr, uint32_t hostAddr, uint16_t port,
            const uint8_t* data, std::size_t len) {
#ifdef IP_PKTINFO
    if (ifIndex != 0) {
        sockaddr_in sa = MakeAddr(hostAddr, port);
        iovec iov{const_cast<uint8_t*>(data), len};
        alignas(cmsghdr) unsigned char control[CMSG_SPACE(sizeof(in_pktinfo))];
        std::memset(control, 0, sizeof control);
        msghdr msg = MessageHeader(&sa, &iov, control, sizeof control);
        cmsghdr* c = CMSG_FIRSTHDR(&msg);
        c->cmsg_level = IPPROTO_IP;
        c->cmsg_type = IP_PKTINFO;
        c->cmsg_len = CMSG_LEN(sizeof(in_pktinfo));
        in_pktinfo info;
        std::memset(&info, 0, sizeof info);
        info.ipi_ifindex = static_cast<int>(ifIndex);
        info.ipi_spec_dst.s_addr = htonl(localAddr);
        std::memcpy(CMSG_DATA(c), &info, sizeof info);
        const ssize_t n = ::sendmsg(s, &msg, 0);
        return n < 0 ? -1 : static_cast<int>(n);
    }
#else
    (void)ifIndex;
    (void)localAddr;
#endif
    return SendTo(s, hostAddr, port, data, len);
}

long long SystemUdpReceiveErrors() {
    // Linux: the "Udp:" lines of /proc/net/snmp, names then values; RcvbufErrors counts the
    // datagrams dropped because a socket's buffer was full, InErrors every failed receive.
    std::ifstream snmp("/proc/net/snmp");
    std::string names;
    std::string values;
    std::string line;
    while (std::getline(snmp, line)) {
        if (line.rfind("Udp:", 0) == 0) {
            if (names.empty()) {
                names = line;
            } else {
                values = line;
                break;
            }
        }
    }
    if (values.empty()) {
        return -1;
    }
    std::istringstream n(names);
    std::istringstream v(values);
    std::string name;
    std::string value;
    while (n >> name && v >> value) {
        if (name == "InErrors") {
            return std::stoll(value);
        }
    }
    return -1;
}

bool WaitReadable(SocketHandle s, int timeoutMs) {
    pollfd p{s, POLLIN, 0};
    return ::poll(&p, 1, timeoutMs) > 0 && (p.revents & POLLIN) != 0;
}

void SleepMs(int ms) {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

}  // namespace varlo::net
