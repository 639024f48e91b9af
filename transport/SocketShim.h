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

// Waits until the socket is readable or the timeout ends; true when readable.
bool WaitReadable(SocketHandle s, int timeoutMs);

void SleepMs(int ms);

}  // namespace varlo::net
