// The Windows platform: the real Service Control Manager, registry and device calls, ANSI
// versions, with the arguments the core passes.
#include <windows.h>

#include <cstring>

#include "comport/ComPlatform.h"

namespace varlo {

static_assert(kScManagerAllAccess == SC_MANAGER_ALL_ACCESS);
static_assert(kServiceAllAccess == SERVICE_ALL_ACCESS);
static_assert(kServiceKernelDriver == SERVICE_KERNEL_DRIVER);
static_assert(kServiceWin32OwnProcess == SERVICE_WIN32_OWN_PROCESS);
static_assert(kServiceAutoStart == SERVICE_AUTO_START);
static_assert(kServiceErrorNormal == SERVICE_ERROR_NORMAL);
static_assert(kGenericReadWrite == (GENERIC_READ | GENERIC_WRITE));
static_assert(kFileShareRead == FILE_SHARE_READ);
static_assert(kErrorSuccess == ERROR_SUCCESS);
static_assert(kErrorFileNotFound == ERROR_FILE_NOT_FOUND);
static_assert(kErrorMoreData == ERROR_MORE_DATA);
static_assert(kErrorNoMoreItems == ERROR_NO_MORE_ITEMS);

namespace {
template <typename H>
H As(ComHandle h) {
    return reinterpret_cast<H>(h);
}

template <typename H>
ComHandle Handle(H h) {
    return reinterpret_cast<ComHandle>(h);
}

// The predefined key a layout names; null for a name this backend does not know.
HKEY RootKey(const std::string& name) {
    if (name == "HKEY_LOCAL_MACHINE") {
        return HKEY_LOCAL_MACHINE;
    }
    if (name == "HKEY_CURRENT_USER") {
        return HKEY_CURRENT_USER;
    }
    if (name == "HKEY_USERS") {
        return HKEY_USERS;
    }
    return nullptr;
}
}  // namespace

struct CComPlatform::State {
    HKEY root = nullptr;
};

CComPlatform::CComPlatform(ComRegistryLayout layout)
    : m_layout(std::move(layout)), m_state(std::make_unique<State>()) {
    m_state->root = RootKey(m_layout.root);
}

CComPlatform::~CComPlatform() = default;

ComHandle CComPlatform::ScOpenManager(uint32_t desiredAccess) {
    return Handle(::OpenSCManagerA(nullptr, nullptr, desiredAccess));
}

ComHandle CComPlatform::ScCreateService(ComHandle scm, const ServiceConfig& config) {
    return Handle(::CreateServiceA(As<SC_HANDLE>(scm), config.name, config.displayName,
                                   config.desiredAccess, config.serviceType, config.startType,
                                   config.errorControl, config.binaryPath.c_str(),
                                   config.loadOrderGroup, nullptr, nullptr, nullptr, nullptr));
}

ComHandle CComPlatform::ScOpenService(ComHandle scm, const char* name, uint32_t desiredAccess) {
    return Handle(::OpenServiceA(As<SC_HANDLE>(scm), name, desiredAccess));
}

bool CComPlatform::ScStartService(ComHandle service) {
    return ::StartServiceA(As<SC_HANDLE>(service), 0, nullptr) != FALSE;
}

void CComPlatform::ScCloseHandle(ComHandle handle) {
    if (handle != kNoComHandle) {
        ::CloseServiceHandle(As<SC_HANDLE>(handle));
    }
}

ComHandle CComPlatform::RegOpen(const std::string& subKey) {
    if (m_state->root == nullptr) {
        return kNoComHandle;
    }
    HKEY key = nullptr;
    if (::RegOpenKeyExA(m_state->root, subKey.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) {
        return kNoComHandle;
    }
    return Handle(key);
}

long CComPlatform::RegQuery(ComHandle key, const char* name, uint8_t (&buffer)[4]) {
    // The system may scribble over a buffer that is too small, so read into a copy and keep it
    // only when the read succeeded.
    BYTE copy[4];
    std::memcpy(copy, buffer, sizeof copy);
    DWORD size = sizeof copy;
    const LONG status = ::RegQueryValueExA(As<HKEY>(key), name, nullptr, nullptr, copy, &size);
    if (status == ERROR_SUCCESS) {
        std::memcpy(buffer, copy, sizeof copy);
    }
    return status;
}

long CComPlatform::RegEnum(ComHandle key, uint32_t index, char* name, uint32_t* nameChars,
                           uint8_t* data, uint32_t* dataBytes) {
    DWORD nameLen = *nameChars;
    DWORD dataLen = *dataBytes;
    const LONG status =
        ::RegEnumValueA(As<HKEY>(key), index, name, &nameLen, nullptr, nullptr, data, &dataLen);
    *nameChars = nameLen;
    *dataBytes = dataLen;
    return status;
}

void CComPlatform::RegClose(ComHandle key) {
    ::RegCloseKey(As<HKEY>(key));
}

std::string CComPlatform::ExecutablePath() {
    char path[1024];
    DWORD n = ::GetModuleFileNameA(nullptr, path, sizeof path);
    if (n >= sizeof path) {
        n = sizeof path - 1;  // cut off; the system may leave it unterminated
    }
    return std::string(path, n);
}

ComHandle CComPlatform::OpenDevice(const char* path, uint32_t desiredAccess, uint32_t shareMode) {
    const HANDLE h =
        ::CreateFileA(path, desiredAccess, shareMode, nullptr, OPEN_EXISTING, 0, nullptr);
    return h == INVALID_HANDLE_VALUE ? kNoComHandle : Handle(h);
}

}  // namespace varlo
