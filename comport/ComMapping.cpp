#include "comport/ComMapping.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "comport/ComPlatform.h"
#include "comport/SerialDriver.h"
#include "transport/ByteOrder.h"

namespace varlo {

namespace {
// One value read into a 4-byte buffer that starts as 0. A registry DWORD is little-endian.
int32_t QueryNumber(ComPlatformApi& p, ComHandle key, const char* name) {
    uint8_t buffer[4] = {0, 0, 0, 0};
    p.RegQuery(key, name, buffer);
    return static_cast<int32_t>(LoadLE32(buffer));
}

// The address is kept as the bytes were stored: in memory order they are the octets.
uint32_t QueryAddress(ComPlatformApi& p, ComHandle key, const char* name) {
    uint8_t buffer[4] = {0, 0, 0, 0};
    p.RegQuery(key, name, buffer);
    uint32_t value;
    std::memcpy(&value, buffer, sizeof value);
    return value;
}

template <typename T>
void Put(T* out, T value) {
    if (out != nullptr) {
        *out = value;
    }
}

// Searches the system's serial-port map for port. The value's data names the port and its
// name the owner; the driver's own ports are listed under "TUN2COM".
int ClassifyUnmapped(ComPlatformApi& p, const std::string& port) {
    const ComHandle map = p.RegOpen(p.Layout().serialMap);
    if (map == kNoComHandle) {
        return COMMAP_FREE;
    }
    int result = COMMAP_FREE;
    for (uint32_t index = 0;; ++index) {
        // Cleared before each call: a name or data cut at 63 stays terminated by byte 63.
        char name[64] = {};
        uint8_t data[64] = {};
        uint32_t nameChars = 63;
        uint32_t dataBytes = 63;
        const long status = p.RegEnum(map, index, name, &nameChars, data, &dataBytes);
        if (status != kErrorSuccess && status != kErrorMoreData) {
            break;  // the end of the list, or a read that failed
        }
        if (std::strcmp(reinterpret_cast<const char*>(data), port.c_str()) != 0) {
            continue;
        }
        result = std::strcmp(name, "TUN2COM") == 0 ? COMMAP_FREE : COMMAP_TAKEN;
        break;
    }
    p.RegClose(map);
    return result;
}
}  // namespace

int ReadComMapping(int nCom, uint32_t* pdwIP, int32_t* pnPort, int32_t* pnReport,
                   int32_t* pnKeepAlive, int32_t* pnShare) {
    if (g_hSerialAdmin == kNoComHandle || nCom < 1 || nCom > kMaxComNumber) {
        return COMMAP_NO_DRIVER;
    }
    ComPlatformApi& p = ActiveComPlatform();
    char port[16];
    std::snprintf(port, sizeof port, "COM%d", nCom);

    const ComHandle params = p.RegOpen(p.Layout().parameters + port + "\\");
    if (params == kNoComHandle) {
        return ClassifyUnmapped(p, port);
    }
    Put(pdwIP, QueryAddress(p, params, "IP"));
    Put(pnPort, QueryNumber(p, params, "PORT"));
    Put(pnReport, QueryNumber(p, params, "REPORT"));
    Put(pnKeepAlive, QueryNumber(p, params, "KEEPALIVE"));
    Put(pnShare, QueryNumber(p, params, "SHARE"));
    const int32_t disable = QueryNumber(p, params, "DISABLE");
    p.RegClose(params);
    if (disable == 0) {
        return COMMAP_ACTIVE;
    }
    // A disabled set counts only while the driver's device node for the port exists.
    const ComHandle node = p.RegOpen(p.Layout().deviceNodes + port + "\\");
    if (node == kNoComHandle) {
        return COMMAP_FREE;
    }
    p.RegClose(node);
    return COMMAP_DISABLED;
}

const char* ComMapStateName(int code) {
    switch (code) {
        case COMMAP_ACTIVE:
            return "active";
        case COMMAP_NO_DRIVER:
            return "no driver";
        case COMMAP_DISABLED:
            return "disabled";
        case COMMAP_TAKEN:
            return "taken";
        case COMMAP_FREE:
            return "free";
        default:
            return "";
    }
}

}  // namespace varlo
