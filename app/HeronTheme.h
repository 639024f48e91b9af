#pragma once
// The paint theme of the main window's bars: menu bar, toolbars, popups and the status bar
// share the frame's light grey, with etched outlines, hatched grippers and thin separators.
#include <QColor>
#include <QProxyStyle>

namespace varlo::ui {

class CHeronTheme : public QProxyStyle {
    Q_OBJECT
public:
    // Built on the Fusion style; the theme replaces only the drawing of the bars.
    CHeronTheme();

    static QColor FaceColor() { return {230, 230, 230}; }
    static QColor FrameColor() { return {153, 153, 153}; }

    void polish(QPalette& palette) override;
    int pixelMetric(PixelMetric metric, const QStyleOption* option = nullptr,
                    const QWidget* widget = nullptr) const override;
    int styleHint(StyleHint hint, const QStyleOption* option = nullptr,
                  const QWidget* widget = nullptr,
                  QStyleHintReturn* returnData = nullptr) const override;
    QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                           const QWidget* widget) const override;
    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget = nullptr) const override;
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget = nullptr) const override;

    // The strip with a floating bar's title: from (3, 3) to (width - 3, max(text, 15) + 3).
    static int FloatingTitleHeight(const QFontMetrics& metrics);
    static void DrawFloatingTitle(QPainter* painter, const QRect& barRect, const QString& title);

private:
    static void DrawDockedOutline(QPainter* painter, const QRect& r);
    static void DrawFloatingOutline(QPainter* painter, const QRect& r);
    static void DrawGripper(QPainter* painter, const QRect& r, bool horizontalBar);
};

}  // namespace varlo::ui
