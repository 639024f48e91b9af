#pragma once
// One COM number's mapping as the COM mapping pane keeps it, and the texts its rows show.
#include <cstdint>
#include <string>

#include "transport/ByteBlock.h"

namespace varlo {

struct ComMapEntry {
    int32_t nCom;        // 1..1024
    uint32_t dwIP;       // network order: in memory order its bytes are the octets
    int32_t nPort;       // port index on the device
    int32_t nReport;     // carried along unchanged
    int32_t nKeepAlive;  // carried along unchanged
    int32_t nShare;      // carried along unchanged
    int32_t bModified;   // 1 once the operator changed or added it
    int32_t nState;      // ReadComMapping's result when the pane loaded
};
static_assert(sizeof(ComMapEntry) == 32);

// A cleared entry for nCom, filled by ReadComMapping.
ComMapEntry ReadComMapEntry(int nCom);

// Rows are kept for mapped ports and disabled ones; taken and free numbers have none.
inline bool IsListedComState(int state) {
    return state == 0 || state == -2;
}
// The row image: 0 for a disabled mapping, 2 for every other row.
inline int ComStateImage(int state) {
    return state == -2 ? 0 : 2;
}

Ipv4Bytes ComIpOctets(uint32_t dwIP);
// Between the entry's network order and an address field's host order (first octet high).
uint32_t ComIpToHost(uint32_t dwIP);
uint32_t ComIpFromHost(uint32_t hostOrder);

std::string ComPortText(int nCom);        // "COM%d"
std::string ComIpText(uint32_t dwIP);     // "%d.%d.%d.%d", first octet first
std::string ComPortIndexText(int nPort);  // "%d"

// The port index field's number: leading blanks, a sign and digits, as atoi reads them (text
// without leading digits is 0; a value beyond int is clamped rather than undefined).
int ParsePortIndex(const std::string& text);
// Port indexes 0..256 are accepted.
inline bool IsValidPortIndex(int index) {
    return index >= 0 && index <= 256;
}

}  // namespace varlo
