#pragma once
// "Adapters": which adapters a search sends out of. Every adapter the system reports (but
// loopback) is listed by name, address and mask with a tick box; an adapter that cannot be
// searched (down, no address, link-local only) is shown with its reason. The choice is kept
// per workstation by adapter name, not list position, and an adapter that was chosen before
// and is gone now is shown greyed rather than forgotten.
#include <QDialog>
#include <QString>
#include <QStringList>

class QTreeWidget;

namespace varlo::ui {

// What the chooser remembers of one adapter.
struct RememberedAdapter {
    QString name;
    QString address;  // as last seen: "192.168.1.20"
    QString mask;
    bool searched = true;
};

// The remembered choice, from the application's settings.
QList<RememberedAdapter> LoadAdapterChoice();
void SaveAdapterChoice(const QList<RememberedAdapter>& adapters);
// Puts the remembered choice into effect: unticked adapters are left out of searches.
void ApplyAdapterChoice();

class CAdapterDlg : public QDialog {
    Q_OBJECT
public:
    enum Column { kName, kAddress, kMask, kState };

    explicit CAdapterDlg(QWidget* parent = nullptr);

    QTreeWidget* List() const { return m_list; }
    // Saves the ticks and puts them into effect.
    void accept() override;

private:
    QTreeWidget* m_list = nullptr;
};

}  // namespace varlo::ui
