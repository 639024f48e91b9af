// A configuration file that is not exactly what a dump wrote is refused before anything is
// sent: a truncated file, another format or version, a block of the wrong size, a checksum that
// does not match, fields edited by hand, a file whose device record names another model.
#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <sstream>

#include "cli/Commands.h"
#include "cli/tests/CliWireTest.h"
#include "discovery/DeviceType.h"
#include "sim/CommandSet.h"

namespace varlo::cli {
namespace {

using testing::Args;
using testing::RunCli;

class ConfigFileTest : public testing::CliWireTest {};

std::string ReadText(const std::string& path) {
    std::ifstream in(path);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

void WriteText(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::trunc) << text;
}

TEST_F(ConfigFileTest, AFileThatIsNotWhatADumpWroteIsRefusedAndNothingIsSent) {
    sim::Rig rig;
    rig.devices.push_back(
        sim::MakeSimDevice(DEVTYPE_LUMA_4, {0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x04}, {10, 0, 0, 4}));
    sim::InstallFactoryBlocks(rig.devices[0], 0);
    StartRig(std::move(rig));
    const std::string good = ReadText(SaveFileOf(0, "good.json"));

    const auto edit = [&](const std::function<void(Json&)>& change) {
        Json j = Json::parse(good);
        change(j);
        return j.dump(2);
    };
    // The first occurrence of a key, given twice: a reader would silently keep one of them.
    const auto twice = [&](const std::string& key, const std::string& other) {
        std::string text = good;
        const std::size_t at = text.find("\"" + key + "\": ");
        text.insert(at, "\"" + key + "\": \"" + other + "\",\n      ");
        return text;
    };
    struct Case {
        const char* name;
        std::string text;
        const char* reason;
        std::string path = {};  // instead of a file holding `text`
    };
    const Case cases[] = {
        {"truncated", good.substr(0, good.size() / 2), "not complete JSON"},
        {"another format", edit([](Json& j) { j["format"] = "varlo-dump"; }),
         "not a varlo configuration file"},
        {"version 2", edit([](Json& j) { j["version"] = 2; }), "format version 2"},
        {"a short port block", edit([](Json& j) {
             Json& b = j["blocks"][2];
             b["hex"] = b["hex"].get<std::string>().substr(4);
             b["size"] = 50;
         }),
         "holds 50 bytes; a LUMA-4 block of that code has 52"},
        // Byte 34 of the network block is kept and shown nowhere, but its checksum covers it.
        {"a bad checksum", edit([](Json& j) {
             std::string hex = j["blocks"][1]["hex"];
             hex.replace(68, 2, "5A");
             j["blocks"][1]["hex"] = hex;
         }),
         "checksum of _ARTNETBASICPARAM does not match"},
        {"a field edited by hand",
         edit([](Json& j) { j["blocks"][1]["fields"]["deviceName"] = "stage-left"; }),
         "do not match its \"hex\" bytes"},
        {"another model's record", edit([](Json& j) { j["device"]["typeCode"] = "0x90000008"; }),
         "a LUMA-8 configuration holds 4 blocks"},
        {"a size that disagrees with its bytes", edit([](Json& j) { j["blocks"][2]["size"] = 50; }),
         "gives \"size\": 50; a LUMA-4 block of that code has 52"},
        {"two mac keys", twice("mac", "00:1A:2B:3C:4D:99"), "the key \"mac\" appears twice"},
        {"two hex keys", twice("hex", "00"), "the key \"hex\" appears twice"},
        {"larger than any configuration", std::string(2 * kMaxConfigFileBytes, ' ') + good,
         "a configuration file holds a few kilobytes"},
        {"a folder", "", "is a folder, not a configuration file", dir.string()},
#ifndef _WIN32
        {"a device", "", "is not a regular file", "/dev/zero"},
#endif
        {"no such file", "", "cannot read the file: No such file or directory",
         (dir / "missing.json").string()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = c.path.empty() ? (dir / "bad.json").string() : c.path;
        if (c.path.empty()) {
            WriteText(path, c.text);
        }
        const auto restore = RunCli(RestoreCommand, Args({{path}, Backup()}));
        EXPECT_EQ(restore.status, 2);
        EXPECT_NE(restore.err.find(c.reason), std::string::npos) << restore.err;
        EXPECT_NE(restore.err.find("nothing written"), std::string::npos) << restore.err;
        EXPECT_EQ(RunCli(DiffCommand, {path}).status, 2);
        EXPECT_EQ(simulator->LogSize(), 0u);
    }
    EXPECT_FALSE(std::filesystem::exists(dir / "backups" / "00-1A-2B-3C-4D-04"));
}

}  // namespace
}  // namespace varlo::cli
