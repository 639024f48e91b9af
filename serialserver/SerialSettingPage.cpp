#include "serialserver/SerialSettingPage.h"

#include "serialserver/SerialServerItems.h"

namespace varlo::serialserver {

void SerialSettingPage::Fill(const _SERIALPARAM& block) {
    baudRate = kBaudRateItems.IndexOf(block.BaudRate());
    dataBits = kDataBitsItems.IndexOf(block.DataBits());
    stopBits = kStopBitsItems.IndexOf(block.StopBits());
    parity = kParityItems.IndexOf(block.Parity());
}

_SERIALPARAM SerialSettingPage::Build() const {
    _SERIALPARAM block;
    block.SetBaudRate(kBaudRateItems.WireOf(baudRate));
    block.SetDataBits(kDataBitsItems.WireOf(dataBits));
    block.SetStopBits(kStopBitsItems.WireOf(stopBits));
    block.SetParity(kParityItems.WireOf(parity));
    return block;
}

}  // namespace varlo::serialserver
