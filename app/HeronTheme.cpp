#include "app/HeronTheme.h"

#include <QMenu>
#include <QPainter>
#include <QStyleFactory>
#include <QStyleOption>
#include <QToolBar>
#include <algorithm>

namespace varlo::ui {

namespace {
const QColor kWhite(255, 255, 255);
const QColor kDockLight(245, 245, 245);
const QColor kDockShadow(196, 196, 196);
const QColor kEtch(206, 206, 206);
const QColor kSeparator(161, 161, 161);
const QColor kFloatingTitle(68, 100, 172);

void Line(QPainter* p, int x1, int y1, int x2, int y2, const QColor& c) {
    p->setPen(c);
    p->drawLine(x1, y1, x2, y2);
}
}  // namespace

CHeronTheme::CHeronTheme() : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))) {}

void CHeronTheme::polish(QPalette& palette) {
    QProxyStyle::polish(palette);
    for (const auto role : {QPalette::Window, QPalette::Button}) {
        palette.setColor(QPalette::Active, role, FaceColor());
        palette.setColor(QPalette::Inactive, role, FaceColor());
        palette.setColor(QPalette::Disabled, role, FaceColor());
    }
    palette.setColor(QPalette::Highlight, QColor(61, 105, 185));
    palette.setColor(QPalette::Inactive, QPalette::Highlight, QColor(61, 105, 185));
}

int CHeronTheme::pixelMetric(PixelMetric metric, const QStyleOption* option,
                             const QWidget* widget) const {
    switch (metric) {
        case PM_MenuBarPanelWidth:
            return 1;  // room for the docked outline
        case PM_MenuPanelWidth:
            return 2;  // the floating outline and its inner etch
        case PM_ToolBarHandleExtent:
            return 8;
        case PM_ToolBarSeparatorExtent:
            return 6;
        case PM_ToolBarFrameWidth: {
            // A floating bar keeps room for its title strip above its buttons.
            const auto* bar = qobject_cast<const QToolBar*>(widget);
            if (bar && bar->isWindow()) {
                return FloatingTitleHeight(bar->fontMetrics()) + 3;
            }
            return QProxyStyle::pixelMetric(metric, option, widget);
        }
        default:
            return QProxyStyle::pixelMetric(metric, option, widget);
    }
}

int CHeronTheme::styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                           QStyleHintReturn* returnData) const {
    if (hint == SH_MenuBar_AltKeyNavigation) {
        return 1;  // Alt alone moves to the menu bar, as operators of this tool are used to
    }
    return QProxyStyle::styleHint(hint, option, widget, returnData);
}

QSize CHeronTheme::sizeFromContents(ContentsType type, const QStyleOption* option,
                                    const QSize& size, const QWidget* widget) const {
    if (type == CT_MenuItem) {
        const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
        if (item && item->menuItemType == QStyleOptionMenuItem::Separator) {
            return {std::max(size.width(), 8), 8};
        }
    }
    return QProxyStyle::sizeFromContents(type, option, size, widget);
}

void CHeronTheme::DrawDockedOutline(QPainter* p, const QRect& r) {
    Line(p, r.left(), r.top(), r.right(), r.top(), kDockLight);
    Line(p, r.left(), r.top(), r.left(), r.bottom(), kDockLight);
    Line(p, r.left(), r.bottom(), r.right(), r.bottom(), kDockShadow);
    Line(p, r.right(), r.top(), r.right(), r.bottom(), kDockShadow);
}

void CHeronTheme::DrawFloatingOutline(QPainter* p, const QRect& r) {
    p->setPen(FrameColor());
    p->setBrush(Qt::NoBrush);
    p->drawRect(r.adjusted(0, 0, -1, -1));
    const QRect in = r.adjusted(1, 1, -1, -1);
    Line(p, in.left(), in.top(), in.right(), in.top(), kWhite);
    Line(p, in.left(), in.top(), in.left(), in.bottom(), kWhite);
    Line(p, in.left(), in.bottom(), in.right(), in.bottom(), kEtch);
    Line(p, in.right(), in.top(), in.right(), in.bottom(), kEtch);
}

void CHeronTheme::DrawGripper(QPainter* p, const QRect& r, bool horizontalBar) {
    p->save();
    p->translate(r.topLeft());
    if (horizontalBar) {
        // A bar docked at the top or bottom: the gripper runs down its left end.
        for (int y = 7; y + 1 < r.height() - 4; y += 5) {
            Line(p, 3, y + 1, 7, y - 3, kWhite);
            Line(p, 3, y, 7, y - 4, FrameColor());
        }
    } else {
        for (int x = 4; x < r.width() - 4; x += 5) {
            Line(p, x, 7, x + 4, 3, FrameColor());
            Line(p, x, 8, x + 4, 4, kWhite);
        }
    }
    p->restore();
}

int CHeronTheme::FloatingTitleHeight(const QFontMetrics& metrics) {
    return std::max(metrics.height(), 15);
}

void CHeronTheme::DrawFloatingTitle(QPainter* p, const QRect& bar, const QString& title) {
    const int height = FloatingTitleHeight(p->fontMetrics());
    const QRect strip(QPoint(bar.left() + 3, bar.top() + 3),
                      QPoint(bar.right() - 3, bar.top() + height + 2));
    p->fillRect(strip, kFloatingTitle);
    p->setPen(kWhite);
    QRect text = strip;
    text.setLeft(bar.left() + 5);
    text.setRight(strip.right() - 2 * strip.height());
    p->drawText(text, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                p->fontMetrics().elidedText(title, Qt::ElideRight, text.width()));
}

void CHeronTheme::drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* p,
                                const QWidget* widget) const {
    const QRect& r = option->rect;
    switch (element) {
        case PE_PanelMenuBar:
            DrawDockedOutline(p, r);
            return;
        case PE_PanelMenu:
        case PE_PanelStatusBar:
            p->fillRect(r, FaceColor());
            return;
        case PE_FrameMenu:
            DrawFloatingOutline(p, r);
            return;
        case PE_IndicatorToolBarHandle:
            DrawGripper(p, r, option->state & State_Horizontal);
            return;
        case PE_IndicatorToolBarSeparator: {
            // One pixel of grey, four pixels in from the ends, across the bar's direction.
            p->setPen(kSeparator);
            if (option->state & State_Horizontal) {
                const int x = r.left() + r.width() / 2;
                p->drawLine(x, r.top() + 4, x, r.bottom() - 4);
            } else {
                const int y = r.top() + r.height() / 2;
                p->drawLine(r.left() + 4, y, r.right() - 4, y);
            }
            return;
        }
        case PE_FrameStatusBarItem:
            Line(p, r.left(), r.top(), r.right(), r.top(), kDockShadow);
            Line(p, r.left(), r.top(), r.left(), r.bottom(), kDockShadow);
            Line(p, r.left(), r.bottom(), r.right(), r.bottom(), kWhite);
            Line(p, r.right(), r.top(), r.right(), r.bottom(), kWhite);
            return;
        default:
            QProxyStyle::drawPrimitive(element, option, p, widget);
    }
}

void CHeronTheme::drawControl(ControlElement element, const QStyleOption* option, QPainter* p,
                              const QWidget* widget) const {
    const QRect& r = option->rect;
    switch (element) {
        case CE_MenuBarEmptyArea:
            p->fillRect(r, FaceColor());
            return;
        case CE_ToolBar: {
            p->fillRect(r, FaceColor());
            const auto* bar = qobject_cast<const QToolBar*>(widget);
            if (bar && bar->isWindow()) {
                DrawFloatingOutline(p, r);
                DrawFloatingTitle(p, r, bar->windowTitle());
            } else {
                DrawDockedOutline(p, r);
            }
            return;
        }
        case CE_MenuItem: {
            const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
            if (item && item->menuItemType == QStyleOptionMenuItem::Separator) {
                // An etched line ending 3 pixels above the item that begins the next group.
                p->fillRect(r, FaceColor());
                const int y = r.bottom() - 4;
                Line(p, r.left() + 14, y, r.right() - 14, y, kEtch);
                Line(p, r.left() + 14, y + 1, r.right() - 14, y + 1, kWhite);
                return;
            }
            QProxyStyle::drawControl(element, option, p, widget);
            return;
        }
        case CE_SizeGrip: {
            const int w = r.width(), h = r.height();
            p->save();
            p->translate(r.topLeft());
            for (int k = 0; k <= 12; k += 4) {
                Line(p, w - k - 4, h - 2, w - 1, h - k - 5, FrameColor());
                Line(p, w - k - 5, h - 2, w - 1, h - k - 6, kWhite);
            }
            p->restore();
            return;
        }
        default:
            QProxyStyle::drawControl(element, option, p, widget);
    }
}

}  // namespace varlo::ui
