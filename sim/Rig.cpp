#include "sim/Rig.h"

#include <cstdio>
#include <fstream>
#include <random>
#include <sstream>

#include "discovery/DeviceType.h"
#include "sim/CommandSet.h"
#include "transport/Ipv4Octets.h"
#include "transport/TransportSettings.h"

namespace varlo::sim {

SimDevice MakeSimDevice(uint32_t type, const MacBytes& mac, const Ipv4Bytes& ip, uint16_t extra) {
    uint8_t bytes[16];
    StoreLE32(bytes, type);
    StoreLE16(bytes + 4, extra);
    std::copy(mac.begin(), mac.end(), bytes + 6);
    std::copy(ip.begin(), ip.end(), bytes + 12);
    SimDevice device;
    device.record = _CONFIGPARAM::FromBytes(bytes);
    return device;
}

namespace {
void Finish(Rig& rig) {
    for (std::size_t i = 0; i < rig.devices.size(); ++i) {
        InstallFactoryBlocks(rig.devices[i], i);
    }
}
}  // namespace

Rig DemoRig() {
    const uint32_t types[] = {
        DEVTYPE_KV70,   DEVTYPE_LUMA_1,  DEVTYPE_LUMA_2,          DEVTYPE_LUMA_4,
        DEVTYPE_LUMA_8, DEVTYPE_LUMA_EX, DEVTYPE_LUMA_AIR_MODULE, kDemoUnknownType};
    Rig rig;
    uint8_t n = 0;
    for (const uint32_t type : types) {
        ++n;
        // The node on 10.x shows a device whose address does not fit the workstation's subnet.
        const Ipv4Bytes ip = type == DEVTYPE_LUMA_4 ? Ipv4Bytes{10, 0, 0, 44}
                                                    : Ipv4Bytes{192, 168, 1, uint8_t(100 + n)};
        rig.devices.push_back(MakeSimDevice(type, {0x00, 0x1A, 0x2B, 0x3C, 0x4D, n}, ip));
    }
    Finish(rig);
    return rig;
}

Rig GeneratedRig(std::size_t n, uint32_t seed) {
    const uint32_t types[] = {DEVTYPE_KV70,           DEVTYPE_LUMA_1, DEVTYPE_LUMA_2,
                              DEVTYPE_LUMA_4,         DEVTYPE_LUMA_8, DEVTYPE_LUMA_EX,
                              DEVTYPE_LUMA_AIR_MODULE};
    std::mt19937 random(seed);
    Rig rig;
    rig.devices.reserve(n);
    for (std::size_t i = 0; i < n; ++i) {
        const uint32_t type = types[random() % std::size(types)];
        const MacBytes mac{0x02,      0x56, uint8_t(seed), uint8_t(i >> 16), uint8_t(i >> 8),
                           uint8_t(i)};
        const Ipv4Bytes ip{192, 168, uint8_t(1 + i / 250), uint8_t(1 + i % 250)};
        rig.devices.push_back(MakeSimDevice(type, mac, ip));
    }
    Finish(rig);
    return rig;
}

namespace {
bool ParseMac(const std::string& text, MacBytes* mac) {
    unsigned b[6];
    char tail;
    if (std::sscanf(text.c_str(), "%2x:%2x:%2x:%2x:%2x:%2x%c", &b[0], &b[1], &b[2], &b[3], &b[4],
                    &b[5], &tail) != 6) {
        return false;
    }
    for (int i = 0; i < 6; ++i) {
        (*mac)[i] = static_cast<uint8_t>(b[i]);
    }
    return true;
}

bool ParseU32(const std::string& text, uint32_t* out) {
    try {
        std::size_t used = 0;
        const unsigned long v = std::stoul(text, &used, 0);
        if (used != text.size() || v > 0xFFFFFFFFul) {
            return false;
        }
        *out = static_cast<uint32_t>(v);
        return true;
    } catch (const std::exception&) {
        return false;
    }
}
}  // namespace

bool LoadRig(const std::string& path, Rig* rig, std::string* error) {
    std::ifstream in(path);
    if (!in) {
        *error = "cannot read rig file " + path;
        return false;
    }
    Rig loaded;
    std::string line;
    for (int lineNo = 1; std::getline(in, line); ++lineNo) {
        line = line.substr(0, line.find('#'));
        std::istringstream words(line);
        std::string typeText, macText, ipText, extraText;
        if (!(words >> typeText)) {
            continue;
        }
        uint32_t type = 0, ip = 0, extra = 0;
        MacBytes mac{};
        words >> macText >> ipText >> extraText;
        if (!ParseU32(typeText, &type) || !ParseMac(macText, &mac) || !ParseIpv4(ipText, &ip) ||
            (!extraText.empty() && (!ParseU32(extraText, &extra) || extra > 0xFFFF))) {
            *error = path + ":" + std::to_string(lineNo) + ": expected TYPE MAC IP [EXTRA]";
            return false;
        }
        loaded.devices.push_back(
            MakeSimDevice(type, mac, Ipv4Octets(ip), static_cast<uint16_t>(extra)));
    }
    Finish(loaded);
    *rig = std::move(loaded);
    return true;
}

}  // namespace varlo::sim
