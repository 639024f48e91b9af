#pragma once
// Device type codes, compared as whole 32-bit values: a code that differs from a known one in
// any bit is a type outside the table and is treated as a serial server.
#include <cstdint>

namespace varlo {

enum DeviceTypeCode : uint32_t {
    DEVTYPE_KV70 = 0x11510080,
    DEVTYPE_LUMA_AIR_MODULE = 0x80005350,
    DEVTYPE_LUMA_1 = 0x90000001,
    DEVTYPE_LUMA_2 = 0x90000002,
    DEVTYPE_LUMA_4 = 0x90000004,
    DEVTYPE_LUMA_8 = 0x90000008,
    DEVTYPE_LUMA_EX = 0x90000011,
};

// Which parameter dialog a device type opens.
enum class DeviceFamily { SerialServer, ArtNetNode, ArtNetModule };

// The model name, or nullptr for a code outside the table (its list cell stays empty).
const char* GetDeviceTypeName(uint32_t type);
DeviceFamily GetDeviceFamily(uint32_t type);
// Number of DMX ports of a node model; 0 for anything else.
int GetDmxPortCount(uint32_t type);

}  // namespace varlo
