#include "widgets/VarloMessageBox.h"

#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QScreen>
#include <algorithm>

namespace varlo::ui {

namespace {
std::function<void(const QString&)>& Handler() {
    static std::function<void(const QString&)> handler;
    return handler;
}

// The window a box belongs over: the parent's own window once it is on screen, otherwise the
// nearest shown window above it (a dialog reporting a failure while it initialises is not
// shown yet, and centring over it would put the box at the screen's corner), otherwise the
// active window.
QWidget* AnchorWindow(QWidget* parent) {
    for (QWidget* w = parent; w != nullptr; w = w->parentWidget()) {
        if (w->window()->isVisible()) {
            return w->window();
        }
        w = w->window();
    }
    return QApplication::activeWindow();
}

// A message box that opens centred over its anchor window; Qt centres a box over its parent's
// window even while that window is hidden and still at the screen's origin.
class CCentredMessageBox : public QMessageBox {
public:
    CCentredMessageBox(QWidget* parent, const QString& text)
        : QMessageBox(QMessageBox::Warning, QStringLiteral("Varlo"), text, QMessageBox::Ok, parent),
          m_pAnchor(AnchorWindow(parent)) {}

protected:
    void showEvent(QShowEvent* event) override {
        QMessageBox::showEvent(event);  // settles the box's size
        const QScreen* screen = m_pAnchor ? m_pAnchor->screen() : this->screen();
        const QRect room = screen->availableGeometry();
        QRect box(QPoint(0, 0), frameGeometry().size());
        box.moveCenter(m_pAnchor ? m_pAnchor->frameGeometry().center() : room.center());
        // Whole on the anchor's screen.
        box.moveLeft(std::clamp(box.left(), room.left(),
                                std::max(room.left(), room.right() + 1 - box.width())));
        box.moveTop(std::clamp(box.top(), room.top(),
                               std::max(room.top(), room.bottom() + 1 - box.height())));
        move(box.topLeft());
    }

private:
    QPointer<QWidget> m_pAnchor;
};
}  // namespace

void VarloMessageBox(QWidget* parent, const QString& text) {
    if (Handler()) {
        Handler()(text);
        return;
    }
    CCentredMessageBox box(parent, text);
    box.exec();
}

void SetMessageBoxHandler(std::function<void(const QString&)> handler) {
    Handler() = std::move(handler);
}

}  // namespace varlo::ui
