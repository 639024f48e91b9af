#pragma once
// ArtAddress (OpAddress 0x6000): 107 bytes sent unicast to a node to change its names, its
// universes, its merge mode or its indicators. Every field has a "leave it alone" value, so one
// packet changes exactly what the operator changed: a switch byte programs a value only with
// bit 7 set (0x7F is no change), an empty name is no change, command 0 does nothing.
#include <optional>
#include <string>
#include <string_view>

#include "artnet4/ArtNetHeader.h"
#include "transport/ByteBlock.h"

namespace varlo::artnet4 {

class ArtAddress : public ByteBlock<107> {
public:
    static constexpr std::size_t kProtVer = 10;
    static constexpr std::size_t kNetSwitch = 12;
    static constexpr std::size_t kBindIndex = 13;
    static constexpr std::size_t kShortName = 14;
    static constexpr std::size_t kShortNameWidth = 18;
    static constexpr std::size_t kLongName = 32;
    static constexpr std::size_t kLongNameWidth = 64;
    static constexpr std::size_t kSwIn = 96;
    static constexpr std::size_t kSwOut = 100;
    static constexpr std::size_t kSubSwitch = 104;
    static constexpr std::size_t kAcnPriority = 105;
    static constexpr std::size_t kCommand = 106;
    static constexpr std::size_t kMaxPorts = 4;

    static constexpr uint8_t kNoChange = 0x7F;
    static constexpr uint8_t kProgram = 0x80;
    static constexpr uint8_t kAcnNoChange = 0xFF;

    // Commands.
    static constexpr uint8_t kCmdNone = 0x00;
    static constexpr uint8_t kCmdCancelMerge = 0x01;
    static constexpr uint8_t kCmdLedNormal = 0x02;
    static constexpr uint8_t kCmdLedMute = 0x03;
    static constexpr uint8_t kCmdLedLocate = 0x04;
    static constexpr uint8_t kCmdResetRxFlags = 0x05;
    static constexpr uint8_t kCmdMergeLtp0 = 0x10;     // + port
    static constexpr uint8_t kCmdMergeHtp0 = 0x50;     // + port
    static constexpr uint8_t kCmdClearOutput0 = 0x90;  // + port

    // A packet that changes nothing, for the port group bindIndex (1 for the first).
    explicit ArtAddress(uint8_t bindIndex = 1);

    // Exactly what a node reads: the ID, OpAddress and all 107 bytes.
    static std::optional<ArtAddress> Parse(const uint8_t* data, std::size_t size);

    void ProgramNet(uint8_t net) { SetU8(kNetSwitch, kProgram | (net & 0x7F)); }
    void ProgramSubNet(uint8_t subNet) { SetU8(kSubSwitch, kProgram | (subNet & 0x0F)); }
    void ProgramSwIn(std::size_t k, uint8_t u) { SetU8(kSwIn + Port(k), kProgram | (u & 0x0F)); }
    void ProgramSwOut(std::size_t k, uint8_t u) { SetU8(kSwOut + Port(k), kProgram | (u & 0x0F)); }
    // An empty name leaves the node's name alone, so a name cannot be set to nothing.
    void SetShortName(std::string_view t) { SetTextPadded(kShortName, kShortNameWidth, t); }
    void SetLongName(std::string_view t) { SetTextPadded(kLongName, kLongNameWidth, t); }
    void SetCommand(uint8_t command) { SetU8(kCommand, command); }

    uint16_t ProtVer() const { return GetU16BE(kProtVer); }
    uint8_t BindIndex() const { return GetU8(kBindIndex); }
    std::string ShortName() const { return GetText(kShortName, kShortNameWidth); }
    std::string LongName() const { return GetText(kLongName, kLongNameWidth); }
    uint8_t Command() const { return GetU8(kCommand); }
    // The values the packet programs; nothing for "no change" and for "back to the physical
    // switch" (0x00), which a node without switches has no use for.
    std::optional<uint8_t> NetToProgram() const { return Programmed(kNetSwitch, 0x7F); }
    std::optional<uint8_t> SubNetToProgram() const { return Programmed(kSubSwitch, 0x0F); }
    std::optional<uint8_t> SwInToProgram(std::size_t k) const {
        return Programmed(kSwIn + Port(k), 0x0F);
    }
    std::optional<uint8_t> SwOutToProgram(std::size_t k) const {
        return Programmed(kSwOut + Port(k), 0x0F);
    }

private:
    std::optional<uint8_t> Programmed(std::size_t off, uint8_t mask) const;
    static std::size_t Port(std::size_t k);
};
static_assert(sizeof(ArtAddress) == 107);

}  // namespace varlo::artnet4
