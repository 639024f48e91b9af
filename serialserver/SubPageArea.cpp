#include "serialserver/SubPageArea.h"

namespace varlo::ui {

CSubPageArea::CSubPageArea(QWidget* parent) : QFrame(parent) {}

void CSubPageArea::AddSubPage(QWidget* subPage) {
    subPage->setParent(this);
    m_subPages.push_back(subPage);
    subPage->setVisible(m_subPages.size() == 1);
    updateGeometry();
    Place();
}

void CSubPageArea::Show(int index) {
    for (QWidget* page : m_subPages) {
        page->hide();
    }
    if (index >= 0 && index < static_cast<int>(m_subPages.size())) {
        SubPage(index)->show();
    }
}

QSize CSubPageArea::sizeHint() const {
    // As large as the largest sub-page, so switching never moves the page's other fields.
    QSize size;
    for (const QWidget* page : m_subPages) {
        size = size.expandedTo(page->sizeHint());
    }
    const QMargins m = contentsMargins();
    return size + QSize(m.left() + m.right(), m.top() + m.bottom());
}

void CSubPageArea::resizeEvent(QResizeEvent* event) {
    QFrame::resizeEvent(event);
    Place();
}

void CSubPageArea::Place() {
    for (QWidget* page : m_subPages) {
        page->setGeometry(contentsRect());
    }
}

}  // namespace varlo::ui
