#pragma once
// A device's configuration as a file: the dump's JSON with a format name and version, the
// device's search record (type code, extra bytes, MAC, IP) and every block's raw bytes, so that
// it restores byte for byte. Loading checks everything a restore relies on before anything is
// sent.
#include <filesystem>
#include <string>
#include <vector>

#include "configfiles/BlockJson.h"
#include "discovery/ConfigParam.h"
#include "transport/ConfigSession.h"

namespace varlo {

inline constexpr const char* kConfigFormat = "varlo-config";
inline constexpr int kConfigVersion = 1;

struct ConfigFile {
    _CONFIGPARAM record;        // as the device answered the search
    std::vector<Bytes> blocks;  // every block of the model's session, in order

    uint32_t Type() const { return record.dwType(); }
};

// The device as `varlo-cli dump` prints it: the device record, the dialog class and the blocks
// read so far (the first `read` of the session).
Json DeviceJson(const _CONFIGPARAM& record, const ConfigSession& session, std::size_t read);
// A whole file: format, version, the device record with its extra bytes, and every block.
Json ConfigFileJson(const _CONFIGPARAM& record, const SessionModel& model,
                    const std::vector<Bytes>& blocks);
// Every saved copy of a session whose reads all succeeded.
std::vector<Bytes> SavedBlocks(const ConfigSession& session);

// Writes the file under a temporary name and then renames it, so a file of that name is always
// whole.
bool SaveConfigFile(const std::filesystem::path& path, const Json& content, std::string* error);
// Creates the file and fails when one of that name exists: backups are never overwritten.
bool CreateConfigFile(const std::filesystem::path& path, const Json& content, std::string* error);

// Reads a file and checks it: format and version, the device record, every block of the
// model's table with its size, the checksums of the writable Art-Net blocks, and the decoded
// fields against the bytes (a field edited by hand would otherwise be silently ignored).
bool LoadConfigFile(const std::filesystem::path& path, ConfigFile* out, std::string* error);

}  // namespace varlo
