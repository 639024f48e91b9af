#pragma once
// The rig's LUMA nodes on Art-Net 4. Polls arrive on one socket (the address a controller is
// pointed at, port 6454 or one of the system's choice); each port group of each node has a
// socket of its own on a loopback address of its own (127.77.x.y, the same port), so a reply
// comes from its node's address and an ArtAddress sent back there reaches that node alone, as
// on a real network. Replies go to the poller after a random delay, as nodes spread them.
#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <mutex>
#include <queue>
#include <random>
#include <thread>
#include <vector>

#include "sim/SimDevice.h"
#include "transport/SocketShim.h"

namespace varlo::sim {

struct ArtNetResponderOptions {
    int replyDelayMaxMs = 200;
    uint32_t seed = 1;
};

class ArtNetResponder {
public:
    // Runs f on the rig's devices under the simulator's lock.
    using DeviceAccess = std::function<void(const std::function<void(std::vector<SimDevice>&)>&)>;

    // The first group's address; the next ones count up from it.
    static constexpr uint32_t kFirstNodeAddr = 0x7F4D0001;  // 127.77.0.1

    ArtNetResponder(DeviceAccess access, ArtNetResponderOptions options = {});
    ArtNetResponder(const ArtNetResponder&) = delete;
    ArtNetResponder& operator=(const ArtNetResponder&) = delete;
    ~ArtNetResponder();

    bool Start(uint32_t bindAddr, uint16_t port);
    void Stop();
    uint32_t Address() const { return m_bindAddr; }
    uint16_t Port() const { return m_port; }
    std::size_t GroupCount() const { return m_groups.size(); }
    // Replies sent since the start.
    uint64_t RepliesSent() const { return m_sent; }

private:
    struct Group {
        std::size_t device;
        uint8_t bindIndex;
        net::SocketHandle socket;
        unsigned pollsAnswered;
    };
    struct Due {
        std::chrono::steady_clock::time_point at;
        uint64_t order;
        std::size_t group;
        uint32_t addr;
        uint16_t port;
        bool operator>(const Due& o) const { return at != o.at ? at > o.at : order > o.order; }
    };

    void Run();
    void TakePolls();
    void SweepGroups();
    void SendDue();
    void Answer(std::size_t group, uint32_t addr, uint16_t port);

    DeviceAccess m_access;
    ArtNetResponderOptions m_options;
    std::mt19937 m_random;
    std::vector<Group> m_groups;
    std::priority_queue<Due, std::vector<Due>, std::greater<>> m_due;
    uint64_t m_order = 0;
    std::atomic<uint64_t> m_sent{0};
    net::SocketHandle m_socket = net::kInvalidSocket;
    uint32_t m_bindAddr = 0;
    uint16_t m_port = 0;
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
};

}  // namespace varlo::sim
