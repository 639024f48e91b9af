#include "comport/ComPlatform.h"

namespace varlo {

namespace {
ComPlatformApi*& Installed() {
    static ComPlatformApi* platform = nullptr;
    return platform;
}
}  // namespace

ComPlatformApi& ActiveComPlatform() {
    if (Installed() != nullptr) {
        return *Installed();
    }
    static CComPlatform platform;
    return platform;
}

void SetComPlatform(ComPlatformApi* platform) {
    Installed() = platform;
}

}  // namespace varlo
