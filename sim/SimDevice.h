#pragma once
// One simulated device: its search record, its parameter blocks and the faults it is told to
// show. Blocks are kept by the request code that reads them.
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "discovery/ConfigParam.h"
#include "transport/FrameHeader.h"

namespace varlo::sim {

struct SimFaults {
    bool hiddenFromSearch = false;      // never answers a search
    bool duplicateSearchReply = false;  // answers every search request twice
    bool silent = false;                // never answers a configuration request
    int delayMs = 0;                    // configuration replies leave this much later
    bool wrongCode = false;             // reply byte 0 without its top bit
    int status = -1;                    // 0..255: forced into reply byte 1
    int lengthDelta = 0;                // reply shortened (< 0) or lengthened (> 0)
    std::vector<Bytes> before;          // datagrams sent just ahead of every reply
    bool dirtyText = false;             // non-zero bytes after text terminators and in unused bytes
};

struct SimDevice {
    _CONFIGPARAM record;               // type (little-endian), extra bytes, MAC, IPv4
    std::map<uint8_t, Bytes> blocks;   // current blocks, by read code
    std::map<uint8_t, Bytes> factory;  // what Default restores
    SimFaults faults;
    // What Art-Net sets that the nodes' own blocks have no room for.
    std::string artNetShortName;  // empty: the device name, cut to fit
    bool locating = false;        // the identify indicator, set by ArtAddress

    DeviceIdentity Identity() const { return record.Identity(); }
    uint32_t Type() const { return record.dwType(); }
};

// The address the device reports in its search replies: the one its network block holds now.
Ipv4Bytes ReportedIp(const SimDevice& device);

SimDevice MakeSimDevice(uint32_t type, const MacBytes& mac, const Ipv4Bytes& ip,
                        uint16_t extra = 0);

}  // namespace varlo::sim
