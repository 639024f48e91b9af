#pragma once
// How the serial-server pages tie their widgets to the page state: texts travel in the
// platform's local 8-bit encoding, and only what the operator does (typing, picking an item)
// reaches the state, so filling the widgets never marks a field as edited.
#include <QComboBox>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QString>
#include <functional>
#include <string>

#include "serialserver/TextField.h"
#include "widgets/FixedItemList.h"
#include "widgets/LocalText.h"

namespace varlo::ui {

inline QString FromLocalBytes(const std::string& bytes) {
    return QString::fromLocal8Bit(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

inline std::string ToLocalBytes(const QString& text) {
    const QByteArray bytes = text.toLocal8Bit();
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

// Typing into the field edits the state's text.
inline void BindText(QLineEdit* edit, serialserver::TextField* field) {
    QObject::connect(edit, &QLineEdit::textEdited, edit,
                     [field](const QString& text) { field->Edit(ToLocalBytes(text)); });
}

// The same for a name the device holds in maxBytes: what is typed is cut to whole characters,
// as the Art-Net pages cut theirs.
inline void BindName(QLineEdit* edit, serialserver::TextField* field, std::size_t maxBytes) {
    QObject::connect(edit, &QLineEdit::textEdited, edit, [field, maxBytes](const QString& text) {
        field->Edit(ToLocalText(text, maxBytes));
    });
}

inline void ShowText(QLineEdit* edit, const serialserver::TextField& field) {
    const QSignalBlocker block(edit);
    edit->setText(FromLocalBytes(field.bytes));
    edit->setCursorPosition(0);
}

// Picking an item runs the page's rule with the new selection (-1: none).
inline void BindList(QComboBox* list, std::function<void(int)> onSelect) {
    QObject::connect(list, &QComboBox::currentIndexChanged, list, std::move(onSelect));
}

inline void ShowSelection(QComboBox* list, int selection) {
    const QSignalBlocker block(list);
    list->setCurrentIndex(selection);
}

}  // namespace varlo::ui
