#include "discovery/DoctorDlg.h"

#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QPlainTextEdit>
#include <QVBoxLayout>

#include "discovery/SearchDoctor.h"

namespace varlo::ui {

CDoctorDlg::CDoctorDlg(const SearchSession* lastSearch, QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Why isn't my device found?"));
    setObjectName(QStringLiteral("Doctor"));
    m_text = new QPlainTextEdit(this);
    m_text->setObjectName(QStringLiteral("Findings"));
    m_text->setReadOnly(true);
    m_text->setPlainText(QString::fromStdString(FormatFindings(DiagnoseSearch(lastSearch))));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_text, 1);
    layout->addWidget(buttons);
    resize(640, 420);
}

QString CDoctorDlg::Text() const {
    return m_text->toPlainText();
}

}  // namespace varlo::ui
