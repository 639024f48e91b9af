#pragma once
// The workstation's IPv4 adapters, as the search sends out of them. One entry per address: an
// adapter with two addresses is two entries with the same name and index. Enumeration is one
// file per platform (getifaddrs, GetAdaptersAddresses); what a search does with the list is here.
#include <cstdint>
#include <string>
#include <vector>

namespace varlo {

struct NetAdapter {
    std::string name;    // "eth0"; on Windows the adapter's friendly name ("Ethernet 2")
    uint32_t index = 0;  // the system's interface index, which picks the adapter for a send
    uint32_t addr = 0;   // host order
    uint32_t mask = 0;
    bool up = false;
    bool loopback = false;
    // Where this adapter's searches and broadcast configuration requests go. The limited
    // broadcast for every real adapter; the loopback stand-ins of benchmarks name their
    // simulator here, since loopback has no segment to broadcast on.
    uint32_t broadcastTo = 0xFFFFFFFF;

    bool InSubnet(uint32_t hostAddr) const { return (hostAddr & mask) == (addr & mask); }
};

// Every IPv4 address of every adapter the system reports, in its order.
std::vector<NetAdapter> SystemAdapters();

// Up, not loopback, with an address that is neither 0.0.0.0 nor link-local (169.254.x.x):
// an address the system picked itself because nothing answered DHCP reaches no device.
bool UsableForSearch(const NetAdapter& adapter);

// Why an adapter is left out of a search, in words; empty when it is used.
std::string WhyNotUsed(const NetAdapter& adapter);

// The adapters a search sends out of: the usable ones of the transport's adapter source,
// narrowed to the names given with `--interface` when any are, else without those the
// adapter chooser left unticked.
std::vector<NetAdapter> SearchAdapters();

// Every adapter of the transport's adapter source (the system's unless a test put its own).
std::vector<NetAdapter> AllAdapters();

}  // namespace varlo
