#include "discovery/DeviceType.h"

namespace varlo {

const char* GetDeviceTypeName(uint32_t type) {
    switch (type) {
        case DEVTYPE_KV70:
            return "KV-70";
        case DEVTYPE_LUMA_AIR_MODULE:
            return "LUMA-AIR-MODULE";
        case DEVTYPE_LUMA_1:
            return "LUMA-1";
        case DEVTYPE_LUMA_2:
            return "LUMA-2";
        case DEVTYPE_LUMA_4:
            return "LUMA-4";
        case DEVTYPE_LUMA_8:
            return "LUMA-8";
        case DEVTYPE_LUMA_EX:
            return "LUMA-EX";
        default:
            return nullptr;
    }
}

DeviceFamily GetDeviceFamily(uint32_t type) {
    if (type == DEVTYPE_LUMA_AIR_MODULE) {
        return DeviceFamily::ArtNetModule;
    }
    return GetDmxPortCount(type) > 0 ? DeviceFamily::ArtNetNode : DeviceFamily::SerialServer;
}

int GetDmxPortCount(uint32_t type) {
    switch (type) {
        case DEVTYPE_LUMA_1:
            return 1;
        case DEVTYPE_LUMA_2:
            return 2;
        case DEVTYPE_LUMA_4:
            return 4;
        case DEVTYPE_LUMA_8:
            return 8;
        case DEVTYPE_LUMA_EX:
            return 1;
        default:
            return 0;
    }
}

}  // namespace varlo
