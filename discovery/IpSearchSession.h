#pragma once
// An IP Search: the search request sent by unicast to every address of a range, at a bounded
// rate, from the search port, so devices behind a router or outside every local subnet are
// found too. Replies pass the search's own test and join the device table after what is
// already there; a device already listed is not listed again. Each one found is configured by
// unicast to the address it answered from, since a router drops the broadcast.
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <set>

#include "discovery/DeviceTable.h"
#include "discovery/IpRange.h"
#include "discovery/MySchSocket.h"
#include "transport/PollClock.h"

namespace varlo {

class IpSearchSession {
public:
    static constexpr int kDefaultRate = 2000;  // requests per second
    // After the last request, replies are still taken this long.
    static constexpr int kLateReplyMs = 1000;

    explicit IpSearchSession(CConfigParamArray& table = g_arrConfigParam) : m_table(table) {}

    // The socket on the search port; the table keeps its records. False when the socket
    // cannot be created (nothing is sent then).
    bool Open(const IpRange& range, int ratePerSecond = kDefaultRate);
    void Close() { m_socket.Close(); }

    // Sends every request due by now. False once every request has gone and the late replies
    // had their time, or after Stop.
    bool Pump(PollClock::TimePoint now);
    // When the next request is due (or the search ends).
    PollClock::TimePoint NextDue() const;
    void Stop() { m_stopped = true; }

    // Takes at most max waiting datagrams; returns how many were taken.
    std::size_t ReadWaiting(std::size_t max);

    uint32_t Sent() const { return m_sent; }
    uint32_t Failed() const { return m_failed; }
    uint32_t Total() const { return m_range.count; }
    std::size_t Found() const { return m_found; }
    const IpRange& Range() const { return m_range; }
    const CMySchSocket& Socket() const { return m_socket; }
    const CConfigParamArray& Table() const { return m_table; }

private:
    PollClock::TimePoint Due(uint32_t k) const;

    CConfigParamArray& m_table;
    CMySchSocket m_socket;
    IpRange m_range;
    int m_rate = kDefaultRate;
    PollClock::TimePoint m_start;
    PollClock::TimePoint m_lastSend;
    uint32_t m_sent = 0;
    uint32_t m_failed = 0;
    std::size_t m_found = 0;
    bool m_stopped = false;
    std::set<DeviceIdentity> m_listed;
};

// Runs a whole IP Search on the calling thread, calling onRecord with the table index of every
// device found. False when the socket could not be created.
template <typename OnRecord>
bool RunIpSearch(IpSearchSession& session, const IpRange& range, int rate, OnRecord onRecord);

}  // namespace varlo

#include "discovery/IpSearchSession.inl"
