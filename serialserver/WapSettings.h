#pragma once
// The WPA-Personal sub-page of the wireless page: cipher and pass phrase.
#include <QWidget>

#include "serialserver/WpaSettingsPage.h"

class QComboBox;
class QLineEdit;

namespace varlo::ui {

class CWapSettings : public QWidget {
    Q_OBJECT
public:
    CWapSettings(QWidget* parent, serialserver::WpaSettingsPage& state);

    void UpdateFromState();

    QComboBox* CipherList() const { return m_cmbCipher; }
    QLineEdit* PassPhraseEdit() const { return m_edtPassPhrase; }

private:
    serialserver::WpaSettingsPage& m_state;
    QComboBox* m_cmbCipher = nullptr;
    QLineEdit* m_edtPassPhrase = nullptr;
};

}  // namespace varlo::ui
