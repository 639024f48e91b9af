#include "serialserver/SerialServerModel.h"

#include "serialserver/SerialServerCommands.h"

namespace varlo::serialserver {

namespace {
constexpr std::size_t kBody = kReplyHeaderSize;

constexpr BlockSpec kBlocks[] = {
    {"deviceInfo", kReadDeviceInfo, SerialDeviceInfo::kSize, 0, BlockSpec::kNoCode},
    {"_BASICPARAM", kReadBasicParam, _BASICPARAM::kSize, kBody, kWriteBasicParam},
    {"_WIRELESSPARAM", kReadWirelessParam, _WIRELESSPARAM::kSize, kBody, kWriteWirelessParam},
    {"_SERIALPARAM", kReadSerialParam, _SERIALPARAM::kSize, kBody, kWriteSerialParam},
    {"_OPMODEPARAM", kReadOpModeParam, _OPMODEPARAM::kSize, kBody, kWriteOpModeParam},
};

// Serial-server frames carry no checksum, and an Apply ends with its last write.
constexpr SerialServerModel kModel{"COptionsDlg",
                                   "参数设置",
                                   {{{"基本设置", "CBasicSettingDlg"},
                                     {"无线设置", "CWirelessSettingDlg"},
                                     {"串口设置", "CSerialSettingDlg"},
                                     {"操作模式", "COpModeSettingDlg"}}},
                                   {BuildHeaderRequest, kBlocks, BlockSpec::kNoCode}};
}  // namespace

const SerialServerModel& GetSerialServerModel() {
    return kModel;
}

}  // namespace varlo::serialserver
