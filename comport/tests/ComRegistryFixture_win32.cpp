// The registry fixture on Windows: the export's keys written with the Win32 registry calls below
// a private key of the current user, so a test never touches the machine's driver keys, and
// removed again when the fixture ends.
#include "comport/tests/ComRegistryFixture.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <string_view>
#include <vector>

#include "comport/RegFile.h"
#include "comport/SerialDriver.h"

namespace varlo::testing {

namespace {

constexpr const char* kTestsKey = "Software\\Varlo tests";
constexpr std::string_view kExportRoot = "HKEY_LOCAL_MACHINE\\";

// The administration device cannot be created under test; the reader only asks whether its
// handle is valid.
constexpr ComHandle kPlaceholderAdmin = 1;

// The registry type a value line writes: the export's own notation decides.
DWORD ValueType(std::string_view line) {
    std::size_t i = 0;
    if (!line.empty() && line[0] == '"') {
        for (i = 1; i < line.size() && line[i] != '"'; ++i) {
            if (line[i] == '\\') {
                ++i;
            }
        }
    }
    const std::size_t eq = line.find('=', i);
    const std::string_view data = line.substr(eq == std::string_view::npos ? line.size() : eq + 1);
    if (data.substr(0, 1) == "\"") {
        return REG_SZ;
    }
    if (data.substr(0, 6) == "dword:") {
        return REG_DWORD;
    }
    if (data.substr(0, 4) == "hex(") {
        return std::stoul(std::string(data.substr(4)), nullptr, 16);
    }
    return REG_BINARY;
}

struct Section {
    std::string path;               // as the export names it
    std::vector<DWORD> valueTypes;  // one per value line, in file order
};

// The export's sections and the type of each value line, in file order; the values themselves
// come from the parser the stand-in uses.
std::vector<Section> Sections(const std::string& text) {
    std::vector<Section> sections;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) {
            end = text.size();
        }
        std::string_view line(text.data() + start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        if (line.size() > 2 && line.front() == '[' && line.back() == ']') {
            sections.push_back({std::string(line.substr(1, line.size() - 2)), {}});
        } else if (!sections.empty() && !line.empty() && (line[0] == '"' || line[0] == '@')) {
            sections.back().valueTypes.push_back(ValueType(line));
        }
    }
    return sections;
}

void Write(const std::string& privateKey, const std::string& text) {
    CRegFile file;
    std::vector<std::string> warnings;
    ASSERT_TRUE(file.Parse(text, &warnings));
    ASSERT_TRUE(warnings.empty()) << warnings.front();
    for (const Section& section : Sections(text)) {
        ASSERT_EQ(section.path.compare(0, kExportRoot.size(), kExportRoot), 0) << section.path;
        const std::vector<RegValue>* values = file.FindKey(section.path);
        ASSERT_NE(values, nullptr) << section.path;
        ASSERT_EQ(values->size(), section.valueTypes.size()) << section.path;

        const std::string subKey = privateKey + "\\" + section.path.substr(kExportRoot.size());
        HKEY key = nullptr;
        ASSERT_EQ(::RegCreateKeyExA(HKEY_CURRENT_USER, subKey.c_str(), 0, nullptr, 0, KEY_WRITE,
                                    nullptr, &key, nullptr),
                  ERROR_SUCCESS)
            << subKey;
        for (std::size_t i = 0; i < values->size(); ++i) {
            const RegValue& v = (*values)[i];
            EXPECT_EQ(::RegSetValueExA(key, v.name.c_str(), 0, section.valueTypes[i], v.data.data(),
                                       static_cast<DWORD>(v.data.size())),
                      ERROR_SUCCESS)
                << subKey << " " << v.name;
        }
        ::RegCloseKey(key);
    }
}

void Remove(const std::string& privateKey) {
    const LSTATUS status = ::RegDeleteTreeA(HKEY_CURRENT_USER, privateKey.c_str());
    EXPECT_TRUE(status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND) << status;
    ::RegDeleteKeyA(HKEY_CURRENT_USER, kTestsKey);  // fails while another test's key is there
}

}  // namespace

ComRegistryFixture::ComRegistryFixture(const std::string& regText, bool driverPresent) {
    // Tests run side by side in several processes: the key is this process's and this fixture's.
    static std::atomic<int> counter{0};
    m_path = std::string(kTestsKey) + "\\" + std::to_string(::GetCurrentProcessId()) + "-" +
             std::to_string(counter++);
    m_layout.root = "HKEY_CURRENT_USER";
    const ComRegistryLayout production;
    m_layout.parameters = m_path + "\\" + production.parameters;
    m_layout.deviceNodes = m_path + "\\" + production.deviceNodes;
    m_layout.serialMap = m_path + "\\" + production.serialMap;
    m_platform = std::make_unique<CComPlatform>(m_layout);

    Rewrite(regText);
    SetComPlatform(m_platform.get());
    g_hSerialAdmin = driverPresent ? kPlaceholderAdmin : kNoComHandle;
}

ComRegistryFixture::~ComRegistryFixture() {
    g_hSerialAdmin = kNoComHandle;
    SetComPlatform(nullptr);
    Remove(m_path);
}

void ComRegistryFixture::Rewrite(const std::string& regText) {
    Remove(m_path);
    Write(m_path, regText);
}

}  // namespace varlo::testing
