#pragma once
// Rows the operating-mode sub-pages share: a keep-alive time with its range, a number, and a
// destination of an address and a port.
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <array>

#include "serialserver/OpModeSubPages.h"
#include "serialserver/PageBinding.h"

namespace varlo::ui {

struct OpModeDestinationEdits {
    QLineEdit* address = nullptr;
    QLineEdit* port = nullptr;
};
using OpModeDestinationRows = std::array<OpModeDestinationEdits, 4>;

inline QFormLayout* NewSubPageForm(QWidget* subPage) {
    auto* form = new QFormLayout(subPage);
    form->setContentsMargins(6, 6, 6, 6);
    return form;
}

inline QLineEdit* AddNumberRow(QFormLayout* form, QWidget* owner, const QString& label,
                               serialserver::TextField* field) {
    auto* edit = new QLineEdit(owner);
    edit->setMaximumWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("0000000000")));
    form->addRow(label, edit);
    BindText(edit, field);
    return edit;
}

inline QLineEdit* AddKeepAliveRow(QFormLayout* form, QWidget* owner,
                                  serialserver::TextField* field) {
    auto* edit = new QLineEdit(owner);
    edit->setMaximumWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("0000000000")));
    auto* row = new QHBoxLayout;
    row->addWidget(edit);
    row->addWidget(new QLabel(QStringLiteral("(0-99 min)"), owner));
    row->addStretch(1);
    form->addRow(QStringLiteral("TCP 保活时间："), row);
    if (auto* label = qobject_cast<QLabel*>(form->labelForField(row))) {
        label->setBuddy(edit);
    }
    BindText(edit, field);
    return edit;
}

inline OpModeDestinationRows AddDestinationRows(QFormLayout* form, QWidget* owner,
                                                serialserver::OpModeDestinations* fields) {
    OpModeDestinationRows rows;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        rows[i].address = new QLineEdit(owner);
        rows[i].port = new QLineEdit(owner);
        rows[i].port->setMaximumWidth(
            rows[i].port->fontMetrics().horizontalAdvance(QStringLiteral("00000000")));
        auto* row = new QHBoxLayout;
        row->addWidget(rows[i].address, 1);
        row->addWidget(new QLabel(QStringLiteral("："), owner));
        row->addWidget(rows[i].port);
        form->addRow(QStringLiteral("目标 IP 地址%1：").arg(i + 1), row);
        if (auto* label = qobject_cast<QLabel*>(form->labelForField(row))) {
            label->setBuddy(rows[i].address);
        }
        BindText(rows[i].address, &(*fields)[i].address);
        BindText(rows[i].port, &(*fields)[i].port);
    }
    return rows;
}

inline void ShowDestinations(const OpModeDestinationRows& rows,
                             const serialserver::OpModeDestinations& fields) {
    for (std::size_t i = 0; i < rows.size(); ++i) {
        ShowText(rows[i].address, fields[i].address);
        ShowText(rows[i].port, fields[i].port);
    }
}

}  // namespace varlo::ui
