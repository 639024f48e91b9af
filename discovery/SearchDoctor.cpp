#include "discovery/SearchDoctor.h"

#include <algorithm>
#include <bit>

#include "transport/SocketShim.h"
#include "transport/SystemCheck.h"
#include "transport/TransportSettings.h"

namespace varlo {

namespace {
DoctorFinding CheckSearchPort() {
    const uint16_t port = Transport().searchLocalPort;
    DoctorFinding f{"Search port " + std::to_string(port), {}};
    if (port == 0) {
        f.lines.push_back("The demo searches from any free port: nothing to check.");
        return f;
    }
    const net::SocketHandle s = net::OpenUdp();
    const bool free = s != net::kInvalidSocket && net::Bind(s, 0, port);
    net::Close(s);
    if (free) {
        f.lines.push_back("Free: a search can receive the devices' replies on it.");
        return f;
    }
    const std::string owner = UdpPortOwner(port);
    f.lines.push_back("Taken by " +
                      (owner.empty() ? std::string("another program (the system "
                                                   "does not say which)")
                                     : owner) +
                      ": a search cannot receive replies while it is.");
    f.lines.push_back(
        "Close that program (another Varlo, or a device maker's tool), then search "
        "again.");
    return f;
}

DoctorFinding CheckAdapters(const SearchSession* last) {
    DoctorFinding f{"Adapters", {}};
    const TransportSettings& t = Transport();
    if (!t.UsesAdapters()) {
        f.lines.push_back("Requests go to " + FormatIpv4(t.targetAddr) + ":" +
                          std::to_string(t.targetPort) +
                          " only (--target), not out of each adapter.");
        return f;
    }
    const std::vector<NetAdapter> all = AllAdapters();
    const std::vector<NetAdapter> used = SearchAdapters();
    for (const NetAdapter& a : all) {
        std::string line = DescribeAdapter(a) + ": ";
        const std::string why = WhyNotUsed(a);
        const bool chosen = std::any_of(used.begin(), used.end(), [&](const NetAdapter& u) {
            return u.name == a.name && u.addr == a.addr;
        });
        if (!why.empty()) {
            line += "not searched (" + why + ")";
        } else if (!chosen) {
            line += "not searched (not chosen; Search > Adapters, or --interface)";
        } else {
            line += "searched";
            if (last != nullptr) {
                for (const AdapterSends& s : last->Sends()) {
                    if (s.adapter.name == a.name && s.adapter.addr == a.addr) {
                        line += ": " + std::to_string(s.sent) + " request(s) sent to " +
                                FormatIpv4(s.adapter.broadcastTo);
                        if (s.failed > 0) {
                            line += ", " + std::to_string(s.failed) + " failed";
                        }
                        line += ", " + std::to_string(s.replies) + " repl" +
                                (s.replies == 1 ? "y" : "ies") + " heard";
                    }
                }
            }
        }
        f.lines.push_back(line);
    }
    if (used.empty()) {
        f.lines.push_back(
            "No adapter is up with an address of its own: connect the cable or "
            "join the WiFi, or give the adapter a fixed address, then search "
            "again.");
    }
    return f;
}

DoctorFinding CheckDrops() {
    DoctorFinding f{"Replies the system dropped", {}};
    const long long errors = net::SystemUdpReceiveErrors();
    if (errors < 0) {
        f.lines.push_back("The system does not say.");
    } else {
        f.lines.push_back(std::to_string(errors) +
                          " UDP receive error(s) counted since the system started" +
                          (errors > 0 ? " (full receive buffers among them)." : "."));
    }
    return f;
}

DoctorFinding CheckFirewall() {
    DoctorFinding f{"Firewall", {}};
    if (const std::optional<bool> isPublic = ConnectedNetworkIsPublic()) {
        f.lines.push_back(*isPublic ? "A connected network has the Public profile: the firewall "
                                      "blocks the devices' replies there unless a rule allows "
                                      "them."
                                    : "No connected network has the Public profile.");
    }
    f.lines.push_back(FirewallAdvice());
    return f;
}

DoctorFinding NextSteps() {
    return {"What to try next",
            {"Check that the device has power and its link light is on, on the same switch "
             "as this workstation.",
             "A device behind a router is not reached by a broadcast: use IP Search with its "
             "address or network (varlo-cli search --range 10.0.0.0/24).",
             "A device found with a warning mark has an address outside the adapter's subnet: "
             "give it one that fits (Config) to reach its web page.",
             "Search again: a device that was starting up answers the next time."}};
}
}  // namespace

std::string DescribeAdapter(const NetAdapter& a) {
    const int bits = std::popcount(a.mask);
    return a.name + "  " + FormatIpv4(a.addr) + "/" + std::to_string(bits) + " (mask " +
           FormatIpv4(a.mask) + ")";
}

std::vector<DoctorFinding> DiagnoseSearch(const SearchSession* lastSearch) {
    return {CheckSearchPort(), CheckAdapters(lastSearch), CheckDrops(), CheckFirewall(),
            NextSteps()};
}

std::string FormatFindings(const std::vector<DoctorFinding>& findings) {
    std::string text;
    for (const DoctorFinding& f : findings) {
        text += f.title + "\n";
        for (const std::string& line : f.lines) {
            text += "  " + line + "\n";
        }
    }
    return text;
}

}  // namespace varlo
