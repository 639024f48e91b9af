#pragma once
// Every field of the writable blocks of every model, under the path `varlo-cli dump` prints it in
// "fields": where its bytes lie, how they read and are written, the range or item list the
// dialogs allow, and whether a dialog lets the operator edit it. `set` changes fields through it,
// `diff` and `restore --dry-run` print differences through it, and a clone keeps the fields it
// marks as the device's own. The command line and the window state these rules here and nowhere
// else; FieldValues.h reads and writes the values.
//
// Paths: FIELD alone ("deviceName", "ports.1.universe", "tcpClient.destinations.0.port") when one
// block of the model has it, or BLOCK.FIELD ("_ARTNETBASICPARAM.deviceName"). A model with two
// blocks of one name (the LUMA-8's two port blocks) names them BLOCK@CODE with the read code as
// the dump prints it: "_ARTNETDMXPARAM@0x05.ports.0.universe". Array elements are numbers
// after a dot; "ports[1]" is accepted for "ports.1".
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "transport/FrameHeader.h"

namespace varlo {

enum class FieldKind {
    Text,      // 8-bit text ending at its first zero byte; at most width - 1 bytes
    Number,    // unsigned, big-endian, `width` bytes
    List,      // the wire value of a drop-down list (1 or 4 bytes), entered as item text or number
    Address,   // IPv4 address, first octet first
    KeyBytes,  // WEP key bytes, shown and entered as hex digits
    Checksum,  // an Art-Net block's checksum: computed, never entered
};

struct FieldSpec {
    std::string path;
    FieldKind kind = FieldKind::Number;
    std::size_t offset = 0;
    std::size_t width = 0;
    uint32_t min = 0;  // Number
    uint32_t max = 0;
    std::span<const char* const> items;  // List: item i stands for wire value firstWire + i
    uint32_t firstWire = 0;
    // Art-Net texts pad the rest of the field with zero bytes; serial-server texts keep the bytes
    // after their terminator.
    bool paddedText = false;
    bool editable = false;  // a dialog shows it and lets the operator change it
    bool own = false;       // the device's own name or addresses: a clone keeps the target's
    // A WiFi pass phrase or WEP key: left out of a file written without secrets, and kept as the
    // device holds it when such a file is restored.
    bool secret = false;
};

struct BlockFields {
    std::size_t index = 0;  // position of the block in the model's session
    std::string label;      // how paths and diff lines name the block
    uint8_t readCode = 0;
    std::size_t size = 0;
    std::vector<FieldSpec> fields;
    std::optional<std::size_t> checksumAt;  // Art-Net: over the bytes before it
    // Art-Net network blocks: the two bytes after the checksum are built as zero.
    std::optional<std::size_t> zeroedAt;
};

struct ModelFields {
    std::string modelName;
    std::vector<BlockFields> blocks;  // the writable blocks, in the model's order
};

// One device type per model, the serial server's first: it stands for every type outside the
// Art-Net family.
std::vector<uint32_t> ModelTypes();

// The fields of a device type's model (every type outside the Art-Net family is a serial
// server).
const ModelFields& FieldsOf(uint32_t type);

struct FieldRef {
    const BlockFields* block = nullptr;
    const FieldSpec* field = nullptr;
    explicit operator bool() const { return field != nullptr; }
};

// Resolves a path; on failure an empty reference and the reason.
FieldRef FindField(const ModelFields& model, std::string_view path, std::string* error);
// The same, for a field the operator may change.
FieldRef FindEditableField(const ModelFields& model, std::string_view path, std::string* error);

// "LUMA-4", or the type code for a type without a name.
std::string ModelNameOf(uint32_t type);

}  // namespace varlo
