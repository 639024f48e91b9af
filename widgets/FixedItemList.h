#pragma once
// A drop-down list filled from a fixed item table (the texts of a block's selector values), the
// one way every parameter page makes one. No item is selected until the page is filled, so a
// device's value without an item shows as an empty list rather than as the first item.
#include <QComboBox>
#include <QString>
#include <span>

namespace varlo::ui {

inline QComboBox* NewList(QWidget* parent, std::span<const char* const> items) {
    auto* list = new QComboBox(parent);
    for (const char* item : items) {
        list->addItem(QString::fromUtf8(item));
    }
    list->setCurrentIndex(-1);
    return list;
}

}  // namespace varlo::ui
