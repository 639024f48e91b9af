#pragma once
// What a simulated LUMA node says in Art-Net 4, read from its own blocks at the moment it
// answers, so a node whose port block was just written reports the new universes; and what an
// ArtAddress changes in those blocks. A node with more than four ports answers as two port
// groups (bind index 1 for NodeA's ports, 2 for NodeB's), each at its own address.
#include <cstdint>
#include <optional>

#include "artnet4/ArtAddress.h"
#include "artnet4/ArtPollReply.h"
#include "sim/SimDevice.h"

namespace varlo::sim {

// The port groups a device answers ArtPoll with: 0 for anything but a LUMA node, 1 or 2.
uint8_t ArtNetGroupCount(const SimDevice& device);

// The reply of group bindIndex; nothing when the device's blocks are missing or short.
// pollsAnswered numbers the node report, as a node counts its replies.
std::optional<artnet4::ArtPollReply> BuildArtPollReply(const SimDevice& device, uint8_t bindIndex,
                                                       unsigned pollsAnswered);

// Takes what the node accepts: both names, the sub-net and each port's universe (an input
// port's from SwIn, an output port's from SwOut), merge LTP/HTP and the indicators. The net
// switch it refuses: the node has no net, so its replies keep saying 0.
void ApplyArtAddress(SimDevice& device, uint8_t bindIndex, const artnet4::ArtAddress& packet);

}  // namespace varlo::sim
