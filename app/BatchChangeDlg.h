#pragma once
// Batch change on the selected rows: one field of the field table (the dialogs' own names and
// ranges), then either one value for every device or "number from" a start, counting up in list
// order (an address in its last octets, a number by one). The dialog only asks; the preview that
// follows shows every device's change before anything is written.
#include <QDialog>
#include <QList>
#include <functional>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace varlo::ui {

struct BatchField {
    QString path;            // as the command line names it
    QString description;     // "an integer between 0 and 255", "one of ..."
    bool countable = false;  // a number or an address: "number from" applies
    int devices = 0;         // how many of the selected devices have it
};

class CBatchChangeDlg : public QDialog {
    Q_OBJECT
public:
    // Checks a value for a field; the reason, or empty when every device with the field takes it.
    using Checker = std::function<QString(const QString& path, const QString& value)>;

    CBatchChangeDlg(const QString& devicesText, int selected, const QList<BatchField>& fields,
                    Checker check, QWidget* parent = nullptr);

    QString Field() const;
    QString Value() const;
    bool Numbering() const;

    void SelectField(const QString& path);
    void SetValue(const QString& value, bool numbering);

private:
    void OnFieldChanged();
    void Validate();

    int m_selected;
    QList<BatchField> m_fields;
    Checker m_check;
    QComboBox* m_field = nullptr;
    QLabel* m_about = nullptr;
    QRadioButton* m_same = nullptr;
    QRadioButton* m_number = nullptr;
    QLineEdit* m_value = nullptr;
    QLabel* m_error = nullptr;
    QPushButton* m_preview = nullptr;
};

}  // namespace varlo::ui
