#pragma once
// The controller side of Art-Net: one UDP socket that sends ArtPoll and ArtAddress and takes
// in the replies, and the node list they fill. The front ends call OnReadable when the socket
// has something (the window through a socket notifier, the command line in a wait loop).
// Replies are checked before a field is read: a datagram too short for its OpCode, or one that
// does not start with the Art-Net ID, is counted and dropped.
#include <cstdint>
#include <vector>

#include "artnet4/ArtAddress.h"
#include "artnet4/ArtNetNodeList.h"
#include "artnet4/ArtNetSettings.h"
#include "transport/SocketShim.h"

namespace varlo::artnet4 {

struct ArtNetCounters {
    uint64_t replies = 0;    // ArtPollReply taken
    uint64_t malformed = 0;  // dropped: not Art-Net, or too short for its OpCode
    uint64_t ignored = 0;    // Art-Net packets the controller has no use for (polls, DMX)
};

class ArtNetPoller {
public:
    explicit ArtNetPoller(PollClock& clock = SystemClock());
    ArtNetPoller(const ArtNetPoller&) = delete;
    ArtNetPoller& operator=(const ArtNetPoller&) = delete;
    ~ArtNetPoller();

    // Binds the wildcard address and settings.localPort. When another program holds that port,
    // takes one of the system's choice: nodes that answer the sender still reach the list,
    // nodes that broadcast their replies to 6454 do not (SharedPortTaken() says so).
    bool Open(const ArtNetSettings& settings = ArtNetTarget());
    void Close();
    bool IsOpen() const { return m_socket != net::kInvalidSocket; }
    bool SharedPortTaken() const { return m_portTaken; }
    net::SocketHandle Socket() const { return m_socket; }
    uint16_t LocalPort() const;

    // One ArtPoll to every poll address; ages the node list first. False when no send worked.
    bool SendPoll();
    // Unicast to the node, where its reply came from.
    bool SendAddress(const ArtNetNode& node, const ArtAddress& packet);

    // Takes every datagram waiting; returns the indexes of the nodes whose rows changed (a
    // removed node shows as a smaller list, not here).
    std::vector<std::size_t> OnReadable();
    // Takes one datagram's bytes as if received (fuzzing and tests of the checks).
    std::vector<std::size_t> Take(const uint8_t* data, std::size_t size, uint32_t fromAddr,
                                  uint16_t fromPort);

    // Waits up to ms for replies, taking them as they come (the command line).
    void Collect(int ms);

    const ArtNetNodeList& Nodes() const { return m_nodes; }
    ArtNetNodeList& Nodes() { return m_nodes; }
    const ArtNetCounters& Counters() const { return m_counters; }
    PollClock& Clock() const { return m_clock; }

private:
    PollClock& m_clock;
    ArtNetSettings m_settings;
    ArtNetNodeList m_nodes;
    ArtNetCounters m_counters;
    net::SocketHandle m_socket = net::kInvalidSocket;
    bool m_portTaken = false;
};

}  // namespace varlo::artnet4
