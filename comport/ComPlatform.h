#pragma once
// The platform layer of the COM port mapping. One class, one source file per platform, chosen
// by the build: ComPlatform_win32.cpp makes the real Win32 calls; ComPlatform_portable.cpp is
// the stand-in for systems without a Service Control Manager and registry.
//
// The stand-in reads the registry tree from the export file named by SetComRegistryFile
// (re-read when the file changes), finds the administration device when the path named by
// SetComAdminPath exists, and has no Service Control Manager: every service call fails.
#include <memory>

#include "comport/ComPlatformApi.h"

namespace varlo {

class CComPlatform final : public ComPlatformApi {
public:
    explicit CComPlatform(ComRegistryLayout layout = {});
    ~CComPlatform() override;

    ComHandle ScOpenManager(uint32_t desiredAccess) override;
    ComHandle ScCreateService(ComHandle scm, const ServiceConfig& config) override;
    ComHandle ScOpenService(ComHandle scm, const char* name, uint32_t desiredAccess) override;
    bool ScStartService(ComHandle service) override;
    void ScCloseHandle(ComHandle handle) override;

    const ComRegistryLayout& Layout() const override { return m_layout; }
    ComHandle RegOpen(const std::string& subKey) override;
    long RegQuery(ComHandle key, const char* name, uint8_t (&buffer)[4]) override;
    long RegEnum(ComHandle key, uint32_t index, char* name, uint32_t* nameChars, uint8_t* data,
                 uint32_t* dataBytes) override;
    void RegClose(ComHandle key) override;

    std::string ExecutablePath() override;
    ComHandle OpenDevice(const char* path, uint32_t desiredAccess, uint32_t shareMode) override;

private:
    struct State;  // what the backend keeps between calls
    ComRegistryLayout m_layout;
    std::unique_ptr<State> m_state;
};

// The platform the driver start-up and the reader use: the build's CComPlatform unless a test
// installed another. SetComPlatform(nullptr) restores the default.
ComPlatformApi& ActiveComPlatform();
void SetComPlatform(ComPlatformApi* platform);

}  // namespace varlo
