#pragma once
// Puts the process-wide transport setting (target, search port, clock) back as it was when the
// test began, however the test ends: a failed assertion must not leave the next test sending to
// a simulator that is gone or waiting on a clock that was destroyed.
#include "transport/TransportSettings.h"

namespace varlo::testing {

class ScopedTransport {
public:
    ScopedTransport() : m_saved(Transport()) {}
    ~ScopedTransport() { Transport() = m_saved; }
    ScopedTransport(const ScopedTransport&) = delete;
    ScopedTransport& operator=(const ScopedTransport&) = delete;

private:
    TransportSettings m_saved;
};

}  // namespace varlo::testing
