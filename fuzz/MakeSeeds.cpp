// Writes the seed corpora of the fuzz targets from real frames: the requests the program sends to
// each device of the demo rig and the simulator's answers to them.
//   fuzz-make-seeds CORPUS_DIR   (writes CORPUS_DIR/search_reply, exchange_reply, sim_request,
//                                 artnet_packet)
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "artnet4/ArtAddress.h"
#include "artnet4/ArtPoll.h"
#include "discovery/DeviceType.h"
#include "discovery/SearchProtocol.h"
#include "fuzz/ExchangeCases.h"
#include "sim/ArtNetNodeReplies.h"
#include "sim/DeviceSimulator.h"

namespace {
using namespace varlo;

std::filesystem::path g_root;

void Write(const std::string& target, const std::string& name, const Bytes& bytes) {
    const std::filesystem::path dir = g_root / target;
    std::filesystem::create_directories(dir);
    std::ofstream(dir / name, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
}

std::string Name(const char* what, uint32_t type, uint8_t code) {
    char text[64];
    std::snprintf(text, sizeof text, "%s-%08x-%02x", what, type, code);
    return text;
}

Bytes Prefixed(uint8_t first, const Bytes& rest) {
    Bytes out(1 + rest.size(), first);
    std::copy(rest.begin(), rest.end(), out.begin() + 1);
    return out;
}

// The simulator's one answer to a request, which it must answer.
Bytes AnswerOf(const Bytes& request) {
    sim::DeviceSimulator simulator(sim::DemoRig());
    const std::vector<Bytes> replies = simulator.Answer(request);
    if (replies.size() != 1) {
        std::fprintf(stderr, "fuzz-make-seeds: %zu answers to request 0x%02X\n", replies.size(),
                     request.empty() ? 0 : request[0]);
        std::exit(1);
    }
    return replies[0];
}
}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: fuzz-make-seeds CORPUS_DIR\n");
        return 2;
    }
    g_root = argv[1];
    const sim::Rig rig = sim::DemoRig();

    // Search: every device's reply to the first request, the shortest reply accepted, a longer one.
    sim::DeviceSimulator searched(rig);
    CConfigParamArray none;
    for (const Bytes& reply : searched.Answer(BuildSearchRequest(none))) {
        _CONFIGPARAM record =
            _CONFIGPARAM::FromBytes(std::span<const uint8_t, 16>(reply.data() + 8, 16));
        Write("search_reply", Name("reply", record.dwType(), 0x81), reply);
    }
    Write("search_reply", "short-reply", Bytes{0x81, 0x00, 0x00, 0x18});
    Bytes longer(40, 0x11);
    longer[0] = 0x81;
    longer[2] = 0x00;
    longer[3] = 0x18;
    Write("search_reply", "longer-reply", longer);

    // Exchange: the simulator's reply to each case's read or write, after the case's number.
    const auto& cases = fuzz::ExchangeCases();
    for (std::size_t i = 0; i < cases.size(); ++i) {
        const fuzz::ExchangeCase& c = cases[i];
        const sim::SimDevice* device = nullptr;
        for (const sim::SimDevice& d : rig.devices) {
            if (d.Type() == c.type) {
                device = &d;
            }
        }
        const BlockSpec& layout = c.model->blocks[c.block];
        Bytes request;
        if (c.write) {
            const Bytes& block = device->blocks.at(layout.readCode);
            request =
                BuildWriteRequest(layout.writeCode, device->Identity(), block.data(), block.size());
        } else {
            request = c.model->shape(layout.readCode, device->Identity());
        }
        Write(
            "exchange_reply",
            Name(c.write ? "write" : "read", c.type, c.write ? layout.writeCode : layout.readCode),
            Prefixed(static_cast<uint8_t>(i), AnswerOf(request)));
    }

    // Simulator: every request the program sends to each device, clean and with dirtyText.
    for (const sim::SimDevice& d : rig.devices) {
        const SessionModel& model = fuzz::SessionOf(d.Type());
        for (const BlockSpec& layout : model.blocks) {
            const Bytes read = model.shape(layout.readCode, d.Identity());
            Write("sim_request", Name("read", d.Type(), layout.readCode), Prefixed(0, read));
            Write("sim_request", Name("read-dirty", d.Type(), layout.readCode), Prefixed(1, read));
            if (layout.Writable()) {
                const Bytes& block = d.blocks.at(layout.readCode);
                Write("sim_request", Name("write", d.Type(), layout.writeCode),
                      Prefixed(0, BuildWriteRequest(layout.writeCode, d.Identity(), block.data(),
                                                    block.size())));
            }
        }
        if (GetDeviceFamily(d.Type()) != DeviceFamily::SerialServer) {
            for (const uint8_t code : {uint8_t{0x7E}, uint8_t{0x7F}}) {
                Write("sim_request", Name("command", d.Type(), code),
                      Prefixed(0, BuildShortRequest(code, d.Identity())));
            }
        }
    }
    CConfigParamArray two;
    two.Add(rig.devices[0].record);
    two.Add(rig.devices[4].record);
    Write("sim_request", "search-empty", Prefixed(0, BuildSearchRequest(none)));
    Write("sim_request", "search-two-listed", Prefixed(0, BuildSearchRequest(two)));

    // Art-Net 4: every node group's reply, a reply of the older 207-byte form, the poll and an
    // ArtAddress that sets every field.
    for (const sim::SimDevice& d : rig.devices) {
        for (uint8_t group = 1; group <= sim::ArtNetGroupCount(d); ++group) {
            const auto reply = sim::BuildArtPollReply(d, group, 1);
            const Bytes bytes(reply->data(), reply->data() + reply->size());
            Write("artnet_packet", Name("poll-reply", d.Type(), group), bytes);
            if (group == 1 && d.Type() == DEVTYPE_LUMA_4) {
                Write("artnet_packet", "poll-reply-207", Bytes(bytes.begin(), bytes.begin() + 207));
            }
        }
    }
    const artnet4::ArtPoll poll(artnet4::ArtPoll::kFlagReplyOnChange);
    Write("artnet_packet", "poll", Bytes(poll.data(), poll.data() + poll.size()));
    artnet4::ArtAddress address(2);
    address.SetShortName("Truss L");
    address.SetLongName("Truss left, downstage");
    address.ProgramNet(3);
    address.ProgramSubNet(5);
    address.ProgramSwIn(3, 2);
    address.ProgramSwOut(0, 9);
    address.SetCommand(artnet4::ArtAddress::kCmdMergeLtp0 + 1);
    Write("artnet_packet", "address", Bytes(address.data(), address.data() + address.size()));
    return 0;
}
