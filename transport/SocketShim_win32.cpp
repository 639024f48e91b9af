// Winsock first: windows.h would otherwise bring in the old Winsock 1 header.
#include <winsock2.h>

#include <ws2tcpip.h>

#include <mswsock.h>

#include <iphlpapi.h>

#include <windows.h>

#include <cstring>
#include <mutex>

#include "transport/SocketShim.h"

namespace varlo::net {

const SocketHandle kInvalidSocket = INVALID_SOCKET;

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
    static std::once_flag once;
    static bool started = false;
    std::call_once(once, [] {
        WSADATA data;
        started = WSAStartup(MAKEWORD(1, 1), &data) == 0;
    });
    return started;
}

SocketHandle OpenUdp() {
    StartUp();
    return ::socket(AF_INET, SOCK_DGRAM, 0);
}

void Close(SocketHandle s) {
    if (s != kInvalidSocket) {
        ::closesocket(s);
    }
}

bool SetBroadcast(SocketHandle s, bool on) {
    BOOL v = on ? TRUE : FALSE;
    return ::setsockopt(s, SOL_SOCKET, SO_BROADCAST, reinterpret_cast<const char*>(&v), sizeof v) ==
           0;
}

bool SetNonBlocking(SocketHandle s) {
    u_long on = 1;
    return ::ioctlsocket(s, FIONBIO, &on) == 0;
}

int RaiseReceiveBuffer(SocketHandle s, int bytes) {
    ::setsockopt(s, SOL_SOCKET, SO_RCVBUF, reinterpret_cast<const char*>(&bytes), sizeof bytes);
    int granted = 0;
    int len = sizeof granted;
    ::getsockopt(s, SOL_SOCKET, SO_RCVBUF, reinterpret_cast<char*>(&granted), &len);
    return granted;
}

bool Bind(SocketHandle s, uint32_t hostAddr, uint16_t port) {
    sockaddr_in sa = MakeAddr(hostAddr, port);
    return ::bind(s, reinterpret_cast<sockaddr*>(&sa), sizeof sa) == 0;
}

uint16_t LocalPort(SocketHandle s) {
    sockaddr_in sa;
    int len = sizeof sa;
    if (::getsockname(s, reinterpret_cast<sockaddr*>(&sa), &len) != 0) {
        return 0;
    }
    return ntohs(sa.sin_port);
}

int SendTo(SocketHandle s, uint32_t hostAddr, uint16_t port, const uint8_t* data, std::size_t len) {
    sockaddr_in sa = MakeAddr(hostAddr, port);
    const int n = ::sendto(s, reinterpret_cast<const char*>(data), static_cast<int>(len), 0,
                           reinterpret_cast<const sockaddr*>(&sa), sizeof sa);
    return n == SOCKET_ERROR ? -1 : n;
}

int ReceiveFrom(SocketHandle s, uint8_t* buf, std::size_t cap, uint32_t* fromAddr,
                uint16_t* fromPort) {
    sockaddr_in sa;
    std::memset(&sa, 0, sizeof sa);
    int salen = sizeof sa;
    // A datagram larger than the buffer fails with WSAEMSGSIZE and is dropped.
    const int n = ::recvfrom(s, reinterpret_cast<char*>(buf), static_cast<int>(cap), 0,
                             reinterpret_cast<sockaddr*>(&sa), &salen);
    if (n == SOCKET_ERROR) {
        return -1;
    }
    if (fromAddr != nullptr) {
        *fromAddr = ntohl(sa.sin_addr.s_addr);
    }
    if (fromPort != nullptr) {
        *fromPort = ntohs(sa.sin_port);
    }
    return n;
}

bool EnableArrivalInfo(SocketHandle s) {
    DWORD on = 1;
    return ::setsockopt(s, IPPROTO_IP, IP_PKTINFO, reinterpret_cast<const char*>(&on), sizeof on) ==
           0;
}

namespace {
// WSARecvMsg is reached through the socket provider, not exported by name.
LPFN_WSARECVMSG RecvMsgOf(SocketHandle s) {
    GUID id = WSAID_WSARECVMSG;
    LPFN_WSARECVMSG fn = nullptr;
    DWORD bytes = 0;
    if (::WSAIoctl(s, SIO_GET_EXTENSION_FUNCTION_POINTER, &id, sizeof id, &fn, sizeof fn, &bytes,
                   nullptr, nullptr) != 0) {
        return nullptr;
    }
    return fn;
}
}  // namespace

int ReceiveArrival(SocketHandle s, uint8_t* buf, std::size_t cap, Arrival* arrival) {
    *arrival = Arrival{};
    const LPFN_WSARECVMSG recvMsg = RecvMsgOf(s);
    if (recvMsg == nullptr) {
        return ReceiveFrom(s, buf, cap, &arrival->fromAddr, &arrival->fromPort);
    }
    sockaddr_in sa;
    std::memset(&sa, 0, sizeof sa);
    WSABUF data{static_cast<ULONG>(cap), reinterpret_cast<char*>(buf)};
    char control[WSA_CMSG_SPACE(sizeof(IN_PKTINFO))] = {};
    WSAMSG msg;
    std::memset(&msg, 0, sizeof msg);
    msg.name = reinterpret_cast<sockaddr*>(&sa);
    msg.namelen = sizeof sa;
    msg.lpBuffers = &data;
    msg.dwBufferCount = 1;
    msg.Control.buf = control;
    msg.Control.len = sizeof control;
    DWORD received = 0;
    // A datagram larger than the buffer fails with WSAEMSGSIZE and is dropped.
    if (recvMsg(s, &msg, &received, nullptr, nullptr) == SOCKET_ERROR) {
        return -1;
    }
    arrival->fromAddr = ntohl(sa.sin_addr.s_addr);
    arrival->fromPort = ntohs(sa.sin_port);
    for (WSACMSGHDR* c = WSA_CMSG_FIRSTHDR(&msg); c != nullptr; c = WSA_CMSG_NXTHDR(&msg, c)) {
        if (c->cmsg_level == IPPROTO_IP && c->cmsg_type == IP_PKTINFO) {
            IN_PKTINFO info;
            std::memcpy(&info, WSA_CMSG_DATA(c), sizeof info);
            arrival->ifIndex = info.ipi_ifindex;
            arrival->toAddr = ntohl(info.ipi_addr.s_addr);
        }
    }
    return static_cast<int>(received);
}

int SendVia(SocketHandle s, uint32_t ifIndex, uint32_t localAddr, uint32_t hostAddr, uint16_t port,
            const uint8_t* data, std::size_t len) {
    if (ifIndex == 0) {
        return SendTo(s, hostAddr, port, data, len);
    }
    sockaddr_in sa = MakeAddr(hostAddr, port);
    WSABUF buffer{static_cast<ULONG>(len), reinterpret_cast<char*>(const_cast<uint8_t*>(data))};
    char control[WSA_CMSG_SPACE(sizeof(IN_PKTINFO))] = {};
    WSAMSG msg;
    std::memset(&msg, 0, sizeof msg);
    msg.name = reinterpret_cast<sockaddr*>(&sa);
    msg.namelen = sizeof sa;
    msg.lpBuffers = &buffer;
    msg.dwBufferCount = 1;
    msg.Control.buf = control;
    msg.Control.len = sizeof control;
    WSACMSGHDR* c = WSA_CMSG_FIRSTHDR(&msg);
    c->cmsg_level = IPPROTO_IP;
    c->cmsg_type = IP_PKTINFO;
    c->cmsg_len = WSA_CMSG_LEN(sizeof(IN_PKTINFO));
    IN_PKTINFO info;
    std::memset(&info, 0, sizeof info);
    info.ipi_ifindex = ifIndex;
    info.ipi_addr.s_addr = htonl(localAddr);
    std::memcpy(WSA_CMSG_DATA(c), &info, sizeof info);
    DWORD sent = 0;
    if (::WSASendMsg(s, &msg, 0, &sent, nullptr, nullptr) == SOCKET_ERROR) {
        return -1;
    }
    return static_cast<int>(sent);
}

long long SystemUdpReceiveErrors() {
    MIB_UDPSTATS stats;
    if (::GetUdpStatistics(&stats) != NO_ERROR) {
        return -1;
    }
    return static_cast<long long>(stats.dwInErrors);
}

bool WaitReadable(SocketHandle s, int timeoutMs) {
    fd_set set;
    FD_ZERO(&set);
    FD_SET(s, &set);
    timeval tv{timeoutMs / 1000, (timeoutMs % 1000) * 1000};
    return ::select(0, &set, nullptr, nullptr, &tv) > 0;
}

void SleepMs(int ms) {
    ::Sleep(static_cast<DWORD>(ms));
}

}  // namespace varlo::net
