#pragma once
// A reply's ports as the node list, the dialog and varlo-cli show them: direction, universe both
// ways and whether DMX flows, read from the flags of each port.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "artnet4/ArtPollReply.h"

namespace varlo::artnet4 {

struct NodePort {
    std::size_t number = 0;  // 1 for the reply's first port
    bool output = false;     // can send DMX out of the node (Art-Net to DMX)
    bool input = false;      // can take DMX in (DMX to Art-Net)
    uint16_t outputAddress = 0;
    uint16_t inputAddress = 0;
    bool sending = false;    // GoodOutput: data being transmitted
    bool receiving = false;  // GoodInput: data received
    bool inputDisabled = false;
    bool ltp = false;  // merge mode LTP (HTP otherwise)
    bool merging = false;

    // "out 3:5:5 (853) DMX, LTP" / "in 0:0:1 (1) idle" / "in 0:0:2 (2) disabled"
    std::string Text() const;
};

std::vector<NodePort> PortsOf(const ArtPollReply& reply);

std::string FirmwareText(uint16_t versInfo);  // "2.3"
std::string MacText(const MacBytes& mac);     // "00:1A:2B:3C:4D:04"
std::string IpText(const Ipv4Bytes& ip);

}  // namespace varlo::artnet4
