#include "artnet4/AddressRequest.h"

#include <algorithm>

namespace varlo::artnet4 {

namespace {
std::string Cut(const std::string& text, std::size_t width) {
    return text.substr(0, std::min(text.size(), width - 1));
}

std::string Mismatch(const std::string& field, const std::string& asked, const std::string& is) {
    return field + ": asked " + asked + ", node says " + is;
}
}  // namespace

bool AddressRequest::Empty() const {
    const auto none = [](const auto& a) {
        return std::none_of(a.begin(), a.end(), [](const auto& v) { return v.has_value(); });
    };
    return !shortName && !longName && !net && !subNet && none(universe) && none(ltp) && !locate;
}

std::vector<ArtAddress> BuildAddressPackets(const AddressRequest& request,
                                            const ArtPollReply& current) {
    ArtAddress first(current.BindIndex());
    if (request.shortName) {
        first.SetShortName(*request.shortName);
    }
    if (request.longName) {
        first.SetLongName(*request.longName);
    }
    if (request.net) {
        first.ProgramNet(*request.net);
    }
    if (request.subNet) {
        first.ProgramSubNet(*request.subNet);
    }
    std::vector<uint8_t> commands;
    for (std::size_t k = 0; k < ArtAddress::kMaxPorts; ++k) {
        if (const auto u = request.universe[k]) {
            const uint8_t type = k < current.PortCount() ? current.PortType(k) : 0;
            const bool out = (type & ArtPollReply::kPortCanOutput) != 0;
            const bool in = (type & ArtPollReply::kPortCanInput) != 0;
            if (out || !in) {
                first.ProgramSwOut(k, *u);
            }
            if (in || !out) {
                first.ProgramSwIn(k, *u);
            }
        }
        if (const auto ltp = request.ltp[k]) {
            commands.push_back(static_cast<uint8_t>(
                (*ltp ? ArtAddress::kCmdMergeLtp0 : ArtAddress::kCmdMergeHtp0) + k));
        }
    }
    if (request.locate) {
        commands.push_back(ArtAddress::kCmdLedLocate);
    }
    std::vector<ArtAddress> packets{first};
    for (std::size_t i = 0; i < commands.size(); ++i) {
        if (i > 0) {
            packets.emplace_back(current.BindIndex());
        }
        packets.back().SetCommand(commands[i]);
    }
    return packets;
}

std::vector<std::string> NotTaken(const AddressRequest& request, const ArtPollReply& reply) {
    std::vector<std::string> lines;
    if (request.shortName &&
        reply.ShortName() != Cut(*request.shortName, ArtAddress::kShortNameWidth)) {
        lines.push_back(Mismatch("shortName", "\"" + *request.shortName + "\"",
                                 "\"" + reply.ShortName() + "\""));
    }
    if (request.longName &&
        reply.LongName() != Cut(*request.longName, ArtAddress::kLongNameWidth)) {
        lines.push_back(
            Mismatch("longName", "\"" + *request.longName + "\"", "\"" + reply.LongName() + "\""));
    }
    if (request.net && reply.NetSwitch() != *request.net) {
        lines.push_back(
            Mismatch("net", std::to_string(*request.net), std::to_string(reply.NetSwitch())));
    }
    if (request.subNet && reply.SubSwitch() != *request.subNet) {
        lines.push_back(
            Mismatch("subnet", std::to_string(*request.subNet), std::to_string(reply.SubSwitch())));
    }
    for (std::size_t k = 0; k < ArtAddress::kMaxPorts; ++k) {
        const std::string port = "port." + std::to_string(k + 1);
        if (request.universe[k]) {
            const bool has = k < reply.PortCount();
            const uint8_t type = has ? reply.PortType(k) : 0;
            const uint8_t is =
                (type & ArtPollReply::kPortCanOutput) || !(type & ArtPollReply::kPortCanInput)
                    ? reply.SwOut(k)
                    : reply.SwIn(k);
            if (!has || is != *request.universe[k]) {
                lines.push_back(Mismatch(port + ".universe", std::to_string(*request.universe[k]),
                                         has ? std::to_string(is) : "no such port"));
            }
        }
        if (request.ltp[k]) {
            const bool has = k < reply.PortCount();
            const bool ltp = has && (reply.GoodOutput(k) & ArtPollReply::kOutputMergeLtp) != 0;
            if (!has || ltp != *request.ltp[k]) {
                lines.push_back(Mismatch("merge." + std::to_string(k + 1),
                                         *request.ltp[k] ? "ltp" : "htp",
                                         has ? (ltp ? "ltp" : "htp") : "no such port"));
            }
        }
    }
    if (request.locate &&
        (reply.Status1() & ArtPollReply::kIndicatorMask) != ArtPollReply::kIndicatorLocate) {
        lines.push_back("locate: asked, node's indicators do not say locate");
    }
    return lines;
}

}  // namespace varlo::artnet4
