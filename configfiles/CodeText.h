#pragma once
// Request and type codes as configuration files, messages and the command line print them.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "transport/HexText.h"

namespace varlo {

// "0x7E", a request code as files and messages print it.
std::string CodeText(uint8_t code);
// "0x90000004", a device type code.
std::string TypeCodeText(uint32_t type);

}  // namespace varlo
