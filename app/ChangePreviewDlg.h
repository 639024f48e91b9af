#pragma once
// The preview every write from the window goes through: per device, each field that will change
// with its value now and after, and a tick box; nothing is written until the operator presses
// Write, and only to the ticked devices. Files that cannot be read, files of another model and
// devices that lack the field are listed with the reason and cannot be ticked.
#include <QDialog>
#include <QList>
#include <QString>
#include <QStringList>

class QCheckBox;
class QLabel;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace varlo::ui {

struct PreviewChange {
    QString field;  // BLOCK.PATH as the command line names it
    QString now;
    QString after;
};

struct PreviewEntry {
    QString device;  // "00:1A:2B:3C:4D:04 LUMA-4", or the file when no device goes with it
    QString source;  // the file it comes from, or empty
    QString reason;  // why it cannot be written; empty when it can
    QList<PreviewChange> changes;
    // What the dialogs' rules did besides (another port's sub-net moved along), and where a rule
    // met a value the operator gave.
    QStringList notes;

    bool Writable() const { return reason.isEmpty() && !changes.isEmpty(); }
};

class CChangePreviewDlg : public QDialog {
    Q_OBJECT
public:
    // `note` says where the backups go. With `cloneOption`, the dialog offers the "with
    // addresses" tick of a clone and reports its changes through withAddressesChanged.
    CChangePreviewDlg(const QString& title, const QString& note, bool cloneOption,
                      QWidget* parent = nullptr);

    // Fills the list; writable devices start ticked.
    void SetEntries(const QList<PreviewEntry>& entries);
    // Replaces one device's entry (a clone recomputed), keeping its tick where it stays writable.
    void ReplaceEntry(int i, const PreviewEntry& entry);
    bool Ticked(int i) const;
    int TickedCount() const;
    bool WithAddresses() const;
    QTreeWidget* List() const { return m_list; }

signals:
    void withAddressesChanged(bool on);

private:
    void FillItem(QTreeWidgetItem* item, const PreviewEntry& entry, bool ticked);
    void UpdateButtons();
    static void SpanNotes(QTreeWidgetItem* item);

    QTreeWidget* m_list = nullptr;
    QLabel* m_summary = nullptr;
    QCheckBox* m_withAddresses = nullptr;
    QPushButton* m_write = nullptr;
};

}  // namespace varlo::ui
