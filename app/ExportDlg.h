#pragma once
// What Export asks before it starts: the folder the files go to, and whether the files leave
// out the WiFi pass phrases and WEP keys (for files that travel by mail or into a ticket).
#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace varlo::ui {

class CExportDlg : public QDialog {
    Q_OBJECT
public:
    CExportDlg(int devices, QWidget* parent = nullptr);

    QString Folder() const;
    void SetFolder(const QString& folder);
    bool NoSecrets() const;

private:
    void Browse();
    void UpdateButtons();

    QLineEdit* m_folder = nullptr;
    QCheckBox* m_noSecrets = nullptr;
    QPushButton* m_export = nullptr;
};

}  // namespace varlo::ui
