#pragma once
// Which devices a command works on: MAC addresses, every device of a model, or every device
// found, picked from one search's table.
#include <optional>
#include <string>
#include <vector>

#include "discovery/DeviceTable.h"

namespace varlo {

// "00:1A:2B:3C:4D:5E" or "00-1a-2b-3c-4d-5e".
std::optional<MacBytes> ParseMac(const std::string& text);
// A model name as the device list shows it ("LUMA-4", any case) or a type code ("0x90000004").
std::optional<uint32_t> ParseModel(const std::string& text);
// "00-1A-2B-3C-4D-5E": a MAC as a file name on every platform.
std::string MacFileName(const MacBytes& mac);

struct TargetSpec {
    std::vector<MacBytes> macs;
    bool all = false;
    std::optional<uint32_t> model;

    bool Empty() const { return macs.empty() && !all && !model; }
};

struct ResolvedTargets {
    std::vector<_CONFIGPARAM> found;  // each device once, in the order named or found
    std::vector<MacBytes> missing;    // MACs no device answered with
};

// A device that answered the search twice is one device; a MAC picks its first record, as Config
// on its row would.
ResolvedTargets ResolveTargets(const CConfigParamArray& table, const TargetSpec& wanted);

// A search record built from its parts (the identity a file holds).
_CONFIGPARAM MakeRecord(uint32_t type, const std::array<uint8_t, 2>& extra, const MacBytes& mac,
                        const Ipv4Bytes& ip);

}  // namespace varlo
