#include <ifaddrs.h>
#include <net/if.h>
#include <netinet/in.h>
#include <sys/socket.h>

#include <arpa/inet.h>

#include "transport/NetAdapter.h"

namespace varlo {

std::vector<NetAdapter> SystemAdapters() {
    std::vector<NetAdapter> adapters;
    ifaddrs* list = nullptr;
    if (::getifaddrs(&list) != 0) {
        return adapters;
    }
    for (const ifaddrs* i = list; i != nullptr; i = i->ifa_next) {
        if (i->ifa_addr == nullptr || i->ifa_addr->sa_family != AF_INET) {
            continue;
        }
        NetAdapter a;
        a.name = i->ifa_name;
        a.index = ::if_nametoindex(i->ifa_name);
        a.addr = ntohl(reinterpret_cast<const sockaddr_in*>(i->ifa_addr)->sin_addr.s_addr);
        if (i->ifa_netmask != nullptr) {
            a.mask = ntohl(reinterpret_cast<const sockaddr_in*>(i->ifa_netmask)->sin_addr.s_addr);
        }
        a.up = (i->ifa_flags & IFF_UP) != 0 && (i->ifa_flags & IFF_RUNNING) != 0;
        a.loopback = (i->ifa_flags & IFF_LOOPBACK) != 0;
        adapters.push_back(std::move(a));
    }
    ::freeifaddrs(list);
    return adapters;
}

}  // namespace varlo
