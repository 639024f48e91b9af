#pragma once
// The commands of varlo-cli; each returns the process exit status.
#include <string>
#include <vector>

namespace varlo::cli {

int SearchCommand(const std::vector<std::string>& args);
int DumpCommand(const std::vector<std::string>& args);
int ComCommand(const std::vector<std::string>& args);
int DiffCommand(const std::vector<std::string>& args);
int RestoreCommand(const std::vector<std::string>& args);
int SetCommand(const std::vector<std::string>& args);
int ArtNetCommand(const std::vector<std::string>& args);
int InterfacesCommand(const std::vector<std::string>& args);
int DoctorCommand(const std::vector<std::string>& args);

}  // namespace varlo::cli
