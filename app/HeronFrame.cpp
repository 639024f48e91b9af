#include "app/HeronFrame.h"

#include <QFontDatabase>
#include <QMouseEvent>
#include <QPainter>
#include <QWindow>
#include <cmath>

#include "app/HeronTheme.h"

// Resources of a static library are linked in only when something refers to them.
static void InitVarloResources() {
    Q_INIT_RESOURCE(varlo);
}

namespace varlo::ui {

namespace {
QPixmap Bitmap(const char* name) {
    return QPixmap(QStringLiteral(":/varlo/") + QLatin1String(name) + QStringLiteral(".png"));
}
}  // namespace

CHeronFrame::CHeronFrame(QWidget* parent) : QMainWindow(parent) {
    InitVarloResources();
    // Neither the system caption nor the system sizing border: the frame is painted here, and
    // the layout keeps the bars and panes inside it.
    setWindowFlags(windowFlags() | Qt::FramelessWindowHint);
    setContentsMargins(kInsetLeft, kCaptionHeight, kInsetRight, kInsetBottom);
    setMouseTracking(false);

    m_bmpCaptionLeft = Bitmap("caption_left");
    m_bmpCaptionTile = Bitmap("caption_tile");
    m_bmpCornerLeft = Bitmap("corner_bl");
    m_bmpCornerRight = Bitmap("corner_br");
    const char* names[3] = {"btn_min", "btn_max", "btn_close"};
    for (int i = 0; i < 3; ++i) {
        m_bmpButtons[i][0] = Bitmap(names[i]);
        m_bmpButtons[i][1] = QPixmap(QStringLiteral(":/varlo/") + QLatin1String(names[i]) +
                                     QStringLiteral("_pressed.png"));
    }
    m_fontCaption = QFontDatabase::systemFont(QFontDatabase::TitleFont);
    m_fontCaption.setBold(true);
}

QRegion CHeronFrame::RoundedRegion(const QSize& size) {
    // Row spans of a rectangle whose corners follow an 11 x 11 ellipse.
    const int w = size.width(), h = size.height();
    constexpr double r = 5.5;
    QRegion region(0, 0, w, h);
    for (int y = 0; y < 6 && y < h; ++y) {
        const double dy = r - (y + 0.5);
        const int inset = static_cast<int>(std::floor(r - std::sqrt(r * r - dy * dy) + 0.5));
        if (inset <= 0) {
            continue;
        }
        region -= QRegion(0, y, inset, 1);
        region -= QRegion(w - inset, y, inset, 1);
        region -= QRegion(0, h - 1 - y, inset, 1);
        region -= QRegion(w - inset, h - 1 - y, inset, 1);
    }
    return region;
}

CHeronFrame::HitCode CHeronFrame::HitTest(const QPoint& pos) const {
    if (!rect().contains(pos)) {
        return HTNOWHERE;
    }
    if (contentsRect().contains(pos)) {
        return HTCLIENT;
    }
    return pos.y() < kCaptionHeight ? HTCAPTION : HTNOWHERE;
}

CHeronFrame::CaptionButton CHeronFrame::CaptionButtonAt(const QPoint& globalPos) const {
    const QRect r = frameGeometry();
    const int right = r.x() + r.width();  // one past the last column, as the buttons count it
    if (globalPos.y() >= r.y() + kCaptionHeight) {
        return BtnNone;
    }
    if (globalPos.x() > right - 23) {
        return BtnClose;
    }
    if (globalPos.x() > right - 44) {
        return BtnMaximize;
    }
    if (globalPos.x() > right - 65) {
        return BtnMinimize;
    }
    return BtnNone;
}

void CHeronFrame::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    setMask(RoundedRegion(size()));
}

void CHeronFrame::paintEvent(QPaintEvent*) {
    QPainter p(this);
    // The bars' dock area between and around the bars.
    p.fillRect(contentsRect(), CHeronTheme::FaceColor());
    p.setClipRegion(RoundedRegion(size()) - QRegion(contentsRect()));
    PaintFrame(p);
}

void CHeronFrame::PaintFrame(QPainter& p) const {
    const int w = width(), h = height();
    p.fillRect(rect(), Qt::black);
    p.setPen(Qt::black);
    p.setBrush(CHeronTheme::FaceColor());
    p.drawRoundedRect(QRect(0, 0, w - 1, h - 1), 7, 7);

    auto fill = [&](int x, int y, int cx, int cy, const QColor& c) { p.fillRect(x, y, cx, cy, c); };
    fill(0, 19, w, 1, QColor(11, 11, 12));
    fill(1, 20, 1, h - 26, Qt::white);
    fill(5, 20, 1, h - 26, QColor(161, 161, 161));
    fill(w - 3, 20, 1, h - 26, QColor(196, 196, 196));
    fill(w - 6, 20, 1, h - 26, Qt::white);
    fill(w - 7, 20, 1, h - 26, QColor(161, 161, 161));
    fill(5, h - 3, w - 11, 1, QColor(184, 184, 184));
    fill(5, h - 6, w - 11, 1, Qt::white);
    fill(5, h - 7, w - 11, 1, QColor(161, 161, 161));
    fill(10, 1, w - 20, 1, QColor(149, 169, 214));

    for (int x = 23; x < w - 33; x += 30) {
        p.drawPixmap(x, 2, m_bmpCaptionTile);
    }
    p.drawPixmap(1, h - 23, m_bmpCornerLeft);
    p.drawPixmap(w - 23, h - 23, m_bmpCornerRight);
    p.drawPixmap(1, 1, m_bmpCaptionLeft);

    const int xs[3] = {w - 65, w - 44, w - 23};  // minimize, maximize/restore, close
    for (int i = 0; i < 3; ++i) {
        const bool pressed = m_nPressed == i + 1;
        p.drawPixmap(xs[i], 1, m_bmpButtons[i][pressed ? 1 : 0]);
    }

    p.setFont(m_fontCaption);
    p.setPen(Qt::white);
    const QRect title(30, 0, (w - 70) - 30, 20);
    p.drawText(title, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine | Qt::TextDontClip,
               p.fontMetrics().elidedText(windowTitle(), Qt::ElideRight, title.width()));
}

void CHeronFrame::RedrawCaption() {
    update(0, 0, width(), kCaptionHeight);
}

void CHeronFrame::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || HitTest(event->position().toPoint()) != HTCAPTION) {
        QMainWindow::mousePressEvent(event);
        return;
    }
    const QPoint global = event->globalPosition().toPoint();
    if (const CaptionButton button = CaptionButtonAt(global)) {
        // The press over a button is not passed on to a window move, so the release arrives.
        m_nPressed = button;
        grabMouse();
        RedrawCaption();
        return;
    }
    if (windowHandle() && windowHandle()->startSystemMove()) {
        return;
    }
    // No window manager to move us (a bare X server, for one): move by hand.
    m_bMoving = true;
    m_ptMoveOffset = global - frameGeometry().topLeft();
}

void CHeronFrame::mouseMoveEvent(QMouseEvent* event) {
    if (m_bMoving && !isMaximized()) {
        move(event->globalPosition().toPoint() - m_ptMoveOffset);
        return;
    }
    QMainWindow::mouseMoveEvent(event);
}

void CHeronFrame::mouseReleaseEvent(QMouseEvent* event) {
    if (m_nPressed != BtnNone) {
        const CaptionButton pressed = m_nPressed;
        m_nPressed = BtnNone;
        RedrawCaption();
        releaseMouse();
        if (CaptionButtonAt(event->globalPosition().toPoint()) == pressed) {
            OnSysCommand(pressed);
        }
        return;
    }
    if (m_bMoving) {
        m_bMoving = false;
        return;
    }
    QMainWindow::mouseReleaseEvent(event);
}

void CHeronFrame::mouseDoubleClickEvent(QMouseEvent* event) {
    // A double click on the caption outside the buttons maximizes or restores, as a system
    // caption does.
    if (event->button() == Qt::LeftButton && HitTest(event->position().toPoint()) == HTCAPTION &&
        CaptionButtonAt(event->globalPosition().toPoint()) == BtnNone) {
        OnSysCommand(BtnMaximize);
        return;
    }
    QMainWindow::mouseDoubleClickEvent(event);
}

bool CHeronFrame::event(QEvent* event) {
    switch (event->type()) {
        case QEvent::WindowDeactivate:
        case QEvent::Hide:
            OnCaptureLost();
            break;
        default:
            break;
    }
    return QMainWindow::event(event);
}

void CHeronFrame::OnCaptureLost() {
    m_bMoving = false;
    if (m_nPressed != BtnNone) {
        m_nPressed = BtnNone;
        releaseMouse();
        RedrawCaption();
    }
}

void CHeronFrame::OnSysCommand(CaptionButton button) {
    switch (button) {
        case BtnMinimize:
            showMinimized();
            break;
        case BtnMaximize:
            if (isMaximized()) {
                showNormal();
            } else {
                showMaximized();
            }
            break;
        case BtnClose:
            close();
            break;
        case BtnNone:
            break;
    }
}

}  // namespace varlo::ui
