#include "artnet4/ArtNetNodeList.h"

#include <algorithm>

namespace varlo::artnet4 {

uint32_t ArtNetNode::Ip() const {
    return LoadBE32(reply.Ip().data());
}

ArtNetNodeList::Update ArtNetNodeList::Take(const ArtPollReply& reply, uint32_t fromAddr,
                                            uint16_t fromPort, PollClock::TimePoint now) {
    const uint64_t key = Key(LoadBE32(reply.Ip().data()), reply.BindIndex());
    const auto found = m_index.find(key);
    const bool added = found == m_index.end();
    const std::size_t index = added ? m_nodes.size() : found->second;
    if (added) {
        m_nodes.emplace_back();
        m_index.emplace(key, index);
    }
    ArtNetNode& node = m_nodes[index];
    node.reply = reply;
    node.fromAddr = fromAddr;
    node.fromPort = fromPort;
    node.lastReply = now;
    node.unansweredPolls = 0;
    ++node.replies;
    return {index, added};
}

std::size_t ArtNetNodeList::PollSent() {
    const std::size_t before = m_nodes.size();
    std::erase_if(m_nodes,
                  [](const ArtNetNode& n) { return n.unansweredPolls >= kPollsBeforeGone; });
    for (ArtNetNode& n : m_nodes) {
        ++n.unansweredPolls;
    }
    if (m_nodes.size() != before) {
        Reindex();
    }
    return before - m_nodes.size();
}

const ArtNetNode* ArtNetNodeList::Find(uint32_t ip, uint8_t bindIndex) const {
    const auto found = m_index.find(Key(ip, std::max<uint8_t>(bindIndex, 1)));
    return found == m_index.end() ? nullptr : &m_nodes[found->second];
}

void ArtNetNodeList::Clear() {
    m_nodes.clear();
    m_index.clear();
}

void ArtNetNodeList::Reindex() {
    m_index.clear();
    for (std::size_t i = 0; i < m_nodes.size(); ++i) {
        m_index.emplace(Key(m_nodes[i].Ip(), m_nodes[i].BindIndex()), i);
    }
}

}  // namespace varlo::artnet4
