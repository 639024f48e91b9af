#pragma once
// A registry export written to a private place, with the reader pointed at it and the driver
// present or not. The stand-in platform reads it from a private file, which also stands for the
// administration device, and the driver is started on it. On Windows its keys are written into
// the real registry below a private key of the current user and removed again afterwards; the
// reader runs on the real registry calls there, and a placeholder handle stands for the
// administration device, which no test can create.
#include <memory>
#include <string>

#include "comport/ComPlatform.h"

namespace varlo::testing {

// Section names of the driver's keys, for fixture texts.
inline constexpr const char* kParamsSection =
    "[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\TUNCOM\\Parameters\\";
inline constexpr const char* kNodeSection =
    "[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Enum\\Root\\TUNCOM_2K\\";
inline constexpr const char* kSerialMapSection =
    "[HKEY_LOCAL_MACHINE\\HARDWARE\\DEVICEMAP\\SERIALCOMM]\n";
inline constexpr const char* kRegHeader = "Windows Registry Editor Version 5.00\n\n";

class ComRegistryFixture {
public:
    explicit ComRegistryFixture(const std::string& regText, bool driverPresent = true);
    ~ComRegistryFixture();
    ComRegistryFixture(const ComRegistryFixture&) = delete;
    ComRegistryFixture& operator=(const ComRegistryFixture&) = delete;

    void Rewrite(const std::string& regText);
    // The export file; on Windows the private key below HKEY_CURRENT_USER.
    const std::string& Path() const { return m_path; }
    // Where the reader looks: the driver's own keys, or on Windows the same paths below Path().
    const ComRegistryLayout& Layout() const { return m_layout; }

private:
    std::string m_path;
    ComRegistryLayout m_layout;
    std::unique_ptr<CComPlatform> m_platform;  // Windows: the real registry at m_layout
};

}  // namespace varlo::testing
