#include "configfiles/ConfigFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <set>

#include "configfiles/CodeText.h"
#include "configfiles/DeviceTargets.h"
#include "configfiles/FieldValues.h"
#include "discovery/DeviceFormat.h"
#include "discovery/DeviceType.h"
#include "transport/ByteOrder.h"
#include "transport/TransportSettings.h"

namespace varlo {

namespace {
Json DeviceRecordJson(const _CONFIGPARAM& record, bool withExtra) {
    const char* name = GetDeviceTypeName(record.dwType());
    Json device = {{"deviceType", name ? name : ""}, {"typeCode", TypeCodeText(record.dwType())}};
    if (withExtra) {
        device["extra"] = HexOf(record.data() + _CONFIGPARAM::kExtra, 2);
    }
    device["mac"] = FormatMacColon(record.byMac());
    device["ip"] = FormatIp(record.dwIp());
    return device;
}

// Device texts are 8-bit; bytes that are not UTF-8 print as U+FFFD (the hex keeps them).
std::string Text(const Json& json) {
    return json.dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
}

const std::string* StringAt(const Json& object, const char* key) {
    const auto it = object.find(key);
    return it != object.end() && it->is_string() ? it->get_ptr<const std::string*>() : nullptr;
}

// The device record of a file; false with the reason.
// The whole of a regular file of a configuration file's size; false with the reason (the
// system's own where it has one). A device (/dev/zero), a pipe or a folder is refused before
// anything is read from it.
bool ReadWhole(const std::filesystem::path& path, std::string* text, std::string* error) {
    std::error_code ec;
    const std::filesystem::file_status status = std::filesystem::status(path, ec);
    if (ec) {
        *error = "cannot read the file: " + ec.message();
        return false;
    }
    if (std::filesystem::is_directory(status)) {
        *error = "is a folder, not a configuration file";
        return false;
    }
    if (!std::filesystem::is_regular_file(status)) {
        *error = "is not a regular file (a device, a pipe or a socket); give a configuration file";
        return false;
    }
    const std::uintmax_t size = std::filesystem::file_size(path, ec);
    if (ec || size > kMaxConfigFileBytes) {
        *error = ec ? "cannot read the file: " + ec.message()
                    : "holds " + std::to_string(size) +
                          " bytes; a configuration file holds a few kilobytes (at most " +
                          std::to_string(kMaxConfigFileBytes) + " bytes are read)";
        return false;
    }
    errno = 0;
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        *error = std::string("cannot read the file: ") + std::strerror(errno);
        return false;
    }
    // Read at most one byte past the limit, in case the file grew since its size was taken.
    text->assign(static_cast<std::size_t>(size), '\0');
    in.read(text->data(), static_cast<std::streamsize>(size));
    text->resize(static_cast<std::size_t>(in.gcount()));
    if (in.bad()) {
        *error = std::string("cannot read the file: ") + std::strerror(errno);
        return false;
    }
    return true;
}

// The JSON of a file, with the first key that appears twice in one object: the parser would
// keep one of the two silently (two "hex" keys, two "mac" keys).
Json ParseRefusingDuplicates(const std::string& text, std::string* duplicate) {
    std::vector<std::set<std::string>> open;
    const Json::parser_callback_t check = [&](int, Json::parse_event_t event, Json& parsed) {
        if (event == Json::parse_event_t::object_start) {
            open.emplace_back();
        } else if (event == Json::parse_event_t::object_end && !open.empty()) {
            open.pop_back();
        } else if (event == Json::parse_event_t::key && !open.empty() && parsed.is_string() &&
                   !open.back().insert(parsed.get<std::string>()).second && duplicate->empty()) {
            *duplicate = parsed.get<std::string>();
        }
        return true;
    };
    return Json::parse(text, check, false);
}

bool LoadRecord(const Json& file, _CONFIGPARAM* record, std::string* error) {
    const auto device = file.find("device");
    if (device == file.end() || !device->is_object()) {
        *error = "it names no device";
        return false;
    }
    const std::string* typeText = StringAt(*device, "typeCode");
    const std::string* extraText = StringAt(*device, "extra");
    const std::string* macText = StringAt(*device, "mac");
    const std::string* ipText = StringAt(*device, "ip");
    const std::optional<uint32_t> type =
        typeText && typeText->size() == 10 && typeText->rfind("0x", 0) == 0 ? ParseModel(*typeText)
                                                                            : std::nullopt;
    Bytes extra;
    const std::optional<MacBytes> mac = macText ? ParseMac(*macText) : std::nullopt;
    uint32_t ip = 0;
    if (!type || !extraText || !ParseHexBytes(*extraText, &extra) || extra.size() != 2 || !mac ||
        !ipText || !ParseIpv4(*ipText, &ip)) {
        *error =
            "its device record needs \"typeCode\" (0x90000004), \"extra\" (two bytes in hex), "
            "\"mac\" and \"ip\"";
        return false;
    }
    Ipv4Bytes address{};
    StoreBE32(address.data(), ip);  // first octet first, as the record holds it
    *record = MakeRecord(*type, {extra[0], extra[1]}, *mac, address);
    return true;
}

bool LoadBlocks(const Json& file, uint32_t type, std::vector<Bytes>* blocks, std::string* error) {
    const SessionModel& model = SessionModelOf(type);
    const std::string modelName = ModelNameOf(type);
    const auto list = file.find("blocks");
    if (list == file.end() || !list->is_array() || list->size() != model.blocks.size()) {
        *error = "a " + modelName + " configuration holds " + std::to_string(model.blocks.size()) +
                 " blocks";
        return false;
    }
    blocks->clear();
    for (std::size_t i = 0; i < model.blocks.size(); ++i) {
        const BlockSpec& layout = model.blocks[i];
        const Json& entry = (*list)[i];
        const std::string* code = entry.is_object() ? StringAt(entry, "code") : nullptr;
        const std::string* hex = entry.is_object() ? StringAt(entry, "hex") : nullptr;
        const std::string where = "block " + std::to_string(i) + " (" + layout.name + ", code " +
                                  CodeText(layout.readCode) + ")";
        if (!code || *code != CodeText(layout.readCode)) {
            *error = "block " + std::to_string(i) + " of a " + modelName + " configuration is " +
                     layout.name + ", code " + CodeText(layout.readCode);
            return false;
        }
        Bytes bytes;
        if (!hex || !ParseHexBytes(*hex, &bytes)) {
            *error = where + " has no \"hex\" bytes";
            return false;
        }
        const auto size = entry.find("size");
        if (bytes.size() != layout.size) {
            *error = where + " holds " + std::to_string(bytes.size()) + " bytes; a " + modelName +
                     " block of that code has " + std::to_string(layout.size);
            return false;
        }
        if (size != entry.end() && (!size->is_number_unsigned() || *size != layout.size)) {
            *error = where + " gives \"size\": " + size->dump() + "; a " + modelName +
                     " block of that code has " + std::to_string(layout.size);
            return false;
        }
        blocks->push_back(std::move(bytes));
    }
    for (const BlockFields& b : FieldsOf(type).blocks) {
        if (!ChecksumValid(b, (*blocks)[b.index])) {
            *error = "the checksum of " + b.label +
                     " does not match its bytes (the file was changed or damaged)";
            return false;
        }
    }
    // A field edited in the file would be silently ignored: the bytes are what is restored.
    for (std::size_t i = 0; i < model.blocks.size(); ++i) {
        const auto fields = (*list)[i].find("fields");
        if (fields != (*list)[i].end() &&
            Text(*fields) != Text(DecodeBlock(type, model.blocks[i], (*blocks)[i])["fields"])) {
            *error = std::string(model.blocks[i].name) + " (code " +
                     CodeText(model.blocks[i].readCode) +
                     "): its \"fields\" do not match its \"hex\" bytes (a restore writes the "
                     "bytes; change a device's fields with varlo-cli set)";
            return false;
        }
    }
    return true;
}
}  // namespace

std::vector<Bytes> WithoutSecrets(uint32_t type, std::vector<Bytes> blocks) {
    for (const BlockFields& b : FieldsOf(type).blocks) {
        for (const FieldSpec& f : b.fields) {
            if (f.secret && b.index < blocks.size()) {
                std::fill_n(blocks[b.index].begin() + static_cast<std::ptrdiff_t>(f.offset),
                            f.width, uint8_t{0});
            }
        }
    }
    return blocks;
}

Json DeviceJson(const _CONFIGPARAM& record, const ConfigSession& session, std::size_t read,
                bool withSecrets) {
    const uint32_t type = record.dwType();
    Json out = {{"device", DeviceRecordJson(record, false)},
                {"dialog", DialogClassOf(type)},
                {"blocks", Json::array()}};
    std::vector<Bytes> blocks;
    for (std::size_t i = 0; i < read; ++i) {
        blocks.push_back(*session.Saved(i));
    }
    if (!withSecrets) {
        blocks = WithoutSecrets(type, std::move(blocks));
        out["secrets"] = kSecretsLeftOut;
    }
    for (std::size_t i = 0; i < read; ++i) {
        out["blocks"].push_back(DecodeBlock(type, session.Model().blocks[i], blocks[i]));
    }
    return out;
}

Json ConfigFileJson(const _CONFIGPARAM& record, const SessionModel& model,
                    const std::vector<Bytes>& blocks, bool withSecrets) {
    const uint32_t type = record.dwType();
    if (!withSecrets) {
        Json out = ConfigFileJson(record, model, WithoutSecrets(type, blocks), true);
        out["secrets"] = kSecretsLeftOut;
        return out;
    }
    Json out = {{"format", kConfigFormat},
                {"version", kConfigVersion},
                {"device", DeviceRecordJson(record, true)},
                {"dialog", DialogClassOf(type)},
                {"blocks", Json::array()}};
    for (std::size_t i = 0; i < blocks.size() && i < model.blocks.size(); ++i) {
        out["blocks"].push_back(DecodeBlock(type, model.blocks[i], blocks[i]));
    }
    out["complete"] = blocks.size() == model.blocks.size();
    return out;
}

std::vector<Bytes> SavedBlocks(const ConfigSession& session) {
    std::vector<Bytes> blocks;
    for (std::size_t i = 0; i < session.BlockCount() && session.Saved(i); ++i) {
        blocks.push_back(*session.Saved(i));
    }
    return blocks;
}

bool SaveConfigFile(const std::filesystem::path& path, const Json& content, std::string* error) {
    return SaveTextFile(path, Text(content), error);
}

bool SaveTextFile(const std::filesystem::path& path, const std::string& text, std::string* error) {
    std::filesystem::path temporary = path;
    temporary += ".part";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        errno = 0;
        out << text;
        out.close();
        if (!out) {
            *error = "cannot write " + temporary.string() + ": " + std::strerror(errno);
            std::error_code ignored;
            std::filesystem::remove(temporary, ignored);
            return false;
        }
    }
    std::error_code ec;
    std::filesystem::rename(temporary, path, ec);
    if (ec) {
        *error = "cannot write " + path.string() + ": " + ec.message();
        std::filesystem::remove(temporary, ec);
        return false;
    }
    return true;
}

bool CreateConfigFile(const std::filesystem::path& path, const Json& content, std::string* error) {
    // "x": fails when the file exists, so two runs in the same second never share a backup.
    errno = 0;
    std::FILE* out = std::fopen(path.string().c_str(), "wx");
    if (!out) {
        *error = "cannot create " + path.string() + ": " + std::strerror(errno);
        return false;
    }
    const std::string text = Text(content);
    const bool written = std::fwrite(text.data(), 1, text.size(), out) == text.size();
    if (std::fclose(out) != 0 || !written) {
        *error = "cannot write " + path.string() + ": " + std::strerror(errno);
        std::error_code ignored;
        std::filesystem::remove(path, ignored);
        return false;
    }
    return true;
}

bool LoadConfigFile(const std::filesystem::path& path, ConfigFile* out, std::string* error) {
    std::string text;
    if (!ReadWhole(path, &text, error)) {
        *error = path.string() + ": " + *error;
        return false;
    }
    std::string duplicate;
    const Json file = ParseRefusingDuplicates(text, &duplicate);
    if (!file.is_discarded() && !duplicate.empty()) {
        *error = path.string() + ": the key \"" + duplicate +
                 "\" appears twice in one object; a reader would silently take one of them, so "
                 "keep it once";
        return false;
    }
    const std::string* format = file.is_object() ? StringAt(file, "format") : nullptr;
    if (file.is_discarded() || !format || *format != kConfigFormat) {
        *error = path.string() + ": not a varlo configuration file (" +
                 (file.is_discarded() ? std::string("not complete JSON")
                                      : std::string("no \"format\": \"varlo-config\"")) +
                 "); write one with varlo-cli dump MAC -o FILE";
        return false;
    }
    const auto version = file.find("version");
    if (version == file.end() || !version->is_number_integer() || *version != kConfigVersion) {
        *error = path.string() + ": format version " +
                 (version == file.end() ? std::string("missing") : version->dump()) +
                 " is not one this varlo-cli reads (version " + std::to_string(kConfigVersion) +
                 ")";
        return false;
    }
    const auto complete = file.find("complete");
    if (complete != file.end() && *complete != true) {
        *error = path.string() + ": the dump it holds is not complete";
        return false;
    }
    ConfigFile loaded;
    const auto secrets = file.find("secrets");
    if (secrets != file.end() && *secrets != kSecretsLeftOut) {
        *error = path.string() + ": \"secrets\" may only be \"" + kSecretsLeftOut + "\"";
        return false;
    }
    loaded.noSecrets = secrets != file.end();
    std::string reason;
    if (!LoadRecord(file, &loaded.record, &reason) ||
        !LoadBlocks(file, loaded.Type(), &loaded.blocks, &reason)) {
        *error = path.string() + ": " + reason;
        return false;
    }
    *out = std::move(loaded);
    return true;
}

}  // namespace varlo
