// Settings: every read parses the file afresh (it is a few hundred bytes and other
// windows or processes may have written it meanwhile); every write re-reads it
// under a process-wide lock, changes one line and replaces the file atomically.
// A file that exists but cannot be read is never replaced, so a passing I/O fault
// cannot wipe the user's settings.
#include "quay/app/settings.h"

#include <fcntl.h>
#include <sys/file.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <mutex>
#include <sstream>
#include <vector>

#include "ini_document.h"

namespace quay::core {
namespace {

std::mutex& writeMutex() {
    static std::mutex m;
    return m;
}

enum class ReadResult { Ok, Missing, Failed };

constexpr std::uintmax_t kMaxSettingsFileSize = 4u << 20;

ReadResult readFile(const std::filesystem::path& path, std::string& out) {
    std::error_code ec;
    const auto status = std::filesystem::status(path, ec);
    if (status.type() == std::filesystem::file_type::not_found) return ReadResult::Missing;
    if (ec || status.type() != std::filesystem::file_type::regular) return ReadResult::Failed;
    // A settings file is a few kilobytes; anything this large is not one, and is
    // neither loaded into memory nor replaced.
    const auto size = std::filesystem::file_size(path, ec);
    if (ec || size > kMaxSettingsFileSize) return ReadResult::Failed;
    std::ifstream in(path, std::ios::binary);
    if (!in) return ReadResult::Failed;
    std::ostringstream ss;
    ss << in.rdbuf();
    if (in.bad()) return ReadResult::Failed;
    out = ss.str();
    return ReadResult::Ok;
}

std::string homeDirectory() {
    if (const char* home = std::getenv("HOME"); home && *home) return home;
    std::vector<char> buf(16384);
    passwd pw{};
    passwd* result = nullptr;
    if (getpwuid_r(geteuid(), &pw, buf.data(), buf.size(), &result) == 0 && result && result->pw_dir)
        return result->pw_dir;
    return ".";
}

bool writeAll(int fd, const std::string& data) {
    std::size_t done = 0;
    while (done < data.size()) {
        const ssize_t n = ::write(fd, data.data() + done, data.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

// Holds an exclusive advisory lock on a directory while it lives (nothing when the
// directory cannot be opened: the write then goes on under the process lock alone).
class DirectoryLock {
public:
    explicit DirectoryLock(const std::filesystem::path& dir)
        : m_fd(::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)) {
        if (m_fd >= 0) {
            while (::flock(m_fd, LOCK_EX) != 0 && errno == EINTR) {
            }
        }
    }
    ~DirectoryLock() {
        if (m_fd >= 0) ::close(m_fd);
    }
    DirectoryLock(const DirectoryLock&) = delete;
    DirectoryLock& operator=(const DirectoryLock&) = delete;

private:
    int m_fd;
};

}  // namespace

Settings::Settings() : m_path(defaultPath()) {}

Settings::Settings(std::filesystem::path file) : m_path(std::move(file)) {}

std::filesystem::path Settings::defaultPath() {
    if (const char* over = std::getenv(kPathVariable); over && *over) return over;
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg && xdg[0] == '/')
        return std::filesystem::path(xdg) / kFileName;
    return std::filesystem::path(homeDirectory()) / ".config" / kFileName;
}

std::optional<std::string> Settings::find(std::string_view section, std::string_view key) const {
    std::string content;
    if (readFile(m_path, content) != ReadResult::Ok) return std::nullopt;
    return detail::IniDocument(content).find(section, key);
}

std::string Settings::read(std::string_view section, std::string_view key, std::string_view defaultValue) const {
    auto v = find(section, key);
    return v ? *v : std::string(defaultValue);
}

std::int32_t Settings::readNumber(std::string_view section, std::string_view key, std::int32_t defaultValue) const {
    const auto v = find(section, key);
    if (!v || v->empty()) return defaultValue;
    const char* first = v->data();
    const char* last = v->data() + v->size();
    if (*first == '+') ++first;
    std::int32_t out = 0;
    auto [ptr, ec] = std::from_chars(first, last, out);
    if (ec != std::errc() || ptr != last || first == last) return defaultValue;
    return out;
}

SettingsStatus Settings::writeNumber(std::string_view section, std::string_view key, std::int64_t value) {
    return write(section, key, std::to_string(value));
}

SettingsStatus Settings::write(std::string_view section, std::string_view key, std::string_view value) {
    if (!detail::IniDocument::validSection(section) || !detail::IniDocument::validKey(key)) {
        m_lastErrorText = "invalid settings name [" + std::string(section) + "] " + std::string(key);
        return SettingsStatus::InvalidName;
    }
    if (!detail::IniDocument::validValue(value)) {
        m_lastErrorText = "a settings value cannot hold a line break";
        return SettingsStatus::InvalidValue;
    }

    std::lock_guard lock(writeMutex());
    std::error_code ec;
    const auto dir = m_path.has_parent_path() ? m_path.parent_path() : std::filesystem::path(".");
    std::filesystem::create_directories(dir, ec);
    // Another process of the same user (a second copy of the program) may write at
    // the same moment: the directory's lock orders the read-change-replace cycles,
    // so neither replaces the file with a copy that lacks the other's key.
    const DirectoryLock dirLock(dir);

    std::string content;
    const ReadResult r = readFile(m_path, content);
    if (r == ReadResult::Failed) {
        m_lastErrorText = "cannot read " + m_path.string();
        return SettingsStatus::IoError;
    }
    detail::IniDocument doc(content);
    doc.set(section, key, value);
    const std::string out = doc.content();

    std::string tmpl = (dir / (m_path.filename().string() + ".XXXXXX")).string();
    std::vector<char> name(tmpl.begin(), tmpl.end());
    name.push_back('\0');
    const int fd = ::mkstemp(name.data());
    if (fd < 0) {
        m_lastErrorText = "cannot write in " + dir.string() + ": " + std::strerror(errno);
        return SettingsStatus::IoError;
    }
    mode_t mode = 0644;
    struct stat st {};
    if (r == ReadResult::Ok && ::stat(m_path.c_str(), &st) == 0) mode = st.st_mode & 07777;
    ::fchmod(fd, mode);
    const bool ok = writeAll(fd, out) && ::fsync(fd) == 0;
    const int closeResult = ::close(fd);
    if (!ok || closeResult != 0 || ::rename(name.data(), m_path.c_str()) != 0) {
        m_lastErrorText = "cannot replace " + m_path.string() + ": " + std::strerror(errno);
        ::unlink(name.data());
        return SettingsStatus::IoError;
    }
    m_lastErrorText.clear();
    return SettingsStatus::Ok;
}

}  // namespace quay::core
