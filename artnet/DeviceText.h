#pragma once
// Texts of the Art-Net blocks are 8-bit, in the platform's local encoding, as the device holds
// them. The pages show them through these two conversions.
#include <QString>
#include <string>
#include <utility>

#include "widgets/LocalText.h"

namespace varlo::ui {

inline QString FromDeviceText(const std::string& bytes) {
    return QString::fromLocal8Bit(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

// An edited text, cut to whole characters that fit maxBytes, by the rule both families share.
inline std::string ToDeviceText(QString text, std::size_t maxBytes) {
    return ToLocalText(std::move(text), maxBytes);
}

}  // namespace varlo::ui
