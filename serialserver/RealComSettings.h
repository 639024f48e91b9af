#pragma once
// The sub-page of the real-COM mode: the keep-alive time. The sub-page takes the dialog's OK
// for itself and does nothing with it, so Enter in its field neither confirms nor cancels;
// Esc still cancels the dialog.
#include <QWidget>

#include "serialserver/OpModeRows.h"
#include "serialserver/OpModeSubPages.h"

namespace varlo::ui {

class CRealComSettings : public QWidget {
    Q_OBJECT
public:
    CRealComSettings(QWidget* parent, serialserver::RealComSettingsPage& state);

    void UpdateFromState();

    QLineEdit* KeepAliveEdit() const { return m_edtKeepAlive; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    serialserver::RealComSettingsPage& m_state;
    QLineEdit* m_edtKeepAlive = nullptr;
};

}  // namespace varlo::ui
