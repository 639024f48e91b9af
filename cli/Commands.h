#pragma once
// The commands of varlo-cli; each returns the process exit status.
#include <optional>
#include <string>
#include <vector>

#include "configfiles/DeviceApply.h"
#include "configfiles/SetFields.h"

namespace varlo::cli {

int SearchCommand(const std::vector<std::string>& args);
int DumpCommand(const std::vector<std::string>& args);
int ComCommand(const std::vector<std::string>& args);
int DiffCommand(const std::vector<std::string>& args);
int RestoreCommand(const std::vector<std::string>& args);
int SetCommand(const std::vector<std::string>& args);

// set after its search: runs the change on every device (`missing`: MACs the search did not
// find, reported as failed), prints one line per device and the summary, and returns the exit
// status: 0 when every device succeeded, 1 otherwise.
// With `number`, the numbered field's value counts up across the devices in the given order.
int SetOnDevices(const std::vector<_CONFIGPARAM>& devices, const std::vector<MacBytes>& missing,
                 const std::vector<Assignment>& assignments, const ApplyOptions& options, int jobs,
                 const std::optional<Assignment>& number = std::nullopt);
// varlo-cli export-csv: the device list as CSV (model, MAC, IP, name, firmware).
int ExportCsvCommand(const std::vector<std::string>& args);

}  // namespace varlo::cli
