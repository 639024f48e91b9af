#pragma once
// One found device: bytes 8 to 23 of its search reply, kept exactly as received.
#include <array>
#include <cstdint>
#include <span>

#include "transport/ByteBlock.h"
#include "transport/FrameHeader.h"

namespace varlo {

class _CONFIGPARAM : public ByteBlock<16> {
public:
    static constexpr std::size_t kType = 0;   // 4 bytes, little-endian as the device sends it
    static constexpr std::size_t kExtra = 4;  // 2 bytes without meaning, sent back unchanged
    static constexpr std::size_t kMac = 6;
    static constexpr std::size_t kIp = 12;  // first octet first

    _CONFIGPARAM() = default;
    // A fixed-size span: a shorter source does not compile instead of being read past its end.
    static _CONFIGPARAM FromBytes(std::span<const uint8_t, 16> sixteen) {
        _CONFIGPARAM r;
        r.Assign(sixteen.data());
        return r;
    }

    uint32_t dwType() const { return LoadLE32(data() + kType); }
    MacBytes byMac() const { return GetMac(kMac); }
    Ipv4Bytes dwIp() const { return GetIp(kIp); }
    // Type, extra bytes and MAC: the 12 bytes every request to this device carries.
    DeviceIdentity Identity() const { return Get<12>(kType); }
};
static_assert(sizeof(_CONFIGPARAM) == 16);

}  // namespace varlo
