// TempDataDir: a fresh temporary directory for one test, holding a data directory and a
// settings file of its own, removed with everything in it when the test ends. Creating one
// points the program's settings file (QUAY_SETTINGS) at it, so no test reads or writes the
// user's real settings.
#pragma once

#include <filesystem>
#include <string>

namespace quay::testing {

class TempDataDir {
public:
    // `prefix` names the directory in the temporary folder ("quay-orders-XXXXXX"), which
    // tells whose test left it behind after a crash. With `dataSubfolder` the data
    // directory is a folder "data" inside it, beside the settings file.
    explicit TempDataDir(const std::string& prefix = "quay-test", bool dataSubfolder = false);
    ~TempDataDir();
    TempDataDir(const TempDataDir&) = delete;
    TempDataDir& operator=(const TempDataDir&) = delete;

    // The temporary directory itself.
    const std::filesystem::path& root() const { return m_root; }
    // The data directory: the root, or its "data" folder.
    const std::filesystem::path& dataDir() const { return m_data; }
    // The settings file the program reads and writes during the test.
    std::filesystem::path settingsFile() const { return m_root / "tallvane.ini"; }
    // True when the directory could be made (a test asserts it before going on).
    bool isValid() const { return !m_root.empty(); }

private:
    std::filesystem::path m_root;
    std::filesystem::path m_data;
};

}  // namespace quay::testing
