#pragma once
// _OPMODEPARAM, a serial server's operating-mode block: 360 bytes, read with 0x06 and written
// with 0x0A. It always carries the settings of all four modes; the mode field says which set
// the device uses. Destination addresses are text ("192.168.1.10"), not four-byte addresses.
#include <cstdlib>
#include <string>
#include <string_view>

#include "transport/ByteBlock.h"

namespace varlo {

class _OPMODEPARAM : public ByteBlock<360> {
public:
    static constexpr std::size_t kOpMode = 0;  // u32: 0 real COM, 1 TCP server, 2 client, 3 UDP
    static constexpr std::size_t kRealComKeepAlive = 4;     // u32, minutes
    static constexpr std::size_t kTcpServerKeepAlive = 8;   // u32, minutes
    static constexpr std::size_t kTcpServerPort = 12;       // u16
    static constexpr std::size_t kReserved1 = 14;           // 2 bytes
    static constexpr std::size_t kTcpClientKeepAlive = 16;  // u32, minutes
    static constexpr std::size_t kTcpClientAddresses = 20;  // four 40-byte texts
    static constexpr std::size_t kTcpClientPorts = 180;     // four u16
    static constexpr std::size_t kUdpAddresses = 188;       // four 40-byte texts
    static constexpr std::size_t kUdpPorts = 348;           // four u16
    static constexpr std::size_t kUdpListenPort = 356;      // u16
    static constexpr std::size_t kReserved2 = 358;          // 2 bytes
    static constexpr std::size_t kAddressWidth = 40;        // at most 39 characters
    static constexpr std::size_t kDestinationCount = 4;

    uint32_t OpMode() const { return GetU32BE(kOpMode); }
    void SetOpMode(uint32_t v) { SetU32BE(kOpMode, v); }
    uint32_t RealComKeepAlive() const { return GetU32BE(kRealComKeepAlive); }
    void SetRealComKeepAlive(uint32_t v) { SetU32BE(kRealComKeepAlive, v); }
    uint32_t TcpServerKeepAlive() const { return GetU32BE(kTcpServerKeepAlive); }
    void SetTcpServerKeepAlive(uint32_t v) { SetU32BE(kTcpServerKeepAlive, v); }
    uint16_t TcpServerPort() const { return GetU16BE(kTcpServerPort); }
    void SetTcpServerPort(uint16_t v) { SetU16BE(kTcpServerPort, v); }
    uint32_t TcpClientKeepAlive() const { return GetU32BE(kTcpClientKeepAlive); }
    void SetTcpClientKeepAlive(uint32_t v) { SetU32BE(kTcpClientKeepAlive, v); }
    uint16_t UdpListenPort() const { return GetU16BE(kUdpListenPort); }
    void SetUdpListenPort(uint16_t v) { SetU16BE(kUdpListenPort, v); }

    // Destinations 0 to 3 of the TCP-client and UDP modes.
    static std::size_t TcpClientAddressAt(std::size_t i) {
        return kTcpClientAddresses + Dest(i) * kAddressWidth;
    }
    static std::size_t TcpClientPortAt(std::size_t i) { return kTcpClientPorts + Dest(i) * 2; }
    static std::size_t UdpAddressAt(std::size_t i) {
        return kUdpAddresses + Dest(i) * kAddressWidth;
    }
    static std::size_t UdpPortAt(std::size_t i) { return kUdpPorts + Dest(i) * 2; }

    std::string TcpClientAddress(std::size_t i) const {
        return GetText(TcpClientAddressAt(i), kAddressWidth);
    }
    void SetTcpClientAddress(std::size_t i, std::string_view t) {
        SetTextTerminated(TcpClientAddressAt(i), kAddressWidth, t);
    }
    uint16_t TcpClientPort(std::size_t i) const { return GetU16BE(TcpClientPortAt(i)); }
    void SetTcpClientPort(std::size_t i, uint16_t v) { SetU16BE(TcpClientPortAt(i), v); }
    std::string UdpAddress(std::size_t i) const { return GetText(UdpAddressAt(i), kAddressWidth); }
    void SetUdpAddress(std::size_t i, std::string_view t) {
        SetTextTerminated(UdpAddressAt(i), kAddressWidth, t);
    }
    uint16_t UdpPort(std::size_t i) const { return GetU16BE(UdpPortAt(i)); }
    void SetUdpPort(std::size_t i, uint16_t v) { SetU16BE(UdpPortAt(i), v); }

private:
    // A fifth destination would land on the next field's bytes, not past the block's end.
    static std::size_t Dest(std::size_t i) {
        if (i >= kDestinationCount) {
            std::abort();
        }
        return i;
    }
};
static_assert(sizeof(_OPMODEPARAM) == 360);
static_assert(_OPMODEPARAM::kTcpClientAddresses + 4 * _OPMODEPARAM::kAddressWidth ==
              _OPMODEPARAM::kTcpClientPorts);
static_assert(_OPMODEPARAM::kUdpAddresses + 4 * _OPMODEPARAM::kAddressWidth ==
              _OPMODEPARAM::kUdpPorts);

}  // namespace varlo
