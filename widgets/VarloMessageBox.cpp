#include "widgets/VarloMessageBox.h"

#include <QMessageBox>

namespace varlo::ui {

namespace {
std::function<void(const QString&)>& Handler() {
    static std::function<void(const QString&)> handler;
    return handler;
}
}  // namespace

void VarloMessageBox(QWidget* parent, const QString& text) {
    if (Handler()) {
        Handler()(text);
        return;
    }
    QMessageBox::warning(parent, QStringLiteral("Varlo"), text);
}

void SetMessageBoxHandler(std::function<void(const QString&)> handler) {
    Handler() = std::move(handler);
}

}  // namespace varlo::ui
