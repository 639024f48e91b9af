#pragma once
// Exactly what the driver start-up and the registry reader ask of the operating system: the
// Service Control Manager, the registry (read-only), the executable's path and the driver's
// administration device. The Windows build makes the real calls; elsewhere a stand-in reads a
// registry export file. Tests put a recording fake in its place.
//
// The argument values are the Win32 ones, so the core decides every argument and the Windows
// backend only forwards them. The operation names differ from the Win32 ones on purpose:
// <windows.h> turns those into macros (CreateService becomes CreateServiceA).
#include <cstdint>
#include <string>

namespace varlo {

// An opaque SC_HANDLE, HKEY or HANDLE; 0 is "no handle" (the Windows backend maps
// INVALID_HANDLE_VALUE to 0).
using ComHandle = std::uintptr_t;
inline constexpr ComHandle kNoComHandle = 0;

// Win32 status codes the reader looks at.
inline constexpr long kErrorSuccess = 0;
inline constexpr long kErrorFileNotFound = 2;
inline constexpr long kErrorMoreData = 234;
inline constexpr long kErrorNoMoreItems = 259;

// Win32 access rights and service settings the start-up passes on.
inline constexpr uint32_t kScManagerAllAccess = 0xF003F;   // SC_MANAGER_ALL_ACCESS
inline constexpr uint32_t kServiceAllAccess = 0xF01FF;     // SERVICE_ALL_ACCESS
inline constexpr uint32_t kServiceKernelDriver = 0x1;      // SERVICE_KERNEL_DRIVER
inline constexpr uint32_t kServiceWin32OwnProcess = 0x10;  // SERVICE_WIN32_OWN_PROCESS
inline constexpr uint32_t kServiceAutoStart = 0x2;         // SERVICE_AUTO_START
inline constexpr uint32_t kServiceErrorNormal = 0x1;       // SERVICE_ERROR_NORMAL
inline constexpr uint32_t kGenericReadWrite = 0xC0000000;  // GENERIC_READ | GENERIC_WRITE
inline constexpr uint32_t kFileShareRead = 0x1;            // FILE_SHARE_READ

// The driver's administration device.
inline constexpr const char* kTuncomAdminDevice = "\\\\.\\TUNCOMAdmin";

// CreateService arguments that vary; dependencies, account (LocalSystem), password and tag are
// always none.
struct ServiceConfig {
    const char* name;
    const char* displayName;
    uint32_t desiredAccess;
    uint32_t serviceType;
    uint32_t startType;
    uint32_t errorControl;
    std::string binaryPath;
    const char* loadOrderGroup;  // null: none
};

// Where the reader looks. The root is a predefined key's name; a test points the reader at a
// private root or private base paths instead of the machine's keys. Each base ends with a
// backslash: the reader appends "COM%d\".
struct ComRegistryLayout {
    std::string root = "HKEY_LOCAL_MACHINE";
    std::string parameters = "SYSTEM\\CurrentControlSet\\Services\\TUNCOM\\Parameters\\";
    std::string deviceNodes = "SYSTEM\\CurrentControlSet\\Enum\\Root\\TUNCOM_2K\\";
    std::string serialMap = "HARDWARE\\DEVICEMAP\\SERIALCOMM\\";
};

class ComPlatformApi {
public:
    virtual ~ComPlatformApi() = default;

    // Service Control Manager of the local machine, active database.
    virtual ComHandle ScOpenManager(uint32_t desiredAccess) = 0;
    virtual ComHandle ScCreateService(ComHandle scm, const ServiceConfig& config) = 0;
    virtual ComHandle ScOpenService(ComHandle scm, const char* name, uint32_t desiredAccess) = 0;
    // Starts a service with no arguments.
    virtual bool ScStartService(ComHandle service) = 0;
    virtual void ScCloseHandle(ComHandle handle) = 0;

    virtual const ComRegistryLayout& Layout() const = 0;
    // Opens subKey under the layout's root for reading.
    virtual ComHandle RegOpen(const std::string& subKey) = 0;
    // Reads a value into a 4-byte buffer. Only a successful read writes it, and only the
    // bytes the value has, so a missing value leaves the buffer as it was.
    virtual long RegQuery(ComHandle key, const char* name, uint8_t (&buffer)[4]) = 0;
    // RegEnumValue: *nameChars and *dataBytes offer the buffers' room (the name's including its
    // terminator) and come back as the lengths written. A name or data that does not fit gives
    // kErrorMoreData; what the buffers then hold is up to the system, so callers clear them.
    virtual long RegEnum(ComHandle key, uint32_t index, char* name, uint32_t* nameChars,
                         uint8_t* data, uint32_t* dataBytes) = 0;
    virtual void RegClose(ComHandle key) = 0;

    // Full path of the running executable, at most 1023 characters.
    virtual std::string ExecutablePath() = 0;
    // CreateFile(path, desiredAccess, shareMode, no security, OPEN_EXISTING, no flags).
    virtual ComHandle OpenDevice(const char* path, uint32_t desiredAccess, uint32_t shareMode) = 0;
};

}  // namespace varlo
