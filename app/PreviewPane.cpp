#include "app/PreviewPane.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>

#include "app/HeronTheme.h"
#include "app/PreviewEdit.h"

namespace varlo::ui {

CPreviewPane::CPreviewPane(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("PreviewPane"));
    setAttribute(Qt::WA_OpaquePaintEvent);  // the caption and the text area cover everything
    m_wndEdit = new CPreviewEdit(this);
    m_wndEdit->setFont(QApplication::font());
    m_wndEdit->ResetText(QStringLiteral("--Information--\n\n"));
    Layout();
}

void CPreviewPane::Layout() {
    const int h = CaptionHeight();
    m_rcCaption = QRect(0, 0, width(), h);
    m_wndEdit->setGeometry(0, h, width(), std::max(0, height() - h));
    m_wndEdit->update();
}

void CPreviewPane::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    Layout();
}

void CPreviewPane::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), palette().color(QPalette::Base));
    OnDraw(p);
}

void CPreviewPane::OnDraw(QPainter& p) {
    const QPalette& pal = palette();
    m_rcCaption = QRect(0, 0, width(), CaptionHeight());

    const bool focused = m_wndEdit->hasFocus();
    const QColor fillColor = focused ? pal.color(QPalette::Highlight) : CHeronTheme::FaceColor();
    const QColor textColor = focused ? pal.color(QPalette::Base) : pal.color(QPalette::ButtonText);
    p.fillRect(m_rcCaption, fillColor);

    // A raised strip: light top and left, the theme's frame colour at bottom and right.
    const QRect r = m_rcCaption;
    p.setPen(pal.color(QPalette::Light));
    p.drawLine(r.left(), r.top(), r.right() - 1, r.top());
    p.drawLine(r.left(), r.top(), r.left(), r.bottom() - 1);
    p.setPen(CHeronTheme::FrameColor());
    p.drawLine(r.left(), r.bottom(), r.right(), r.bottom());
    p.drawLine(r.right(), r.top(), r.right(), r.bottom());

    if (!m_bCaptionOpen) {
        return;
    }
    QFont bold = QApplication::font();
    bold.setBold(true);
    p.setPen(textColor);
    p.setFont(bold);
    p.drawText(QRect(4, 4, 71, r.height() - 4), Qt::AlignLeft | Qt::AlignTop, m_strLabel);
    p.setFont(QApplication::font());
    p.drawText(QRect(75, 4, std::max(0, r.width() - 75), r.height() - 4),
               Qt::AlignLeft | Qt::AlignTop, m_strTitle);
}

void CPreviewPane::mouseDoubleClickEvent(QMouseEvent* event) {
    if (m_rcCaption.contains(event->position().toPoint())) {
        m_bCaptionOpen = !m_bCaptionOpen;
        update();
        Layout();
    }
    QWidget::mouseDoubleClickEvent(event);
}

}  // namespace varlo::ui
