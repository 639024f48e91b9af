#pragma once
// A platform that writes down every call with its arguments. Service and device calls answer as
// configured; registry calls go to an inner platform (a stand-in reading a fixture), or fail.
#include <set>
#include <string>
#include <vector>

#include "comport/ComPlatformApi.h"

namespace varlo::testing {

class RecordingComPlatform : public ComPlatformApi {
public:
    explicit RecordingComPlatform(ComPlatformApi* inner = nullptr) : m_inner(inner) {}

    std::vector<std::string> calls;
    std::string executablePath = "C:\\Program Files\\Varlo\\Varlo.exe";
    // Calls that fail, by name: "ScOpenManager", "ScCreateService:TUNCOM",
    // "ScOpenService:tuncom_service", "OpenDevice", ...
    std::set<std::string> failing;

    std::size_t RegistryCalls() const;

    ComHandle ScOpenManager(uint32_t desiredAccess) override;
    ComHandle ScCreateService(ComHandle scm, const ServiceConfig& config) override;
    ComHandle ScOpenService(ComHandle scm, const char* name, uint32_t desiredAccess) override;
    bool ScStartService(ComHandle service) override;
    void ScCloseHandle(ComHandle handle) override;
    const ComRegistryLayout& Layout() const override;
    ComHandle RegOpen(const std::string& subKey) override;
    long RegQuery(ComHandle key, const char* name, uint8_t (&buffer)[4]) override;
    long RegEnum(ComHandle key, uint32_t index, char* name, uint32_t* nameChars, uint8_t* data,
                 uint32_t* dataBytes) override;
    void RegClose(ComHandle key) override;
    std::string ExecutablePath() override;
    ComHandle OpenDevice(const char* path, uint32_t desiredAccess, uint32_t shareMode) override;

private:
    ComHandle Answer(const std::string& name);

    ComPlatformApi* m_inner;
    ComRegistryLayout m_layout;
    ComHandle m_next = 0x100;
};

}  // namespace varlo::testing
