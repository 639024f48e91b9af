#include "sim/SimDevice.h"

#include "artnet/ArtNetBasicParam.h"
#include "artnet/ArtNetItems.h"
#include "artnet/Rt5350BasicParam.h"
#include "serialserver/BasicParam.h"

namespace varlo::sim {

namespace {
constexpr uint8_t kNetworkBlock = 0x03;  // read code of every family's network block

template <typename Block>
Block As(const Bytes& bytes) {
    Block b;
    b.Assign(bytes.data());
    return b;
}
}  // namespace

// A device answers searches with the address it uses now: a written network block takes effect
// at once, so the operator sees the new address after the next search.
Ipv4Bytes ReportedIp(const SimDevice& device) {
    const auto block = device.blocks.find(kNetworkBlock);
    if (block == device.blocks.end()) {
        return device.record.dwIp();
    }
    const Bytes& b = block->second;
    switch (b.size()) {
        case _BASICPARAM::kSize:
            return As<_BASICPARAM>(b).LocalIp();
        case _RT5350BASICPARAM::kSize:
            return As<_RT5350BASICPARAM>(b).IpAddress();
        case _ARTNETBASICPARAM::kSize: {
            // With "Custom IP" a node takes its static set; otherwise it reports the address it
            // chose itself.
            const _ARTNETBASICPARAM basic = As<_ARTNETBASICPARAM>(b);
            return basic.IpType() == artnet::kIpTypeCustom
                       ? basic.Addresses(_ARTNETBASICPARAM::kNodeAStatic).ip
                       : basic.Addresses(_ARTNETBASICPARAM::kNodeACurrent).ip;
        }
        default:
            return device.record.dwIp();
    }
}

}  // namespace varlo::sim
