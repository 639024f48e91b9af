#pragma once
// The Art-Net nodes heard so far: one entry per IP address and bind index (a node with more
// than four ports answers with one reply per group of four). A node that has let three polls
// go unanswered is gone, as Art-Net has it.
#include <cstddef>
#include <cstdint>
#include <map>
#include <vector>

#include "artnet4/ArtPollReply.h"
#include "transport/PollClock.h"

namespace varlo::artnet4 {

struct ArtNetNode {
    ArtPollReply reply;  // the latest
    // Where the reply came from: ArtAddress goes there (on a real network the node's own
    // address and port 6454; a simulator on loopback has others).
    uint32_t fromAddr = 0;
    uint16_t fromPort = 0;
    PollClock::TimePoint lastReply{};
    int unansweredPolls = 0;
    uint64_t replies = 0;

    uint32_t Ip() const;  // host order, from the reply
    uint8_t BindIndex() const { return reply.BindIndex(); }
};

class ArtNetNodeList {
public:
    static constexpr int kPollsBeforeGone = 3;

    struct Update {
        std::size_t index;
        bool added;
    };

    // Takes a reply in; a node already listed gets the new reply in its row.
    Update Take(const ArtPollReply& reply, uint32_t fromAddr, uint16_t fromPort,
                PollClock::TimePoint now);
    // A poll went out: every node owes one more answer; those that already owed three are
    // removed. Returns how many were removed.
    std::size_t PollSent();

    const std::vector<ArtNetNode>& Nodes() const { return m_nodes; }
    std::size_t Size() const { return m_nodes.size(); }
    const ArtNetNode* Find(uint32_t ip, uint8_t bindIndex) const;
    void Clear();

private:
    static uint64_t Key(uint32_t ip, uint8_t bindIndex) { return (uint64_t{ip} << 8) | bindIndex; }
    void Reindex();

    std::vector<ArtNetNode> m_nodes;  // in the order they first answered
    std::map<uint64_t, std::size_t> m_index;
};

}  // namespace varlo::artnet4
