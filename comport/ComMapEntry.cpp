#include "comport/ComMapEntry.h"

#include <cstring>

#include "comport/ComMapping.h"
#include "discovery/DeviceFormat.h"
#include "transport/DecimalText.h"

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
    return ParseLeadingDecimal(text);
}

}  // namespace varlo
