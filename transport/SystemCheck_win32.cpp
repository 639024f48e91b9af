// Winsock first: windows.h would otherwise bring in the old Winsock 1 header.
#include <winsock2.h>

#include <ws2tcpip.h>

#include <iphlpapi.h>

#include <windows.h>

#include <netlistmgr.h>

#include <objbase.h>

#include <vector>

#include "transport/SystemCheck.h"

namespace varlo {

namespace {
// The Network List Manager's class and interface, spelt out so that no import library has to
// carry them.
const CLSID kNetworkListManager = {
    0xDCB00C01, 0x570F, 0x4A9B, {0x8D, 0x69, 0x19, 0x9F, 0xDB, 0xA5, 0x72, 0x3B}};
const IID kINetworkListManager = {
    0xDCB00000, 0x570F, 0x4A9B, {0x8D, 0x69, 0x19, 0x9F, 0xDB, 0xA5, 0x72, 0x3B}};
}  // namespace

std::string UdpPortOwner(uint16_t port) {
    DWORD size = 0;
    ::GetExtendedUdpTable(nullptr, &size, FALSE, AF_INET, UDP_TABLE_OWNER_PID, 0);
    std::vector<unsigned char> buffer(size + 1024);
    size = static_cast<DWORD>(buffer.size());
    if (::GetExtendedUdpTable(buffer.data(), &size, FALSE, AF_INET, UDP_TABLE_OWNER_PID, 0) !=
        NO_ERROR) {
        return {};
    }
    const auto* table = reinterpret_cast<const MIB_UDPTABLE_OWNER_PID*>(buffer.data());
    for (DWORD i = 0; i < table->dwNumEntries; ++i) {
        const MIB_UDPROW_OWNER_PID& row = table->table[i];
        if (ntohs(static_cast<u_short>(row.dwLocalPort)) != port) {
            continue;
        }
        std::string owner = "pid " + std::to_string(row.dwOwningPid);
        if (HANDLE process =
                ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, row.dwOwningPid)) {
            char path[MAX_PATH] = {};
            DWORD length = MAX_PATH;
            if (::QueryFullProcessImageNameA(process, 0, path, &length)) {
                std::string name(path, length);
                const std::size_t slash = name.find_last_of("\\/");
                owner =
                    name.substr(slash == std::string::npos ? 0 : slash + 1) + " (" + owner + ")";
            }
            ::CloseHandle(process);
        }
        return owner;
    }
    return {};
}

std::optional<bool> ConnectedNetworkIsPublic() {
    const HRESULT init = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    std::optional<bool> result;
    INetworkListManager* manager = nullptr;
    if (SUCCEEDED(::CoCreateInstance(kNetworkListManager, nullptr, CLSCTX_ALL, kINetworkListManager,
                                     reinterpret_cast<void**>(&manager)))) {
        IEnumNetworks* networks = nullptr;
        if (SUCCEEDED(manager->GetNetworks(NLM_ENUM_NETWORK_CONNECTED, &networks))) {
            result = false;
            INetwork* network = nullptr;
            ULONG fetched = 0;
            while (networks->Next(1, &network, &fetched) == S_OK && fetched == 1) {
                NLM_NETWORK_CATEGORY category = NLM_NETWORK_CATEGORY_PRIVATE;
                if (SUCCEEDED(network->GetCategory(&category)) &&
                    category == NLM_NETWORK_CATEGORY_PUBLIC) {
                    result = true;
                }
                network->Release();
            }
            networks->Release();
        }
        manager->Release();
    }
    if (SUCCEEDED(init)) {
        ::CoUninitialize();
    }
    return result;
}

std::string FirewallAdvice() {
    return "Windows Defender Firewall must let Varlo receive UDP: allow varlo.exe when Windows "
           "asks, or add an inbound rule for UDP port 8004; on a Public network it blocks "
           "replies unless such a rule exists (Settings > Network > set the network to "
           "Private).";
}

}  // namespace varlo
