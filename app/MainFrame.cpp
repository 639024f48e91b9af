#include "app/MainFrame.h"

#include <QActionGroup>
#include <QApplication>
#include <QDesktopServices>
#include <QDockWidget>
#include <QLabel>
#include <QLayout>
#include <QMenuBar>
#include <QScreen>
#include <QSplitter>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

#include "app/AboutDlg.h"
#include "app/CaptionBar.h"
#include "app/FleetCommands.h"
#include "app/HeronTheme.h"
#include "app/LockKeys.h"
#include "app/ParamDialogs.h"
#include "app/PreviewEdit.h"
#include "app/PreviewPane.h"
#include "app/VarloView.h"
#include "artnet4/ArtNetNodePane.h"
#include "comport/ComMappingListCtrl.h"
#include "discovery/AdapterDlg.h"
#include "discovery/ConfigurationListCtrl.h"
#include "discovery/DeviceTable.h"
#include "discovery/DoctorDlg.h"
#include "discovery/IpSearchDlg.h"
#include "discovery/SearchDlg.h"
#include "discovery/SearchDoctor.h"

namespace varlo::ui {

namespace {

const QColor kTransparent(230, 230, 230);  // the toolbar images' background

// Icon i of a strip of 24 x 24 images whose background colour is transparent.
QIcon StripIcon(const QPixmap& strip, int i) {
    QPixmap icon = strip.copy(i * 24, 0, 24, 24);
    icon.setMask(icon.createMaskFromColor(kTransparent, Qt::MaskInColor));
    return QIcon(icon);
}

QIcon AppIcon() {
    QIcon icon;
    for (const int size : {16, 32, 48}) {
        icon.addFile(QStringLiteral(":/varlo/varlo_%1.png").arg(size));
    }
    return icon;
}

}  // namespace

QRect CMainFrame::MainFrameGeometry(const QSize& screen) {
    const int cx = screen.width() * 5 / 10;
    const int cy = screen.height() * 6 / 10;
    return {(screen.width() - cx) / 2, (screen.height() - cy) / 2, cx, cy};
}

CMainFrame::CMainFrame(QWidget* parent) : CHeronFrame(parent) {
    setObjectName(QStringLiteral("MainFrame"));
    setWindowTitle(QStringLiteral("Luma Configurator"));
    setWindowIcon(AppIcon());
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        setGeometry(MainFrameGeometry(screen->geometry().size()));
    }
    m_openUrl = [](const QUrl& url) { QDesktopServices::openUrl(url); };

    // The bars share the frame's grey; the theme is the application's style so that the
    // bars' buttons and the dialogs follow it too.
    if (!qobject_cast<CHeronTheme*>(QApplication::style())) {
        QApplication::setStyle(new CHeronTheme);
    }
    CreateCommands();
    CreateArtNetDock();
    CreateBars();
    CreateLayout();
    UpdateMinimumSize();
    UpdateCommandUI();
}

QAction* CMainFrame::Command(const char* name, const QString& text, const QString& shortName,
                             const QString& prompt) {
    auto* action = new QAction(text, this);
    action->setObjectName(QLatin1String(name));
    action->setIconText(shortName);
    action->setStatusTip(prompt);
    action->setToolTip(shortName);
    return action;
}

void CMainFrame::CreateCommands() {
    const QPixmap strip(QStringLiteral(":/varlo/toolbar.png"));
    const QPixmap comStrip(QStringLiteral(":/varlo/com_mapping.png"));

    m_actSearch = Command("BroadcastSearch", QStringLiteral("&Broadcast Search"),
                          QStringLiteral("Search"), QStringLiteral("Search"));
    m_actIpSearch = Command("IpSearch", QStringLiteral("&IP Search"), QStringLiteral("IP Search"),
                            QStringLiteral("IP Search"));
    m_actConfig = Command("Config", QStringLiteral("&Config"), QStringLiteral("Config"),
                          QStringLiteral("Config"));
    // The menu items carry mnemonics of their own; the buttons show the short names.
    m_actImport = Command("Import", QStringLiteral("I&mport..."), QStringLiteral("Import"),
                          QStringLiteral("Import Devie infomation"));
    m_actExport = Command("Export", QStringLiteral("&Export..."), QStringLiteral("Export"),
                          QStringLiteral("Export Devie infomation"));
    m_actClearAll =
        Command("ClearAllDevices", QStringLiteral("Clear &All Devices"),
                QStringLiteral("Clear All Devices"), QStringLiteral("Clear All Devices"));
    m_actWebConfig = Command("WebConfig", QStringLiteral("&Web Config"),
                             QStringLiteral("Web Config"), QStringLiteral("Web Config"));
    m_actAdd = Command("AddComMapping", QStringLiteral("添加"), QStringLiteral("Add"),
                       QStringLiteral("Add"));
    m_actModify = Command("ModifyComMapping", QStringLiteral("修改"), QStringLiteral("Modify"),
                          QStringLiteral("Modify"));

    QAction* toolbarOrder[] = {m_actSearch, m_actIpSearch, m_actConfig,   m_actImport,
                               m_actExport, m_actClearAll, m_actWebConfig};
    for (int i = 0; i < 7; ++i) {
        toolbarOrder[i]->setIcon(StripIcon(strip, i));
    }
    m_actAdd->setIcon(StripIcon(comStrip, 0));
    m_actModify->setIcon(StripIcon(comStrip, 1));

    m_actAdapters = Command("Adapters", QStringLiteral("A&dapters..."), QStringLiteral("Adapters"),
                            QStringLiteral("Choose the adapters a search sends out of"));
    m_actDoctor = Command("WhyNotFound", QStringLiteral("&Why isn't my device found?"),
                          QStringLiteral("Why isn't my device found?"),
                          QStringLiteral("Check what may keep devices from being found"));
    connect(m_actIpSearch, &QAction::triggered, this, &CMainFrame::OnIpSearch);
    connect(m_actAdapters, &QAction::triggered, this, &CMainFrame::OnAdapters);
    connect(m_actDoctor, &QAction::triggered, this, [this] { OnWhyNotFound(); });
    // The adapters unticked on this workstation stay out of searches.
    ApplyAdapterChoice();

    m_actBatchChange =
        Command("BatchChange", QStringLiteral("Batch C&hange..."), QStringLiteral("Batch Change"),
                QStringLiteral("Change one field on the selected devices"));

    connect(m_actSearch, &QAction::triggered, this, &CMainFrame::OnBroadcastSearch);
    connect(m_actConfig, &QAction::triggered, this, &CMainFrame::OnConfig);
    connect(m_actWebConfig, &QAction::triggered, this, &CMainFrame::OnWebConfig);
    connect(m_actAdd, &QAction::triggered, this, &CMainFrame::OnAddComMapping);
    connect(m_actModify, &QAction::triggered, this, &CMainFrame::OnModifyComMapping);

    auto* panes = new QActionGroup(this);
    const char* paneNames[2] = {"ViewConfiguration", "ViewComMapping"};
    const QString paneTexts[2] = {QStringLiteral("Configuration"), QStringLiteral("COM Mapping")};
    // Mnemonics of their own within "View" (Toolbar and Status bar hold T and S).
    const QString paneMenuTexts[2] = {QStringLiteral("&Configuration"),
                                      QStringLiteral("COM &Mapping")};
    for (int n = 0; n < 2; ++n) {
        m_actViewPane[n] = Command(paneNames[n], paneMenuTexts[n], paneTexts[n], paneTexts[n]);
        m_actViewPane[n]->setCheckable(true);
        panes->addAction(m_actViewPane[n]);
        connect(m_actViewPane[n], &QAction::triggered, this, [this, n] { OnViewPane(n); });
    }
}

void CMainFrame::CreateArtNetDock() {
    m_artNetDock = new QDockWidget(QStringLiteral("Art-Net Nodes"), this);
    m_artNetDock->setObjectName(QStringLiteral("ArtNetDock"));
    m_artNetPane = new CArtNetNodePane(m_artNetDock);
    m_artNetDock->setWidget(m_artNetPane);
    addDockWidget(Qt::BottomDockWidgetArea, m_artNetDock);
    m_artNetDock->hide();
}

void CMainFrame::CreateBars() {
    // Status bar: the message pane, then the lock-key indicators.
    QStatusBar* status = statusBar();
    status->setSizeGripEnabled(true);
    auto* ready = new QLabel(QStringLiteral("Ready"), status);
    ready->setObjectName(QStringLiteral("StatusMessage"));
    status->addWidget(ready, 1);
    m_statusNote = new QLabel(status);
    m_statusNote->setObjectName(QStringLiteral("StatusNote"));
    m_statusNote->hide();
    status->addPermanentWidget(m_statusNote);
    const char* indicators[3] = {"CAP", "NUM", "SCRL"};
    for (int i = 0; i < 3; ++i) {
        m_indicators[i] = new QLabel(QLatin1String(indicators[i]), status);
        m_indicators[i]->setObjectName(QLatin1String(indicators[i]));
        m_indicators[i]->setAlignment(Qt::AlignCenter);
        m_indicators[i]->setMinimumWidth(
            m_indicators[i]->fontMetrics().horizontalAdvance(QStringLiteral("SCRL")) + 12);
        m_indicators[i]->setEnabled(false);
        status->addPermanentWidget(m_indicators[i]);
    }
    auto* poll = new QTimer(this);
    connect(poll, &QTimer::timeout, this, &CMainFrame::UpdateLockIndicators);
    poll->start(250);

    // Menu bar.
    QMenuBar* bar = menuBar();
    bar->setWindowTitle(QStringLiteral("菜单条"));
    QMenu* file = bar->addMenu(QStringLiteral("&File"));
    QAction* exit = file->addAction(QStringLiteral("E&xit"), this, &QWidget::close);
    exit->setStatusTip(QStringLiteral("Quit the application"));
    QMenu* config = bar->addMenu(QStringLiteral("&Configuration"));
    config->addAction(m_actSearch);
    config->addAction(m_actIpSearch);
    config->addAction(m_actAdapters);
    config->addSeparator();
    config->addAction(m_actConfig);
    config->addAction(m_actWebConfig);
    config->addSeparator();
    config->addAction(m_actImport);
    config->addAction(m_actExport);
    config->addAction(m_actBatchChange);
    config->addAction(m_actClearAll);

    // Toolbar: icons with their captions.
    m_wndToolBar = new QToolBar(QStringLiteral("Toolbar"), this);
    m_wndToolBar->setObjectName(QStringLiteral("Toolbar"));
    m_wndToolBar->setIconSize(QSize(24, 24));
    m_wndToolBar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    m_wndToolBar->addAction(m_actSearch);
    // The adapters the search uses, from a drop-down beside its button.
    if (auto* search = qobject_cast<QToolButton*>(m_wndToolBar->widgetForAction(m_actSearch))) {
        auto* menu = new QMenu(search);
        menu->addAction(m_actAdapters);
        search->setMenu(menu);
        search->setPopupMode(QToolButton::MenuButtonPopup);
    }
    m_wndToolBar->addAction(m_actIpSearch);
    m_wndToolBar->addAction(m_actConfig);
    m_wndToolBar->addSeparator();
    m_wndToolBar->addAction(m_actImport);
    m_wndToolBar->addAction(m_actExport);
    m_wndToolBar->addSeparator();
    m_wndToolBar->addAction(m_actClearAll);
    m_wndToolBar->addSeparator();
    m_wndToolBar->addAction(m_actWebConfig);
    addToolBar(Qt::TopToolBarArea, m_wndToolBar);
    // The theme gives a floating bar a wider frame for its title strip: the bar's layout
    // takes its margins from the style, so tell it the style changed.
    connect(m_wndToolBar, &QToolBar::topLevelChanged, this, [this] {
        QEvent styleChange(QEvent::StyleChange);
        QApplication::sendEvent(m_wndToolBar, &styleChange);
    });
    // A floating bar shows its title in a strip at its top: leave room for it.
    QMenu* view = bar->addMenu(QStringLiteral("&View"));
    QAction* toolbar = m_wndToolBar->toggleViewAction();
    toolbar->setText(QStringLiteral("&Toolbar"));
    toolbar->setStatusTip(QStringLiteral("Show or hide the toolbar"));
    view->addAction(toolbar);
    QAction* statusToggle = view->addAction(QStringLiteral("&Status bar"));
    statusToggle->setCheckable(true);
    statusToggle->setChecked(true);
    statusToggle->setStatusTip(QStringLiteral("Show or hide the status bar"));
    connect(statusToggle, &QAction::toggled, status, &QWidget::setVisible);
    view->addSeparator();
    view->addAction(m_actViewPane[0]);
    view->addAction(m_actViewPane[1]);
    view->addSeparator();
    QAction* artNet = m_artNetDock->toggleViewAction();
    artNet->setText(QStringLiteral("Art-Net &Nodes"));
    artNet->setObjectName(QStringLiteral("ViewArtNetNodes"));
    artNet->setStatusTip(
        QStringLiteral("Show the Art-Net 4 nodes of every maker, polled on port 6454"));
    view->addAction(artNet);

    // Alt+C belongs to "Configuration": two menus sharing a mnemonic take turns on it.
    QMenu* com = bar->addMenu(QStringLiteral("串口映射(&M)"));
    com->addAction(m_actAdd);
    com->addAction(m_actModify);

    QMenu* help = bar->addMenu(QStringLiteral("&Help"));
    help->addAction(m_actDoctor);
    QAction* about = help->addAction(QStringLiteral("&About ..."), this, &CMainFrame::OnAppAbout);
    about->setStatusTip(
        QStringLiteral("Display program information, version number and copyright"));
}

void CMainFrame::CreateLayout() {
    m_wndSplitter = new QSplitter(Qt::Vertical, this);
    m_wndSplitter->setObjectName(QStringLiteral("OuterSplitter"));
    m_wndSplitter->setChildrenCollapsible(false);
    m_wndSplitter2 = new QSplitter(Qt::Vertical, m_wndSplitter);
    m_wndSplitter2->setObjectName(QStringLiteral("InnerSplitter"));
    m_wndSplitter2->setFrameShape(QFrame::StyledPanel);
    m_wndSplitter2->setHandleWidth(1);
    m_wndSplitter2->setChildrenCollapsible(false);
    m_wndCaption = new CCaptionBar(QStringLiteral("Caption Text"), AppIcon(), m_wndSplitter2);
    auto* view = new CVarloView(m_wndSplitter2);
    m_wndPreview = new CPreviewPane(m_wndSplitter);
    m_wndPreview->setMinimumHeight(CPreviewPane::kCaptionOpen + 20);
    m_wndSplitter->setStretchFactor(0, 1);
    setCentralWidget(m_wndSplitter);
    // The rows get their heights once the splitters have theirs (ApplyInitialRowHeights):
    // sizes given earlier are scaled to the space the splitter gets.

    connect(view, &CVarloView::paneSelected, this, &CMainFrame::UpdateCommandUI);
    // Config follows the device list's selection.
    CConfigurationListCtrl* devices = view->DeviceList();
    devices->SetParamDialogFactory(&MakeParamDialog);
    connect(devices, &QTreeWidget::itemSelectionChanged, this, &CMainFrame::UpdateCommandUI);

    m_fleet = new CFleetCommands(
        this, devices, [this](const QString& text) { AppendResultText(text); }, this);
    connect(m_actImport, &QAction::triggered, m_fleet, &CFleetCommands::OnImport);
    connect(m_actExport, &QAction::triggered, m_fleet, &CFleetCommands::OnExport);
    connect(m_actBatchChange, &QAction::triggered, m_fleet, &CFleetCommands::OnBatchChange);
    connect(m_actClearAll, &QAction::triggered, m_fleet, &CFleetCommands::OnClearAllDevices);
    connect(m_fleet, &CFleetCommands::commandDone, this, &CMainFrame::UpdateCommandUI);
    // The rows' context menu: the commands that work on the selected rows.
    devices->setContextMenuPolicy(Qt::ActionsContextMenu);
    devices->addActions({m_actConfig, m_actWebConfig, m_actExport, m_actBatchChange});
}

void CMainFrame::ApplyInitialRowHeights() {
    auto setRows = [](QSplitter* splitter, int first) {
        const int room = splitter->height() - splitter->handleWidth() - 2 * splitter->frameWidth();
        splitter->setSizes({first, std::max(0, room - first)});
    };
    setRows(m_wndSplitter, kFirstRowHeight);
    setRows(m_wndSplitter2, CCaptionBar::kHeight);
}

void CMainFrame::showEvent(QShowEvent* event) {
    CHeronFrame::showEvent(event);
    if (!m_bRowsSized) {
        m_bRowsSized = true;
        ApplyInitialRowHeights();
    }
}

void CMainFrame::UpdateMinimumSize() {
    // Small enough for the described window size on a small screen, large enough that the
    // menu bar shows every menu, the status bar's panes sit side by side, the toolbar keeps
    // its first buttons and its extension button (which offers the rest) and the list shows
    // its header and a few rows.
    const int insets = kInsetLeft + kInsetRight;
    const int width =
        std::max({menuBar()->sizeHint().width(), statusBar()->minimumSizeHint().width(),
                  m_wndToolBar->minimumSizeHint().width()}) +
        insets;
    layout()->invalidate();
    const QSize laidOut = minimumSizeHint();
    setMinimumSize(std::max(width, laidOut.width()), laidOut.height());
}

CVarloView* CMainFrame::FindView() const {
    return m_wndSplitter2 ? qobject_cast<CVarloView*>(m_wndSplitter2->widget(1)) : nullptr;
}

void CMainFrame::AppendResultText(const QString& text) {
    m_wndPreview->Edit()->AppendAtEnd(text);
}

void CMainFrame::SetStatusNote(const QString& text) {
    m_statusNote->setText(text);
    m_statusNote->setVisible(!text.isEmpty());
    UpdateMinimumSize();
}

void CMainFrame::UpdateCommandUI() {
    const CVarloView* view = FindView();
    const int pane = view ? view->CurrentPaneIndex() : -1;
    // Config acts on the device list: enabled while it is shown with a selected row, and for
    // another pane (where it still configures the device list's selection).
    m_actConfig->setEnabled(view != nullptr &&
                            (pane != 0 || view->DeviceList()->SelectedRow() >= 0));
    // Export takes the selected rows, or every row; Batch change the selected rows.
    const int rows = view ? view->DeviceList()->RowCount() : 0;
    const bool selected = view && view->DeviceList()->SelectedRow() >= 0;
    m_actExport->setEnabled(rows > 0);
    m_actImport->setEnabled(view != nullptr);
    m_actBatchChange->setEnabled(selected);
    m_actClearAll->setEnabled(view != nullptr);
    // Add and Modify act on the COM mapping pane, and only while it is the one shown.
    m_actAdd->setEnabled(pane == 1);
    m_actModify->setEnabled(pane == 1);
    for (int n = 0; n < 2; ++n) {
        m_actViewPane[n]->setEnabled(view != nullptr);
        m_actViewPane[n]->setChecked(pane == n);
    }
}

void CMainFrame::UpdateLockIndicators() {
    const auto state = QueryLockKeys();
    const bool on[3] = {state && state->caps, state && state->num, state && state->scroll};
    for (int i = 0; i < 3; ++i) {
        m_indicators[i]->setEnabled(on[i]);
    }
}

void CMainFrame::OnBroadcastSearch() {
    CSearchDlg dlg(this);
    dlg.exec();
    CVarloView* view = FindView();
    if (!view) {
        return;
    }
    // The device list stays pane 0 whichever pane is shown; it is brought forward so that the
    // operator sees what was found.
    view->DeviceList()->RefreshDeviceList();
    view->SelectPane(0);
    if (m_artNetDock->isVisible()) {
        m_artNetPane->RequestPoll();
    }
    AppendResultText(QString::asprintf("%d Device(s) is Finded\n",
                                       static_cast<int>(g_arrConfigParam.GetSize())));
    // Nothing answered: say what may be wrong right where the operator looks.
    if (g_arrConfigParam.GetSize() == 0) {
        AppendResultText(QStringLiteral("Why isn't my device found?\n") +
                         QString::fromStdString(FormatFindings(DiagnoseSearch(&dlg.Session()))));
    }
}

void CMainFrame::OnIpSearch() {
    CIpSearchDlg dlg(this);
    dlg.exec();
    if (CVarloView* view = FindView()) {
        view->DeviceList()->RefreshDeviceList();
        view->SelectPane(0);
        AppendResultText(QStringLiteral("IP Search: %1 Device(s) is Finded\n").arg(dlg.Found()));
    }
}

void CMainFrame::OnAdapters() {
    CAdapterDlg dlg(this);
    dlg.exec();
}

void CMainFrame::OnWhyNotFound() {
    CDoctorDlg dlg(nullptr, this);
    dlg.exec();
}

void CMainFrame::OnConfig() {
    if (CVarloView* view = FindView()) {
        view->DeviceList()->ConfigCurrentDevice();
    }
}

void CMainFrame::OnWebConfig() {
    CVarloView* view = FindView();
    if (!view) {
        return;
    }
    const int row = view->DeviceList()->SelectedRow();
    // The rows mirror the table; a row outside it would be a stale list, never a device.
    if (row < 0 || static_cast<std::size_t>(row) >= g_arrConfigParam.GetSize()) {
        return;
    }
    const Ipv4Bytes ip = g_arrConfigParam[static_cast<std::size_t>(row)].dwIp();
    m_openUrl(QUrl(QString::asprintf("http://%d.%d.%d.%d", ip[0], ip[1], ip[2], ip[3])));
}

void CMainFrame::OnAddComMapping() {
    CVarloView* view = FindView();
    if (view && view->CurrentPaneIndex() == 1) {
        view->ComMappingList()->AddComMapping();
    }
}

void CMainFrame::OnModifyComMapping() {
    CVarloView* view = FindView();
    if (view && view->CurrentPaneIndex() == 1) {
        view->ComMappingList()->EditComMapping();
    }
}

void CMainFrame::OnViewPane(int n) {
    if (CVarloView* view = FindView()) {
        view->SelectPane(n);
    }
}

void CMainFrame::OnAppAbout() {
    CAboutDlg dlg(this);
    dlg.exec();
}

}  // namespace varlo::ui
