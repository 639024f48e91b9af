#pragma once
// The addresses an IP Search asks: one address ("192.168.1.20"), a range
// ("192.168.1.10-192.168.1.200") or a network ("10.0.0.0/24"), at most 65,536 of them.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace varlo {

struct IpRange {
    static constexpr uint32_t kMaxAddresses = 65536;

    uint32_t first = 0;  // host order
    uint32_t count = 0;

    uint32_t At(uint32_t i) const { return first + i; }
    std::string ToString() const;
};

// The range, or nothing with the reason in *error: malformed, backwards, or too large. A
// network keeps its network and broadcast addresses: on a segment the search's own subnet
// may not be the devices' one, and a device may sit on either.
std::optional<IpRange> ParseIpRange(std::string_view text, std::string* error = nullptr);

}  // namespace varlo
