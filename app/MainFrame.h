#pragma once
// The main window "Luma Configurator": menu bar, toolbar with captions, status bar, and under
// them the caption bar and the list view over the result pane. Its commands run the search,
// open a device's web page and switch between the device list and the COM mapping pane.
#include <QRect>
#include <QUrl>
#include <functional>

#include "app/HeronFrame.h"

class QAction;
class QDockWidget;
class QLabel;
class QSplitter;
class QToolBar;

namespace varlo::ui {

class CArtNetNodePane;
class CCaptionBar;
class CFleetCommands;
class CPreviewPane;
class CVarloView;

class CMainFrame : public CHeronFrame {
    Q_OBJECT
public:
    // Hands a URL to the shell's "open" verb (the default browser); tests record it instead.
    using UrlOpener = std::function<void(const QUrl&)>;

    // The outer splitter's first row (the caption bar and the list) at start.
    static constexpr int kFirstRowHeight = 450;

    explicit CMainFrame(QWidget* parent = nullptr);

    // Half the screen's width and six tenths of its height, centred.
    static QRect MainFrameGeometry(const QSize& screen);

    // Appends at the very end of the result pane's text.
    void AppendResultText(const QString& text);
    // The view in the lower row of the inner splitter, or null.
    CVarloView* FindView() const;
    CPreviewPane* PreviewPane() const { return m_wndPreview; }
    QToolBar* ToolBar() const { return m_wndToolBar; }
    // The Art-Net 4 node list, in a dock of its own under the panes; hidden (and silent) until
    // View > Art-Net Nodes shows it.
    CArtNetNodePane* ArtNetPane() const { return m_artNetPane; }
    QDockWidget* ArtNetDock() const { return m_artNetDock; }
    // Export, Import, Batch change and Clear All Devices.
    CFleetCommands* Fleet() const { return m_fleet; }

    void SetUrlOpener(UrlOpener opener) { m_openUrl = std::move(opener); }
    // A permanent status-bar note (demo mode says where its simulated devices are).
    void SetStatusNote(const QString& text);

    void OnBroadcastSearch();
    void OnIpSearch();
    void OnAdapters();
    void OnWhyNotFound();
    void OnConfig();
    void OnWebConfig();
    void OnAddComMapping();
    void OnModifyComMapping();
    void OnViewPane(int n);
    void OnAppAbout();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void CreateArtNetDock();
    void CreateBars();
    void CreateCommands();
    void CreateLayout();
    void UpdateCommandUI();
    void UpdateLockIndicators();
    void ApplyInitialRowHeights();
    void UpdateMinimumSize();
    QAction* Command(const char* name, const QString& text, const QString& shortName,
                     const QString& prompt);

    QSplitter* m_wndSplitter = nullptr;   // the panes over the result pane
    QSplitter* m_wndSplitter2 = nullptr;  // the caption bar over the view
    CCaptionBar* m_wndCaption = nullptr;
    CPreviewPane* m_wndPreview = nullptr;
    QToolBar* m_wndToolBar = nullptr;
    QLabel* m_statusNote = nullptr;
    QDockWidget* m_artNetDock = nullptr;
    CArtNetNodePane* m_artNetPane = nullptr;
    QLabel* m_indicators[3] = {};

    QAction* m_actSearch = nullptr;
    QAction* m_actIpSearch = nullptr;
    QAction* m_actConfig = nullptr;
    QAction* m_actImport = nullptr;
    QAction* m_actExport = nullptr;
    QAction* m_actClearAll = nullptr;
    QAction* m_actWebConfig = nullptr;
    QAction* m_actAdd = nullptr;
    QAction* m_actModify = nullptr;
    QAction* m_actViewPane[2] = {};
    QAction* m_actAdapters = nullptr;
    QAction* m_actDoctor = nullptr;
    QAction* m_actBatchChange = nullptr;
    CFleetCommands* m_fleet = nullptr;

    UrlOpener m_openUrl;
    bool m_bRowsSized = false;
};

}  // namespace varlo::ui
