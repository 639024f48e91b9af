#include "configfiles/DeviceListCsv.h"

#include "configfiles/BlockJson.h"
#include "configfiles/FieldTable.h"
#include "discovery/DeviceFormat.h"

namespace varlo {

namespace {
std::string TextField(const Json& block, const char* name) {
    const auto fields = block.find("fields");
    if (fields == block.end()) {
        return {};
    }
    const auto value = fields->find(name);
    return value != fields->end() && value->is_string() ? value->get<std::string>() : "";
}

// Quoted when it holds a comma, a quote or a line break (RFC 4180), or could be read as a
// spreadsheet formula.
std::string CsvField(const std::string& text) {
    const bool formula =
        !text.empty() && (text[0] == '=' || text[0] == '+' || text[0] == '-' || text[0] == '@');
    if (!formula && text.find_first_of(",\"\r\n") == std::string::npos) {
        return text;
    }
    std::string out = formula ? "\"'" : "\"";
    for (const char c : text) {
        out += c;
        if (c == '"') {
            out += '"';
        }
    }
    return out + "\"";
}
}  // namespace

DeviceListRow ReadDeviceListRow(const _CONFIGPARAM& record) {
    const uint32_t type = record.dwType();
    DeviceListRow row{
        ModelNameOf(type), FormatMacColon(record.byMac()), FormatIp(record.dwIp()), {}, {}};
    ConfigSession session(SessionModelOf(type), record.Identity());
    const SessionModel& model = session.Model();
    if (session.BlockCount() > 0 && session.Read(0)) {
        row.firmware =
            TextField(DecodeBlock(type, model.blocks[0], *session.Saved(0)), "firmwareVersion");
    }
    if (session.BlockCount() > 1 && session.Read(1)) {
        row.name = TextField(DecodeBlock(type, model.blocks[1], *session.Saved(1)), "deviceName");
    }
    return row;
}

std::string DeviceListCsv(const std::vector<DeviceListRow>& rows) {
    std::string out = "model,mac,ip,name,firmware\r\n";
    for (const DeviceListRow& r : rows) {
        out += CsvField(r.model) + "," + CsvField(r.mac) + "," + CsvField(r.ip) + "," +
               CsvField(r.name) + "," + CsvField(r.firmware) + "\r\n";
    }
    return out;
}

}  // namespace varlo
