// The temporary directory of one test: made with mkdtemp so parallel test programs never
// share one, removed recursively at the end.
#include "quay/testing/temp_data_dir.h"

#include <cstdlib>
#include <system_error>

namespace quay::testing {

TempDataDir::TempDataDir(const std::string& prefix, bool dataSubfolder) {
    std::error_code ec;
    std::string pattern = (std::filesystem::temp_directory_path(ec) / (prefix + "-XXXXXX")).string();
    if (::mkdtemp(pattern.data()) == nullptr) return;
    m_root = pattern;
    m_data = dataSubfolder ? m_root / "data" : m_root;
    if (dataSubfolder) std::filesystem::create_directories(m_data, ec);
    ::setenv("QUAY_SETTINGS", settingsFile().c_str(), 1);
}

TempDataDir::~TempDataDir() {
    if (m_root.empty()) return;
    std::error_code ec;
    std::filesystem::remove_all(m_root, ec);
}

}  // namespace quay::testing
