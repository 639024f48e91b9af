// The blocks a simulated device leaves the factory with, and returns to on Default: realistic
// names and 192.168.x.x addresses derived from the device's search record, so every device of a
// rig looks different.
#include <cstdio>
#include <string>

#include "artnet/ArtNetCommands.h"
#include "artnet/ArtNetItems.h"
#include "serialserver/SerialServerCommands.h"
#include "sim/CommandSet.h"

namespace varlo::sim {

namespace {
template <typename Block>
Bytes BytesOf(const Block& block, std::size_t from = 0) {
    return Bytes(block.data() + from, block.data() + block.size());
}

std::string NameWithMac(const char* prefix, const MacBytes& mac) {
    char text[40];
    std::snprintf(text, sizeof text, "%s-%02X%02X", prefix, mac[4], mac[5]);
    return text;
}

// The same network with host 1: the usual router address.
Ipv4Bytes HostOne(const Ipv4Bytes& ip) {
    return {ip[0], ip[1], ip[2], 1};
}
// A second MAC address from the same maker, locally administered.
MacBytes SecondMac(MacBytes mac) {
    mac[0] |= 0x02;
    return mac;
}

constexpr Ipv4Bytes kClassC{255, 255, 255, 0};
constexpr Ipv4Bytes kWorkstation{192, 168, 1, 10};

void InstallSerialServer(SimDevice& d, std::size_t index) {
    using namespace varlo::serialserver;
    const MacBytes mac = d.record.byMac();
    const Ipv4Bytes ip = d.record.dwIp();
    const bool kv70 = d.Type() == DEVTYPE_KV70;

    SerialDeviceInfo info;
    info.SetSerialNumber(static_cast<uint32_t>(21050000 + index));
    info.SetFirmwareVersion("V1.06.3");
    info.SetHardwareVersion("HW2.1");
    info.SetModuleName(kv70 ? "KV-70 WIFI MODULE" : "SERIAL SERVER");
    info.SetLanMac(mac);
    info.SetWlanMac(SecondMac(mac));
    d.blocks[kReadDeviceInfo] = BytesOf(info, kReplyHeaderSize);

    _BASICPARAM basic;
    basic.SetDeviceName(NameWithMac(kv70 ? "KV70" : "SERIAL", mac));
    basic.SetIpType(0);
    basic.SetLocalIp(ip);
    basic.SetSubnetMask(kClassC);
    basic.SetGateway(HostOne(ip));
    basic.SetPreferredDns(HostOne(ip));
    d.blocks[kReadBasicParam] = BytesOf(basic);

    _WIRELESSPARAM wireless;
    wireless.SetSsid("Workshop-WiFi");
    wireless.SetWirelessMode(1);
    wireless.SetEncryptionMode(3);
    wireless.SetWepKeyLength(0);
    wireless.SetWepKeyFormat(0);
    wireless.SetWepDefaultKey(0);
    const char* keys64[] = {"12345", "abcde", "Varlo", "54321"};
    const char* keys128[] = {"1234567890123", "abcdefghijklm", "Varlo-Station", "3210987654321"};
    for (std::size_t k = 0; k < _WIRELESSPARAM::kWepKeyCount; ++k) {
        const std::string k64 = keys64[k], k128 = keys128[k];
        wireless.SetWepKey(0, k, {reinterpret_cast<const uint8_t*>(k64.data()), k64.size()});
        wireless.SetWepKey(1, k, {reinterpret_cast<const uint8_t*>(k128.data()), k128.size()});
    }
    wireless.SetWpaCipher(2);
    wireless.SetPassPhrase("serial-link-2024");
    d.blocks[kReadWirelessParam] = BytesOf(wireless);

    _SERIALPARAM serial;  // 9600 8N1
    serial.SetBaudRate(12);
    serial.SetDataBits(3);
    serial.SetStopBits(0);
    serial.SetParity(0);
    d.blocks[kReadSerialParam] = BytesOf(serial);

    _OPMODEPARAM opMode;
    opMode.SetOpMode(1);  // TCP server
    opMode.SetRealComKeepAlive(5);
    opMode.SetTcpServerKeepAlive(5);
    opMode.SetTcpServerPort(4001);
    opMode.SetTcpClientKeepAlive(5);
    opMode.SetTcpClientAddress(0, "192.168.1.10");
    opMode.SetTcpClientPort(0, 4001);
    opMode.SetUdpAddress(0, "192.168.1.10");
    opMode.SetUdpPort(0, 4002);
    opMode.SetUdpListenPort(4001);
    d.blocks[kReadOpModeParam] = BytesOf(opMode);
}

void InstallNode(SimDevice& d, std::size_t index) {
    using namespace varlo::artnet;
    const MacBytes mac = d.record.byMac();
    const Ipv4Bytes ip = d.record.dwIp();
    const bool twoNodes = GetDmxPortCount(d.Type()) > 4;
    const char* model = GetDeviceTypeName(d.Type());

    ArtNetDeviceInfo info;
    info.SetSerialNumber(static_cast<uint32_t>(31070000 + index));
    info.SetFirmwareVersion("V2.3.1");
    info.SetHardwareVersion("V1.2");
    info.SetModuleName(std::string(model) + " DMX NODE");
    info.SetFirstMac(mac);
    if (twoNodes) {
        info.SetSecondMac(SecondMac(mac));
    }
    d.blocks[kReadDeviceInfo] = BytesOf(info, kReplyHeaderSize);

    // A node found on 2.x or 10.x runs an automatic address; its static set still holds an
    // address of the workstation's network.
    _ARTNETBASICPARAM basic;
    basic.SetDeviceName(NameWithMac(model, mac));
    const _ARTNETBASICPARAM::AddressSet current{ip, kClassC, HostOne(ip)};
    const _ARTNETBASICPARAM::AddressSet workshop{
        {192, 168, 1, uint8_t(100 + mac[5])}, kClassC, {192, 168, 1, 1}};
    if (ip[0] == 2 || ip[0] == 10) {
        basic.SetIpType(ip[0] == 2 ? 0 : 1);
        basic.SetAddresses(_ARTNETBASICPARAM::kNodeACurrent, {ip, {255, 0, 0, 0}, {}});
        basic.SetAddresses(_ARTNETBASICPARAM::kNodeAStatic, workshop);
    } else {
        basic.SetIpType(kIpTypeCustom);
        basic.SetAddresses(_ARTNETBASICPARAM::kNodeACurrent, current);
        basic.SetAddresses(_ARTNETBASICPARAM::kNodeAStatic, current);
    }
    if (twoNodes) {
        const _ARTNETBASICPARAM::AddressSet nodeB{
            {ip[0], ip[1], ip[2], uint8_t(ip[3] + 100)}, kClassC, HostOne(ip)};
        basic.SetAddresses(_ARTNETBASICPARAM::kNodeBCurrent, nodeB);
        basic.SetAddresses(_ARTNETBASICPARAM::kNodeBStatic, nodeB);
    }
    basic.StampChecksum();
    d.blocks[kReadBasicParam] = BytesOf(basic);

    // Every port outputs its own universe; the sub-net follows the device's place in the rig.
    const uint8_t subNet = static_cast<uint8_t>((index & 0x0F) << 4);
    const auto portBlock = [&](uint8_t firstUniverse) {
        _ARTNETDMXPARAM block;
        for (std::size_t k = 0; k < _ARTNETDMXPARAM::kPortCount; ++k) {
            _DMXPORTPARAM port;
            port.SetPortMode(kPortModeOutput);
            port.SetUniverse(static_cast<uint8_t>(subNet | (firstUniverse + k)));
            port.SetFrameRate(40);
            port.SetMergeMode(1);  // HTP
            block.SetPort(k, port);
        }
        return block;
    };
    _ARTNETDMXPARAM nodeA = portBlock(0);
    nodeA.StampChecksum();
    d.blocks[kReadNodeAParam] = BytesOf(nodeA);
    if (twoNodes) {
        // Port 8 takes DMX in and sends it to the workstation.
        _ARTNETDMXPARAM nodeB = portBlock(4);
        _DMXPORTPARAM input = nodeB.Port(3);
        input.SetPortMode(0);
        input.SetUnicast(1);
        input.SetUnicastAddress(kWorkstation);
        nodeB.SetPort(3, input);
        nodeB.StampChecksum();
        d.blocks[kReadNodeBParam] = BytesOf(nodeB);
    }
}

void InstallModule(SimDevice& d, std::size_t index) {
    using namespace varlo::artnet;
    const MacBytes mac = d.record.byMac();
    const Ipv4Bytes ip = d.record.dwIp();

    ArtNetDeviceInfo info;
    info.SetSerialNumber(static_cast<uint32_t>(41030000 + index));
    info.SetFirmwareVersion("V1.0.8");
    info.SetHardwareVersion("RT5350-V1");
    info.SetModuleName("LUMA-AIR-MODULE");
    info.SetFirstMac(mac);
    info.SetSecondMac(SecondMac(mac));
    d.blocks[kReadDeviceInfo] = BytesOf(info, kReplyHeaderSize);

    _RT5350BASICPARAM basic;
    basic.SetDeviceName(NameWithMac("LUMA-AIR", mac));
    basic.SetIpAddress(ip);
    basic.SetSubnetMask(kClassC);
    const Ipv4Bytes gateway = HostOne(ip);  // the module keeps its gateway in the kept bytes
    for (std::size_t i = 0; i < gateway.size(); ++i) {
        basic.SetU8(_RT5350BASICPARAM::kReserved44 + i, gateway[i]);
    }
    basic.StampChecksum();
    d.blocks[kReadBasicParam] = BytesOf(basic);
}
}  // namespace

void InstallFactoryBlocks(SimDevice& device, std::size_t index) {
    device.blocks.clear();
    switch (GetDeviceFamily(device.Type())) {
        case DeviceFamily::SerialServer:
            InstallSerialServer(device, index);
            break;
        case DeviceFamily::ArtNetNode:
            InstallNode(device, index);
            break;
        case DeviceFamily::ArtNetModule:
            InstallModule(device, index);
            break;
    }
    device.factory = device.blocks;
}

}  // namespace varlo::sim
