#include "discovery/IpRange.h"

#include <charconv>

#include "transport/TransportSettings.h"

namespace varlo {

namespace {
std::string_view Trim(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) {
        text.remove_prefix(1);
    }
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) {
        text.remove_suffix(1);
    }
    return text;
}

std::optional<IpRange> Fail(std::string* error, const char* why) {
    if (error != nullptr) {
        *error = why;
    }
    return std::nullopt;
}
}  // namespace

std::string IpRange::ToString() const {
    if (count <= 1) {
        return FormatIpv4(first);
    }
    return FormatIpv4(first) + "-" + FormatIpv4(first + (count - 1));
}

std::optional<IpRange> ParseIpRange(std::string_view text, std::string* error) {
    text = Trim(text);
    const char* shape =
        "an address, a range (192.168.1.10-192.168.1.200) or a network (10.0.0.0/24)";
    const std::size_t slash = text.find('/');
    const std::size_t dash = text.find('-');
    IpRange range;
    if (slash != std::string_view::npos) {
        uint32_t base = 0;
        unsigned bits = 0;
        const std::string_view length = Trim(text.substr(slash + 1));
        auto [end, ec] = std::from_chars(length.data(), length.data() + length.size(), bits);
        if (!ParseIpv4(Trim(text.substr(0, slash)), &base) || ec != std::errc() ||
            end != length.data() + length.size() || length.empty() || bits > 32) {
            return Fail(error, shape);
        }
        if (bits < 16) {
            return Fail(error, "at most 65,536 addresses (a /16 network)");
        }
        const uint64_t size = uint64_t{1} << (32 - bits);
        range.first = bits == 0 ? 0 : base & ~static_cast<uint32_t>(size - 1);
        range.count = static_cast<uint32_t>(size);
        return range;
    }
    if (dash != std::string_view::npos) {
        uint32_t from = 0;
        uint32_t to = 0;
        if (!ParseIpv4(Trim(text.substr(0, dash)), &from) ||
            !ParseIpv4(Trim(text.substr(dash + 1)), &to)) {
            return Fail(error, shape);
        }
        if (to < from) {
            return Fail(error, "the range ends before it starts");
        }
        if (uint64_t{to} - from + 1 > IpRange::kMaxAddresses) {
            return Fail(error, "at most 65,536 addresses (a /16 network)");
        }
        range.first = from;
        range.count = to - from + 1;
        return range;
    }
    if (!ParseIpv4(text, &range.first)) {
        return Fail(error, shape);
    }
    range.count = 1;
    return range;
}

}  // namespace varlo
