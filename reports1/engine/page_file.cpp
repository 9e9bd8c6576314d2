// The unnamed temporary page file. On Linux the file is made with O_TMPFILE and never has
// a name; where the folder's file system cannot do that, a uniquely named file is made and
// its name removed at once. Either way the data go when the descriptor closes, also when
// the process is killed.
#include "quay/reports/engine/page_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>
#include <vector>

namespace quay::reports {
namespace {

std::string systemText(int code) { return std::strerror(code); }

class TemporaryPageFile final : public PageFile {
public:
    explicit TemporaryPageFile(int fd) : m_fd(fd) {}
    ~TemporaryPageFile() override { ::close(m_fd); }
    TemporaryPageFile(const TemporaryPageFile&) = delete;
    TemporaryPageFile& operator=(const TemporaryPageFile&) = delete;

    bool append(const void* data, std::size_t size, std::string& error) override {
        const char* p = static_cast<const char*>(data);
        std::size_t left = size;
        std::uint64_t at = m_size;
        while (left > 0) {
            const ssize_t n = ::pwrite(m_fd, p, left, static_cast<off_t>(at));
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) {
                // A part that did get written lies past the recorded end: no page points at it,
                // and the next append writes over it.
                error = systemText(n < 0 ? errno : ENOSPC);
                return false;
            }
            p += n;
            left -= static_cast<std::size_t>(n);
            at += static_cast<std::uint64_t>(n);
        }
        m_size = at;
        return true;
    }

    bool readAt(std::uint64_t offset, void* data, std::size_t size, std::string& error) const override {
        char* p = static_cast<char*>(data);
        std::size_t left = size;
        while (left > 0) {
            const ssize_t n = ::pread(m_fd, p, left, static_cast<off_t>(offset));
            if (n < 0 && errno == EINTR) continue;
            if (n < 0) {
                error = systemText(errno);
                return false;
            }
            if (n == 0) {
                error = "the file ends early";
                return false;
            }
            p += n;
            left -= static_cast<std::size_t>(n);
            offset += static_cast<std::uint64_t>(n);
        }
        return true;
    }

    std::uint64_t size() const override { return m_size; }

private:
    int m_fd;
    std::uint64_t m_size = 0;
};

}  // namespace

PageFile::~PageFile() = default;

std::unique_ptr<PageFile> openTemporaryPageFile(const std::string& folder, std::string& error) {
    std::string dir = folder;
    if (dir.empty()) {
        std::error_code ec;
        const std::filesystem::path temp = std::filesystem::temp_directory_path(ec);
        dir = ec ? std::string("/tmp") : temp.string();
    }
    int fd = -1;
#ifdef O_TMPFILE
    fd = ::open(dir.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, S_IRUSR | S_IWUSR);
    const int tmpfileError = errno;
    if (fd < 0 && (tmpfileError == ENOENT || tmpfileError == ENOTDIR || tmpfileError == EACCES)) {
        error = "cannot make a temporary file in " + dir + ": " + systemText(tmpfileError);
        return nullptr;
    }
#endif
    if (fd < 0) {
        std::string pattern = dir + "/billquay-pages-XXXXXX";
        std::vector<char> name(pattern.begin(), pattern.end());
        name.push_back('\0');
        fd = ::mkostemp(name.data(), O_CLOEXEC);
        if (fd < 0) {
            error = "cannot make a temporary file in " + dir + ": " + systemText(errno);
            return nullptr;
        }
        ::unlink(name.data());
    }
    return std::make_unique<TemporaryPageFile>(fd);
}

}  // namespace quay::reports
