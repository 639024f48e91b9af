#pragma once
// Installs a COM platform for the scope and puts the one before it back, however the test ends:
// a platform left installed after its test would be a dangling object for the next one.
#include "comport/ComPlatform.h"

namespace varlo::testing {

class ScopedComPlatform {
public:
    explicit ScopedComPlatform(ComPlatformApi& platform) : m_previous(&ActiveComPlatform()) {
        SetComPlatform(&platform);
    }
    ~ScopedComPlatform() { SetComPlatform(m_previous); }
    ScopedComPlatform(const ScopedComPlatform&) = delete;
    ScopedComPlatform& operator=(const ScopedComPlatform&) = delete;

private:
    ComPlatformApi* m_previous;
};

}  // namespace varlo::testing
