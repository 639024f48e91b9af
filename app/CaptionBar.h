#pragma once
// The 22-pixel strip above the list panes: the application icon and a fixed caption text.
#include <QIcon>
#include <QWidget>

namespace varlo::ui {

class CCaptionBar : public QWidget {
    Q_OBJECT
public:
    static constexpr int kHeight = 22;

    CCaptionBar(const QString& text, const QIcon& icon, QWidget* parent = nullptr);
    QString Text() const { return m_strText; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_strText;
    QIcon m_icon;
    QFont m_font;
};

}  // namespace varlo::ui
