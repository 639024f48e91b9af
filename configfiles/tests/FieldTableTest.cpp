// The field table against what the dump prints and what the dialogs allow: every field the dump
// prints has a path, values are checked with the dialogs' ranges and item lists, texts follow
// their family's rule, and diff lines name exactly the bytes that differ.
#include <gtest/gtest.h>

#include <set>

#include "artnet/ArtNetBasicParam.h"
#include "configfiles/BlockDiff.h"
#include "configfiles/BlockJson.h"
#include "configfiles/FieldValues.h"
#include "discovery/DeviceType.h"
#include "serialserver/BasicParam.h"
#include "sim/CommandSet.h"
#include "sim/Rig.h"
#include "testsupport/WireTest.h"

namespace varlo {
namespace {

using varlo::testing::Hex;

// A device's block as the simulator ships it.
Bytes FactoryBlock(uint32_t type, uint8_t readCode) {
    sim::SimDevice d = sim::MakeSimDevice(type, {0, 0x1A, 0x2B, 0x3C, 0x4D, 1}, {192, 168, 1, 9});
    sim::InstallFactoryBlocks(d, 1);
    return d.blocks.at(readCode);
}

// The leaves the dump prints under "fields"; a list value ({"value", "item"}) and the checksum
// ({"stored", "matches"}) are one leaf each, and the port record's numbering and its sub-net
// split of the universe are not fields of their own.
void Leaves(const Json& j, const std::string& path, std::set<std::string>* out) {
    const auto child = [&](const std::string& key) {
        return path.empty() ? key : path + "." + key;
    };
    if (j.is_object() && !j.contains("value") && !j.contains("stored")) {
        const bool portRecord = j.contains("record");
        for (const auto& [key, value] : j.items()) {
            if (!portRecord || (key != "record" && key != "port" && key != "subNet" &&
                                key != "universeInSubNet")) {
                Leaves(value, child(key), out);
            }
        }
    } else if (j.is_array()) {
        for (std::size_t i = 0; i < j.size(); ++i) {
            Leaves(j[i], child(std::to_string(i)), out);
        }
    } else {
        out->insert(path);
    }
}

TEST(FieldTable, EveryFieldTheDumpPrintsHasAPath) {
    for (const uint32_t type : ModelTypes()) {
        const ModelFields& model = FieldsOf(type);
        ASSERT_FALSE(model.blocks.empty());
        for (const BlockFields& b : model.blocks) {
            SCOPED_TRACE(ModelNameOf(type) + " " + b.label);
            const BlockSpec& layout = SessionModelOf(type).blocks[b.index];
            std::set<std::string> printed;
            Leaves(DecodeBlock(type, layout, FactoryBlock(type, b.readCode))["fields"], "",
                   &printed);
            std::set<std::string> paths;
            for (const FieldSpec& f : b.fields) {
                paths.insert(f.path);
                EXPECT_LE(f.offset + f.width, b.size) << f.path;
            }
            EXPECT_EQ(paths, printed);
        }
    }
}

TEST(FieldTable, ValuesAreCheckedWithTheDialogsRangesAndItems) {
    struct Case {
        uint32_t type;
        const char* path;
        const char* value;
        const char* stored;  // hex of the field's bytes, or nullptr when refused
        const char* reason;  // part of the message when refused
    };
    const Case cases[] = {
        {DEVTYPE_LUMA_4, "ports.0.universe", "255", "FF", nullptr},
        {DEVTYPE_LUMA_4, "ports[2].universe", "35", "23", nullptr},
        {DEVTYPE_LUMA_4, "ports.0.universe", "256", nullptr, "between 0 and 255"},
        {DEVTYPE_LUMA_4, "ports.0.universe", "-1", nullptr, "between 0 and 255"},
        {DEVTYPE_LUMA_4, "ports.0.frameRate", "41", nullptr, "between 0 and 40"},
        {DEVTYPE_LUMA_4, "dmxHoldTime", "10 seconds", "05", nullptr},
        {DEVTYPE_LUMA_4, "dmxHoldTime", "FOREVER", "00", nullptr},
        {DEVTYPE_LUMA_4, "_ARTNETBASICPARAM.dmxHoldTime", "6", "06", nullptr},
        {DEVTYPE_LUMA_4, "dmxHoldTime", "7", nullptr, "\"off\" (6)"},
        {DEVTYPE_LUMA_4, "ports.1.merge", "LTP", "02", nullptr},
        {DEVTYPE_LUMA_4, "ports.1.unicast", "2", nullptr, "between 0 and 1"},
        {DEVTYPE_LUMA_4, "nodeA.static.localIp", "10.0.0.3", "0A000003", nullptr},
        {DEVTYPE_LUMA_4, "nodeA.static.localIp", "10.0.0.300", nullptr, "IPv4"},
        {DEVTYPE_KV70, "baudRate", "9600", "0000000C", nullptr},
        {DEVTYPE_KV70, "baudRate", "2", "00000002", nullptr},  // the number of "110"
        {DEVTYPE_KV70, "baudRate", "1", nullptr, "\"110\" (2)"},
        {DEVTYPE_KV70, "dataBits", "8", "00000003", nullptr},  // an item text before a number
        {DEVTYPE_KV70, "wpaCipher", "AES", "00000002", nullptr},
        {DEVTYPE_KV70, "tcpServer.localPort", "65536", nullptr, "between 0 and 65535"},
        {DEVTYPE_KV70, "realCom.keepAliveMinutes", "100", nullptr, "between 0 and 99"},
        {DEVTYPE_KV70, "wepKeys64.1", "0a0B0c0D0e", "0A0B0C0D0E", nullptr},
        {DEVTYPE_KV70, "wepKeys128.0", "0102", nullptr, "26 hexadecimal digits"},
        {DEVTYPE_KV70, "deviceName", "name-of-thirty-two-characters-xx", nullptr, "at most 31"},
        // Fields no dialog lets an operator change, and paths that name nothing or two fields.
        {DEVTYPE_LUMA_4, "nodeA.current.localIp", "10.0.0.3", nullptr, "not a field"},
        {DEVTYPE_LUMA_4, "nodeB.static.localIp", "10.0.0.3", nullptr, "not a field"},
        {DEVTYPE_LUMA_4, "checksum", "0", nullptr, "is in 2 blocks"},
        {DEVTYPE_LUMA_1, "ports.0.universe", "1", nullptr, "not a field"},
        {DEVTYPE_LUMA_1, "ports.1.universe", "1", "01", nullptr},
        {DEVTYPE_LUMA_1, "ports.1.merge", "HTP", nullptr, "not a field"},
        {DEVTYPE_LUMA_EX, "ports.0.mode", "Input", nullptr, "not a field"},
        {DEVTYPE_LUMA_EX, "displayHoldTime", "Always On", nullptr, "not a field"},
        {DEVTYPE_LUMA_AIR_MODULE, "deviceName", "x", nullptr, "not a field"},
        {DEVTYPE_LUMA_AIR_MODULE, "subnetMask", "255.255.0.0", "FFFF0000", nullptr},
        {DEVTYPE_LUMA_8, "ports.0.universe", "1", nullptr, "_ARTNETDMXPARAM@0x05.ports.0"},
        {DEVTYPE_LUMA_8, "_ARTNETDMXPARAM@0x05.ports.0.universe", "1", "01", nullptr},
        {DEVTYPE_LUMA_8, "nodeB.static.gateway", "10.0.0.1", "0A000001", nullptr},
        {DEVTYPE_KV70, "ports.0.universe", "1", nullptr, "no field"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(ModelNameOf(c.type) + " " + c.path + "=" + c.value);
        std::string error;
        const FieldRef ref = FindEditableField(FieldsOf(c.type), c.path, &error);
        bool stored = false;
        Bytes block;
        if (ref) {
            block = FactoryBlock(c.type, ref.block->readCode);
            stored = StoreValue(*ref.field, c.value, &block, &error);
        }
        ASSERT_EQ(stored, c.stored != nullptr) << error;
        if (stored) {
            EXPECT_EQ(HexOf(block.data() + ref.field->offset, ref.field->width), c.stored);
        } else {
            EXPECT_NE(error.find(c.reason), std::string::npos) << error;
        }
    }
}

TEST(FieldTable, TextsFollowTheirFamilysRule) {
    // A serial server keeps the bytes after the terminator; an Art-Net text is padded with zeros.
    Bytes serial = FactoryBlock(DEVTYPE_KV70, 0x03);
    std::fill_n(serial.begin(), 32, uint8_t{'~'});
    Bytes node = serial;
    node.resize(88);
    std::string error;
    const FieldRef s = FindField(FieldsOf(DEVTYPE_KV70), "deviceName", &error);
    const FieldRef n = FindField(FieldsOf(DEVTYPE_LUMA_2), "deviceName", &error);
    ASSERT_TRUE(s && n);
    ASSERT_TRUE(StoreValue(*s.field, "abc", &serial, &error));
    ASSERT_TRUE(StoreValue(*n.field, "abc", &node, &error));
    EXPECT_EQ(HexOf(serial.data(), 6), "616263007E7E");
    EXPECT_EQ(HexOf(node.data(), 32), "616263" + std::string(58, '0'));
}

TEST(FieldTable, DiffNamesTheFieldsAndTheBytesNoFieldExplains) {
    const BlockFields& basic = FieldsOf(DEVTYPE_LUMA_4).blocks.at(0);
    _ARTNETBASICPARAM a;
    a.Assign(FactoryBlock(DEVTYPE_LUMA_4, 0x03).data());
    _ARTNETBASICPARAM b = a;
    EXPECT_TRUE(
        DiffBlock(basic, Bytes(a.data(), a.data() + 88), Bytes(b.data(), b.data() + 88)).empty());

    // A changed field: its line alone, the checksum that follows it says nothing new.
    b.SetDmxHoldTime(6);
    b.StampChecksum();
    const auto bytes = [](const _ARTNETBASICPARAM& x) { return Bytes(x.data(), x.data() + 88); };
    EXPECT_EQ(DiffBlock(basic, bytes(a), bytes(b)),
              (std::vector<std::string>{"_ARTNETBASICPARAM.dmxHoldTime: 0 (Forever) -> 6 (off)"}));

    // Bytes after the name's terminator and the two after the checksum: no field shows them.
    b = a;
    b.SetU8(30, '~');
    b.SetU8(86, 0xA5);
    b.SetU8(87, 0xA5);
    b.StampChecksum();
    EXPECT_EQ(DiffBlock(basic, bytes(a), bytes(b)),
              (std::vector<std::string>{
                  "_ARTNETBASICPARAM.checksum: " + ShowValue(basic.fields.back(), bytes(a)) +
                      " -> " + ShowValue(basic.fields.back(), bytes(b)),
                  "_ARTNETBASICPARAM.bytes.30: 00 -> 7E",
                  "_ARTNETBASICPARAM.bytes.86-87: 0000 -> A5A5"}));
}

}  // namespace
}  // namespace varlo
