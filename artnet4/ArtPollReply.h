#pragma once
// ArtPollReply (OpPollReply 0x2100): a node's answer to ArtPoll, 239 bytes in Art-Net 4. One
// reply describes up to four ports; a node with more sends one reply per group of four, told
// apart by BindIndex. Multi-byte fields are big-endian except the UDP port and the ESTA code.
#include <optional>
#include <string>
#include <string_view>

#include "artnet4/ArtNetHeader.h"
#include "transport/ByteBlock.h"

namespace varlo::artnet4 {

class ArtPollReply : public ByteBlock<239> {
public:
    static constexpr std::size_t kIp = 10;
    static constexpr std::size_t kPort = 14;  // 2 bytes, low first
    static constexpr std::size_t kVersInfo = 16;
    static constexpr std::size_t kNetSwitch = 18;
    static constexpr std::size_t kSubSwitch = 19;
    static constexpr std::size_t kOem = 20;
    static constexpr std::size_t kUbeaVersion = 22;
    static constexpr std::size_t kStatus1 = 23;
    static constexpr std::size_t kEstaMan = 24;  // 2 bytes, low first
    static constexpr std::size_t kShortName = 26;
    static constexpr std::size_t kShortNameWidth = 18;
    static constexpr std::size_t kLongName = 44;
    static constexpr std::size_t kLongNameWidth = 64;
    static constexpr std::size_t kNodeReport = 108;
    static constexpr std::size_t kNodeReportWidth = 64;
    static constexpr std::size_t kNumPorts = 172;
    static constexpr std::size_t kPortTypes = 174;
    static constexpr std::size_t kGoodInput = 178;
    static constexpr std::size_t kGoodOutputA = 182;
    static constexpr std::size_t kSwIn = 186;
    static constexpr std::size_t kSwOut = 190;
    static constexpr std::size_t kAcnPriority = 194;
    static constexpr std::size_t kSwMacro = 195;
    static constexpr std::size_t kSwRemote = 196;
    static constexpr std::size_t kStyle = 200;
    static constexpr std::size_t kMac = 201;
    static constexpr std::size_t kBindIp = 207;
    static constexpr std::size_t kBindIndex = 211;
    static constexpr std::size_t kStatus2 = 212;
    static constexpr std::size_t kGoodOutputB = 213;
    static constexpr std::size_t kStatus3 = 217;
    static constexpr std::size_t kDefaultUid = 218;

    // Nodes written before bind addresses existed end their reply after the MAC address; what
    // they leave out reads as zero.
    static constexpr std::size_t kMinSize = kBindIp;
    static constexpr std::size_t kMaxPorts = 4;

    // PortTypes bits.
    static constexpr uint8_t kPortCanOutput = 0x80;  // from Art-Net to DMX
    static constexpr uint8_t kPortCanInput = 0x40;   // from DMX to Art-Net
    static constexpr uint8_t kPortProtocolMask = 0x3F;
    // GoodInput bits.
    static constexpr uint8_t kInputDataReceived = 0x80;
    static constexpr uint8_t kInputDisabled = 0x08;
    static constexpr uint8_t kInputErrors = 0x04;
    // GoodOutputA bits.
    static constexpr uint8_t kOutputTransmitting = 0x80;
    static constexpr uint8_t kOutputMerging = 0x08;
    static constexpr uint8_t kOutputMergeLtp = 0x02;
    // Status1 bits 7-6: the indicators.
    static constexpr uint8_t kIndicatorMask = 0xC0;
    static constexpr uint8_t kIndicatorLocate = 0x40;
    static constexpr uint8_t kIndicatorMute = 0x80;
    static constexpr uint8_t kIndicatorNormal = 0xC0;
    // Status2 bits.
    static constexpr uint8_t kStatus2DhcpInUse = 0x02;
    static constexpr uint8_t kStatus2DhcpCapable = 0x04;
    static constexpr uint8_t kStatus2PortAddress15 = 0x08;

    // An empty reply with the ID, the OpCode and the Art-Net port.
    ArtPollReply();

    // The reply a datagram holds: the ID, OpPollReply and at least kMinSize bytes; bytes past
    // 239 are not read.
    static std::optional<ArtPollReply> Parse(const uint8_t* data, std::size_t size);

    Ipv4Bytes Ip() const { return GetIp(kIp); }
    void SetIpAddress(const Ipv4Bytes& ip) { SetIp(kIp, ip); }
    uint16_t UdpPort() const { return LoadLE16(At(kPort, 2)); }
    uint16_t Firmware() const { return GetU16BE(kVersInfo); }
    void SetFirmware(uint16_t v) { SetU16BE(kVersInfo, v); }
    uint8_t NetSwitch() const { return GetU8(kNetSwitch) & 0x7F; }
    void SetNetSwitch(uint8_t v) { SetU8(kNetSwitch, v & 0x7F); }
    uint8_t SubSwitch() const { return GetU8(kSubSwitch) & 0x0F; }
    void SetSubSwitch(uint8_t v) { SetU8(kSubSwitch, v & 0x0F); }
    uint16_t Oem() const { return GetU16BE(kOem); }
    void SetOem(uint16_t v) { SetU16BE(kOem, v); }
    uint8_t Status1() const { return GetU8(kStatus1); }
    void SetStatus1(uint8_t v) { SetU8(kStatus1, v); }
    uint16_t EstaCode() const { return LoadLE16(At(kEstaMan, 2)); }
    void SetEstaCode(uint16_t v) { StoreLE16(At(kEstaMan, 2), v); }
    std::string ShortName() const { return GetText(kShortName, kShortNameWidth); }
    void SetShortName(std::string_view t) { SetTextPadded(kShortName, kShortNameWidth, t); }
    std::string LongName() const { return GetText(kLongName, kLongNameWidth); }
    void SetLongName(std::string_view t) { SetTextPadded(kLongName, kLongNameWidth, t); }
    std::string NodeReport() const { return GetText(kNodeReport, kNodeReportWidth); }
    void SetNodeReport(std::string_view t) { SetTextPadded(kNodeReport, kNodeReportWidth, t); }

    // NumPorts as sent (0-4 by the protocol; a node may send more).
    uint16_t NumPortsField() const { return GetU16BE(kNumPorts); }
    // The ports this reply describes: NumPorts, never more than the four it has room for.
    std::size_t PortCount() const;
    void SetPortCount(uint16_t n) { SetU16BE(kNumPorts, n); }
    uint8_t PortType(std::size_t k) const { return GetU8(kPortTypes + Port(k)); }
    void SetPortType(std::size_t k, uint8_t v) { SetU8(kPortTypes + Port(k), v); }
    uint8_t GoodInput(std::size_t k) const { return GetU8(kGoodInput + Port(k)); }
    void SetGoodInput(std::size_t k, uint8_t v) { SetU8(kGoodInput + Port(k), v); }
    uint8_t GoodOutput(std::size_t k) const { return GetU8(kGoodOutputA + Port(k)); }
    void SetGoodOutput(std::size_t k, uint8_t v) { SetU8(kGoodOutputA + Port(k), v); }
    uint8_t SwIn(std::size_t k) const { return GetU8(kSwIn + Port(k)) & 0x0F; }
    void SetSwIn(std::size_t k, uint8_t v) { SetU8(kSwIn + Port(k), v & 0x0F); }
    uint8_t SwOut(std::size_t k) const { return GetU8(kSwOut + Port(k)) & 0x0F; }
    void SetSwOut(std::size_t k, uint8_t v) { SetU8(kSwOut + Port(k), v & 0x0F); }
    // The 15-bit Port-Address of port k's input or output.
    uint16_t InputPortAddress(std::size_t k) const;
    uint16_t OutputPortAddress(std::size_t k) const;

    uint8_t Style() const { return GetU8(kStyle); }
    void SetStyle(uint8_t v) { SetU8(kStyle, v); }
    MacBytes Mac() const { return GetMac(kMac); }
    void SetMac(const MacBytes& mac) { Set(kMac, mac); }
    Ipv4Bytes BindIp() const { return GetIp(kBindIp); }
    void SetBindIp(const Ipv4Bytes& ip) { SetIp(kBindIp, ip); }
    uint8_t BindIndexField() const { return GetU8(kBindIndex); }
    // The port group: 1 for the first; nodes that send 0 (or stop before it) have one group.
    uint8_t BindIndex() const;
    void SetBindIndex(uint8_t v) { SetU8(kBindIndex, v); }
    uint8_t Status2() const { return GetU8(kStatus2); }
    void SetStatus2(uint8_t v) { SetU8(kStatus2, v); }

private:
    static std::size_t Port(std::size_t k);
};
static_assert(sizeof(ArtPollReply) == 239);

}  // namespace varlo::artnet4
