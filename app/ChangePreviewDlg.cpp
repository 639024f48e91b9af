#include "app/ChangePreviewDlg.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace varlo::ui {

CChangePreviewDlg::CChangePreviewDlg(const QString& title, const QString& note, bool cloneOption,
                                     QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("ChangePreview"));
    setWindowTitle(title);
    auto* layout = new QVBoxLayout(this);
    auto* head = new QLabel(note, this);
    head->setWordWrap(true);
    layout->addWidget(head);
    m_list = new QTreeWidget(this);
    m_list->setObjectName(QStringLiteral("PreviewList"));
    m_list->setHeaderLabels({QStringLiteral("Device"), QStringLiteral("Field"),
                             QStringLiteral("Now"), QStringLiteral("After")});
    m_list->setUniformRowHeights(true);
    m_list->setRootIsDecorated(true);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    const int em = fontMetrics().horizontalAdvance(QLatin1Char('M'));
    m_list->setColumnWidth(0, 22 * em);
    m_list->setColumnWidth(1, 26 * em);
    m_list->setColumnWidth(2, 10 * em);
    m_list->setMinimumSize(72 * em, 18 * fontMetrics().height());
    layout->addWidget(m_list, 1);
    if (cloneOption) {
        m_withAddresses = new QCheckBox(
            QStringLiteral("With &addresses (write the file's name and IP addresses too)"), this);
        m_withAddresses->setObjectName(QStringLiteral("WithAddresses"));
        layout->addWidget(m_withAddresses);
        connect(m_withAddresses, &QCheckBox::toggled, this,
                &CChangePreviewDlg::withAddressesChanged);
    }
    m_summary = new QLabel(this);
    m_summary->setObjectName(QStringLiteral("PreviewSummary"));
    layout->addWidget(m_summary);
    auto* buttons = new QDialogButtonBox(this);
    m_write = buttons->addButton(QStringLiteral("&Write"), QDialogButtonBox::AcceptRole);
    m_write->setObjectName(QStringLiteral("Write"));
    QPushButton* cancel = buttons->addButton(QDialogButtonBox::Cancel);
    cancel->setObjectName(QStringLiteral("Cancel"));
    // Enter in the list must not write: the operator presses Write on purpose.
    m_write->setAutoDefault(false);
    cancel->setAutoDefault(false);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_list, &QTreeWidget::itemChanged, this, &CChangePreviewDlg::UpdateButtons);
}

void CChangePreviewDlg::SpanNotes(QTreeWidgetItem* item) {
    if (!item->treeWidget()) {
        return;
    }
    for (int c = 0; c < item->childCount(); ++c) {
        if (item->child(c)->data(0, Qt::UserRole + 1).toBool()) {
            item->child(c)->setFirstColumnSpanned(true);
        }
    }
}

void CChangePreviewDlg::FillItem(QTreeWidgetItem* item, const PreviewEntry& entry, bool ticked) {
    const QSignalBlocker block(m_list);
    qDeleteAll(item->takeChildren());
    item->setText(0, entry.source.isEmpty()
                         ? entry.device
                         : entry.device + QStringLiteral(" from ") + entry.source);
    item->setToolTip(0, item->text(0));
    if (entry.Writable()) {
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState(0, ticked ? Qt::Checked : Qt::Unchecked);
        item->setText(1, QStringLiteral("%1 field(s) change").arg(entry.changes.size()));
        for (const PreviewChange& c : entry.changes) {
            auto* child = new QTreeWidgetItem(item, {QString(), c.field, c.now, c.after});
            child->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
            child->setToolTip(1, c.field);
        }
        // A note is a sentence: it runs across the whole row (SpanNotes, once in the list).
        for (const QString& note : entry.notes) {
            auto* child = new QTreeWidgetItem(item, {QStringLiteral("    ") + note});
            child->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
            child->setData(0, Qt::UserRole + 1, true);
            child->setToolTip(0, note);
        }
        SpanNotes(item);
        if (item->treeWidget()) {
            item->setExpanded(true);
        }
    } else {
        // No tick box at all: such a device can never be written from here.
        item->setFlags(Qt::ItemIsSelectable);
        item->setData(0, Qt::CheckStateRole, QVariant());
        item->setText(1, entry.reason.isEmpty() ? QStringLiteral("unchanged: nothing to write")
                                                : entry.reason);
        item->setToolTip(1, item->text(1));
        item->setFirstColumnSpanned(false);
    }
    item->setData(0, Qt::UserRole, entry.Writable());
}

void CChangePreviewDlg::SetEntries(const QList<PreviewEntry>& entries) {
    m_list->clear();
    // Built apart from the list and handed over at once: a thousand devices inserted one by
    // one would relayout the list a thousand times.
    QList<QTreeWidgetItem*> items;
    items.reserve(entries.size());
    for (const PreviewEntry& entry : entries) {
        auto* item = new QTreeWidgetItem;
        FillItem(item, entry, true);
        items.append(item);
    }
    m_list->addTopLevelItems(items);
    for (QTreeWidgetItem* item : items) {
        SpanNotes(item);
    }
    m_list->expandAll();
    UpdateButtons();
}

void CChangePreviewDlg::ReplaceEntry(int i, const PreviewEntry& entry) {
    if (QTreeWidgetItem* item = m_list->topLevelItem(i)) {
        FillItem(item, entry, Ticked(i) || !item->data(0, Qt::UserRole).toBool());
    }
    UpdateButtons();
}

bool CChangePreviewDlg::Ticked(int i) const {
    const QTreeWidgetItem* item = m_list->topLevelItem(i);
    return item && item->data(0, Qt::UserRole).toBool() && item->checkState(0) == Qt::Checked;
}

int CChangePreviewDlg::TickedCount() const {
    int n = 0;
    for (int i = 0; i < m_list->topLevelItemCount(); ++i) {
        n += Ticked(i) ? 1 : 0;
    }
    return n;
}

bool CChangePreviewDlg::WithAddresses() const {
    return m_withAddresses && m_withAddresses->isChecked();
}

void CChangePreviewDlg::UpdateButtons() {
    const int total = m_list->topLevelItemCount();
    int writable = 0;
    for (int i = 0; i < total; ++i) {
        writable += m_list->topLevelItem(i)->data(0, Qt::UserRole).toBool() ? 1 : 0;
    }
    const int ticked = TickedCount();
    m_summary->setText(QStringLiteral("%1 of %2 device(s) ticked; %3 cannot be written.")
                           .arg(ticked)
                           .arg(writable)
                           .arg(total - writable));
    m_write->setEnabled(ticked > 0);
}

}  // namespace varlo::ui
