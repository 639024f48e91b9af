#include "comport/SerialDriver.h"

#include "comport/ComPlatform.h"

namespace varlo {

ComHandle g_hSerialAdmin = kNoComHandle;

namespace {
void CloseIfAny(ComPlatformApi& p, ComHandle h) {
    if (h != kNoComHandle) {
        p.ScCloseHandle(h);
    }
}
}  // namespace

const char* StartSerialDriver() {
    if (g_hSerialAdmin != kNoComHandle) {
        return kSerialDriverVersion;
    }
    ComPlatformApi& p = ActiveComPlatform();

    // The driver's two files sit beside the executable. Windows paths use backslashes; the
    // stand-in's may use slashes.
    std::string dir = p.ExecutablePath();
    const std::size_t cut = dir.find_last_of("\\/");
    dir.resize(cut == std::string::npos ? 0 : cut);
    const std::string driverPath = dir + "\\TUNCOM.SYS";
    const std::string servicePath = dir + "\\tuncom_service.exe";

    // Failures are not checked one by one: without a manager the following calls simply fail,
    // and the service may well exist from an earlier run.
    const ComHandle scm = p.ScOpenManager(kScManagerAllAccess);
    CloseIfAny(p, p.ScCreateService(scm, {"TUNCOM", "TUNCOM Kernel Service", kServiceAllAccess,
                                          kServiceKernelDriver, kServiceAutoStart,
                                          kServiceErrorNormal, driverPath, "Extended Base"}));
    // The Win32 service talks to the kernel service, so it is only set up when that one opens.
    if (const ComHandle kernel = p.ScOpenService(scm, "TUNCOM", kServiceAllAccess)) {
        p.ScStartService(kernel);
        p.ScCloseHandle(kernel);
        CloseIfAny(p, p.ScCreateService(
                          scm, {"tuncom_service", "TUNCOM Port Win32 Service", kServiceAllAccess,
                                kServiceWin32OwnProcess, kServiceAutoStart, kServiceErrorNormal,
                                servicePath, nullptr}));
        if (const ComHandle service = p.ScOpenService(scm, "tuncom_service", kServiceAllAccess)) {
            p.ScStartService(service);
            p.ScCloseHandle(service);
        }
    }
    CloseIfAny(p, scm);

    g_hSerialAdmin = p.OpenDevice(kTuncomAdminDevice, kGenericReadWrite, kFileShareRead);
    return g_hSerialAdmin != kNoComHandle ? kSerialDriverVersion : nullptr;
}

}  // namespace varlo
