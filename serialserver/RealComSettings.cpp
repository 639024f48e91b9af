#include "serialserver/RealComSettings.h"

#include <QKeyEvent>

namespace varlo::ui {

CRealComSettings::CRealComSettings(QWidget* parent, serialserver::RealComSettingsPage& state)
    : QWidget(parent), m_state(state) {
    QFormLayout* form = NewSubPageForm(this);
    m_edtKeepAlive = AddKeepAliveRow(form, this, &m_state.keepAlive);
}

void CRealComSettings::keyPressEvent(QKeyEvent* event) {
    // The field passes Enter on to its parents; taken here, it never reaches the dialog's OK.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

void CRealComSettings::UpdateFromState() {
    ShowText(m_edtKeepAlive, m_state.keepAlive);
}

}  // namespace varlo::ui
