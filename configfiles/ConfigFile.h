#pragma once
// A device's configuration as a file: the dump's JSON with a format name and version, the
// device's search record (type code, extra bytes, MAC, IP) and every block's raw bytes, so that
// it restores byte for byte. Loading checks everything a restore relies on before anything is
// sent.
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "configfiles/BlockJson.h"
#include "discovery/ConfigParam.h"
#include "transport/ConfigSession.h"

namespace varlo {

inline constexpr const char* kConfigFormat = "varlo-config";
inline constexpr int kConfigVersion = 1;
// A configuration file holds a few kilobytes; anything much larger is not one, and is refused
// before it is read.
inline constexpr std::uintmax_t kMaxConfigFileBytes = 1024 * 1024;
// The value of "secrets" in a file written without the WiFi pass phrases and WEP keys.
inline constexpr const char* kSecretsLeftOut = "left out";

struct ConfigFile {
    _CONFIGPARAM record;        // as the device answered the search
    std::vector<Bytes> blocks;  // every block of the model's session, in order
    bool noSecrets = false;     // written without secrets: a restore keeps the device's own

    uint32_t Type() const { return record.dwType(); }
};

// The device as `varlo-cli dump` prints it: the device record, the dialog class and the blocks
// read so far (the first `read` of the session), with or without secrets.
Json DeviceJson(const _CONFIGPARAM& record, const ConfigSession& session, std::size_t read,
                bool withSecrets = true);
// The blocks with every WiFi pass phrase and WEP key as zero bytes.
std::vector<Bytes> WithoutSecrets(uint32_t type, std::vector<Bytes> blocks);
// A whole file: format, version, the device record with its extra bytes, and every block.
// Without secrets the WiFi pass phrases and WEP keys are zero bytes and the file says so
// ("secrets": "left out").
Json ConfigFileJson(const _CONFIGPARAM& record, const SessionModel& model,
                    const std::vector<Bytes>& blocks, bool withSecrets = true);
// Every saved copy of a session whose reads all succeeded.
std::vector<Bytes> SavedBlocks(const ConfigSession& session);

// Writes the file under a temporary name and then renames it, so a file of that name is always
// whole.
bool SaveConfigFile(const std::filesystem::path& path, const Json& content, std::string* error);
// The same for any text (the device list as CSV).
bool SaveTextFile(const std::filesystem::path& path, const std::string& text, std::string* error);
// Creates the file and fails when one of that name exists: backups are never overwritten.
bool CreateConfigFile(const std::filesystem::path& path, const Json& content, std::string* error);

// Reads a file and checks it: a regular file of at most kMaxConfigFileBytes, no key twice in
// one object, format and version, the device record, every block of the
// model's table with its size, the checksums of the writable Art-Net blocks, and the decoded
// fields against the bytes (a field edited by hand would otherwise be silently ignored).
bool LoadConfigFile(const std::filesystem::path& path, ConfigFile* out, std::string* error);

}  // namespace varlo
