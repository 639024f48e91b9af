// The stand-in platform: no Service Control Manager, a registry tree from an export file, and an
// administration device that exists when its configured path exists.
#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <map>
#include <system_error>

#include <sys/stat.h>

#include "comport/ComPlatform.h"
#include "comport/ComRegistrySource.h"
#include "comport/RegFile.h"

namespace varlo {

namespace fs = std::filesystem;

struct CComPlatform::State {
    struct OpenKey {
        std::shared_ptr<const CRegFile> file;  // keeps the values alive across a reload
        const std::vector<RegValue>* values;
    };

    // The file as last read, and what identified it then.
    std::string path;
    bool read = false;
    struct stat stamp {};
    std::shared_ptr<const CRegFile> file = std::make_shared<CRegFile>();

    std::map<ComHandle, OpenKey> keys;
    ComHandle nextHandle = 1;

    // Re-reads the file when another one is configured or it changed since it was read, so an
    // edit shows up the next time the pane or the add dialog reads the registry. One stat per
    // key opened: the pane opens some two thousand keys when it is created.
    void Refresh() {
        const std::string& wanted = ComRegistryFile();
        struct stat now {};
        if (wanted.empty() || ::stat(wanted.c_str(), &now) != 0) {
            now = {};
        }
        if (read && wanted == path && Same(now, stamp)) {
            return;
        }
        path = wanted;
        read = true;
        stamp = now;
        auto loaded = std::make_shared<CRegFile>();
        if (!wanted.empty()) {
            std::string error;
            std::vector<std::string> warnings;
            if (!LoadRegFile(wanted, loaded.get(), &error, &warnings)) {
                std::fprintf(stderr, "varlo: cannot read registry file %s: %s\n", wanted.c_str(),
                             error.c_str());
            }
            for (const std::string& w : warnings) {
                std::fprintf(stderr, "varlo: %s: %s (skipped)\n", wanted.c_str(), w.c_str());
            }
        }
        file = std::move(loaded);
    }

    static bool Same(const struct stat& a, const struct stat& b) {
        return a.st_dev == b.st_dev && a.st_ino == b.st_ino && a.st_size == b.st_size &&
               a.st_mtim.tv_sec == b.st_mtim.tv_sec && a.st_mtim.tv_nsec == b.st_mtim.tv_nsec;
    }

    const RegValue* Value(ComHandle key, const char* name) const {
        const auto it = keys.find(key);
        if (it == keys.end()) {
            return nullptr;
        }
        for (const RegValue& v : *it->second.values) {
            // Value names compare case-insensitively, as in the registry.
            if (v.name.size() == std::strlen(name) &&
                std::equal(v.name.begin(), v.name.end(), name, [](char a, char b) {
                    return std::tolower(static_cast<unsigned char>(a)) ==
                           std::tolower(static_cast<unsigned char>(b));
                })) {
                return &v;
            }
        }
        return nullptr;
    }
};

CComPlatform::CComPlatform(ComRegistryLayout layout)
    : m_layout(std::move(layout)), m_state(std::make_unique<State>()) {}

CComPlatform::~CComPlatform() = default;

// Service installation is not available here: every call fails, as the Win32 calls do on a
// machine whose Service Control Manager refuses them.
ComHandle CComPlatform::ScOpenManager(uint32_t) {
    return kNoComHandle;
}
ComHandle CComPlatform::ScCreateService(ComHandle, const ServiceConfig&) {
    return kNoComHandle;
}
ComHandle CComPlatform::ScOpenService(ComHandle, const char*, uint32_t) {
    return kNoComHandle;
}
bool CComPlatform::ScStartService(ComHandle) {
    return false;
}
void CComPlatform::ScCloseHandle(ComHandle) {}

ComHandle CComPlatform::RegOpen(const std::string& subKey) {
    m_state->Refresh();
    const std::vector<RegValue>* values = m_state->file->FindKey(m_layout.root + "\\" + subKey);
    if (values == nullptr) {
        return kNoComHandle;
    }
    const ComHandle handle = m_state->nextHandle++;
    m_state->keys[handle] = {m_state->file, values};
    return handle;
}

long CComPlatform::RegQuery(ComHandle key, const char* name, uint8_t (&buffer)[4]) {
    const RegValue* v = m_state->Value(key, name);
    if (v == nullptr) {
        return kErrorFileNotFound;
    }
    if (v->data.size() > sizeof buffer) {
        return kErrorMoreData;
    }
    std::copy(v->data.begin(), v->data.end(), buffer);
    return kErrorSuccess;
}

long CComPlatform::RegEnum(ComHandle key, uint32_t index, char* name, uint32_t* nameChars,
                           uint8_t* data, uint32_t* dataBytes) {
    const auto it = m_state->keys.find(key);
    if (it == m_state->keys.end()) {
        return kErrorFileNotFound;
    }
    const std::vector<RegValue>& values = *it->second.values;
    if (index >= values.size()) {
        return kErrorNoMoreItems;
    }
    const RegValue& v = values[index];
    // As the system's RegEnumValueA does: data that does not fit is not returned at all (nor
    // is the name); a name that does not fit is cut to the room offered, terminator included,
    // and the data still returned. Both report ERROR_MORE_DATA.
    if (v.data.size() > *dataBytes) {
        *dataBytes = static_cast<uint32_t>(v.data.size());
        return kErrorMoreData;
    }
    if (*nameChars == 0) {
        return kErrorMoreData;
    }
    long status = kErrorSuccess;
    std::size_t nameLen = v.name.size();
    if (nameLen + 1 > *nameChars) {
        nameLen = *nameChars - 1;
        status = kErrorMoreData;
    }
    std::memcpy(name, v.name.data(), nameLen);
    name[nameLen] = '\0';
    std::copy(v.data.begin(), v.data.end(), data);
    *nameChars = static_cast<uint32_t>(nameLen);
    *dataBytes = static_cast<uint32_t>(v.data.size());
    return status;
}

void CComPlatform::RegClose(ComHandle key) {
    m_state->keys.erase(key);
}

std::string CComPlatform::ExecutablePath() {
    std::error_code ec;
    std::string path = fs::read_symlink("/proc/self/exe", ec).string();
    if (path.size() > 1023) {
        path.resize(1023);  // the Win32 call's 1024-character buffer
    }
    return path;
}

ComHandle CComPlatform::OpenDevice(const char* path, uint32_t, uint32_t) {
    const std::string target =
        std::strcmp(path, kTuncomAdminDevice) == 0 ? ComAdminPath() : std::string(path);
    std::error_code ec;
    if (target.empty() || !fs::exists(target, ec)) {
        return kNoComHandle;
    }
    return m_state->nextHandle++;
}

}  // namespace varlo
