#include "transport/TransportSettings.h"

#include <array>
#include <charconv>
#include <cstdio>

#include "transport/Ipv4Octets.h"

namespace varlo {

TransportSettings& Transport() {
    static TransportSettings settings;
    return settings;
}

namespace {
bool ParseNumber(std::string_view text, unsigned max, unsigned* out) {
    if (text.empty() || text.size() > 5) {
        return false;
    }
    unsigned v = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
    if (ec != std::errc() || end != text.data() + text.size() || v > max) {
        return false;
    }
    *out = v;
    return true;
}
}  // namespace

bool ParseIpv4(std::string_view text, uint32_t* addr) {
    uint32_t value = 0;
    for (int i = 0; i < 4; ++i) {
        const std::size_t dot = text.find('.');
        const bool last = i == 3;
        if (last != (dot == std::string_view::npos)) {
            return false;
        }
        const std::string_view part = last ? text : text.substr(0, dot);
        if (part.size() > 3) {
            return false;
        }
        unsigned octet = 0;
        if (!ParseNumber(part, 255, &octet)) {
            return false;
        }
        value = (value << 8) | octet;
        if (!last) {
            text.remove_prefix(dot + 1);
        }
    }
    *addr = value;
    return true;
}

bool ParseTarget(std::string_view text, uint32_t* addr, uint16_t* port) {
    const std::size_t colon = text.find(':');
    uint32_t a = 0;
    if (!ParseIpv4(text.substr(0, colon), &a)) {
        return false;
    }
    if (colon != std::string_view::npos) {
        unsigned p = 0;
        if (!ParseNumber(text.substr(colon + 1), 65535, &p) || p == 0) {
            return false;
        }
        *port = static_cast<uint16_t>(p);
    }
    *addr = a;
    return true;
}

bool SetTarget(std::string_view text) {
    TransportSettings& t = Transport();
    if (!ParseTarget(text, &t.targetAddr, &t.targetPort)) {
        return false;
    }
    t.everyAdapter = false;
    return true;
}

std::string FormatIpv4(uint32_t a) {
    const std::array<uint8_t, 4> o = Ipv4Octets(a);
    char text[16];
    std::snprintf(text, sizeof text, "%u.%u.%u.%u", o[0], o[1], o[2], o[3]);
    return text;
}

}  // namespace varlo
