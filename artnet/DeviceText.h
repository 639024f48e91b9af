#pragma once
// Texts of the Art-Net blocks are 8-bit, in the platform's local encoding, as the device holds
// them. The pages show them through these two conversions.
#include <QString>
#include <string>

namespace varlo::ui {

inline QString FromDeviceText(const std::string& bytes) {
    return QString::fromLocal8Bit(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

// An edited text, cut to whole characters that fit maxBytes, so a field never ends in half of
// a multi-byte character.
inline std::string ToDeviceText(QString text, std::size_t maxBytes) {
    // Every character takes at least one byte: a long paste is cut before it is encoded.
    if (static_cast<std::size_t>(text.size()) > maxBytes) {
        text.truncate(static_cast<qsizetype>(maxBytes));
        if (!text.isEmpty() && text.at(text.size() - 1).isHighSurrogate()) {
            text.chop(1);
        }
    }
    QByteArray bytes = text.toLocal8Bit();
    while (static_cast<std::size_t>(bytes.size()) > maxBytes && !text.isEmpty()) {
        text.chop(text.size() >= 2 && text.at(text.size() - 1).isLowSurrogate() ? 2 : 1);
        bytes = text.toLocal8Bit();
    }
    return bytes.toStdString();
}

}  // namespace varlo::ui
