#pragma once
// Which parameter dialog a device type opens: the WiFi module's, one of the five node dialogs,
// or the serial-server dialog for every other type (types outside the table included).
#include <QDialog>
#include <cstdint>
#include <memory>

namespace varlo::ui {

std::unique_ptr<QDialog> MakeParamDialog(uint32_t type, QWidget* parent);

}  // namespace varlo::ui
