#include "discovery/DeviceFormat.h"

#include <cstdio>

namespace varlo {

std::string FormatIp(const Ipv4Bytes& ip) {
    char text[16];
    std::snprintf(text, sizeof text, "%d.%d.%d.%d", ip[0], ip[1], ip[2], ip[3]);
    return text;
}

namespace {
std::string FormatMac(const MacBytes& m, char sep) {
    char text[18];
    std::snprintf(text, sizeof text, "%02X%c%02X%c%02X%c%02X%c%02X%c%02X", m[0], sep, m[1], sep,
                  m[2], sep, m[3], sep, m[4], sep, m[5]);
    return text;
}
}  // namespace

std::string FormatMacColon(const MacBytes& mac) {
    return FormatMac(mac, ':');
}
std::string FormatMacDash(const MacBytes& mac) {
    return FormatMac(mac, '-');
}

}  // namespace varlo
