// Progress and the external progress program. The program is started as
// "zwprog32 /c|/n /u /T=<title>" with a socket as its standard input and
// output. Each status travels as a 360-byte record: a little-endian int32
// kind (0 major, 1 minor, 2 close request) and a 356-byte payload (int32
// percentage, uint32 bytes done, 348 characters of text, terminated); the
// program answers every major or minor record with one int32, non-zero to
// cancel. At the end the close request is sent and the program is given
// 5000 ms to exit.
#include "progress.h"

#include <poll.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "session_state.h"

namespace zw::detail {
namespace {

constexpr int kReplyWaitMs = 5000;
constexpr int kCloseWaitMs = 5000;
constexpr size_t kPayloadSize = 356;
constexpr size_t kTextSize = kPayloadSize - 8;

std::string findOnPath(const char* program) {
    const char* path = std::getenv("PATH");
    if (!path) return "";
    for (const char* start = path;; ++start) {
        const char* end = std::strchr(start, ':');
        size_t length = end ? size_t(end - start) : std::strlen(start);
        char candidate[4096];
        int n = length == 0 ? std::snprintf(candidate, sizeof candidate, "./%s", program)
                            : std::snprintf(candidate, sizeof candidate, "%.*s/%s", int(length), start, program);
        if (n > 0 && size_t(n) < sizeof candidate && ::access(candidate, X_OK) == 0) return candidate;
        if (!end) return "";
        start = end;
    }
}

void put32(uint8_t* p, uint32_t v) {
    p[0] = uint8_t(v);
    p[1] = uint8_t(v >> 8);
    p[2] = uint8_t(v >> 16);
    p[3] = uint8_t(v >> 24);
}

}  // namespace

int32_t percentOf(uint64_t done, uint64_t total) {
    if (total == 0) return 100;
    uint64_t pct = total <= 100000 ? done * 100 / total : done / (total / 100);
    return pct > 100 ? 100 : int32_t(pct);
}

Progress::Progress(const UNZIPCMDSTRUCT& cmd, int32_t layoutVersion, const std::string& title)
    : m_cmd(cmd),
      m_version(layoutVersion),
      m_title(title),
      m_major(cmd.lpMajorStatus),
      m_majorData(cmd.lpMajorUserData),
      m_minor(cmd.lpMinorStatus),
      m_minorData(cmd.lpMinorUserData) {}

Progress::~Progress() { stopExternal(); }

bool Progress::cancelRequested() const {
    const int32_t* flag = SessionState::instance().externalCancel();
    return flag && *flag != 0;
}

bool Progress::major(int32_t item, int32_t total) {
    char text[64];
    std::snprintf(text, sizeof text, "Item %d of %d", item, total);
    const int32_t pct = percentOf(uint64_t(item), uint64_t(total > 0 ? total : 0));
    bool cancel = false;
    if (externalRunning()) {
        int32_t answer = sendExternal(0, pct, 0, text);
        cancel = answer != 0 && m_version >= 2 && (m_cmd.wUnzipSubOptions & ZW_SUB_ALLOW_CANCEL);
        if (m_window && m_major) m_major(text, pct, m_majorData);
    } else if (m_major) {
        int64_t answer = m_major(text, pct, m_majorData);
        cancel = m_version >= 2 && static_cast<uint32_t>(answer & 0xFFFFFFFF) != 0;
    }
    return cancel || cancelRequested();
}

bool Progress::minor(uint64_t done, uint64_t total, const std::string& text) {
    int32_t pct = percentOf(done, total) + 1;
    if (pct > 100) pct = 100;
    const int32_t bytes = done > 0x7FFFFFFF ? 0x7FFFFFFF : int32_t(done);
    const bool mayCancel = m_version >= 2 && (m_cmd.wUnzipSubOptions & ZW_SUB_ALLOW_CANCEL);
    bool cancel = false;
    if (externalRunning()) {
        cancel = sendExternal(1, pct, done, text) != 0 && mayCancel;
        if (m_window && m_minor) m_minor(bytes, text.c_str(), pct, m_minorData);
    } else if (m_minor) {
        cancel = m_minor(bytes, text.c_str(), pct, m_minorData) != 0 && mayCancel;
    }
    return cancel || cancelRequested();
}

void Progress::startExternal() {
    std::string program = findOnPath("zwprog32");
    if (program.empty()) return;
    int sv[2];
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, sv) != 0) return;
    std::string cancelSwitch = (m_cmd.wUnzipSubOptions & ZW_SUB_EXTERNAL_CANCEL) ? "/c" : "/n";
    std::string titleArg("/T=");
    titleArg += m_title;
    pid_t pid = ::fork();
    if (pid < 0) {
        ::close(sv[0]);
        ::close(sv[1]);
        return;
    }
    if (pid == 0) {
        ::dup2(sv[1], 0);
        ::dup2(sv[1], 1);
        char* argv[] = {const_cast<char*>(program.c_str()), const_cast<char*>(cancelSwitch.c_str()),
                        const_cast<char*>("/u"), const_cast<char*>(titleArg.c_str()), nullptr};
        ::execv(program.c_str(), argv);
        ::_exit(127);
    }
    ::close(sv[1]);
    m_socket = sv[0];
    m_child = pid;
    if (int32_t* flag = SessionState::instance().externalCancel()) *flag = 0;
}

int32_t Progress::sendExternal(int32_t kind, int32_t percent, uint64_t bytes, const std::string& text) {
    if (m_socket < 0) return 0;
    uint8_t record[4 + kPayloadSize] = {};
    put32(record, uint32_t(kind));
    put32(record + 4, uint32_t(percent));
    put32(record + 8, uint32_t(bytes > 0xFFFFFFFFu ? 0xFFFFFFFFu : bytes));
    std::memcpy(record + 12, text.data(), text.size() < kTextSize - 1 ? text.size() : kTextSize - 1);
    size_t done = 0;
    while (done < sizeof record) {
        ssize_t n = ::send(m_socket, record + done, sizeof record - done, MSG_NOSIGNAL);
        if (n <= 0) return 0;
        done += size_t(n);
    }
    if (kind == 2) return 0;
    uint8_t reply[4];
    size_t got = 0;
    while (got < sizeof reply) {
        pollfd p{m_socket, POLLIN, 0};
        if (::poll(&p, 1, kReplyWaitMs) <= 0) return 0;
        ssize_t n = ::recv(m_socket, reply + got, sizeof reply - got, 0);
        if (n <= 0) return 0;
        got += size_t(n);
    }
    return int32_t(uint32_t(reply[0]) | (uint32_t(reply[1]) << 8) | (uint32_t(reply[2]) << 16) |
                   (uint32_t(reply[3]) << 24));
}

void Progress::stopExternal() {
    if (m_child <= 0) return;
    sendExternal(2, 100, 0, "");
    ::shutdown(m_socket, SHUT_WR);
    int status = 0;
    bool gone = false;
    for (int waited = 0; waited < kCloseWaitMs; waited += 10) {
        if (::waitpid(m_child, &status, WNOHANG) == m_child) {
            gone = true;
            break;
        }
        ::usleep(10000);
    }
    if (!gone) {
        ::kill(m_child, SIGTERM);
        ::waitpid(m_child, &status, 0);
    }
    ::close(m_socket);
    m_socket = -1;
    m_child = -1;
    m_window = nullptr;
    if (int32_t* flag = SessionState::instance().externalCancel()) *flag = 0;
}

void Progress::registerExternal(void* window, ZWMAJORSTATUSPROC major, void* majorData, ZWMINORSTATUSPROC minor,
                                void* minorData) {
    m_window = window;
    m_major = major;
    m_majorData = majorData;
    m_minor = minor;
    m_minorData = minorData;
}

}  // namespace zw::detail
