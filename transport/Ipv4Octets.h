#pragma once
// An IPv4 address between the host-order number the program computes with and its four bytes in
// wire order (192.168.1.2 is C0 A8 01 02 either way), through the byte-order helpers rather
// than shifts written out at each use.
#include <array>
#include <cstdint>

#include "transport/ByteOrder.h"

namespace varlo {

inline uint32_t Ipv4Number(const std::array<uint8_t, 4>& octets) {
    return LoadBE32(octets.data());
}

inline std::array<uint8_t, 4> Ipv4Octets(uint32_t hostAddr) {
    std::array<uint8_t, 4> octets;
    StoreBE32(octets.data(), hostAddr);
    return octets;
}

}  // namespace varlo
