#include "configfiles/DeviceTargets.h"

#include <algorithm>
#include <cstdio>
#include <set>

#include "configfiles/HexText.h"
#include "discovery/DeviceType.h"

namespace varlo {

namespace {
std::string Upper(std::string s) {
    for (char& c : s) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 32);
        }
    }
    return s;
}
}  // namespace

std::optional<MacBytes> ParseMac(const std::string& text) {
    MacBytes mac{};
    if (text.size() != 17) {
        return std::nullopt;
    }
    const char separator = text[2];
    if (separator != ':' && separator != '-') {
        return std::nullopt;
    }
    for (std::size_t i = 0; i < 6; ++i) {
        const std::size_t at = 3 * i;
        if (i > 0 && text[at - 1] != separator) {
            return std::nullopt;
        }
        const int high = HexDigit(text[at]);
        const int low = HexDigit(text[at + 1]);
        if (high < 0 || low < 0) {
            return std::nullopt;
        }
        mac[i] = static_cast<uint8_t>(high * 16 + low);
    }
    return mac;
}

std::optional<uint32_t> ParseModel(const std::string& text) {
    const uint32_t known[] = {DEVTYPE_KV70,   DEVTYPE_LUMA_AIR_MODULE, DEVTYPE_LUMA_1,
                              DEVTYPE_LUMA_2, DEVTYPE_LUMA_4,          DEVTYPE_LUMA_8,
                              DEVTYPE_LUMA_EX};
    for (const uint32_t type : known) {
        if (Upper(text) == GetDeviceTypeName(type)) {
            return type;
        }
    }
    if (text.size() == 10 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        uint32_t type = 0;
        for (std::size_t i = 2; i < text.size(); ++i) {
            const int d = HexDigit(text[i]);
            if (d < 0) {
                return std::nullopt;
            }
            type = type * 16 + static_cast<uint32_t>(d);
        }
        return type;
    }
    return std::nullopt;
}

std::string MacFileName(const MacBytes& mac) {
    char text[18];
    std::snprintf(text, sizeof text, "%02X-%02X-%02X-%02X-%02X-%02X", mac[0], mac[1], mac[2],
                  mac[3], mac[4], mac[5]);
    return text;
}

ResolvedTargets ResolveTargets(const CConfigParamArray& table, const TargetSpec& wanted) {
    ResolvedTargets out;
    std::set<DeviceIdentity> taken;
    const auto take = [&](const _CONFIGPARAM& record) {
        if (taken.insert(record.Identity()).second) {
            out.found.push_back(record);
        }
    };
    for (const MacBytes& mac : wanted.macs) {
        bool found = false;
        for (std::size_t i = 0; i < table.GetSize() && !found; ++i) {
            if (table[i].byMac() == mac) {
                take(table[i]);
                found = true;
            }
        }
        if (!found && std::find(out.missing.begin(), out.missing.end(), mac) == out.missing.end()) {
            out.missing.push_back(mac);
        }
    }
    for (std::size_t i = 0; i < table.GetSize(); ++i) {
        if (wanted.all || (wanted.model && table[i].dwType() == *wanted.model)) {
            take(table[i]);
        }
    }
    return out;
}

_CONFIGPARAM MakeRecord(uint32_t type, const std::array<uint8_t, 2>& extra, const MacBytes& mac,
                        const Ipv4Bytes& ip) {
    uint8_t bytes[16];
    StoreLE32(bytes + _CONFIGPARAM::kType, type);
    std::copy(extra.begin(), extra.end(), bytes + _CONFIGPARAM::kExtra);
    std::copy(mac.begin(), mac.end(), bytes + _CONFIGPARAM::kMac);
    std::copy(ip.begin(), ip.end(), bytes + _CONFIGPARAM::kIp);
    return _CONFIGPARAM::FromBytes(bytes);
}

}  // namespace varlo
