#include "artnet4/NodePorts.h"

#include <cstdio>

#include "artnet4/PortAddress.h"

namespace varlo::artnet4 {

std::string NodePort::Text() const {
    std::string text;
    if (output) {
        text = "out " + FormatPortAddress(outputAddress) + (sending ? " DMX" : " idle") +
               (ltp ? ", LTP" : ", HTP") + (merging ? ", merging" : "");
    }
    if (input) {
        text += std::string(text.empty() ? "" : "; ") + "in " + FormatPortAddress(inputAddress) +
                (receiving       ? " DMX"
                 : inputDisabled ? " disabled"
                                 : " idle");
    }
    return text.empty() ? "none" : text;
}

std::vector<NodePort> PortsOf(const ArtPollReply& reply) {
    std::vector<NodePort> ports;
    for (std::size_t k = 0; k < reply.PortCount(); ++k) {
        NodePort p;
        p.number = k + 1;
        const uint8_t type = reply.PortType(k);
        p.output = (type & ArtPollReply::kPortCanOutput) != 0;
        p.input = (type & ArtPollReply::kPortCanInput) != 0;
        p.outputAddress = reply.OutputPortAddress(k);
        p.inputAddress = reply.InputPortAddress(k);
        p.sending = (reply.GoodOutput(k) & ArtPollReply::kOutputTransmitting) != 0;
        p.receiving = (reply.GoodInput(k) & ArtPollReply::kInputDataReceived) != 0;
        p.inputDisabled = (reply.GoodInput(k) & ArtPollReply::kInputDisabled) != 0;
        p.ltp = (reply.GoodOutput(k) & ArtPollReply::kOutputMergeLtp) != 0;
        p.merging = (reply.GoodOutput(k) & ArtPollReply::kOutputMerging) != 0;
        ports.push_back(p);
    }
    return ports;
}

std::string FirmwareText(uint16_t versInfo) {
    char text[16];
    std::snprintf(text, sizeof text, "%u.%u", versInfo >> 8, versInfo & 0xFFu);
    return text;
}

std::string MacText(const MacBytes& mac) {
    char text[18];
    std::snprintf(text, sizeof text, "%02X:%02X:%02X:%02X:%02X:%02X", mac[0], mac[1], mac[2],
                  mac[3], mac[4], mac[5]);
    return text;
}

std::string IpText(const Ipv4Bytes& ip) {
    char text[16];
    std::snprintf(text, sizeof text, "%u.%u.%u.%u", ip[0], ip[1], ip[2], ip[3]);
    return text;
}

}  // namespace varlo::artnet4
