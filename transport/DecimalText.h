#pragma once
// Numbers typed as decimal text, read the way the C library's atoi reads them (the pages and
// dialogs that take numbers as text share it).
#include <cstdint>
#include <string>
#include <string_view>

namespace varlo {

// "%d": a keep-alive time of 0xFFFFFFFF shows as -1; a port (0 to 65535) as itself.
std::string FormatDecimal(int32_t value);

// The leading decimal number of a text: blanks, an optional sign, then digits; the rest of the
// text is ignored and a text without digits gives 0. A number beyond the 32-bit range gives the
// nearest 32-bit value instead of wrapping around.
int32_t ParseLeadingDecimal(std::string_view text);

}  // namespace varlo
