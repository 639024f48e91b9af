#pragma once
// What the system can tell about why a search hears nothing: who holds a UDP port, and (on
// Windows) whether the network the workstation is on is one the firewall treats as public.
// One file per platform.
#include <cstdint>
#include <optional>
#include <string>

namespace varlo {

// The program that holds local UDP port `port` ("varlo-devsim (pid 4711)"), empty when the
// system does not say or nobody holds it.
std::string UdpPortOwner(uint16_t port);

// True when a connected network has the Public profile (Windows blocks unsolicited inbound
// datagrams there unless a rule allows them); false when none has; nothing where the system
// has no such notion.
std::optional<bool> ConnectedNetworkIsPublic();

// One line on what blocks replies on this system, and how to let them through.
std::string FirewallAdvice();

}  // namespace varlo
