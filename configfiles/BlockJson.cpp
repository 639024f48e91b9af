// One block of a device as `varlo-cli` prints it, chosen by the device's model and the code that
// read the block.
#include <cstdio>

#include "artnet/ArtNetCommands.h"
#include "artnet/ArtNetModels.h"
#include "configfiles/BlockJson.h"
#include "discovery/DeviceType.h"
#include "serialserver/SerialServerCommands.h"
#include "serialserver/SerialServerModel.h"

namespace varlo {

namespace {
template <typename Block>
Block As(const Bytes& bytes) {
    Block b;
    b.Assign(bytes.data());
    return b;
}

// The port number record k carries on the model's page of that block, 0 when not shown.
void ShownPorts(const artnet::ArtNetModel& model, uint8_t readCode, int (&ports)[4]) {
    for (const artnet::PortPageModel& page : model.portPages) {
        if (page.readCode != readCode) {
            continue;
        }
        for (std::size_t k = 0; k < page.portCount; ++k) {
            ports[page.records[k]] = page.firstPortNumber + static_cast<int>(k);
        }
    }
}

Json DecodeSerialServer(uint8_t code, const Bytes& b) {
    using namespace serialserver;
    switch (code) {
        case kReadDeviceInfo:
            return DecodeFields(As<SerialDeviceInfo>(b));
        case kReadBasicParam:
            return DecodeFields(As<_BASICPARAM>(b));
        case kReadWirelessParam:
            return DecodeFields(As<_WIRELESSPARAM>(b));
        case kReadSerialParam:
            return DecodeFields(As<_SERIALPARAM>(b));
        case kReadOpModeParam:
            return DecodeFields(As<_OPMODEPARAM>(b));
        default:
            return Json::object();
    }
}

Json DecodeArtNet(const artnet::ArtNetModel& model, uint8_t code, const Bytes& b) {
    using namespace artnet;
    const bool module = model.basic.rule == AddressRule::Module;
    switch (code) {
        case kReadDeviceInfo:
            return DecodeFields(As<ArtNetDeviceInfo>(b), module);
        case kReadBasicParam:
            return module ? DecodeFields(As<_RT5350BASICPARAM>(b))
                          : DecodeFields(As<_ARTNETBASICPARAM>(b));
        case kReadNodeAParam:
        case kReadNodeBParam: {
            int ports[4] = {0, 0, 0, 0};
            ShownPorts(model, code, ports);
            return DecodeFields(As<_ARTNETDMXPARAM>(b), ports);
        }
        default:
            return Json::object();
    }
}
}  // namespace

Json DecodeBlock(uint32_t type, const BlockSpec& entry, const Bytes& bytes) {
    char codeText[5];
    std::snprintf(codeText, sizeof codeText, "0x%02X", entry.readCode);
    const artnet::ArtNetModel* model = artnet::FindArtNetModel(type);
    return Json{{"block", entry.name},
                {"code", codeText},
                {"size", bytes.size()},
                {"hex", HexOf(bytes.data(), bytes.size())},
                {"fields", model ? DecodeArtNet(*model, entry.readCode, bytes)
                                 : DecodeSerialServer(entry.readCode, bytes)}};
}

const SessionModel& SessionModelOf(uint32_t type) {
    const artnet::ArtNetModel* model = artnet::FindArtNetModel(type);
    return model ? model->session : serialserver::GetSerialServerModel().session;
}

const char* DialogClassOf(uint32_t type) {
    const artnet::ArtNetModel* model = artnet::FindArtNetModel(type);
    return model ? model->dialogClass : serialserver::GetSerialServerModel().dialogClass;
}

}  // namespace varlo
