#include "configfiles/ConfigFile.h"

#include <cstdio>
#include <fstream>
#include <sstream>

#include "configfiles/DeviceTargets.h"
#include "configfiles/FieldTable.h"
#include "discovery/DeviceFormat.h"
#include "discovery/DeviceType.h"
#include "transport/TransportSettings.h"

namespace varlo {

namespace {
std::string TypeCodeText(uint32_t type) {
    char text[11];
    std::snprintf(text, sizeof text, "0x%08X", type);
    return text;
}

std::string CodeText(uint8_t code) {
    char text[5];
    std::snprintf(text, sizeof text, "0x%02X", code);
    return text;
}

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

bool FromHex(const std::string& text, Bytes* out) {
    if (text.size() % 2 != 0) {
        return false;
    }
    out->clear();
    for (std::size_t i = 0; i < text.size(); i += 2) {
        unsigned value = 0;
        for (const char c : text.substr(i, 2)) {
            const int d = c >= '0' && c <= '9'   ? c - '0'
                          : c >= 'a' && c <= 'f' ? c - 'a' + 10
                          : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                                 : -1;
            if (d < 0) {
                return false;
            }
            value = value * 16 + static_cast<unsigned>(d);
        }
        out->push_back(static_cast<uint8_t>(value));
    }
    return true;
}

const std::string* StringAt(const Json& object, const char* key) {
    const auto it = object.find(key);
    return it != object.end() && it->is_string() ? it->get_ptr<const std::string*>() : nullptr;
}

// The device record of a file; false with the reason.
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
    if (!type || !extraText || !FromHex(*extraText, &extra) || extra.size() != 2 || !mac ||
        !ipText || !ParseIpv4(*ipText, &ip)) {
        *error =
            "its device record needs \"typeCode\" (0x90000004), \"extra\" (two bytes in hex), "
            "\"mac\" and \"ip\"";
        return false;
    }
    *record = MakeRecord(*type, {extra[0], extra[1]}, *mac,
                         {uint8_t(ip >> 24), uint8_t(ip >> 16), uint8_t(ip >> 8), uint8_t(ip)});
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
        if (!hex || !FromHex(*hex, &bytes)) {
            *error = where + " has no \"hex\" bytes";
            return false;
        }
        const auto size = entry.find("size");
        if (bytes.size() != layout.size ||
            (size != entry.end() && (!size->is_number_unsigned() || *size != layout.size))) {
            *error = where + " holds " + std::to_string(bytes.size()) + " bytes; a " + modelName +
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

Json DeviceJson(const _CONFIGPARAM& record, const ConfigSession& session, std::size_t read) {
    const uint32_t type = record.dwType();
    Json out = {{"device", DeviceRecordJson(record, false)},
                {"dialog", DialogClassOf(type)},
                {"blocks", Json::array()}};
    for (std::size_t i = 0; i < read; ++i) {
        out["blocks"].push_back(DecodeBlock(type, session.Model().blocks[i], *session.Saved(i)));
    }
    return out;
}

Json ConfigFileJson(const _CONFIGPARAM& record, const SessionModel& model,
                    const std::vector<Bytes>& blocks) {
    const uint32_t type = record.dwType();
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
    std::filesystem::path temporary = path;
    temporary += ".part";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out << Text(content);
        out.close();
        if (!out) {
            *error = "cannot write " + temporary.string();
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
    std::FILE* out = std::fopen(path.string().c_str(), "wx");
    if (!out) {
        *error = "cannot create " + path.string();
        return false;
    }
    const std::string text = Text(content);
    const bool written = std::fwrite(text.data(), 1, text.size(), out) == text.size();
    if (std::fclose(out) != 0 || !written) {
        *error = "cannot write " + path.string();
        std::error_code ignored;
        std::filesystem::remove(path, ignored);
        return false;
    }
    return true;
}

bool LoadConfigFile(const std::filesystem::path& path, ConfigFile* out, std::string* error) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        *error = path.string() + ": cannot read the file";
        return false;
    }
    std::stringstream text;
    text << in.rdbuf();
    const Json file = Json::parse(text.str(), nullptr, false);
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
