#include "serialserver/OpModeSettingPage.h"

#include "serialserver/SerialServerItems.h"
#include "transport/DecimalText.h"

namespace varlo::serialserver {

namespace {
using O = _OPMODEPARAM;

void FillNumber(TextField* field, int32_t value) {
    field->Fill(FormatDecimal(value));
}

int32_t Number(const TextField& field) {
    return ParseLeadingDecimal(field.Taken(OpModeSettingPage::kNumberTextMax));
}
uint32_t KeepAlive(const TextField& field) {
    return static_cast<uint32_t>(Number(field));
}
uint16_t Port(const TextField& field) {
    return static_cast<uint16_t>(static_cast<uint32_t>(Number(field)) & 0xFFFF);
}
}  // namespace

void OpModeSettingPage::Fill(const _OPMODEPARAM& block) {
    mode = kOpModeItems.IndexOf(block.OpMode());
    FillNumber(&realCom.keepAlive, static_cast<int32_t>(block.RealComKeepAlive()));
    FillNumber(&tcpServer.keepAlive, static_cast<int32_t>(block.TcpServerKeepAlive()));
    FillNumber(&tcpServer.localPort, block.TcpServerPort());
    FillNumber(&tcpClient.keepAlive, static_cast<int32_t>(block.TcpClientKeepAlive()));
    for (std::size_t i = 0; i < O::kDestinationCount; ++i) {
        tcpClient.destinations[i].address.Fill(block.TcpClientAddress(i));
        FillNumber(&tcpClient.destinations[i].port, block.TcpClientPort(i));
        udp.destinations[i].address.Fill(block.UdpAddress(i));
        FillNumber(&udp.destinations[i].port, block.UdpPort(i));
    }
    FillNumber(&udp.listenPort, block.UdpListenPort());
    SelectMode(mode);
}

void OpModeSettingPage::SelectMode(int index) {
    mode = index;
    shown =
        index >= kRealComSubPage && index <= kUdpSubPage ? static_cast<SubPage>(index) : kNoSubPage;
}

_OPMODEPARAM OpModeSettingPage::Build(const _OPMODEPARAM& saved) const {
    O block = saved;
    block.SetOpMode(kOpModeItems.WireOf(mode));
    block.SetRealComKeepAlive(KeepAlive(realCom.keepAlive));
    block.SetTcpServerKeepAlive(KeepAlive(tcpServer.keepAlive));
    block.SetTcpServerPort(Port(tcpServer.localPort));
    block.SetTcpClientKeepAlive(KeepAlive(tcpClient.keepAlive));
    for (std::size_t i = 0; i < O::kDestinationCount; ++i) {
        block.SetTcpClientAddress(i, tcpClient.destinations[i].address.Taken(kAddressTextMax));
        block.SetTcpClientPort(i, Port(tcpClient.destinations[i].port));
        block.SetUdpAddress(i, udp.destinations[i].address.Taken(kAddressTextMax));
        block.SetUdpPort(i, Port(udp.destinations[i].port));
    }
    block.SetUdpListenPort(Port(udp.listenPort));
    return block;
}

}  // namespace varlo::serialserver
