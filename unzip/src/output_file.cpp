// Output files: created with mkstemp in the target's directory (so the final
// rename cannot cross file systems), their room reserved with fallocate when
// the size is known, written with plain write(2), renamed over the target.
#include "output_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <ctime>
#include <limits>
#include <vector>

#include "zwunzip.h"

namespace zw::detail {

OutputFile::~OutputFile() { abandon(); }

bool OutputFile::openNew(const std::string& target, bool textMode) {
    m_fd = ::open(target.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (m_fd < 0) return false;
    m_target = target;
    m_textMode = textMode;
    m_temp = target;
    m_inPlace = true;
    return true;
}

int32_t OutputFile::open(const std::string& target, bool textMode) {
    m_target = target;
    m_textMode = textMode;
    // A new target is written in place: if the member fails, the file that
    // this call created is removed and nothing else was touched.
    m_fd = ::open(target.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (m_fd >= 0) {
        m_temp = target;
        m_inPlace = true;
        return ZW_OK;
    }
    if (errno != EEXIST) return ZW_CREATE_ERROR;
    // An existing target is replaced only by a finished, checked member.
    size_t slash = target.find_last_of('/');
    std::string dir = slash == std::string::npos ? "." : target.substr(0, slash + 1);
    std::string base = slash == std::string::npos ? target : target.substr(slash + 1);
    if (base.size() > 200) base.resize(200);
    std::vector<char> pattern;
    std::string p = dir + "." + base + ".zw-XXXXXX";
    pattern.assign(p.begin(), p.end());
    pattern.push_back('\0');
    m_fd = ::mkostemp(pattern.data(), O_CLOEXEC);
    if (m_fd < 0) return ZW_CREATE_ERROR;
    m_temp = pattern.data();
    mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(m_fd, 0666 & ~mask);
    return ZW_OK;
}

int32_t OutputFile::reserve(uint64_t size) {
    if (m_fd < 0 || size == 0) return ZW_OK;
    if (size > uint64_t(std::numeric_limits<off_t>::max())) return ZW_OK;
    // FALLOC_FL_KEEP_SIZE: the length still grows only as bytes are written,
    // so a member that ends short never shows reserved zeros as content.
    if (::fallocate(m_fd, FALLOC_FL_KEEP_SIZE, 0, off_t(size)) == 0) return ZW_OK;
    if (errno == ENOSPC || errno == EDQUOT || errno == EFBIG) {
        m_code = ZW_DISK_FULL;
        return m_code;
    }
    return ZW_OK;  // not supported here (or interrupted): written page by page
}

bool OutputFile::writeRaw(const uint8_t* data, size_t size) {
    while (size > 0) {
        ssize_t n = ::write(m_fd, data, size);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            m_code = ZW_DISK_FULL;
            return false;
        }
        data += n;
        size -= size_t(n);
    }
    return true;
}

bool OutputFile::write(const uint8_t* data, size_t size) {
    if (m_fd < 0) return false;
    if (!m_textMode) return writeRaw(data, size);
    uint8_t converted[32768];
    size_t used = 0;
    for (size_t i = 0; i < size; ++i) {
        uint8_t c = data[i];
        if (m_pendingCr) {
            m_pendingCr = false;
            if (c != '\n') converted[used++] = '\r';
        }
        if (c == '\r') {
            m_pendingCr = true;
        } else {
            converted[used++] = c;
        }
        if (used >= sizeof converted - 2) {
            if (!writeRaw(converted, used)) return false;
            used = 0;
        }
    }
    return writeRaw(converted, used);
}

time_t OutputFile::dosToTime(uint16_t dosDate, uint16_t dosTime) {
    std::tm tm{};
    tm.tm_year = 80 + (dosDate >> 9);
    tm.tm_mon = ((dosDate >> 5) & 15) - 1;
    tm.tm_mday = dosDate & 31;
    tm.tm_hour = dosTime >> 11;
    tm.tm_min = (dosTime >> 5) & 63;
    tm.tm_sec = (dosTime & 31) * 2;
    tm.tm_isdst = -1;
    if (tm.tm_mon < 0) tm.tm_mon = 0;
    if (tm.tm_mday == 0) tm.tm_mday = 1;
    return std::mktime(&tm);
}

int32_t OutputFile::commit(uint16_t dosDate, uint16_t dosTime, uint32_t dosAttributes) {
    if (m_fd < 0) return ZW_CREATE_ERROR;
    if (m_pendingCr) {
        m_pendingCr = false;
        const uint8_t cr = '\r';
        if (!writeRaw(&cr, 1)) return m_code;
    }
    if (dosAttributes & 0x01) {
        struct stat st {};
        if (::fstat(m_fd, &st) == 0) ::fchmod(m_fd, st.st_mode & ~mode_t(0222));
    }
    time_t t = dosToTime(dosDate, dosTime);
    if (t != static_cast<time_t>(-1)) {
        timespec times[2] = {{t, 0}, {t, 0}};
        ::futimens(m_fd, times);
    }
    if (::close(m_fd) != 0) {
        m_fd = -1;
        m_code = ZW_DISK_FULL;
        return m_code;
    }
    m_fd = -1;
    if (!m_inPlace && ::rename(m_temp.c_str(), m_target.c_str()) != 0) return ZW_CREATE_ERROR;
    m_temp.clear();
    return ZW_OK;
}

void OutputFile::abandon() {
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
    if (!m_temp.empty()) {
        ::unlink(m_temp.c_str());
        m_temp.clear();
    }
}

}  // namespace zw::detail
