#include "comport/ComMapEntry.h"

#include <climits>
#include <cstring>

#include "comport/ComMapping.h"
#include "discovery/DeviceFormat.h"

namespace varlo {

ComMapEntry ReadComMapEntry(int nCom) {
    ComMapEntry e{};
    e.nCom = nCom;
    e.nState = ReadComMapping(nCom, &e.dwIP, &e.nPort, &e.nReport, &e.nKeepAlive, &e.nShare);
    return e;
}

Ipv4Bytes ComIpOctets(uint32_t dwIP) {
    Ipv4Bytes octets;
    std::memcpy(octets.data(), &dwIP, octets.size());
    return octets;
}

uint32_t ComIpToHost(uint32_t dwIP) {
    return LoadBE32(ComIpOctets(dwIP).data());
}

uint32_t ComIpFromHost(uint32_t hostOrder) {
    Ipv4Bytes octets;
    StoreBE32(octets.data(), hostOrder);
    uint32_t dwIP;
    std::memcpy(&dwIP, octets.data(), sizeof dwIP);
    return dwIP;
}

std::string ComPortText(int nCom) {
    return "COM" + std::to_string(nCom);
}

std::string ComIpText(uint32_t dwIP) {
    return FormatIp(ComIpOctets(dwIP));
}

std::string ComPortIndexText(int nPort) {
    return std::to_string(nPort);
}

int ParsePortIndex(const std::string& text) {
    std::size_t i = 0;
    const auto blank = [](char c) {
        return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
    };
    while (i < text.size() && blank(text[i])) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    long long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        if (value <= INT_MAX) {
            value = value * 10 + (text[i] - '0');
        }
    }
    value = negative ? -value : value;
    if (value > INT_MAX) {
        return INT_MAX;
    }
    if (value < INT_MIN) {
        return INT_MIN;
    }
    return static_cast<int>(value);
}

}  // namespace varlo
