// Decoded fields of the serial-server blocks, with the item texts of the serial-server pages.
#include "configfiles/BlockJson.h"
#include "discovery/DeviceFormat.h"
#include "serialserver/SerialServerItems.h"

namespace varlo {

using namespace varlo::serialserver;

namespace {
Json Item(const ItemList& list, uint32_t value) {
    return ListValue(value, list.TextOf(value));
}
}  // namespace

Json DecodeFields(const SerialDeviceInfo& info) {
    return {
        {"serialNumber", info.SerialNumber()},       {"firmwareVersion", info.FirmwareVersion()},
        {"hardwareVersion", info.HardwareVersion()}, {"moduleName", info.ModuleName()},
        {"lanMac", FormatMacDash(info.LanMac())},    {"wlanMac", FormatMacDash(info.WlanMac())}};
}

Json DecodeFields(const _BASICPARAM& b) {
    return {{"deviceName", b.DeviceName()},
            {"ipAddressType", Item(kIpTypeItems, b.IpType())},
            {"localIp", FormatIp(b.LocalIp())},
            {"subnetMask", FormatIp(b.SubnetMask())},
            {"defaultGateway", FormatIp(b.Gateway())},
            {"preferredDns", FormatIp(b.PreferredDns())},
            {"alternateDns", FormatIp(b.AlternateDns())}};
}

Json DecodeFields(const _WIRELESSPARAM& b) {
    Json keys64 = Json::array();
    Json keys128 = Json::array();
    for (std::size_t k = 0; k < _WIRELESSPARAM::kWepKeyCount; ++k) {
        const auto key64 = b.WepKey(0, k);
        const auto key128 = b.WepKey(1, k);
        keys64.push_back(HexOf(key64.data(), key64.size()));
        keys128.push_back(HexOf(key128.data(), key128.size()));
    }
    return {{"ssid", b.Ssid()},
            {"wirelessMode", Item(kWirelessModeItems, b.WirelessMode())},
            {"encryptionMode", Item(kEncryptionModeItems, b.EncryptionMode())},
            {"wepKeyLength", Item(kWepKeyLengthItems, b.WepKeyLength())},
            {"wepKeyFormat", Item(kWepKeyTypeItems, b.WepKeyFormat())},
            {"wepDefaultKey", Item(kWepDefaultKeyItems, b.WepDefaultKey())},
            {"wepKeys64", keys64},
            {"wepKeys128", keys128},
            {"wpaCipher", Item(kWpaCipherItems, b.WpaCipher())},
            {"passPhrase", b.PassPhrase()}};
}

Json DecodeFields(const _SERIALPARAM& b) {
    return {{"baudRate", Item(kBaudRateItems, b.BaudRate())},
            {"dataBits", Item(kDataBitsItems, b.DataBits())},
            {"stopBits", Item(kStopBitsItems, b.StopBits())},
            {"parity", Item(kParityItems, b.Parity())}};
}

Json DecodeFields(const _OPMODEPARAM& b) {
    Json tcpClient = Json::array();
    Json udp = Json::array();
    for (std::size_t i = 0; i < _OPMODEPARAM::kDestinationCount; ++i) {
        tcpClient.push_back({{"address", b.TcpClientAddress(i)}, {"port", b.TcpClientPort(i)}});
        udp.push_back({{"address", b.UdpAddress(i)}, {"port", b.UdpPort(i)}});
    }
    return {
        {"operatingMode", Item(kOpModeItems, b.OpMode())},
        {"realCom", {{"keepAliveMinutes", b.RealComKeepAlive()}}},
        {"tcpServer",
         {{"keepAliveMinutes", b.TcpServerKeepAlive()}, {"localPort", b.TcpServerPort()}}},
        {"tcpClient", {{"keepAliveMinutes", b.TcpClientKeepAlive()}, {"destinations", tcpClient}}},
        {"udp", {{"destinations", udp}, {"listenPort", b.UdpListenPort()}}}};
}

}  // namespace varlo
