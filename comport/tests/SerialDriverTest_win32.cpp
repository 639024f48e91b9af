// The driver start-up against the system's own Service Control Manager. The driver's files are
// not beside the test program, so whether its services start and whether the administration
// device opens depends on the machine: the test asks only that the result and the handle agree.
// It removes every service it created and leaves alone services it did not create.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "comport/ComPlatform.h"
#include "comport/SerialDriver.h"

namespace varlo {
namespace {

constexpr const char* kServiceNames[] = {"TUNCOM", "tuncom_service"};

struct ServiceConfigRead {
    bool exists = false;
    DWORD type = 0;
    DWORD start = 0;
    DWORD errorControl = 0;
    std::string binaryPath;
    std::string group;
    std::string displayName;
};

std::string Text(const char* s) {
    return s != nullptr ? s : "";
}

ServiceConfigRead ReadService(const char* name) {
    ServiceConfigRead out;
    const SC_HANDLE scm = ::OpenSCManagerA(nullptr, nullptr, SC_MANAGER_CONNECT);
    if (scm == nullptr) {
        return out;
    }
    if (const SC_HANDLE service = ::OpenServiceA(scm, name, SERVICE_QUERY_CONFIG)) {
        out.exists = true;
        DWORD needed = 0;
        ::QueryServiceConfigA(service, nullptr, 0, &needed);
        std::vector<unsigned char> buffer(needed);
        auto* config = reinterpret_cast<QUERY_SERVICE_CONFIGA*>(buffer.data());
        if (needed != 0 && ::QueryServiceConfigA(service, config, needed, &needed)) {
            out.type = config->dwServiceType;
            out.start = config->dwStartType;
            out.errorControl = config->dwErrorControl;
            out.binaryPath = Text(config->lpBinaryPathName);
            out.group = Text(config->lpLoadOrderGroup);
            out.displayName = Text(config->lpDisplayName);
        }
        ::CloseServiceHandle(service);
    }
    ::CloseServiceHandle(scm);
    return out;
}

void StopAndDelete(const char* name) {
    const SC_HANDLE scm = ::OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ALL_ACCESS);
    ASSERT_NE(scm, nullptr);
    const SC_HANDLE service = ::OpenServiceA(scm, name, SERVICE_STOP | DELETE);
    EXPECT_NE(service, nullptr) << name;
    if (service != nullptr) {
        SERVICE_STATUS status;
        ::ControlService(service, SERVICE_CONTROL_STOP, &status);  // fails unless it runs
        EXPECT_TRUE(::DeleteService(service)) << name << ": " << ::GetLastError();
        ::CloseServiceHandle(service);
    }
    ::CloseServiceHandle(scm);
}

// The program's directory, as the start-up takes it from the executable's path.
std::string ProgramDirectory() {
    char path[MAX_PATH];
    const DWORD n = ::GetModuleFileNameA(nullptr, path, sizeof path);
    const std::string full(path, n);
    return full.substr(0, full.find_last_of('\\'));
}

class SystemServiceManagerTest : public ::testing::Test {
protected:
    void SetUp() override {
        const SC_HANDLE scm = ::OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ALL_ACCESS);
        if (scm == nullptr) {
            GTEST_SKIP() << "creating services needs an administrator";
        }
        ::CloseServiceHandle(scm);
        for (const char* name : kServiceNames) {
            if (ReadService(name).exists) {
                GTEST_SKIP() << "the driver's service " << name
                             << " is installed on this machine; left alone";
            }
        }
        SetComPlatform(nullptr);
        g_hSerialAdmin = kNoComHandle;
        m_ran = true;
    }

    void TearDown() override {
        if (!m_ran) {
            return;
        }
        if (g_hSerialAdmin != kNoComHandle) {
            ::CloseHandle(reinterpret_cast<HANDLE>(g_hSerialAdmin));
            g_hSerialAdmin = kNoComHandle;
        }
        for (const char* name : kServiceNames) {
            if (ReadService(name).exists) {
                StopAndDelete(name);
            }
            EXPECT_FALSE(ReadService(name).exists) << name << " is still installed";
        }
    }

private:
    bool m_ran = false;
};

TEST_F(SystemServiceManagerTest, CreatesBothServicesExactlyAndASecondCallIsHarmless) {
    const char* first = StartSerialDriver();
    EXPECT_EQ(first != nullptr, g_hSerialAdmin != kNoComHandle);
    if (first != nullptr) {
        EXPECT_STREQ(first, "5.0.1.0");
    }

    const std::string dir = ProgramDirectory();
    const ServiceConfigRead kernel = ReadService("TUNCOM");
    ASSERT_TRUE(kernel.exists);
    EXPECT_EQ(kernel.displayName, "TUNCOM Kernel Service");
    EXPECT_EQ(kernel.type, static_cast<DWORD>(SERVICE_KERNEL_DRIVER));
    EXPECT_EQ(kernel.start, static_cast<DWORD>(SERVICE_AUTO_START));
    EXPECT_EQ(kernel.errorControl, static_cast<DWORD>(SERVICE_ERROR_NORMAL));
    EXPECT_EQ(kernel.binaryPath, dir + "\\TUNCOM.SYS");
    EXPECT_EQ(kernel.group, "Extended Base");

    const ServiceConfigRead win32 = ReadService("tuncom_service");
    ASSERT_TRUE(win32.exists);
    EXPECT_EQ(win32.displayName, "TUNCOM Port Win32 Service");
    EXPECT_EQ(win32.type, static_cast<DWORD>(SERVICE_WIN32_OWN_PROCESS));
    EXPECT_EQ(win32.start, static_cast<DWORD>(SERVICE_AUTO_START));
    EXPECT_EQ(win32.errorControl, static_cast<DWORD>(SERVICE_ERROR_NORMAL));
    EXPECT_EQ(win32.binaryPath, dir + "\\tuncom_service.exe");
    EXPECT_EQ(win32.group, "");

    // The services exist now, so the second call's creates fail; nothing else changes.
    const char* second = StartSerialDriver();
    EXPECT_EQ(second != nullptr, first != nullptr);
    EXPECT_EQ(second != nullptr, g_hSerialAdmin != kNoComHandle);
    const ServiceConfigRead kernelAgain = ReadService("TUNCOM");
    const ServiceConfigRead win32Again = ReadService("tuncom_service");
    EXPECT_EQ(kernelAgain.binaryPath, kernel.binaryPath);
    EXPECT_EQ(kernelAgain.displayName, kernel.displayName);
    EXPECT_EQ(win32Again.binaryPath, win32.binaryPath);
    EXPECT_EQ(win32Again.displayName, win32.displayName);
}

}  // namespace
}  // namespace varlo
