#pragma once
// One request/response exchange: the request goes to the target (the limited broadcast unless
// changed) up to three times a second apart, and the first datagram that fits the reply buffer
// ends the exchange. The caller judges it by length and reply code.
#include <cstddef>
#include <cstdint>

#include "transport/DeviceRoute.h"
#include "transport/SocketShim.h"

namespace varlo {

inline constexpr int kQueryBudgetMs = 3000;

void SendToAddr(net::SocketHandle s, uint32_t hostAddr, uint16_t port, const uint8_t* data,
                std::size_t len);

// Returns the length of the first datagram received (> 0), -1 when the socket cannot be
// created or bound or when nothing arrived within the budget, 0 for a budget of 0 or less.
int32_t BroadcastQuery(const uint8_t* request, std::size_t requestLen, uint8_t* reply,
                       std::size_t replyCapacity, int budgetMs);

// The same exchange along a found device's route: out of the adapter that heard it, or by
// unicast to its address; without a route, as BroadcastQuery.
int32_t RoutedQuery(const DeviceRoute* route, const uint8_t* request, std::size_t requestLen,
                    uint8_t* reply, std::size_t replyCapacity, int budgetMs);

}  // namespace varlo
