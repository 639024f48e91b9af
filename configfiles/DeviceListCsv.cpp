#include "configfiles/DeviceListCsv.h"

#include <cerrno>
#include <cstring>
#include <fstream>

#include "configfiles/BlockJson.h"
#include "configfiles/FieldTable.h"
#include "discovery/DeviceFormat.h"

namespace varlo {

namespace {
std::string Quoted(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos) {
        return text;
    }
    std::string out = "\"";
    for (const char c : text) {
        out += c;
        if (c == '"') {
            out += '"';
        }
    }
    return out + "\"";
}

// The first text of that key among the blocks' decoded fields.
std::string FirstField(uint32_t type, const std::vector<Bytes>& blocks, const char* key) {
    const SessionModel& model = SessionModelOf(type);
    for (std::size_t i = 0; i < blocks.size() && i < model.blocks.size(); ++i) {
        const Json block = DecodeBlock(type, model.blocks[i], blocks[i]);
        const auto fields = block.find("fields");
        if (fields == block.end() || !fields->is_object()) {
            continue;
        }
        const auto value = fields->find(key);
        if (value != fields->end() && value->is_string()) {
            return value->get<std::string>();
        }
    }
    return {};
}
}  // namespace

std::string DeviceListCsvHeader() {
    return "model,mac,ip,name,firmware\r\n";
}

std::string DeviceListCsvRow(const _CONFIGPARAM& record, const std::vector<Bytes>& blocks) {
    const uint32_t type = record.dwType();
    return Quoted(ModelNameOf(type)) + "," + FormatMacColon(record.byMac()) + "," +
           FormatIp(record.dwIp()) + "," + Quoted(FirstField(type, blocks, "deviceName")) + "," +
           Quoted(FirstField(type, blocks, "firmwareVersion")) + "\r\n";
}

bool SaveDeviceListCsv(const std::filesystem::path& path, const std::string& csv,
                       std::string* error) {
    std::filesystem::path temporary = path;
    temporary += ".part";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out << csv;
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

}  // namespace varlo
