#include "app/ExportDlg.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace varlo::ui {

CExportDlg::CExportDlg(int devices, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("ExportDlg"));
    setWindowTitle(QStringLiteral("Export"));
    auto* layout = new QGridLayout(this);
    auto* what = new QLabel(
        QStringLiteral("Saves the configuration of %1 device(s), one file per device named after "
                       "its MAC address, and the device list as devices.csv.")
            .arg(devices),
        this);
    what->setWordWrap(true);
    layout->addWidget(what, 0, 0, 1, 3);
    auto* label = new QLabel(QStringLiteral("&Folder:"), this);
    m_folder = new QLineEdit(this);
    m_folder->setObjectName(QStringLiteral("Folder"));
    label->setBuddy(m_folder);
    auto* browse = new QPushButton(QStringLiteral("&Browse..."), this);
    browse->setObjectName(QStringLiteral("Browse"));
    browse->setAutoDefault(false);
    layout->addWidget(label, 1, 0);
    layout->addWidget(m_folder, 1, 1);
    layout->addWidget(browse, 1, 2);
    m_noSecrets =
        new QCheckBox(QStringLiteral("Leave out &secrets (WiFi pass phrases and WEP keys)"), this);
    m_noSecrets->setObjectName(QStringLiteral("NoSecrets"));
    m_noSecrets->setToolTip(QStringLiteral(
        "Such a file says so; restoring it keeps the device's own pass phrase and keys."));
    layout->addWidget(m_noSecrets, 2, 0, 1, 3);
    auto* buttons = new QDialogButtonBox(this);
    m_export = buttons->addButton(QStringLiteral("&Export"), QDialogButtonBox::AcceptRole);
    m_export->setObjectName(QStringLiteral("Export"));
    buttons->addButton(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("Cancel"));
    layout->addWidget(buttons, 3, 0, 1, 3);
    m_folder->setMinimumWidth(fontMetrics().horizontalAdvance(QLatin1Char('x')) * 50);
    connect(browse, &QPushButton::clicked, this, &CExportDlg::Browse);
    connect(m_folder, &QLineEdit::textChanged, this, &CExportDlg::UpdateButtons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    UpdateButtons();
}

QString CExportDlg::Folder() const {
    return m_folder->text().trimmed();
}

void CExportDlg::SetFolder(const QString& folder) {
    m_folder->setText(folder);
}

bool CExportDlg::NoSecrets() const {
    return m_noSecrets->isChecked();
}

void CExportDlg::Browse() {
    const QString dir =
        QFileDialog::getExistingDirectory(this, QStringLiteral("Export to folder"), Folder());
    if (!dir.isEmpty()) {
        m_folder->setText(dir);
    }
}

void CExportDlg::UpdateButtons() {
    m_export->setEnabled(!Folder().isEmpty());
}

}  // namespace varlo::ui
