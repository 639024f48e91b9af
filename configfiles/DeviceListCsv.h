#pragma once
// The device list as CSV for inventories: model, MAC, IP, name and firmware, one device a line,
// as a spreadsheet reads it (RFC 4180: a field with a comma, quote or line break is quoted).
#include <filesystem>
#include <string>
#include <vector>

#include "discovery/ConfigParam.h"
#include "transport/FrameHeader.h"

namespace varlo {

std::string DeviceListCsvHeader();
// `blocks`: what was read of the device, in the session's order (may be empty: a device that did
// not answer still has its model, MAC and IP from the search).
std::string DeviceListCsvRow(const _CONFIGPARAM& record, const std::vector<Bytes>& blocks);
// Writes the list under a temporary name and then renames it, so the file is always whole.
bool SaveDeviceListCsv(const std::filesystem::path& path, const std::string& csv,
                       std::string* error);

}  // namespace varlo
