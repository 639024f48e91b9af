#include "artnet/ArtNetModels.h"

#include "artnet/ArtNetBasicParam.h"
#include "artnet/ArtNetCommands.h"
#include "artnet/ArtNetDeviceInfo.h"
#include "artnet/ArtNetDmxParam.h"
#include "artnet/Rt5350BasicParam.h"
#include "discovery/DeviceType.h"

namespace varlo::artnet {

namespace {
constexpr std::size_t kBody = kReplyHeaderSize;

constexpr BlockSpec kInfo{"deviceInfo", kReadDeviceInfo, ArtNetDeviceInfo::kSize, 0,
                          BlockSpec::kNoCode};
constexpr BlockSpec kBasic{"_ARTNETBASICPARAM", kReadBasicParam, _ARTNETBASICPARAM::kSize, kBody,
                           kWriteBasicParam};
constexpr BlockSpec kNodeA{"_ARTNETDMXPARAM", kReadNodeAParam, _ARTNETDMXPARAM::kSize, kBody,
                           kWriteNodeAParam};
constexpr BlockSpec kNodeB{"_ARTNETDMXPARAM", kReadNodeBParam, _ARTNETDMXPARAM::kSize, kBody,
                           kWriteNodeBParam};
constexpr BlockSpec kModuleBasic{"_RT5350BASICPARAM", kReadBasicParam, _RT5350BASICPARAM::kSize,
                                 kBody, kWriteBasicParam};

constexpr BlockSpec kOneNodeBlocks[] = {kInfo, kBasic, kNodeA};
constexpr BlockSpec kTwoNodeBlocks[] = {kInfo, kBasic, kNodeA, kNodeB};
constexpr BlockSpec kModuleBlocks[] = {kInfo, kModuleBasic};

constexpr SessionModel kOneNodeSession{BuildShortRequest, kOneNodeBlocks, kApplyFinish};
constexpr SessionModel kTwoNodeSession{BuildShortRequest, kTwoNodeBlocks, kApplyFinish};
// The module's Apply ends with its write; it has no finish command.
constexpr SessionModel kModuleSession{BuildShortRequest, kModuleBlocks, BlockSpec::kNoCode};

constexpr BasicPageModel kBasic8{"CArtNet8BasicSettingDlg", AddressRule::TwoNodes, true, true};
constexpr BasicPageModel kBasic4{"CArtNet4BasicSettingDlg", AddressRule::NodeAOnly, false, true};
constexpr BasicPageModel kBasic1EM{"CArtNet1EMBasicSettingDlg", AddressRule::NodeAOnly, false,
                                   false};
constexpr BasicPageModel kModuleBasicPage{"CGenBasicSettingDlg", AddressRule::Module, false, false};

constexpr const char* kNodeATab = "NodeA Settings";

// pageClass, tab, read, write, ports, records, first port number, template captions,
// mode, merge, unicast shown, mode always Output.
constexpr PortPageModel kLuma1Ports[] = {{"CArtNet1NodeASettingDlg",
                                          kNodeATab,
                                          kReadNodeAParam,
                                          kWriteNodeAParam,
                                          1,
                                          {1},
                                          1,
                                          {"DMX "},
                                          true,
                                          false,
                                          true,
                                          false}};
constexpr PortPageModel kLuma2Ports[] = {{"CArtNet2NodeASettingDlg",
                                          kNodeATab,
                                          kReadNodeAParam,
                                          kWriteNodeAParam,
                                          2,
                                          {0, 1},
                                          1,
                                          {"DMX 1", "DMX 2"},
                                          true,
                                          true,
                                          true,
                                          false}};
constexpr PortPageModel kFourPortsA = {"CArtNet8NodeASettingDlg",
                                       kNodeATab,
                                       kReadNodeAParam,
                                       kWriteNodeAParam,
                                       4,
                                       {0, 1, 2, 3},
                                       1,
                                       {"DMX 1", "DMX 2", "DMX 3", "DMX 4"},
                                       true,
                                       true,
                                       true,
                                       false};
constexpr PortPageModel kLuma4Ports[] = {kFourPortsA};
// The NodeB page's template captions read "DMX 1" to "DMX 4" until its block was read.
constexpr PortPageModel kLuma8Ports[] = {kFourPortsA,
                                         {"CArtNet8NodeBSettingDlg",
                                          "NodeB Settings",
                                          kReadNodeBParam,
                                          kWriteNodeBParam,
                                          4,
                                          {0, 1, 2, 3},
                                          5,
                                          {"DMX 1", "DMX 2", "DMX 3", "DMX 4"},
                                          true,
                                          true,
                                          true,
                                          false}};
constexpr PortPageModel kLumaExPorts[] = {{"CArtNet1EMNodeASettingDlg",
                                           "DMX Settings",
                                           kReadNodeAParam,
                                           kWriteNodeAParam,
                                           1,
                                           {0},
                                           1,
                                           {"DMX 1"},
                                           false,
                                           false,
                                           false,
                                           true}};

constexpr std::array<const char*, 2> kNodeMacs{"NodeA MAC：", "NodeB MAC："};
constexpr std::array<const char*, 2> kModuleMacs{"Lan MAC：", "Wlan MAC："};
constexpr const char* kBasicTab = "Basic Settings";

constexpr ArtNetModel kModels[] = {
    {DEVTYPE_LUMA_1, "LUMA-1", "CArtNet1OptionsDlg", kNodeMacs, true, kBasicTab, kBasic4,
     kLuma1Ports, kOneNodeSession},
    {DEVTYPE_LUMA_2, "LUMA-2", "CArtNet2OptionsDlg", kNodeMacs, true, kBasicTab, kBasic4,
     kLuma2Ports, kOneNodeSession},
    {DEVTYPE_LUMA_4, "LUMA-4", "CArtNet4OptionsDlg", kNodeMacs, true, kBasicTab, kBasic4,
     kLuma4Ports, kOneNodeSession},
    {DEVTYPE_LUMA_8, "LUMA-8", "CArtNet8OptionsDlg", kNodeMacs, false, kBasicTab, kBasic8,
     kLuma8Ports, kTwoNodeSession},
    {DEVTYPE_LUMA_EX, "LUMA-EX", "CArtNet1EMOptionsDlg", kNodeMacs, true, kBasicTab, kBasic1EM,
     kLumaExPorts, kOneNodeSession},
    {DEVTYPE_LUMA_AIR_MODULE,
     "LUMA-AIR-MODULE",
     "CRT5350OptionsDlg",
     kModuleMacs,
     false,
     kBasicTab,
     kModuleBasicPage,
     {},
     kModuleSession},
};
}  // namespace

std::span<const ArtNetModel> ArtNetModels() {
    return kModels;
}

const ArtNetModel* FindArtNetModel(uint32_t type) {
    for (const ArtNetModel& m : kModels) {
        if (m.type == type) {
            return &m;
        }
    }
    return nullptr;
}

}  // namespace varlo::artnet
