#pragma once
// What an operator asks an Art-Net node to change (the "Art-Net node" dialog, `varlo-cli artnet
// address`), the ArtAddress packets that carry it, and the check of the node's answer: a node
// may refuse any field, and its next ArtPollReply is the only word on what it took.
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "artnet4/ArtAddress.h"
#include "artnet4/ArtPollReply.h"

namespace varlo::artnet4 {

struct AddressRequest {
    std::optional<std::string> shortName;  // at most 17 characters
    std::optional<std::string> longName;   // at most 63
    std::optional<uint8_t> net;            // 0-127
    std::optional<uint8_t> subNet;         // 0-15
    // Per port of the group, the universe within the sub-net (0-15).
    std::array<std::optional<uint8_t>, ArtAddress::kMaxPorts> universe;
    std::array<std::optional<bool>, ArtAddress::kMaxPorts> ltp;  // merge LTP, else HTP
    bool locate = false;

    bool Empty() const;
};

// The packets for the port group bindIndex. The first carries every field and the first
// command; each further command (a second port's merge mode, locate) needs a packet of its own,
// as ArtAddress has room for one. A port's universe goes to SwOut when the current reply says
// the port outputs, to SwIn when it inputs, and to both when it says neither.
std::vector<ArtAddress> BuildAddressPackets(const AddressRequest& request,
                                            const ArtPollReply& current);

// The asked-for values the reply does not show, one line each ("net: asked 3, node says 0").
std::vector<std::string> NotTaken(const AddressRequest& request, const ArtPollReply& reply);

}  // namespace varlo::artnet4
