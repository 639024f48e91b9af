#pragma once
// The few socket calls the core makes, over POSIX sockets or Winsock 1.1. Addresses and ports
// are host-order numbers here; the shim converts them to network order.
#include <cstddef>
#include <cstdint>

namespace varlo::net {

#ifdef _WIN32
using SocketHandle = std::uintptr_t;  // SOCKET
#else
using SocketHandle = int;
#endif

extern const SocketHandle kInvalidSocket;

// Starts the socket library once per process (Winsock 1.1 on Windows; nothing elsewhere).
bool StartUp();

SocketHandle OpenUdp();
void Close(SocketHandle s);
bool SetBroadcast(SocketHandle s, bool on);
bool SetNonBlocking(SocketHandle s);
// Asks for a larger receive buffer; the system may grant less. Returns the size granted.
int RaiseReceiveBuffer(SocketHandle s, int bytes);
bool Bind(SocketHandle s, uint32_t hostAddr, uint16_t port);
uint16_t LocalPort(SocketHandle s);

// Sends one datagram; returns the bytes sent or -1.
int SendTo(SocketHandle s, uint32_t hostAddr, uint16_t port, const uint8_t* data, std::size_t len);

// Receives one datagram into buf. Returns its length (0 for an empty datagram), or -1 when
// nothing is waiting, on any error, and when the datagram did not fit: Winsock reports that as
// an error and drops it, and POSIX would hand back a silently truncated copy, which must not
// pass for a datagram of exactly the buffer's length.
int ReceiveFrom(SocketHandle s, uint8_t* buf, std::size_t cap, uint32_t* fromAddr = nullptr,
                uint16_t* fromPort = nullptr);

// Where a datagram came in: the sender, the adapter (system interface index, 0 when the
// system does not say) and the local address it was sent to (the adapter's own for a unicast
// reply, a broadcast address otherwise; 0 when unknown).
struct Arrival {
    uint32_t fromAddr = 0;
    uint16_t fromPort = 0;
    uint32_t ifIndex = 0;
    uint32_t toAddr = 0;
};

// Asks the system to report the adapter of every datagram received (ReceiveArrival).
bool EnableArrivalInfo(SocketHandle s);
// As ReceiveFrom, and where the datagram came in when EnableArrivalInfo succeeded.
int ReceiveArrival(SocketHandle s, uint8_t* buf, std::size_t cap, Arrival* arrival);

// Sends one datagram out of one adapter (interface index, with localAddr as its source), from a
// socket bound to the wildcard address: a limited broadcast then leaves through that adapter
// instead of the one the route table picks, and the socket still receives broadcast replies,
// which a socket bound to one adapter's address does not on every system. Index 0 sends as
// SendTo does. Returns the bytes sent or -1.
int SendVia(SocketHandle s, uint32_t ifIndex, uint32_t localAddr, uint32_t hostAddr, uint16_t port,
            const uint8_t* data, std::size_t len);

// The receive errors the system counted for UDP since it started (datagrams it dropped for a
// full receive buffer among them), or -1 where it does not say.
long long SystemUdpReceiveErrors();

// Waits until the socket is readable or the timeout ends; true when readable.
bool WaitReadable(SocketHandle s, int timeoutMs);

void SleepMs(int ms);

}  // namespace varlo::net
