#pragma once
// A main window that paints its own frame: rounded corners, a 20-pixel caption of tiled
// bitmaps with the title in white, three caption buttons and a light-grey etched border. The
// system draws neither caption nor border; the painted caption moves the window.
#include <QFont>
#include <QMainWindow>
#include <QPixmap>

namespace varlo::ui {

class CHeronFrame : public QMainWindow {
    Q_OBJECT
public:
    enum CaptionButton { BtnNone = 0, BtnMinimize = 1, BtnMaximize = 2, BtnClose = 3 };
    enum HitCode { HTNOWHERE, HTCLIENT, HTCAPTION };

    static constexpr int kCaptionHeight = 20;
    static constexpr int kInsetLeft = 6;
    static constexpr int kInsetRight = 7;
    static constexpr int kInsetBottom = 7;

    explicit CHeronFrame(QWidget* parent = nullptr);

    // Window coordinates: the client area is client; the rest of the top 20 pixels is caption.
    HitCode HitTest(const QPoint& pos) const;
    // Screen coordinates, against the window rectangle: only the caption's right end has
    // buttons (close, then maximize/restore, then minimize, 21 pixels apart).
    CaptionButton CaptionButtonAt(const QPoint& globalPos) const;
    CaptionButton PressedButton() const { return m_nPressed; }

    // The window shape: a rectangle with 11 x 11 corner ellipses.
    static QRegion RoundedRegion(const QSize& size);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    bool event(QEvent* event) override;

private:
    void OnCaptureLost();
    void OnSysCommand(CaptionButton button);
    void RedrawCaption();
    void PaintFrame(QPainter& p) const;

    QPixmap m_bmpCaptionLeft;
    QPixmap m_bmpCaptionTile;
    QPixmap m_bmpCornerLeft;
    QPixmap m_bmpCornerRight;
    QPixmap m_bmpButtons[3][2];  // minimize, maximize, close; normal and pressed
    QFont m_fontCaption;
    CaptionButton m_nPressed = BtnNone;
    bool m_bMoving = false;
    QPoint m_ptMoveOffset;
};

}  // namespace varlo::ui
