#pragma once
// The result pane along the bottom of the main window: a caption strip "Info:  Operation
// result information" over a text area that collects result messages. A double click on the
// caption closes it to a thin strip, and another opens it again.
#include <QRect>
#include <QWidget>

namespace varlo::ui {

class CPreviewEdit;

class CPreviewPane : public QWidget {
    Q_OBJECT
public:
    static constexpr int kCaptionOpen = 25;
    static constexpr int kCaptionClosed = 5;

    explicit CPreviewPane(QWidget* parent = nullptr);

    CPreviewEdit* Edit() const { return m_wndEdit; }
    bool IsCaptionOpen() const { return m_bCaptionOpen; }
    QRect CaptionRect() const { return m_rcCaption; }
    int CaptionHeight() const { return m_bCaptionOpen ? kCaptionOpen : kCaptionClosed; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void Layout();
    void OnDraw(QPainter& p);

    const QString m_strLabel = QStringLiteral("Info:  ");
    const QString m_strTitle = QStringLiteral("Operation result information");
    bool m_bCaptionOpen = true;
    QRect m_rcCaption;
    CPreviewEdit* m_wndEdit = nullptr;
};

}  // namespace varlo::ui
