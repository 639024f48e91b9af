#include "app/VarloView.h"

#include <QHeaderView>
#include <algorithm>
#include <stdexcept>

#include "comport/ComMappingListCtrl.h"
#include "discovery/ConfigurationListCtrl.h"

namespace varlo::ui {

CVarloView::CVarloView(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("VarloView"));
    // The current pane covers the whole view; there is no background of our own to erase.
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_arrPanes.append(new CConfigurationListCtrl(this));
    m_arrPanes.append(new CComMappingListCtrl(this));
    for (CReportListCtrl* pane : m_arrPanes) {
        pane->setGeometry(rect());
        pane->hide();
    }
    SelectPane(0);
}

CVarloView::~CVarloView() {
    qDeleteAll(m_arrPanes);
    m_arrPanes.clear();
    m_pCurPane = nullptr;
}

void CVarloView::SelectPane(int n) {
    if (n < 0 || n >= kPaneCount) {
        throw std::invalid_argument("SelectPane: the view has panes 0 and 1 only");
    }
    m_nCurPane = n;
    CReportListCtrl* pane = m_arrPanes[n];
    if (pane != m_pCurPane) {
        if (m_pCurPane) {
            m_pCurPane->hide();
        }
        m_pCurPane = pane;
        m_pCurPane->show();
    }
    m_pCurPane->setGeometry(rect());
    m_pCurPane->setFocus();
    emit paneSelected(n);
}

CConfigurationListCtrl* CVarloView::DeviceList() const {
    return qobject_cast<CConfigurationListCtrl*>(m_arrPanes.value(0));
}

CComMappingListCtrl* CVarloView::ComMappingList() const {
    return qobject_cast<CComMappingListCtrl*>(m_arrPanes.value(1));
}

QSize CVarloView::minimumSizeHint() const {
    int height = 0;
    for (const CReportListCtrl* pane : m_arrPanes) {
        const int row = pane->fontMetrics().lineSpacing() + 6;
        const int header = pane->header()->sizeHint().height();
        height = std::max(height, 2 * pane->frameWidth() + header + kMinRows * row);
    }
    return {0, height};
}

void CVarloView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (m_pCurPane) {
        m_pCurPane->resize(size());
    }
}

}  // namespace varlo::ui
