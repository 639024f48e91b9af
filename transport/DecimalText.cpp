#include "transport/DecimalText.h"

#include <algorithm>
#include <limits>

namespace varlo {

std::string FormatDecimal(int32_t value) {
    return std::to_string(value);
}

int32_t ParseLeadingDecimal(std::string_view text) {
    std::size_t i = 0;
    const auto blank = [](char c) {
        return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
    };
    while (i < text.size() && blank(text[i])) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    constexpr int64_t kLimit = int64_t{std::numeric_limits<int32_t>::max()} + 1;
    int64_t magnitude = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        magnitude = std::min(magnitude * 10 + (text[i] - '0'), kLimit);
    }
    const int64_t value = negative ? -magnitude : magnitude;
    return static_cast<int32_t>(std::min<int64_t>(value, std::numeric_limits<int32_t>::max()));
}

}  // namespace varlo
