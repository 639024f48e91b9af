// varlo-cli artnet: Art-Net 4 for every maker's nodes, beside the nodes' own protocol.
//   artnet poll [--json]
//   artnet address IP [--bind N] [shortName=...] [longName=...] [net=N] [subnet=N]
//                  [port.K.universe=N] [merge.K=ltp|htp] [locate]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <nlohmann/json.hpp>
#include <string>

#include "artnet4/AddressRequest.h"
#include "artnet4/ArtNetPoller.h"
#include "artnet4/NodePorts.h"
#include "artnet4/PortAddress.h"
#include "cli/Commands.h"
#include "sim/DemoMode.h"
#include "transport/TransportSettings.h"

namespace varlo::cli {

namespace {
using namespace varlo::artnet4;

// Art-Net gives nodes up to three seconds to answer a poll.
constexpr int kDefaultWaitMs = 3000;

struct ArtNetOptions {
    ArtNetSettings settings = ArtNetTarget();
    bool json = false;
    bool demo = false;
    int waitMs = kDefaultWaitMs;
    std::vector<std::string> rest;
};

bool ParseNumber(const std::string& text, long low, long high, long* out) {
    char* end = nullptr;
    const long v = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || v < low || v > high) {
        return false;
    }
    *out = v;
    return true;
}

bool ParseOptions(const std::vector<std::string>& args, ArtNetOptions* o) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        const bool more = i + 1 < args.size();
        long n = 0;
        if (a == "--target" && more) {
            if (!ParseArtNetTarget(args[++i], &o->settings)) {
                std::fprintf(stderr, "varlo-cli artnet: --target needs ADDRESS[:PORT]\n");
                return false;
            }
        } else if (a == "--wait" && more) {
            if (!ParseNumber(args[++i], 0, 60000, &n)) {
                std::fprintf(stderr, "varlo-cli artnet: --wait needs 0 to 60000 ms\n");
                return false;
            }
            o->waitMs = static_cast<int>(n);
        } else if (a == "--local-port" && more) {
            if (!ParseNumber(args[++i], 0, 65535, &n)) {
                std::fprintf(stderr, "varlo-cli artnet: --local-port needs 0 to 65535\n");
                return false;
            }
            o->settings.localPort = static_cast<uint16_t>(n);
        } else if (a == "--json") {
            o->json = true;
        } else if (a == "--demo") {
            o->demo = true;
        } else {
            o->rest.push_back(a);
        }
    }
    return true;
}

// The demo rig's nodes answer on loopback; nothing leaves the machine.
class ArtNetDemo {
public:
    bool Start(ArtNetOptions* o) {
        if (!o->demo) {
            return true;
        }
        m_rig = sim::StartDemo();
        if (!m_rig) {
            std::fprintf(stderr, "varlo-cli: cannot start the demo rig on loopback\n");
            return false;
        }
        o->settings = ArtNetTarget();
        return true;
    }

private:
    std::unique_ptr<sim::DeviceSimulator> m_rig;
};

bool OpenPoller(ArtNetPoller& poller, const ArtNetOptions& o) {
    if (!poller.Open(o.settings)) {
        std::fprintf(stderr, "varlo-cli artnet: cannot open a UDP socket\n");
        return false;
    }
    if (poller.SharedPortTaken()) {
        std::fprintf(stderr,
                     "varlo-cli artnet: port %u is taken by another program; nodes that "
                     "broadcast their replies are not heard\n",
                     o.settings.localPort);
    }
    return true;
}

nlohmann::json NodeJson(const ArtNetNode& node, PollClock::TimePoint now) {
    const ArtPollReply& r = node.reply;
    nlohmann::json ports = nlohmann::json::array();
    for (const NodePort& p : PortsOf(r)) {
        nlohmann::json port = {{"port", p.number}};
        if (p.output) {
            port["output"] = {{"universe", FormatPortAddress(p.outputAddress)},
                              {"portAddress", p.outputAddress},
                              {"sending", p.sending},
                              {"merge", p.ltp ? "ltp" : "htp"},
                              {"merging", p.merging}};
        }
        if (p.input) {
            port["input"] = {{"universe", FormatPortAddress(p.inputAddress)},
                             {"portAddress", p.inputAddress},
                             {"receiving", p.receiving}};
        }
        ports.push_back(port);
    }
    const auto age = std::chrono::duration_cast<std::chrono::milliseconds>(now - node.lastReply);
    return {{"ip", IpText(r.Ip())},
            {"bindIndex", r.BindIndex()},
            {"bindIp", IpText(r.BindIp())},
            {"shortName", r.ShortName()},
            {"longName", r.LongName()},
            {"mac", MacText(r.Mac())},
            {"firmware", FirmwareText(r.Firmware())},
            {"oem", r.Oem()},
            {"esta", r.EstaCode()},
            {"style", r.Style()},
            {"net", r.NetSwitch()},
            {"subnet", r.SubSwitch()},
            {"numPorts", r.NumPortsField()},
            {"ports", ports},
            {"nodeReport", r.NodeReport()},
            {"status1", r.Status1()},
            {"status2", r.Status2()},
            {"replyFrom", FormatIpv4(node.fromAddr) + ":" + std::to_string(node.fromPort)},
            {"ageMs", age.count()}};
}

void PrintNode(const ArtNetNode& node) {
    const ArtPollReply& r = node.reply;
    std::printf("%s #%u  %s  \"%s\"  %s  firmware %s\n", IpText(r.Ip()).c_str(), r.BindIndex(),
                r.ShortName().c_str(), r.LongName().c_str(), MacText(r.Mac()).c_str(),
                FirmwareText(r.Firmware()).c_str());
    for (const NodePort& p : PortsOf(r)) {
        std::printf("  port %zu: %s\n", p.number, p.Text().c_str());
    }
    if (!r.NodeReport().empty()) {
        std::printf("  report: %s\n", r.NodeReport().c_str());
    }
}

// Sorted by address and bind index, so the output does not depend on who answered first.
std::vector<const ArtNetNode*> Sorted(const ArtNetNodeList& list) {
    std::vector<const ArtNetNode*> nodes;
    for (const ArtNetNode& n : list.Nodes()) {
        nodes.push_back(&n);
    }
    std::sort(nodes.begin(), nodes.end(), [](const ArtNetNode* a, const ArtNetNode* b) {
        return a->Ip() != b->Ip() ? a->Ip() < b->Ip() : a->BindIndex() < b->BindIndex();
    });
    return nodes;
}

int Poll(ArtNetOptions& o) {
    if (!o.rest.empty()) {
        std::fprintf(stderr, "varlo-cli artnet poll: unexpected argument '%s'\n",
                     o.rest[0].c_str());
        return 2;
    }
    ArtNetDemo demo;
    ArtNetPoller poller;
    if (!demo.Start(&o) || !OpenPoller(poller, o)) {
        return 1;
    }
    if (!poller.SendPoll()) {
        std::fprintf(stderr, "varlo-cli artnet: the poll could not be sent\n");
        return 1;
    }
    poller.Collect(o.waitMs);
    const auto nodes = Sorted(poller.Nodes());
    if (o.json) {
        nlohmann::json rows = nlohmann::json::array();
        for (const ArtNetNode* n : nodes) {
            rows.push_back(NodeJson(*n, poller.Clock().Now()));
        }
        std::printf("%s\n", rows.dump(2).c_str());
    } else {
        for (const ArtNetNode* n : nodes) {
            PrintNode(*n);
        }
        std::printf("%zu Art-Net node(s) answered\n", nodes.size());
    }
    if (poller.Counters().malformed > 0) {
        std::fprintf(stderr, "varlo-cli artnet: %llu malformed datagram(s) dropped\n",
                     static_cast<unsigned long long>(poller.Counters().malformed));
    }
    return 0;
}

bool ParseField(const std::string& arg, AddressRequest* r) {
    const auto eq = arg.find('=');
    const std::string key = arg.substr(0, eq);
    const std::string value = eq == std::string::npos ? "" : arg.substr(eq + 1);
    long n = 0;
    if (arg == "locate") {
        r->locate = true;
    } else if (eq == std::string::npos) {
        return false;
    } else if (key == "shortName" && value.size() <= 17 && !value.empty()) {
        r->shortName = value;
    } else if (key == "longName" && value.size() <= 63 && !value.empty()) {
        r->longName = value;
    } else if (key == "net" && ParseNumber(value, 0, 127, &n)) {
        r->net = static_cast<uint8_t>(n);
    } else if (key == "subnet" && ParseNumber(value, 0, 15, &n)) {
        r->subNet = static_cast<uint8_t>(n);
    } else if (key.size() == 15 && key.starts_with("port.") && key.ends_with(".universe") &&
               key[5] >= '1' && key[5] <= '4' && ParseNumber(value, 0, 15, &n)) {
        r->universe[static_cast<std::size_t>(key[5] - '1')] = static_cast<uint8_t>(n);
    } else if (key.size() == 7 && key.starts_with("merge.") && key[6] >= '1' && key[6] <= '4' &&
               (value == "ltp" || value == "htp")) {
        r->ltp[static_cast<std::size_t>(key[6] - '1')] = value == "ltp";
    } else {
        return false;
    }
    return true;
}

int Address(ArtNetOptions& o) {
    uint32_t ip = 0;
    long bindIndex = 1;
    AddressRequest request;
    bool haveIp = false;
    for (std::size_t i = 0; i < o.rest.size(); ++i) {
        const std::string& a = o.rest[i];
        if (a == "--bind" && i + 1 < o.rest.size()) {
            if (!ParseNumber(o.rest[++i], 1, 255, &bindIndex)) {
                std::fprintf(stderr, "varlo-cli artnet address: --bind needs 1 to 255\n");
                return 2;
            }
        } else if (!haveIp && ParseIpv4(a, &ip)) {
            haveIp = true;
        } else if (!ParseField(a, &request)) {
            std::fprintf(stderr,
                         "varlo-cli artnet address: '%s' is not one of shortName=TEXT (at most 17 "
                         "characters), longName=TEXT (63), net=0-127, subnet=0-15, "
                         "port.1-4.universe=0-15, merge.1-4=ltp|htp, locate\n",
                         a.c_str());
            return 2;
        }
    }
    if (!haveIp || request.Empty()) {
        std::fprintf(stderr, "usage: varlo-cli artnet address IP [--bind N] FIELD=VALUE...\n");
        return 2;
    }
    ArtNetDemo demo;
    ArtNetPoller poller;
    if (!demo.Start(&o) || !OpenPoller(poller, o)) {
        return 1;
    }
    // The node's own reply tells which ports are inputs and where to send.
    poller.SendPoll();
    const auto find = [&] { return poller.Nodes().Find(ip, static_cast<uint8_t>(bindIndex)); };
    const auto until = [&](auto done) {
        const auto end = poller.Clock().Now() + std::chrono::milliseconds(o.waitMs);
        while (!done() && poller.Clock().Now() < end) {
            poller.Collect(20);
        }
        return done();
    };
    if (!until([&] { return find() != nullptr; })) {
        std::fprintf(stderr, "varlo-cli artnet address: no node %s #%ld answered the poll\n",
                     FormatIpv4(ip).c_str(), bindIndex);
        return 1;
    }
    const uint64_t repliesBefore = find()->replies;
    const std::vector<ArtAddress> packets = BuildAddressPackets(request, find()->reply);
    for (const ArtAddress& packet : packets) {
        poller.SendAddress(*find(), packet);
    }
    // A node answers each ArtAddress with an ArtPollReply; one that ignores them stays silent,
    // so ask it where it stands.
    if (!until([&] { return find() && find()->replies >= repliesBefore + packets.size(); })) {
        const uint64_t heard = find() ? find()->replies : repliesBefore;
        poller.SendPoll();
        until([&] { return find() && find()->replies > heard; });
    }
    const ArtNetNode* node = find();
    if (node == nullptr || node->replies == repliesBefore) {
        std::fprintf(stderr, "varlo-cli artnet address: %s did not answer\n",
                     FormatIpv4(ip).c_str());
        return 1;
    }
    if (o.json) {
        std::printf("%s\n", NodeJson(*node, poller.Clock().Now()).dump(2).c_str());
    } else {
        PrintNode(*node);
    }
    const std::vector<std::string> refused = NotTaken(request, node->reply);
    for (const std::string& line : refused) {
        std::fprintf(stderr, "not taken: %s\n", line.c_str());
    }
    return refused.empty() ? 0 : 1;
}
}  // namespace

int ArtNetCommand(const std::vector<std::string>& args) {
    ArtNetOptions o;
    if (args.empty() || !ParseOptions({args.begin() + 1, args.end()}, &o)) {
        std::fprintf(stderr, "usage: varlo-cli artnet poll|address ...\n");
        return 2;
    }
    if (args[0] == "poll") {
        return Poll(o);
    }
    if (args[0] == "address") {
        return Address(o);
    }
    std::fprintf(stderr, "usage: varlo-cli artnet poll|address ...\n");
    return 2;
}

}  // namespace varlo::cli
