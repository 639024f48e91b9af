#include "configfiles/CodeText.h"

#include <cstdio>

namespace varlo {

std::string CodeText(uint8_t code) {
    char text[5];
    std::snprintf(text, sizeof text, "0x%02X", code);
    return text;
}

std::string TypeCodeText(uint32_t type) {
    char text[11];
    std::snprintf(text, sizeof text, "0x%08X", type);
    return text;
}

}  // namespace varlo
