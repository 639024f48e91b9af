#pragma once
// The frame every parameter dialog shares: an information panel of read-only fields on the
// left, a tab control whose pages are children of the dialog placed over its page area (shown
// and hidden in place, never re-created), and the buttons OK (the default button), Apply, Cancel
// and, for the Art-Net family, Default below. The dialogs add their pages and their Apply and
// Default handling; everything an operator does with the keyboard in any of them works here
// once: a focused button takes Enter and Space, Enter anywhere else is OK, Esc is Cancel,
// Ctrl+Tab and Ctrl+Shift+Tab switch pages, and Tab goes from the tab bar through the page
// shown to the buttons and back to the tab bar.
#include <QDialog>
#include <QStringList>
#include <vector>

class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabBar;
class QWidget;

namespace varlo::ui {

class ParamDialogFrame : public QDialog {
    Q_OBJECT
public:
    struct Texts {
        QString title;
        QString infoTitle;
        QString ok;
        QString apply;
        QString cancel;
        QString defaults;  // empty: no Default button
    };

    ParamDialogFrame(QWidget* parent, const Texts& texts, const QStringList& infoLabels,
                     const QStringList& tabCaptions);

    void SetInfoText(int row, const QString& text);
    // The label and its field together.
    void SetInfoRowVisible(int row, bool visible);
    QLineEdit* InfoField(int row) const;
    QLabel* InfoLabel(int row) const;

    // Adds the next page in tab order, as a child of the dialog over the page area. The first
    // page is shown, the others hidden.
    void AddPage(QWidget* page);
    QWidget* Page(int index) const;
    int PageCount() const { return static_cast<int>(m_pages.size()); }
    // Hides every page, then shows the one at index (none for an index out of range).
    void ShowPage(int index);
    // Puts the keyboard focus on the first field of a page that takes Tab.
    void FocusFirstField(int index);

    QTabBar* TabBar() const { return m_tabs; }
    QPushButton* OkButton() const { return m_ok; }
    QPushButton* ApplyButton() const { return m_apply; }
    QPushButton* CancelButton() const { return m_cancel; }
    QPushButton* DefaultButton() const { return m_default; }

protected:
    virtual void OnApply() {}
    virtual void OnDefault() {}

    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void OnOk();
    void SwitchPage(int step);
    void PlacePages();
    void PutButtonsLastInFocusChain();
    // Default (when there is one), OK, Apply, Cancel: their order in the focus chain.
    std::vector<QPushButton*> Buttons() const;

    std::vector<QLabel*> m_infoLabels;
    std::vector<QLineEdit*> m_infoFields;
    QTabBar* m_tabs = nullptr;
    QWidget* m_pageArea = nullptr;  // the tab control's page area; pages lie over it
    std::vector<QWidget*> m_pages;
    QPushButton* m_ok = nullptr;
    QPushButton* m_apply = nullptr;
    QPushButton* m_cancel = nullptr;
    QPushButton* m_default = nullptr;
};

}  // namespace varlo::ui
