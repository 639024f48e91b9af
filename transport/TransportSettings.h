#pragma once
// The one process-wide transport setting: where requests go and which local port searches use.
// Operators get the limited broadcast; `--target` points the program at a directed broadcast or
// at a simulator on loopback. The clock the exchanges and the search loop wait on sits here too,
// so that a test can put its own in place of the system's.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "transport/NetAdapter.h"

#include "transport/PollClock.h"

namespace varlo {

inline constexpr uint16_t CONFIG_PORT = 63879;
inline constexpr uint16_t SEARCH_LOCAL_PORT = 8004;
inline constexpr uint32_t kLimitedBroadcast = 0xFFFFFFFF;

struct TransportSettings {
    uint32_t targetAddr = kLimitedBroadcast;  // host order
    uint16_t targetPort = CONFIG_PORT;
    uint16_t searchLocalPort = SEARCH_LOCAL_PORT;
    PollClock* clock = &SystemClock();  // never null
    // A reply is taken the moment it arrives instead of at the end of its 100 ms step; the
    // budget, the resend times and so the requests a silent device gets stay the same. False
    // sleeps each step out whatever arrives: only the benchmarks ask for it, to show the floor
    // that the early end took away.
    bool replyEndsStep = true;
    // Searches to the limited broadcast go out of every usable adapter (or those named here:
    // `--interface`, the adapter chooser). `--target` replaces the adapter list with its one
    // destination, as the demo and the tests need.
    bool everyAdapter = true;
    std::vector<std::string> interfaceNames;
    // Adapters the operator unticked in the adapter chooser; a new adapter is searched.
    std::vector<std::string> excludedInterfaces;
    // Where the adapter list comes from: the system's unless a benchmark puts stand-ins here.
    std::vector<NetAdapter> (*adapterSource)() = nullptr;

    bool UsesAdapters() const { return everyAdapter && targetAddr == kLimitedBroadcast; }
};

TransportSettings& Transport();

// `--target ADDRESS[:PORT]` of every front end: requests go there instead of out of every
// adapter. False, changing nothing, when the text is not an address.
bool SetTarget(std::string_view text);

// Parses "ADDRESS[:PORT]"; the port keeps its current value when none is given.
bool ParseTarget(std::string_view text, uint32_t* addr, uint16_t* port);
// Parses a strict dotted quad ("192.168.1.255") into a host-order address.
bool ParseIpv4(std::string_view text, uint32_t* addr);
std::string FormatIpv4(uint32_t hostAddr);

}  // namespace varlo
