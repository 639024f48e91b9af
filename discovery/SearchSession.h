#pragma once
// One search as the search dialog and the command line run it: the table is emptied, a tick
// sends a request listing what was found so far (five ticks, one second apart) out of every
// search adapter, and every readable datagram is accepted into the table or dropped, whichever
// adapter it came in on. The caller owns the clock.
#include <cstddef>
#include <optional>
#include <vector>

#include "discovery/DeviceTable.h"
#include "discovery/MySchSocket.h"
#include "transport/NetAdapter.h"

namespace varlo {

// Where one adapter's requests went in a search, for the operator's diagnosis.
struct AdapterSends {
    NetAdapter adapter;
    int sent = 0;
    int failed = 0;
    int replies = 0;  // accepted replies that came in on it
};

class SearchSession {
public:
    static constexpr int kSearchSeconds = 5;
    static constexpr int kFirstTickMs = 100;
    static constexpr int kTickMs = 1000;

    explicit SearchSession(CConfigParamArray& table = g_arrConfigParam) : m_table(table) {}

    // Sets the counter to 5, empties the table and creates the socket on the search port.
    // False when the socket cannot be created; the countdown still runs, sending nothing.
    bool Open();
    void Close() { m_socket.Close(); }

    // One timer tick. False once the countdown has ended (the caller closes the search);
    // otherwise the request was built from the table and sent, and the counter went down.
    bool Tick();
    int SecondsLeft() const { return m_nCount; }

    // One read notification: receives one datagram; the index of the record it added, or
    // nothing when it was dropped (or nothing was waiting).
    std::optional<std::size_t> OnReadable();
    // Receives every datagram waiting, but at most max of them so that a flood cannot hold the
    // caller, each accepted or dropped as OnReadable does (one too large for the buffer
    // included). The records added are the last ones of the table. Returns the number of
    // datagrams taken from the socket.
    std::size_t ReadWaiting(std::size_t max);

    const CMySchSocket& Socket() const { return m_socket; }
    // The adapters this search sends out of (empty with `--target`: one destination).
    const std::vector<AdapterSends>& Sends() const { return m_sends; }
    const CConfigParamArray& Table() const { return m_table; }

private:
    // Takes one datagram and sets added to the record it became, if any. False when nothing
    // was waiting.
    bool ReceiveOne(std::optional<std::size_t>* added);
    // The adapter a datagram came in on: the one whose address it was sent to, else the first
    // search adapter on its interface, else any adapter there. Null when none is known.
    const NetAdapter* AdapterOf(const net::Arrival& arrival);

    CConfigParamArray& m_table;
    CMySchSocket m_socket;
    int m_nCount = kSearchSeconds;
    std::vector<AdapterSends> m_sends;
    std::vector<NetAdapter> m_allAdapters;
};

// Runs a whole search on the calling thread with the dialog's timing (ticks at 0.1 s, then
// every second; closes about 5.1 s after opening), calling onRecord for every accepted reply.
// Returns false when the socket could not be created.
template <typename OnRecord>
bool RunSearch(SearchSession& session, OnRecord onRecord);

}  // namespace varlo

#include "discovery/SearchSession.inl"
