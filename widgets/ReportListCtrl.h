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
    struct Column {
        QString title;
        int width;
    };

    explicit CReportListCtrl(QWidget* parent = nullptr);

    void SetColumns(const QList<Column>& columns);
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
    void SelectRow(int row);
    // The row under a viewport point, or -1 (below the last row, empty list).
    int RowAt(const QPoint& viewportPos) const;
};

}  // namespace varlo::ui
