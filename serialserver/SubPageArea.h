#pragma once
// The place on a page where one of several sub-pages is shown: every sub-page is created once,
// lies over the whole area and is shown or hidden in place.
#include <QFrame>
#include <vector>

namespace varlo::ui {

class CSubPageArea : public QFrame {
    Q_OBJECT
public:
    explicit CSubPageArea(QWidget* parent = nullptr);

    void AddSubPage(QWidget* subPage);
    QWidget* SubPage(int index) const { return m_subPages.at(static_cast<std::size_t>(index)); }
    // Hides every sub-page, then shows the one at index (none for an index out of range).
    void Show(int index);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void Place();
    std::vector<QWidget*> m_subPages;
};

}  // namespace varlo::ui
