#pragma once
// The sub-page of the real-COM mode: the keep-alive time.
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

private:
    serialserver::RealComSettingsPage& m_state;
    QLineEdit* m_edtKeepAlive = nullptr;
};

}  // namespace varlo::ui
