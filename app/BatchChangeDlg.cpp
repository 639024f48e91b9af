#include "app/BatchChangeDlg.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace varlo::ui {

CBatchChangeDlg::CBatchChangeDlg(const QString& devicesText, int selected,
                                 const QList<BatchField>& fields, Checker check, QWidget* parent)
    : QDialog(parent), m_selected(selected), m_fields(fields), m_check(std::move(check)) {
    setObjectName(QStringLiteral("BatchChange"));
    setWindowTitle(QStringLiteral("Batch Change"));
    auto* layout = new QVBoxLayout(this);
    auto* devices = new QLabel(devicesText, this);
    devices->setObjectName(QStringLiteral("BatchDevices"));
    devices->setWordWrap(true);
    layout->addWidget(devices);

    auto* form = new QFormLayout;
    m_field = new QComboBox(this);
    m_field->setObjectName(QStringLiteral("BatchField"));
    m_field->setMaxVisibleItems(20);
    for (const BatchField& f : m_fields) {
        m_field->addItem(f.path);
    }
    form->addRow(QStringLiteral("&Field:"), m_field);
    m_about = new QLabel(this);
    m_about->setObjectName(QStringLiteral("BatchFieldAbout"));
    m_about->setWordWrap(true);
    form->addRow(QString(), m_about);
    layout->addLayout(form);

    m_same = new QRadioButton(QStringLiteral("&Set every device to the value"), this);
    m_same->setObjectName(QStringLiteral("SameValue"));
    m_number = new QRadioButton(QStringLiteral("&Number from the value, in list order"), this);
    m_number->setObjectName(QStringLiteral("NumberFrom"));
    m_number->setToolTip(
        QStringLiteral("Addresses count up in their last octets (192.168.1.50, .51, ...), "
                       "numbers by one (universes 0, 1, 2, ...)."));
    m_same->setChecked(true);
    layout->addWidget(m_same);
    layout->addWidget(m_number);
    auto* valueRow = new QHBoxLayout;
    auto* valueLabel = new QLabel(QStringLiteral("&Value:"), this);
    m_value = new QLineEdit(this);
    m_value->setObjectName(QStringLiteral("BatchValue"));
    valueLabel->setBuddy(m_value);
    valueRow->addWidget(valueLabel);
    valueRow->addWidget(m_value, 1);
    layout->addLayout(valueRow);
    m_error = new QLabel(this);
    m_error->setObjectName(QStringLiteral("BatchError"));
    m_error->setWordWrap(true);
    m_error->setStyleSheet(QStringLiteral("color: #B00000"));
    layout->addWidget(m_error);

    auto* buttons = new QDialogButtonBox(this);
    m_preview = buttons->addButton(QStringLiteral("&Preview..."), QDialogButtonBox::AcceptRole);
    m_preview->setObjectName(QStringLiteral("Preview"));
    buttons->addButton(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("Cancel"));
    layout->addWidget(buttons);
    setMinimumWidth(fontMetrics().horizontalAdvance(QLatin1Char('x')) * 60);

    connect(m_field, &QComboBox::currentIndexChanged, this, &CBatchChangeDlg::OnFieldChanged);
    connect(m_value, &QLineEdit::textChanged, this, &CBatchChangeDlg::Validate);
    connect(m_same, &QRadioButton::toggled, this, &CBatchChangeDlg::Validate);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    OnFieldChanged();
    m_value->setFocus();
}

QString CBatchChangeDlg::Field() const {
    return m_field->currentText();
}

QString CBatchChangeDlg::Value() const {
    return m_value->text();
}

bool CBatchChangeDlg::Numbering() const {
    return m_number->isChecked() && m_number->isEnabled();
}

void CBatchChangeDlg::SelectField(const QString& path) {
    m_field->setCurrentIndex(m_field->findText(path));
}

void CBatchChangeDlg::SetValue(const QString& value, bool numbering) {
    (numbering ? m_number : m_same)->setChecked(true);
    m_value->setText(value);
}

void CBatchChangeDlg::OnFieldChanged() {
    const int i = m_field->currentIndex();
    if (i < 0 || i >= m_fields.size()) {
        m_about->clear();
        m_number->setEnabled(false);
        Validate();
        return;
    }
    const BatchField& f = m_fields[i];
    QString about = QStringLiteral("Takes %1.").arg(f.description);
    if (f.devices < m_selected) {
        about += QStringLiteral(" %1 of the %2 selected device(s) have it; the others are skipped.")
                     .arg(f.devices)
                     .arg(m_selected);
    }
    m_about->setText(about);
    m_number->setEnabled(f.countable);
    if (!f.countable) {
        m_same->setChecked(true);
    }
    Validate();
}

void CBatchChangeDlg::Validate() {
    QString error;
    if (m_field->currentIndex() < 0) {
        error = QStringLiteral("The selected devices have no field in common to change.");
    } else if (m_check) {
        error = m_check(Field(), Value());
    }
    m_error->setText(error);
    m_preview->setEnabled(error.isEmpty() && m_field->currentIndex() >= 0);
}

}  // namespace varlo::ui
