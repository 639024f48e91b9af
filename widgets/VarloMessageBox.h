#pragma once
// Every message box of the program is titled "Varlo" and goes through here, so tests can take
// the message instead of a modal box.
#include <QString>
#include <functional>

class QWidget;

namespace varlo::ui {

void VarloMessageBox(QWidget* parent, const QString& text);

// Replaces the modal box (tests); an empty handler restores it.
void SetMessageBoxHandler(std::function<void(const QString&)> handler);

}  // namespace varlo::ui
