#pragma once
// Stands in for the devices on a UDP port: answers searches (one reply per device not yet
// listed, after a small random delay) and configuration requests addressed to a device's
// identity. When asked (tests, `varlo-devsim --verbose`) it records the datagrams it receives,
// the latest ones only, so tests can check the exact bytes sent and no client can grow its memory.
#include <atomic>
#include <chrono>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <queue>
#include <random>
#include <thread>
#include <vector>

#include "sim/ArtNetResponder.h"
#include "sim/CommandSet.h"
#include "sim/Rig.h"
#include "transport/SocketShim.h"

namespace varlo::sim {

struct SimOptions {
    int searchDelayMinMs = 5;
    int searchDelayMaxMs = 200;
    uint32_t seed = 1;
    bool recordRequests = false;  // keep a log of what was received
    // A device answers a search only when it was sent to the address it reports, as devices
    // spread over a network answer an IP Search (one simulator on many loopback addresses).
    bool answerOwnAddressOnly = false;
    // The log keeps the latest datagrams within both limits, whatever a client sends.
    std::size_t logMaxEntries = 4096;
    std::size_t logMaxBytes = 8 * 1024 * 1024;
};

struct LoggedDatagram {
    uint64_t sequence = 0;  // counts every datagram received since the start, logged or not
    std::chrono::steady_clock::time_point at;
    Bytes bytes;
    uint32_t fromAddr = 0;
    uint16_t fromPort = 0;
    uint32_t toAddr = 0;  // the address it was sent to, where the system says
};

class DeviceSimulator {
public:
    explicit DeviceSimulator(Rig rig, SimOptions options = {});
    DeviceSimulator(const DeviceSimulator&) = delete;
    DeviceSimulator& operator=(const DeviceSimulator&) = delete;
    ~DeviceSimulator();

    // Binds (loopback and an ephemeral port by default) and starts answering on a thread.
    bool Start(uint32_t bindAddr = 0x7F000001, uint16_t port = 0);
    void Stop();
    uint16_t Port() const { return m_port; }
    uint32_t Address() const { return m_bindAddr; }

    // Starts the LUMA nodes' Art-Net 4 side (ArtPoll, ArtAddress) on its own socket: loopback
    // and a port of the system's choice by default, 6454 where a test or the demo asks for it.
    bool StartArtNet(uint32_t bindAddr = 0x7F000001, uint16_t port = 0,
                     ArtNetResponderOptions options = {});
    // Null until StartArtNet succeeded.
    const ArtNetResponder* ArtNet() const { return m_artNet.get(); }

    // The datagrams kept in the log, oldest first (empty unless recordRequests).
    std::vector<LoggedDatagram> Log() const;
    std::size_t LogSize() const;
    // The bytes of the datagrams the log keeps.
    std::size_t LogBytes() const;
    // Every datagram received since the start, logged or not.
    uint64_t Received() const;
    void ClearLog();
    // The logged datagrams numbered `*next` or later; `*next` moves past the last one returned.
    // Datagrams the log no longer keeps are skipped.
    std::vector<LoggedDatagram> LogSince(uint64_t* next) const;
    // Waits until the log holds at least n datagrams; false on timeout.
    bool WaitForLog(std::size_t n, int timeoutMs) const;

    // Nothing received waits to be answered and nothing is left to send: every reply to what
    // reached the socket so far has gone out. A test's clock waits for this instead of for time.
    bool Idle() const;

    // Answers one datagram at once, without the socket and without the delays: the datagrams
    // the simulator would send, in the order it would send them (the fuzz target). The
    // simulator must not be running.
    std::vector<Bytes> Answer(const Bytes& datagram);

    // Runs f on the rig's devices with the simulator paused, so tests can read written blocks
    // or change faults.
    void WithDevices(const std::function<void(std::vector<SimDevice>&)>& f);
    void SetFaults(std::size_t device, const SimFaults& faults);
    // Replaces the answer to one request code for every device (tests of the transport).
    void OverrideCommand(uint8_t code, CommandHandler handler);

private:
    struct Outgoing {
        std::chrono::steady_clock::time_point due;
        uint64_t order;
        uint32_t addr;
        uint16_t port;
        Bytes bytes;
        long searchDevice;  // the device a search reply comes from, or -1
        net::Arrival via;   // with answerOwnAddressOnly: answered from the address asked
        bool operator>(const Outgoing& o) const {
            return due != o.due ? due > o.due : order > o.order;
        }
    };

    void IndexIdentities();
    void Run();
    void Record(const Bytes& datagram, uint32_t fromAddr, uint16_t fromPort, uint32_t toAddr = 0);
    void Handle(const Bytes& datagram, uint32_t fromAddr, uint16_t fromPort, uint32_t toAddr = 0);
    void AnswerSearch(const Bytes& request, uint32_t addr, uint16_t port, uint32_t toAddr);
    void AnswerConfiguration(const Bytes& request, uint32_t addr, uint16_t port);
    void Schedule(std::chrono::steady_clock::time_point due, uint32_t addr, uint16_t port,
                  Bytes bytes, long searchDevice = -1);
    void SendDue();

    Rig m_rig;
    SimOptions m_options;
    std::map<DeviceIdentity, std::vector<std::size_t>> m_byIdentity;
    std::map<uint8_t, CommandHandler> m_overrides;
    std::mt19937 m_random;

    mutable std::mutex m_mutex;  // guards everything above and below that the thread touches
    std::deque<LoggedDatagram> m_log;
    std::size_t m_logBytes = 0;
    uint64_t m_received = 0;
    bool m_busy = false;  // between a readable socket and the end of sending what is due
    std::priority_queue<Outgoing, std::vector<Outgoing>, std::greater<>> m_outgoing;
    uint64_t m_order = 0;
    std::vector<int> m_pendingSearchReplies;  // per device

    net::Arrival m_answering;  // the datagram being answered
    net::SocketHandle m_socket = net::kInvalidSocket;
    uint32_t m_bindAddr = 0;
    uint16_t m_port = 0;
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
    std::unique_ptr<ArtNetResponder> m_artNet;
};

}  // namespace varlo::sim
