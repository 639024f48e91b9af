#pragma once
// The view under the caption bar: it owns the list panes and shows one of them at a time,
// sized to its whole area. Pane 0 is the device list, pane 1 the COM mapping list.
#include <QList>
#include <QWidget>

namespace varlo::ui {

class CReportListCtrl;
class CConfigurationListCtrl;
class CComMappingListCtrl;

class CVarloView : public QWidget {
    Q_OBJECT
public:
    static constexpr int kPaneCount = 2;

    explicit CVarloView(QWidget* parent = nullptr);
    ~CVarloView() override;

    // Makes pane n (0 or 1) the current one: the old pane is hidden, the new one shown, sized
    // to the view and given the focus. Any other n throws std::invalid_argument.
    void SelectPane(int n);
    int CurrentPaneIndex() const { return m_nCurPane; }
    CReportListCtrl* CurrentPane() const { return m_pCurPane; }
    CReportListCtrl* Pane(int n) const { return m_arrPanes.value(n); }
    CConfigurationListCtrl* DeviceList() const;
    CComMappingListCtrl* ComMappingList() const;

    // Room for a pane's header and a few rows: what the list needs to stay usable.
    QSize minimumSizeHint() const override;
    static constexpr int kMinRows = 4;

signals:
    void paneSelected(int n);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QList<CReportListCtrl*> m_arrPanes;
    int m_nCurPane = -1;
    CReportListCtrl* m_pCurPane = nullptr;
};

}  // namespace varlo::ui
