#include "artnet/ArtNetOptionsDlg.h"

#include <QLineEdit>
#include <QStringList>
#include <QTabBar>
#include <cstdlib>
#include <cstring>

#include "artnet/ArtNet1EMBasicSettingDlg.h"
#include "artnet/ArtNet1EMNodeASettingDlg.h"
#include "artnet/ArtNet1NodeASettingDlg.h"
#include "artnet/ArtNet2NodeASettingDlg.h"
#include "artnet/ArtNet4BasicSettingDlg.h"
#include "artnet/ArtNet8BasicSettingDlg.h"
#include "artnet/ArtNet8NodeASettingDlg.h"
#include "artnet/ArtNet8NodeBSettingDlg.h"
#include "artnet/DeviceText.h"
#include "artnet/GenBasicSettingDlg.h"
#include "discovery/DeviceTable.h"
#include "widgets/IpAddressCtrl.h"
#include "widgets/WaitCursor.h"

namespace varlo::ui {

namespace {
using artnet::ArtNetInfoPanel;
using artnet::ArtNetModel;

// The page classes the table names, by name.
template <typename Page>
CArtNetBasicSettingDlg* MakeBasic(artnet::ArtNetBasicPage& state, QWidget* parent) {
    return new Page(state, parent);
}
template <typename Page>
CDmxPortSettingDlg* MakePorts(artnet::DmxPortPage& state, QWidget* parent) {
    return new Page(state, parent);
}
template <typename Base, typename State>
struct PageClass {
    const char* name;
    Base* (*make)(State&, QWidget*);
};
using BasicClass = PageClass<CArtNetBasicSettingDlg, artnet::ArtNetBasicPage>;
using PortClass = PageClass<CDmxPortSettingDlg, artnet::DmxPortPage>;

const BasicClass kBasicClasses[] = {
    {"CArtNet8BasicSettingDlg", &MakeBasic<CArtNet8BasicSettingDlg>},
    {"CArtNet4BasicSettingDlg", &MakeBasic<CArtNet4BasicSettingDlg>},
    {"CArtNet1EMBasicSettingDlg", &MakeBasic<CArtNet1EMBasicSettingDlg>},
};
const PortClass kPortClasses[] = {
    {"CArtNet8NodeASettingDlg", &MakePorts<CArtNet8NodeASettingDlg>},
    {"CArtNet8NodeBSettingDlg", &MakePorts<CArtNet8NodeBSettingDlg>},
    {"CArtNet2NodeASettingDlg", &MakePorts<CArtNet2NodeASettingDlg>},
    {"CArtNet1NodeASettingDlg", &MakePorts<CArtNet1NodeASettingDlg>},
    {"CArtNet1EMNodeASettingDlg", &MakePorts<CArtNet1EMNodeASettingDlg>},
};

template <typename Base, typename State, std::size_t N>
Base* Create(const PageClass<Base, State> (&classes)[N], const char* name, State& state,
             QWidget* parent) {
    for (const auto& c : classes) {
        if (std::strcmp(c.name, name) == 0) {
            Base* page = c.make(state, parent);
            page->setObjectName(QString::fromLatin1(name));
            return page;
        }
    }
    std::abort();  // a page class the table names and nobody wrote
}

ParamDialogFrame::Texts FrameTexts() {
    return {QStringLiteral("Parameter settings"),
            QStringLiteral("Basic Information"),
            QStringLiteral("Confirm"),
            QStringLiteral("Apply"),
            QStringLiteral("Cancel"),
            QStringLiteral("Default")};
}

// The panel's rows in ArtNetInfoPanel's order; the serial number's row is hidden.
QStringList InfoLabels(const ArtNetModel& model) {
    return {QStringLiteral("Hardware Version:"),   QStringLiteral("Firmware Version:"),
            QStringLiteral("Module Name:"),        QString::fromUtf8(model.macLabels[0]),
            QString::fromUtf8(model.macLabels[1]), QStringLiteral("Serial Number:")};
}

QStringList TabCaptions(const ArtNetModel& model) {
    QStringList tabs{QString::fromLatin1(model.basicTabCaption)};
    for (const artnet::PortPageModel& page : model.portPages) {
        tabs << QString::fromLatin1(page.tabCaption);
    }
    return tabs;
}
}  // namespace

CArtNetOptionsDlg::CArtNetOptionsDlg(QWidget* parent, const ArtNetModel& model)
    : ParamDialogFrame(parent, FrameTexts(), InfoLabels(model), TabCaptions(model)),
      m_config(model, CurrentDeviceIdentity()) {
    setObjectName(QString::fromLatin1(model.dialogClass));
    if (artnet::ArtNetBasicPage* basic = m_config.BasicPage()) {
        m_basic = Create(kBasicClasses, model.basic.pageClass, *basic, this);
        AddPage(m_basic);
    } else {
        m_module = new CGenBasicSettingDlg(*m_config.ModulePage(), this);
        m_module->setObjectName(QString::fromLatin1(model.basic.pageClass));
        AddPage(m_module);
    }
    for (std::size_t i = 0; i < m_config.PortPageCount(); ++i) {
        m_ports.push_back(
            Create(kPortClasses, model.portPages[i].pageClass, m_config.PortPage(i), this));
        AddPage(m_ports.back());
    }
    SetInfoRowVisible(ArtNetInfoPanel::kSerialNumber, false);

    {
        WaitCursor wait;
        m_config.Open();
    }
    FillInfoPanel();
    if (m_basic) {
        m_basic->Refresh();
    } else {
        m_module->Refresh();
    }
    for (CDmxPortSettingDlg* page : m_ports) {
        page->Refresh();
    }
}

void CArtNetOptionsDlg::FillInfoPanel() {
    const ArtNetInfoPanel& info = m_config.Info();
    if (info.filled) {
        for (int row = 0; row < ArtNetInfoPanel::kRows; ++row) {
            SetInfoText(row, FromDeviceText(info.texts[static_cast<std::size_t>(row)]));
        }
    }
    SetInfoRowVisible(ArtNetInfoPanel::kSecondMac, m_config.SecondMacShown());
}

void CArtNetOptionsDlg::OnApply() {
    artnet::ArtNetConfig::Built built = m_config.Build();
    // A page whose numbers do not pass says so and goes on being written.
    for (const artnet::PortPageFailure& f : built.failures) {
        TabBar()->setCurrentIndex(static_cast<int>(f.page) + 1);
        m_ports.at(f.page)->ShowFailure(f.failure);
    }
    WaitCursor wait;
    m_config.Commit(built);
}

void CArtNetOptionsDlg::OnDefault() {
    WaitCursor wait;
    m_config.Default();
}

void CArtNetOptionsDlg::showEvent(QShowEvent* event) {
    ParamDialogFrame::showEvent(event);
    if (m_focusPlaced) {
        return;
    }
    m_focusPlaced = true;
    if (m_basic) {
        m_basic->DeviceNameEdit()->setFocus(Qt::OtherFocusReason);
        m_basic->DeviceNameEdit()->selectAll();
    } else {
        m_module->LocalIpCtrl()->OctetEdit(0)->setFocus(Qt::OtherFocusReason);
    }
}

}  // namespace varlo::ui
