#pragma once
// A registry export written to a private file, with the stand-in platform pointed at it and the
// driver started (its administration device is the file itself), or not.
#include <string>

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
    const std::string& Path() const { return m_path; }

private:
    std::string m_path;
};

}  // namespace varlo::testing
