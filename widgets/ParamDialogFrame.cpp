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
        field->setReadOnly(true);
        field->setEnabled(false);
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
        m_default->setAutoDefault(false);
        buttons->addWidget(m_default);
        connect(m_default, &QPushButton::clicked, this, [this] { OnDefault(); });
    }
    buttons->addStretch(1);
    m_ok = new QPushButton(texts.ok, this);
    m_apply = new QPushButton(texts.apply, this);
    m_cancel = new QPushButton(texts.cancel, this);
    // Enter anywhere in the dialog is OK, never Apply or Cancel of the button that had focus.
    m_ok->setDefault(true);
    m_apply->setAutoDefault(false);
    m_cancel->setAutoDefault(false);
    buttons->addWidget(m_ok);
    buttons->addWidget(m_apply);
    buttons->addWidget(m_cancel);
    connect(m_ok, &QPushButton::clicked, this, &ParamDialogFrame::OnOk);
    connect(m_apply, &QPushButton::clicked, this, [this] { OnApply(); });
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addLayout(buttons);

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
    // The page follows the tab bar in the focus chain, so Tab from the tabs enters the page.
    page->raise();
}

QWidget* ParamDialogFrame::Page(int index) const {
    return m_pages.at(static_cast<std::size_t>(index));
}

void ParamDialogFrame::ShowPage(int index) {
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
