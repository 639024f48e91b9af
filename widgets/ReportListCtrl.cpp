#include "widgets/ReportListCtrl.h"

#include <QHeaderView>
#include <QStyle>
#include <algorithm>

namespace varlo::ui {

CReportListCtrl::CReportListCtrl(QWidget* parent) : QTreeWidget(parent) {
    setRootIsDecorated(false);
    setUniformRowHeights(true);
    setItemsExpandable(false);
    setSortingEnabled(false);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setAllColumnsShowFocus(true);
    header()->setStretchLastSection(false);
    header()->setSectionsClickable(false);
    header()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
}

void CReportListCtrl::SetColumns(const QList<Column>& columns) {
    QStringList titles;
    for (const Column& c : columns) {
        titles << c.title;
    }
    setColumnCount(static_cast<int>(columns.size()));
    setHeaderLabels(titles);
    // Room for the cell's margins on both sides, as the style draws them.
    const int margin = 2 * style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 12;
    for (int i = 0; i < columns.size(); ++i) {
        const int needed = std::max(fontMetrics().horizontalAdvance(columns[i].sample),
                                    header()->fontMetrics().horizontalAdvance(columns[i].title)) +
                           margin;
        header()->resizeSection(i, std::max(columns[i].width, needed));
    }
}

int CReportListCtrl::ColumnsWidth() const {
    int total = 0;
    for (int i = 0; i < columnCount(); ++i) {
        total += header()->sectionSize(i);
    }
    return total;
}

int CReportListCtrl::InsertRow(int index, const QStringList& texts, const QVariant& data) {
    index = std::clamp(index, 0, topLevelItemCount());
    auto* item = new QTreeWidgetItem(texts);
    item->setData(0, Qt::UserRole, data);
    insertTopLevelItem(index, item);
    return index;
}

int CReportListCtrl::AppendRow(const QStringList& texts, const QVariant& data) {
    return InsertRow(topLevelItemCount(), texts, data);
}

void CReportListCtrl::SetCellText(int row, int column, const QString& text) {
    if (QTreeWidgetItem* item = topLevelItem(row)) {
        item->setText(column, text);
    }
}

QString CReportListCtrl::CellText(int row, int column) const {
    const QTreeWidgetItem* item = topLevelItem(row);
    return item ? item->text(column) : QString();
}

QVariant CReportListCtrl::RowData(int row) const {
    const QTreeWidgetItem* item = topLevelItem(row);
    return item ? item->data(0, Qt::UserRole) : QVariant();
}

int CReportListCtrl::SelectedRow() const {
    int first = -1;
    for (const QTreeWidgetItem* item : selectedItems()) {
        const int row = indexOfTopLevelItem(const_cast<QTreeWidgetItem*>(item));
        if (first < 0 || row < first) {
            first = row;
        }
    }
    return first;
}

QList<int> CReportListCtrl::SelectedRows() const {
    QList<int> rows;
    for (int r = 0; r < topLevelItemCount(); ++r) {
        if (topLevelItem(r)->isSelected()) {
            rows.append(r);
        }
    }
    return rows;
}

void CReportListCtrl::SelectRow(int row) {
    if (QTreeWidgetItem* item = topLevelItem(row)) {
        setCurrentItem(item);
        item->setSelected(true);
    }
}

int CReportListCtrl::RowAt(const QPoint& viewportPos) const {
    const QTreeWidgetItem* item = itemAt(viewportPos);
    return item ? indexOfTopLevelItem(const_cast<QTreeWidgetItem*>(item)) : -1;
}

}  // namespace varlo::ui
