#include "app/CaptionBar.h"

#include <QApplication>
#include <QLinearGradient>
#include <QPainter>

namespace varlo::ui {

CCaptionBar::CCaptionBar(const QString& text, const QIcon& icon, QWidget* parent)
    : QWidget(parent), m_strText(text), m_icon(icon), m_font(QApplication::font()) {
    setObjectName(QStringLiteral("CaptionBar"));
    m_font.setPixelSize(18);
    m_font.setBold(true);
    setFixedHeight(kHeight);
}

void CCaptionBar::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QRect r = rect();
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, QColor(150, 156, 168));
    g.setColorAt(1, QColor(118, 124, 138));
    p.fillRect(r, g);
    p.setPen(QColor(96, 100, 112));
    p.drawLine(r.bottomLeft(), r.bottomRight());
    m_icon.paint(&p, QRect(4, (r.height() - 16) / 2, 16, 16));
    p.setFont(m_font);
    p.setPen(Qt::white);
    p.drawText(r.adjusted(26, 0, -4, 0), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
               m_strText);
}

}  // namespace varlo::ui
