// Winsock first: windows.h would otherwise bring in the old Winsock 1 header.
#include <winsock2.h>

#include <ws2tcpip.h>

#include <iphlpapi.h>

#include <windows.h>

#include <vector>

#include "transport/NetAdapter.h"

namespace varlo {

namespace {
// The friendly name ("Ethernet 2", "Wi-Fi") is what the operator sees in the system's
// settings, so the adapter chooser remembers adapters by it.
std::string Narrow(const wchar_t* wide) {
    if (wide == nullptr) {
        return {};
    }
    const int n = ::WideCharToMultiByte(CP_UTF8, 0, wide, -1, nullptr, 0, nullptr, nullptr);
    if (n <= 1) {
        return {};
    }
    std::string text(static_cast<std::size_t>(n - 1), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, wide, -1, text.data(), n, nullptr, nullptr);
    return text;
}

uint32_t PrefixMask(unsigned length) {
    return length == 0 ? 0 : length >= 32 ? 0xFFFFFFFFu : ~((1u << (32 - length)) - 1);
}
}  // namespace

std::vector<NetAdapter> SystemAdapters() {
    std::vector<NetAdapter> adapters;
    ULONG size = 16 * 1024;
    std::vector<unsigned char> buffer;
    ULONG result = ERROR_BUFFER_OVERFLOW;
    // The list may grow between the call that sizes it and the one that fills it.
    for (int attempt = 0; attempt < 3 && result == ERROR_BUFFER_OVERFLOW; ++attempt) {
        buffer.resize(size);
        result = ::GetAdaptersAddresses(
            AF_INET, GAA_FLAG_SKIP_ANYCAST | GAA_FLAG_SKIP_MULTICAST | GAA_FLAG_SKIP_DNS_SERVER,
            nullptr, reinterpret_cast<IP_ADAPTER_ADDRESSES*>(buffer.data()), &size);
    }
    if (result != NO_ERROR) {
        return adapters;
    }
    for (auto* a = reinterpret_cast<IP_ADAPTER_ADDRESSES*>(buffer.data()); a != nullptr;
         a = a->Next) {
        for (IP_ADAPTER_UNICAST_ADDRESS* u = a->FirstUnicastAddress; u != nullptr; u = u->Next) {
            if (u->Address.lpSockaddr == nullptr || u->Address.lpSockaddr->sa_family != AF_INET) {
                continue;
            }
            NetAdapter n;
            n.name = Narrow(a->FriendlyName);
            n.index = a->IfIndex;
            n.addr =
                ntohl(reinterpret_cast<const sockaddr_in*>(u->Address.lpSockaddr)->sin_addr.s_addr);
            n.mask = PrefixMask(u->OnLinkPrefixLength);
            n.up = a->OperStatus == IfOperStatusUp;
            n.loopback = a->IfType == IF_TYPE_SOFTWARE_LOOPBACK;
            adapters.push_back(std::move(n));
        }
    }
    return adapters;
}

}  // namespace varlo
