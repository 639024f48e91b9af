#include "comport/ComRegistrySource.h"

#include <filesystem>
#include <system_error>
#include <vector>

#include "comport/ComPlatform.h"

namespace varlo {

namespace {
std::string& RegistryFile() {
    static std::string path;
    return path;
}
std::string& AdminPath() {
    static std::string path;
    return path;
}

constexpr const char* kDemoRegistry = "ComDemo.reg";
constexpr const char* kDemoAdmin = "TUNCOMAdmin";
}  // namespace

void SetComRegistryFile(std::string path) {
    RegistryFile() = std::move(path);
}
void SetComAdminPath(std::string path) {
    AdminPath() = std::move(path);
}
const std::string& ComRegistryFile() {
    return RegistryFile();
}
const std::string& ComAdminPath() {
    return AdminPath();
}

bool UseDemoComRegistry() {
    if (!kComRegistryFromFile) {
        return false;
    }
    namespace fs = std::filesystem;
    std::vector<fs::path> dirs;
    const fs::path exe = CComPlatform().ExecutablePath();
    if (!exe.empty()) {
        dirs.push_back(exe.parent_path());
        dirs.push_back(exe.parent_path().parent_path() / "share" / "varlo");
    }
#ifdef VARLO_COM_DEMO_DIR
    dirs.push_back(VARLO_COM_DEMO_DIR);
#endif
    for (const fs::path& dir : dirs) {
        std::error_code ec;
        if (fs::is_regular_file(dir / kDemoRegistry, ec) && fs::exists(dir / kDemoAdmin, ec)) {
            SetComRegistryFile((dir / kDemoRegistry).string());
            SetComAdminPath((dir / kDemoAdmin).string());
            return true;
        }
    }
    return false;
}

}  // namespace varlo
