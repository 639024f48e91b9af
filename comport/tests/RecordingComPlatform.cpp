#include "comport/tests/RecordingComPlatform.h"

#include <algorithm>
#include <cstdio>

namespace varlo::testing {

namespace {
std::string Hex(uint64_t v) {
    char text[24];
    std::snprintf(text, sizeof text, "0x%llX", static_cast<unsigned long long>(v));
    return text;
}
}  // namespace

std::size_t RecordingComPlatform::RegistryCalls() const {
    return static_cast<std::size_t>(std::count_if(
        calls.begin(), calls.end(), [](const auto& c) { return c.rfind("Reg", 0) == 0; }));
}

ComHandle RecordingComPlatform::Answer(const std::string& name) {
    return failing.count(name) ? kNoComHandle : m_next++;
}

ComHandle RecordingComPlatform::ScOpenManager(uint32_t desiredAccess) {
    calls.push_back("ScOpenManager " + Hex(desiredAccess));
    return Answer("ScOpenManager");
}

ComHandle RecordingComPlatform::ScCreateService(ComHandle scm, const ServiceConfig& s) {
    calls.push_back("ScCreateService " + Hex(scm) + " " + s.name + " | " + s.displayName + " | " +
                    Hex(s.desiredAccess) + " " + Hex(s.serviceType) + " " + Hex(s.startType) + " " +
                    Hex(s.errorControl) + " | " + s.binaryPath + " | " +
                    (s.loadOrderGroup ? s.loadOrderGroup : "(none)"));
    // Like the system, a manager handle that did not open fails every call made with it.
    return scm == kNoComHandle ? kNoComHandle : Answer(std::string("ScCreateService:") + s.name);
}

ComHandle RecordingComPlatform::ScOpenService(ComHandle scm, const char* name,
                                              uint32_t desiredAccess) {
    calls.push_back("ScOpenService " + Hex(scm) + " " + name + " " + Hex(desiredAccess));
    return scm == kNoComHandle ? kNoComHandle : Answer(std::string("ScOpenService:") + name);
}

bool RecordingComPlatform::ScStartService(ComHandle service) {
    calls.push_back("ScStartService " + Hex(service));
    return true;
}

void RecordingComPlatform::ScCloseHandle(ComHandle handle) {
    calls.push_back("ScCloseHandle " + Hex(handle));
}

const ComRegistryLayout& RecordingComPlatform::Layout() const {
    return m_inner ? m_inner->Layout() : m_layout;
}

ComHandle RecordingComPlatform::RegOpen(const std::string& subKey) {
    calls.push_back("RegOpen " + subKey);
    return m_inner ? m_inner->RegOpen(subKey) : kNoComHandle;
}

long RecordingComPlatform::RegQuery(ComHandle key, const char* name, uint8_t (&buffer)[4]) {
    calls.push_back(std::string("RegQuery ") + name);
    return m_inner ? m_inner->RegQuery(key, name, buffer) : kErrorFileNotFound;
}

long RecordingComPlatform::RegEnum(ComHandle key, uint32_t index, char* name, uint32_t* nameChars,
                                   uint8_t* data, uint32_t* dataBytes) {
    calls.push_back("RegEnum " + std::to_string(index) + " " + std::to_string(*nameChars) + " " +
                    std::to_string(*dataBytes));
    return m_inner ? m_inner->RegEnum(key, index, name, nameChars, data, dataBytes)
                   : kErrorNoMoreItems;
}

void RecordingComPlatform::RegClose(ComHandle key) {
    calls.push_back("RegClose");
    if (m_inner) {
        m_inner->RegClose(key);
    }
}

std::string RecordingComPlatform::ExecutablePath() {
    calls.push_back("ExecutablePath");
    return executablePath;
}

ComHandle RecordingComPlatform::OpenDevice(const char* path, uint32_t desiredAccess,
                                           uint32_t shareMode) {
    calls.push_back(std::string("OpenDevice ") + path + " " + Hex(desiredAccess) + " " +
                    Hex(shareMode));
    return Answer("OpenDevice");
}

}  // namespace varlo::testing
