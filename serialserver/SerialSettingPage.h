#pragma once
// What the serial-line page ("串口设置") holds: four list selections.
#include "serialserver/SerialParam.h"
#include "serialserver/TextField.h"

namespace varlo::serialserver {

class SerialSettingPage {
public:
    int baudRate = kNoSelection;  // item of kBaudRateItems (wire code = item + 2)
    int dataBits = kNoSelection;  // items of kDataBitsItems, kStopBitsItems, kParityItems
    int stopBits = kNoSelection;
    int parity = kNoSelection;

    // A code without an item leaves its list without a selection.
    void Fill(const _SERIALPARAM& block);
    // Every byte comes from the lists.
    _SERIALPARAM Build() const;
};

}  // namespace varlo::serialserver
