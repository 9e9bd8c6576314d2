// Test helpers.
#include "test_support.h"

#include <dirent.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <sstream>
#include <stdexcept>

namespace zwtest {
namespace {

void removeTree(const std::string& path) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0) return;
    if (S_ISDIR(st.st_mode)) {
        ::chmod(path.c_str(), 0700);
        if (DIR* d = ::opendir(path.c_str())) {
            while (dirent* e = ::readdir(d)) {
                std::string n = e->d_name;
                if (n != "." && n != "..") removeTree(path + "/" + n);
            }
            ::closedir(d);
        }
        ::rmdir(path.c_str());
    } else {
        ::unlink(path.c_str());
    }
}

}  // namespace

TempDir::TempDir() {
    std::string pattern = std::string(std::getenv("TMPDIR") ? std::getenv("TMPDIR") : "/tmp") + "/zwtest-XXXXXX";
    std::vector<char> buf(pattern.begin(), pattern.end());
    buf.push_back('\0');
    if (!::mkdtemp(buf.data())) throw std::runtime_error("mkdtemp");
    m_path = buf.data();
}

TempDir::~TempDir() { removeTree(m_path); }

std::string corpus(const std::string& relative) {
    const char* root = std::getenv("QUAY_TESTDATA");
    return std::string(root ? root : "testdata") + "/zip/" + relative;
}

bool exists(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0;
}

std::string readFile(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    std::ostringstream s;
    s << f.rdbuf();
    return s.str();
}

void writeFile(const std::string& path, const std::string& bytes) {
    std::ofstream f(path, std::ios::binary | std::ios::trunc);
    f.write(bytes.data(), std::streamsize(bytes.size()));
}

std::vector<std::string> listTree(const std::string& root) {
    std::vector<std::string> out;
    std::function<void(const std::string&)> walk = [&](const std::string& rel) {
        DIR* d = ::opendir((root + (rel.empty() ? "" : "/" + rel)).c_str());
        if (!d) return;
        while (dirent* e = ::readdir(d)) {
            std::string n = e->d_name;
            if (n == "." || n == "..") continue;
            std::string r = rel.empty() ? n : rel + "/" + n;
            struct stat st {};
            ::lstat((root + "/" + r).c_str(), &st);
            if (S_ISDIR(st.st_mode)) {
                out.push_back(r + "/");
                walk(r);
            } else {
                out.push_back(r);
            }
        }
        ::closedir(d);
    };
    walk("");
    std::sort(out.begin(), out.end());
    return out;
}

int shell(const std::string& command) {
    int rc = std::system(command.c_str());
    return WIFEXITED(rc) ? WEXITSTATUS(rc) : -1;
}

bool haveTool(const char* name) { return shell(std::string("command -v ") + name + " >/dev/null 2>&1") == 0; }

std::vector<Message> MessageScript::of(int32_t type) const {
    std::vector<Message> out;
    for (const Message& m : messages)
        if (m.type == type) out.push_back(m);
    return out;
}

int32_t ZWCALL MessageScript::callback(int32_t type, int32_t buttons, int32_t code, int32_t extra, char* text,
                                       const char* caption, void* self) {
    auto* s = static_cast<MessageScript*>(self);
    s->messages.push_back({type, buttons, code, extra, text, caption ? caption : ""});
    if (type == ZW_MSG_TEXT_LOOKUP) return 0;
    if (s->answers.empty()) return s->fallback;
    int32_t a = s->answers.front();
    s->answers.pop_front();
    return a;
}

Command::Command(int32_t function, const std::string& archive) : zip(archive) {
    c.unzipStructSize = UNZIPCMDSTRUCT_SIZE_V3;
    c.Function = function;
    c.index = -1;
    c.quietFlag = 1;
    c.lpszReturnString = ret;
    c.zInfo = &info;
}

Command& Command::filespec(const std::string& s) {
    spec = s;
    return *this;
}

Command& Command::destination(const std::string& d) {
    dest = d;
    return *this;
}

Command& Command::password(const std::string& p) {
    code = p;
    c.decryptFlag = 1;
    return *this;
}

Command& Command::withScript() {
    c.lpMessageDisplay = &MessageScript::callback;
    c.lpMessageDisplayData = &script;
    return *this;
}

int32_t Command::run() {
    c.lpszZIPFile = zip.data();
    c.lpszFilespec = spec.empty() ? nullptr : spec.data();
    c.lpszDestination = dest.empty() ? nullptr : dest.data();
    c.lpszDecryptCode = c.decryptFlag ? code.data() : nullptr;
    return zwunzip(&c);
}

}  // namespace zwtest

namespace {
// The library's own questions must never wait on a developer's terminal, and
// its logs go to a folder of the test run.
struct TestEnvironment {
    TestEnvironment() {
        ::setenv("ZWUNZIP_NO_TERMINAL", "1", 1);
        static zwtest::TempDir windows;
        ::setenv("ZWUNZIP_WINDIR", windows.path().c_str(), 1);
    }
} const kEnvironment;
}  // namespace
