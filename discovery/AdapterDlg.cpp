#include "discovery/AdapterDlg.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QSettings>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "transport/NetAdapter.h"
#include "transport/TransportSettings.h"

namespace varlo::ui {

namespace {
const QString kGroup = QStringLiteral("Search/Adapters");

QString Text(uint32_t addr) {
    return QString::fromStdString(FormatIpv4(addr));
}
}  // namespace

QList<RememberedAdapter> LoadAdapterChoice() {
    QSettings settings;
    QList<RememberedAdapter> out;
    const int n = settings.beginReadArray(kGroup);
    for (int i = 0; i < n; ++i) {
        settings.setArrayIndex(i);
        out.append({settings.value(QStringLiteral("name")).toString(),
                    settings.value(QStringLiteral("address")).toString(),
                    settings.value(QStringLiteral("mask")).toString(),
                    settings.value(QStringLiteral("searched"), true).toBool()});
    }
    settings.endArray();
    return out;
}

void SaveAdapterChoice(const QList<RememberedAdapter>& adapters) {
    QSettings settings;
    settings.beginWriteArray(kGroup, static_cast<int>(adapters.size()));
    for (int i = 0; i < adapters.size(); ++i) {
        settings.setArrayIndex(i);
        settings.setValue(QStringLiteral("name"), adapters[i].name);
        settings.setValue(QStringLiteral("address"), adapters[i].address);
        settings.setValue(QStringLiteral("mask"), adapters[i].mask);
        settings.setValue(QStringLiteral("searched"), adapters[i].searched);
    }
    settings.endArray();
}

void ApplyAdapterChoice() {
    std::vector<std::string> excluded;
    for (const RememberedAdapter& a : LoadAdapterChoice()) {
        if (!a.searched) {
            excluded.push_back(a.name.toStdString());
        }
    }
    Transport().excludedInterfaces = std::move(excluded);
}

CAdapterDlg::CAdapterDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Adapters"));
    setObjectName(QStringLiteral("Adapters"));
    auto* note = new QLabel(
        QStringLiteral("A search sends its requests out of every ticked adapter."), this);
    m_list = new QTreeWidget(this);
    m_list->setObjectName(QStringLiteral("AdapterList"));
    m_list->setRootIsDecorated(false);
    m_list->setHeaderLabels({QStringLiteral("Adapter"), QStringLiteral("IP Address"),
                             QStringLiteral("Subnet Mask"), QStringLiteral("State")});

    QList<RememberedAdapter> remembered = LoadAdapterChoice();
    auto find = [&remembered](const QString& name) -> RememberedAdapter* {
        for (RememberedAdapter& r : remembered) {
            if (r.name == name) {
                return &r;
            }
        }
        return nullptr;
    };
    QStringList shown;
    for (const NetAdapter& a : AllAdapters()) {
        if (a.loopback) {
            continue;
        }
        const QString name = QString::fromStdString(a.name);
        const std::string why = WhyNotUsed(a);
        auto* item =
            new QTreeWidgetItem(m_list, {name, Text(a.addr), Text(a.mask),
                                         why.empty() ? QString() : QString::fromStdString(why)});
        const RememberedAdapter* r = find(name);
        item->setCheckState(kName, r == nullptr || r->searched ? Qt::Checked : Qt::Unchecked);
        if (!why.empty()) {
            item->setFlags(item->flags() & ~Qt::ItemIsEnabled);
            item->setToolTip(kName,
                             QStringLiteral("Not searched: %1").arg(QString::fromStdString(why)));
        }
        shown << name;
    }
    // Adapters chosen before that the system does not report now: greyed, their tick kept.
    for (const RememberedAdapter& r : remembered) {
        if (shown.contains(r.name)) {
            continue;
        }
        auto* item =
            new QTreeWidgetItem(m_list, {r.name, r.address, r.mask, QStringLiteral("not present")});
        item->setCheckState(kName, r.searched ? Qt::Checked : Qt::Unchecked);
        item->setFlags(item->flags() & ~Qt::ItemIsEnabled);
        item->setToolTip(kName, QStringLiteral("Not present now: the choice is kept for when it "
                                               "is back."));
        shown << r.name;
    }
    for (int c = 0; c < m_list->columnCount(); ++c) {
        m_list->resizeColumnToContents(c);
    }

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(note);
    layout->addWidget(m_list, 1);
    layout->addWidget(buttons);
    resize(520, 260);
}

void CAdapterDlg::accept() {
    QList<RememberedAdapter> adapters;
    for (int i = 0; i < m_list->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* item = m_list->topLevelItem(i);
        adapters.append({item->text(kName), item->text(kAddress), item->text(kMask),
                         item->checkState(kName) == Qt::Checked});
    }
    SaveAdapterChoice(adapters);
    ApplyAdapterChoice();
    QDialog::accept();
}

}  // namespace varlo::ui
