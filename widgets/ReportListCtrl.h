#pragma once
// A report-style list: fixed-width, left-aligned columns, whole-row selection, rows in
// insertion order (never sorted), per-row data. Every list pane and dialog list uses it.
#include <QStringList>
#include <QTreeWidget>
#include <QVariant>

namespace varlo::ui {

class CReportListCtrl : public QTreeWidget {
    Q_OBJECT
public:
    // A column keeps its given pixel width unless its title or the sample (the widest text it
    // will hold, e.g. a MAC address) needs more in the current font: a value cut off with an
    // ellipsis is useless to an operator copying it down.
    struct Column {
        QString title;
        int width;
        QString sample = {};
    };

    explicit CReportListCtrl(QWidget* parent = nullptr);

    void SetColumns(const QList<Column>& columns);
    // The sum of the column widths: what the list needs to show every column whole.
    int ColumnsWidth() const;
    // Inserts a row at index (clamped to the end) and returns the index it got.
    int InsertRow(int index, const QStringList& texts, const QVariant& data = {});
    int AppendRow(const QStringList& texts, const QVariant& data = {});
    void SetCellText(int row, int column, const QString& text);
    QString CellText(int row, int column) const;
    QVariant RowData(int row) const;
    int RowCount() const { return topLevelItemCount(); }
    void DeleteAllRows() { clear(); }
    // The first selected row, or -1.
    int SelectedRow() const;
    // Every selected row, in row order.
    QList<int> SelectedRows() const;
    void SelectRow(int row);
    // The row under a viewport point, or -1 (below the last row, empty list).
    int RowAt(const QPoint& viewportPos) const;
};

}  // namespace varlo::ui
