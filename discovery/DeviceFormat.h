#pragma once
// Display formats shared by every list and information panel.
#include <string>

#include "transport/ByteBlock.h"

namespace varlo {

// "%d.%d.%d.%d", first octet first.
std::string FormatIp(const Ipv4Bytes& ip);
// "%02X:%02X:%02X:%02X:%02X:%02X" as the device lists show it.
std::string FormatMacColon(const MacBytes& mac);
// "%02X-%02X-%02X-%02X-%02X-%02X" as the dialogs' information panels show it.
std::string FormatMacDash(const MacBytes& mac);

}  // namespace varlo
