#pragma once
// The cases of the exchange-reply fuzz target, shared with its seed maker: every block each model
// reads when its dialog opens, and every block it writes back, one case each. An input's first
// byte picks the case; the rest is the reply a device sends.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "artnet/ArtNetModels.h"
#include "serialserver/SerialServerModel.h"
#include "sim/Rig.h"
#include "transport/ConfigSession.h"

namespace varlo::fuzz {

struct ExchangeCase {
    uint32_t type;
    const SessionModel* model;
    std::size_t block;
    bool write;  // the reply to a write of the block (after a good read of it)
};

inline const SessionModel& SessionOf(uint32_t type) {
    const artnet::ArtNetModel* m = artnet::FindArtNetModel(type);
    return m ? m->session : serialserver::GetSerialServerModel().session;
}

inline const std::vector<ExchangeCase>& ExchangeCases() {
    static const std::vector<ExchangeCase> cases = [] {
        std::vector<ExchangeCase> out;
        for (const sim::SimDevice& device : sim::DemoRig().devices) {
            const SessionModel& model = SessionOf(device.Type());
            for (std::size_t i = 0; i < model.blocks.size(); ++i) {
                out.push_back({device.Type(), &model, i, false});
                if (model.blocks[i].Writable()) {
                    out.push_back({device.Type(), &model, i, true});
                }
            }
        }
        return out;
    }();
    return cases;
}

}  // namespace varlo::fuzz
