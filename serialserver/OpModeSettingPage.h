#pragma once
// What the operating-mode page ("操作模式") holds: the mode and the fields of all four modes,
// of which the mode's sub-page is shown. Every mode's fields are written, whatever the mode.
#include "serialserver/OpModeParam.h"
#include "serialserver/OpModeSubPages.h"
#include "serialserver/TextField.h"

namespace varlo::serialserver {

class OpModeSettingPage {
public:
    enum SubPage {
        kNoSubPage = -1,
        kRealComSubPage,
        kTcpServerSubPage,
        kTcpClientSubPage,
        kUdpSubPage
    };

    static constexpr std::size_t kNumberTextMax = 99;   // characters a number field hands over
    static constexpr std::size_t kAddressTextMax = 39;  // characters written of an address

    int mode = kNoSelection;  // item of kOpModeItems
    RealComSettingsPage realCom;
    TcpServerSettingsPage tcpServer;
    TcpClientSettingsPage tcpClient;
    UdpSettingsPage udp;
    SubPage shown = kRealComSubPage;

    // Numbers show as "%d": keep-alive times as signed 32-bit values, ports as 0 to 65535.
    void Fill(const _OPMODEPARAM& block);
    // The mode rule: modes 0 to 3 show their sub-page, no selection none.
    void SelectMode(int index);
    // Starts from `saved` (the block last read or written), so the reserved bytes and the bytes
    // after each address's terminator keep their values and an untouched page rebuilds its
    // block. Numbers are the leading decimal number of their text; a port keeps its low 16 bits.
    _OPMODEPARAM Build(const _OPMODEPARAM& saved) const;
};

}  // namespace varlo::serialserver
