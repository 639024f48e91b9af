// The registry fixture on the stand-in platform: the export in a private file.
#include "comport/tests/ComRegistryFixture.h"

#include <atomic>
#include <filesystem>
#include <fstream>
#include <random>

#include "comport/ComPlatform.h"
#include "comport/ComRegistrySource.h"
#include "comport/SerialDriver.h"

namespace varlo::testing {

ComRegistryFixture::ComRegistryFixture(const std::string& regText, bool driverPresent) {
    static std::atomic<int> counter{0};
    std::random_device random;
    m_path = (std::filesystem::temp_directory_path() /
              ("varlo-com-" + std::to_string(random()) + "-" + std::to_string(counter++) + ".reg"))
                 .string();
    Rewrite(regText);
    SetComPlatform(nullptr);
    SetComRegistryFile(m_path);
    SetComAdminPath(driverPresent ? m_path : m_path + ".absent");
    g_hSerialAdmin = kNoComHandle;
    StartSerialDriver();
}

ComRegistryFixture::~ComRegistryFixture() {
    g_hSerialAdmin = kNoComHandle;
    SetComRegistryFile("");
    SetComAdminPath("");
    std::error_code ec;
    std::filesystem::remove(m_path, ec);
}

void ComRegistryFixture::Rewrite(const std::string& regText) {
    std::ofstream(m_path, std::ios::binary | std::ios::trunc) << regText;
}

}  // namespace varlo::testing
