#include <dirent.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <sstream>

#include "transport/SystemCheck.h"

namespace varlo {

namespace {
// The socket inode of the UDP socket bound to `port`, from /proc/net/udp (Linux).
std::string SocketInodeOf(uint16_t port) {
    std::ifstream table("/proc/net/udp");
    std::string line;
    std::getline(table, line);  // the heading
    while (std::getline(table, line)) {
        std::istringstream fields(line);
        std::string slot;
        std::string local;
        std::string remote;
        std::string state;
        std::string queues;
        std::string timer;
        std::string retransmits;
        std::string uid;
        std::string timeout;
        std::string inode;
        fields >> slot >> local >> remote >> state >> queues >> timer >> retransmits >> uid >>
            timeout >> inode;
        const std::size_t colon = local.find(':');
        if (colon == std::string::npos) {
            continue;
        }
        if (std::stoul(local.substr(colon + 1), nullptr, 16) == port) {
            return inode;
        }
    }
    return {};
}
}  // namespace

std::string UdpPortOwner(uint16_t port) {
    const std::string inode = SocketInodeOf(port);
    if (inode.empty() || inode == "0") {
        return {};
    }
    const std::string wanted = "socket:[" + inode + "]";
    DIR* proc = ::opendir("/proc");
    if (proc == nullptr) {
        return {};
    }
    std::string owner;
    while (const dirent* p = ::readdir(proc)) {
        const std::string pid = p->d_name;
        if (pid.empty() || pid.find_first_not_of("0123456789") != std::string::npos) {
            continue;
        }
        const std::string fdDir = "/proc/" + pid + "/fd";
        DIR* fds = ::opendir(fdDir.c_str());
        if (fds == nullptr) {
            continue;  // another user's process: the system does not say
        }
        while (const dirent* f = ::readdir(fds)) {
            char target[64] = {};
            const std::string link = fdDir + "/" + f->d_name;
            if (::readlink(link.c_str(), target, sizeof target - 1) > 0 && wanted == target) {
                std::ifstream comm("/proc/" + pid + "/comm");
                std::string name;
                std::getline(comm, name);
                owner = name + " (pid " + pid + ")";
                break;
            }
        }
        ::closedir(fds);
        if (!owner.empty()) {
            break;
        }
    }
    ::closedir(proc);
    return owner;
}

std::optional<bool> ConnectedNetworkIsPublic() {
    return std::nullopt;
}

std::string FirewallAdvice() {
    return "If a firewall runs here (nftables, iptables, ufw, firewalld), it must let in UDP "
           "datagrams to port 8004 and to the ports Varlo's configuration requests come from; "
           "for example 'ufw allow proto udp from any port 63879'.";
}

}  // namespace varlo
