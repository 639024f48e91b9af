#pragma once
// The blocks of both families as `varlo-cli dump` prints them: the raw bytes in hex and the
// decoded fields, with the item texts the dialogs show for list values.
#include <cstdint>
#include <nlohmann/json.hpp>
#include <string>

#include "artnet/ArtNetBasicParam.h"
#include "artnet/ArtNetDeviceInfo.h"
#include "artnet/ArtNetDmxParam.h"
#include "artnet/Rt5350BasicParam.h"
#include "configfiles/HexText.h"
#include "serialserver/BasicParam.h"
#include "serialserver/OpModeParam.h"
#include "serialserver/SerialDeviceInfo.h"
#include "serialserver/SerialParam.h"
#include "serialserver/WirelessParam.h"
#include "transport/ConfigSession.h"

namespace varlo {

// Keeps the fields in the order of the block.
using Json = nlohmann::ordered_json;

// A list value: {"value": 12, "item": "9600"}, the item null when the value has none.
inline Json ListValue(uint32_t value, const char* item) {
    return {{"value", value}, {"item", item != nullptr ? Json(item) : Json(nullptr)}};
}

Json DecodeFields(const SerialDeviceInfo& info);
Json DecodeFields(const _BASICPARAM& block);
Json DecodeFields(const _WIRELESSPARAM& block);
Json DecodeFields(const _SERIALPARAM& block);
Json DecodeFields(const _OPMODEPARAM& block);

// The module names its two MAC addresses LAN and WLAN, the nodes NodeA and NodeB.
Json DecodeFields(const ArtNetDeviceInfo& info, bool module);
Json DecodeFields(const _ARTNETBASICPARAM& block);
Json DecodeFields(const _RT5350BASICPARAM& block);
// shownPorts[k]: the port number record k carries on the dialog's page, 0 when not shown.
Json DecodeFields(const _ARTNETDMXPARAM& block, const int (&shownPorts)[4]);

// A block read from a device of that type: its name, read code, size, hex and decoded fields.
Json DecodeBlock(uint32_t type, const BlockSpec& entry, const Bytes& bytes);
// The exchanges and the dialog class of a device type (every type outside the Art-Net family is
// a serial server).
const SessionModel& SessionModelOf(uint32_t type);
const char* DialogClassOf(uint32_t type);

}  // namespace varlo
