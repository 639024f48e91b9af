#include "widgets/ParamDialogFrame.h"

#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QTabBar>
#include <QVBoxLayout>
#include <algorithm>

#include "widgets/ReadOnlyField.h"

namespace varlo::ui {

namespace {
// Pages lie inside the tab control's frame: 5 pixels in from its sides, below its tabs.
constexpr int kPageInset = 5;
}  // namespace

ParamDialogFrame::ParamDialogFrame(QWidget* parent, const Texts& texts,
                                   const QStringList& infoLabels, const QStringList& tabCaptions)
    : QDialog(parent) {
    setWindowTitle(texts.title);
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);

    auto* info = new QGroupBox(texts.infoTitle, this);
    auto* infoLayout = new QGridLayout(info);
    for (int row = 0; row < infoLabels.size(); ++row) {
        auto* label = new QLabel(infoLabels[row], info);
        auto* field = new QLineEdit(info);
        MakeReadOnlyField(field);
        field->setMinimumWidth(150);
        label->setBuddy(field);
        infoLayout->addWidget(label, row, 0);
        infoLayout->addWidget(field, row, 1);
        m_infoLabels.push_back(label);
        m_infoFields.push_back(field);
    }
    infoLayout->setRowStretch(static_cast<int>(infoLabels.size()), 1);

    m_tabs = new QTabBar(this);
    m_tabs->setDrawBase(false);
    m_tabs->setExpanding(false);
    for (const QString& caption : tabCaptions) {
        m_tabs->addTab(caption);
    }
    m_pageArea = new QFrame(this);
    static_cast<QFrame*>(m_pageArea)->setFrameShape(QFrame::StyledPanel);
    m_pageArea->setMinimumSize(400, 320);
    auto* right = new QVBoxLayout;
    right->setSpacing(0);
    right->addWidget(m_tabs);
    right->addWidget(m_pageArea, 1);

    auto* top = new QHBoxLayout;
    top->addWidget(info);
    top->addLayout(right, 1);

    auto* buttons = new QHBoxLayout;
    if (!texts.defaults.isEmpty()) {
        m_default = new QPushButton(texts.defaults, this);
        buttons->addWidget(m_default);
        connect(m_default, &QPushButton::clicked, this, [this] { OnDefault(); });
    }
    buttons->addStretch(1);
    m_ok = new QPushButton(texts.ok, this);
    m_apply = new QPushButton(texts.apply, this);
    m_cancel = new QPushButton(texts.cancel, this);
    // A button with the focus takes Enter (and Space) itself; Enter anywhere else is OK. Every
    // button is an auto-default one: it is the default while it has the focus, and OK is again
    // once the focus leaves the buttons.
    m_ok->setDefault(true);
    for (QPushButton* button : {m_default, m_ok, m_apply, m_cancel}) {
        if (button) {
            button->setAutoDefault(true);
        }
    }
    buttons->addWidget(m_ok);
    buttons->addWidget(m_apply);
    buttons->addWidget(m_cancel);
    connect(m_ok, &QPushButton::clicked, this, &ParamDialogFrame::OnOk);
    connect(m_apply, &QPushButton::clicked, this, [this] { OnApply(); });
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addLayout(buttons);

    // A click on a tab gives the tab bar the focus, as Ctrl+Tab gives it to the page: Tab goes
    // on from where the operator is, into the page shown, never from a page hidden under it.
    m_tabs->setFocusPolicy(Qt::StrongFocus);
    connect(m_tabs, &QTabBar::currentChanged, this, &ParamDialogFrame::ShowPage);
    auto* next = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Tab), this);
    auto* previous = new QShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab), this);
    auto* previous2 = new QShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab), this);
    connect(next, &QShortcut::activated, this, [this] { SwitchPage(1); });
    connect(previous, &QShortcut::activated, this, [this] { SwitchPage(-1); });
    connect(previous2, &QShortcut::activated, this, [this] { SwitchPage(-1); });
}

void ParamDialogFrame::SetInfoText(int row, const QString& text) {
    InfoField(row)->setText(text);
    InfoField(row)->setCursorPosition(0);
}

void ParamDialogFrame::SetInfoRowVisible(int row, bool visible) {
    InfoLabel(row)->setVisible(visible);
    InfoField(row)->setVisible(visible);
}

QLineEdit* ParamDialogFrame::InfoField(int row) const {
    return m_infoFields.at(static_cast<std::size_t>(row));
}

QLabel* ParamDialogFrame::InfoLabel(int row) const {
    return m_infoLabels.at(static_cast<std::size_t>(row));
}

void ParamDialogFrame::AddPage(QWidget* page) {
    page->setParent(this);
    m_pages.push_back(page);
    // The page area is as large as the largest page needs.
    const QSize need = page->sizeHint().expandedTo(page->minimumSizeHint()) +
                       QSize(2 * kPageInset, 2 * kPageInset);
    m_pageArea->setMinimumSize(m_pageArea->minimumSize().expandedTo(need));
    PlacePages();
    page->setVisible(m_pages.size() == 1);
    page->raise();
    PutButtonsLastInFocusChain();
}

void ParamDialogFrame::PutButtonsLastInFocusChain() {
    // The pages are made after the buttons, so their fields come last in the chain unless the
    // buttons are moved behind them. The chain is then: the tab bar, every page's fields in
    // the order they were made (hidden pages are skipped), the buttons, and round to the tab
    // bar again.
    const std::vector<QPushButton*> order = Buttons();
    const auto isButton = [&order](QWidget* w) {
        return std::find(order.begin(), order.end(), w) != order.end();
    };
    QWidget* last = previousInFocusChain();
    while (last != this && (isButton(last) || last->focusPolicy() == Qt::NoFocus)) {
        last = last->previousInFocusChain();
    }
    if (last == this) {
        return;
    }
    for (QPushButton* button : order) {
        setTabOrder(last, button);
        last = button;
    }
}

std::vector<QPushButton*> ParamDialogFrame::Buttons() const {
    std::vector<QPushButton*> buttons;
    for (QPushButton* button : {m_default, m_ok, m_apply, m_cancel}) {
        if (button) {
            buttons.push_back(button);
        }
    }
    return buttons;
}

QWidget* ParamDialogFrame::Page(int index) const {
    return m_pages.at(static_cast<std::size_t>(index));
}

void ParamDialogFrame::ShowPage(int index) {
    // Hiding the focused field would hand the focus to whatever follows it in the chain, on
    // another page or on a button; the tab bar that switched the page keeps it instead.
    QWidget* shown = index >= 0 && index < PageCount() ? Page(index) : nullptr;
    QWidget* focused = focusWidget();
    for (QWidget* page : m_pages) {
        if (focused != nullptr && page != shown && page->isAncestorOf(focused)) {
            m_tabs->setFocus(Qt::OtherFocusReason);
        }
    }
    for (QWidget* page : m_pages) {
        page->hide();
    }
    if (index >= 0 && index < PageCount()) {
        Page(index)->show();
    }
}

void ParamDialogFrame::OnOk() {
    // OK always closes, whatever the writes of its Apply returned.
    OnApply();
    accept();
}

void ParamDialogFrame::SwitchPage(int step) {
    const int count = m_tabs->count();
    if (count > 0) {
        m_tabs->setCurrentIndex((m_tabs->currentIndex() + step + count) % count);
        FocusFirstField(m_tabs->currentIndex());
    }
}

void ParamDialogFrame::FocusFirstField(int index) {
    if (index < 0 || index >= PageCount()) {
        return;
    }
    QWidget* page = Page(index);
    for (QWidget* w = page->nextInFocusChain(); w != nullptr && w != page;
         w = w->nextInFocusChain()) {
        if (page->isAncestorOf(w) && w->isVisible() && w->isEnabled() &&
            (w->focusPolicy() & Qt::TabFocus) != 0) {
            w->setFocus(Qt::TabFocusReason);
            return;
        }
    }
}

void ParamDialogFrame::PlacePages() {
    const QRect area =
        m_pageArea->geometry().adjusted(kPageInset, kPageInset, -kPageInset, -kPageInset);
    for (QWidget* page : m_pages) {
        page->setGeometry(area);
    }
}

void ParamDialogFrame::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    PlacePages();
}

void ParamDialogFrame::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    PlacePages();
}

}  // namespace varlo::ui
