#pragma once
// One search as the search dialog and the command line run it: the table is emptied, a tick
// sends a request listing what was found so far (five ticks, one second apart), and every
// readable datagram is accepted into the table or dropped. The caller owns the clock.
#include <cstddef>
#include <optional>

#include "discovery/DeviceTable.h"
#include "discovery/MySchSocket.h"

namespace varlo {

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
    const CConfigParamArray& Table() const { return m_table; }

private:
    // Takes one datagram and sets added to the record it became, if any. False when nothing
    // was waiting.
    bool ReceiveOne(std::optional<std::size_t>* added);

    CConfigParamArray& m_table;
    CMySchSocket m_socket;
    int m_nCount = kSearchSeconds;
};

// Runs a whole search on the calling thread with the dialog's timing (ticks at 0.1 s, then
// every second; closes about 5.1 s after opening), calling onRecord for every accepted reply.
// Returns false when the socket could not be created.
template <typename OnRecord>
bool RunSearch(SearchSession& session, OnRecord onRecord);

}  // namespace varlo

#include "discovery/SearchSession.inl"
