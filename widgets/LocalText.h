#pragma once
// Texts travel to the devices of both families as 8-bit bytes in the platform's local encoding.
// A text the operator typed is cut here, the one place, to whole characters that fit the
// device's field, so a name never ends in half of a multi-byte character; a text the operator
// did not touch never comes through here and goes back as exactly the bytes read.
#include <QByteArray>
#include <QString>
#include <string>

namespace varlo::ui {

// The longest start of text that takes at most maxBytes in the local encoding, ending on a
// whole character.
inline std::string ToLocalText(QString text, std::size_t maxBytes) {
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
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

}  // namespace varlo::ui
