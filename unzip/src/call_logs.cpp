// Log writing. Strings are written after their pointer lines, cut at their
// limits; the decryption code is written masked, since a log file in a shared
// directory is no place for a password.
#include "call_logs.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

#include "result_texts.h"

namespace zw::detail {
namespace {

void appendTo(const std::string& file, const std::string& text) {
    int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    if (fd < 0) return;
    size_t done = 0;
    while (done < text.size()) {
        ssize_t n = ::write(fd, text.data() + done, text.size() - done);
        if (n <= 0) break;
        done += size_t(n);
    }
    ::close(fd);
}

void makeDirectories(const std::string& path) {
    for (size_t i = 1; i <= path.size(); ++i) {
        if (i == path.size() || path[i] == '/') {
            std::string part = path.substr(0, i);
            if (::mkdir(part.c_str(), 0755) != 0 && errno != EEXIST) return;
        }
    }
}

std::string pointerLine(const char* name, const void* p) {
    char buf[128];
    std::snprintf(buf, sizeof buf, "%s: %#08lx\n", name, static_cast<unsigned long>(reinterpret_cast<uintptr_t>(p)));
    return buf;
}

std::string cut(const char* s, size_t limit) {
    if (!s) return "";
    size_t n = strnlen(s, limit);
    return std::string(s, n) + "\n";
}

std::string intLine(const char* name, long value) {
    char buf[128];
    std::snprintf(buf, sizeof buf, "%s: %ld\n", name, value);
    return buf;
}

}  // namespace

CallLogs::CallLogs(const UNZIPCMDSTRUCT& cmd)
    : m_cmd(cmd),
      m_diagnostic(cmd.diagnosticFlag != 0),
      m_extraction((cmd.wUnzipSubOptions & ZW_SUB_EXTRACTION_LOG) != 0) {}

std::string CallLogs::windowsDirectory() {
    std::string dir;
    if (const char* w = std::getenv("ZWUNZIP_WINDIR"); w && *w) {
        dir = w;
    } else if (const char* x = std::getenv("XDG_STATE_HOME"); x && *x) {
        dir = std::string(x) + "/zwunzip";
    } else if (const char* h = std::getenv("HOME"); h && *h) {
        dir = std::string(h) + "/.local/state/zwunzip";
    } else {
        dir = "/tmp/zwunzip";
    }
    makeDirectories(dir);
    return dir;
}

std::string CallLogs::versionStamp() {
    std::time_t now = std::time(nullptr);
    std::tm tm{};
    localtime_r(&now, &tm);
    char date[32], time[32];
    std::strftime(date, sizeof date, "%m/%d/%Y", &tm);
    std::strftime(time, sizeof time, "%H:%M:%S", &tm);
    return std::string(kVersionText) + " - " + date + "  " + time;
}

void CallLogs::appendDiagnostic(const std::string& text) {
    if (m_diagnostic) appendTo(windowsDirectory() + "/ZIPWELL.LOG", text);
}

void CallLogs::appendExtraction(const std::string& text) {
    if (m_extraction) appendTo(windowsDirectory() + "/ZWUNLOG.TXT", text);
}

void CallLogs::begin(int32_t callerSize) {
    if (m_extraction) appendExtraction("--- Zipwell UnZIP Log - " + versionStamp() + " ---\n");
    if (!m_diagnostic) return;
    const UNZIPCMDSTRUCT& c = m_cmd;
    std::string t = "\n--- Zipwell UnZIP Diagnostic Log - " + versionStamp() + " ---\n";
    t += intLine("unzipStructSize", callerSize);
    t += intLine("Function", c.Function);
    t += pointerLine("lpszZIPFile", c.lpszZIPFile) + cut(c.lpszZIPFile, 260);
    t += pointerLine("zInfo", c.zInfo);
    t += pointerLine("lpszFilespec", c.lpszFilespec) + cut(c.lpszFilespec, 20000);
    t += intLine("index", c.index);
    t += pointerLine("lpszDestination", c.lpszDestination) + cut(c.lpszDestination, 260);
    t += intLine("freshenFlag", c.freshenFlag);
    t += intLine("updateFlag", c.updateFlag);
    t += intLine("overWriteFlag", c.overWriteFlag);
    t += intLine("quietFlag", c.quietFlag);
    t += intLine("testFlag", c.testFlag);
    t += intLine("noDirectoryNamesFlag", c.noDirectoryNamesFlag);
    t += intLine("recurseFlag", c.recurseFlag);
    t += intLine("noDirectoryItemsFlag", c.noDirectoryItemsFlag);
    t += pointerLine("lpMinorStatus", reinterpret_cast<const void*>(c.lpMinorStatus));
    t += pointerLine("lpMinorUserData", c.lpMinorUserData);
    t += pointerLine("lpMajorStatus", reinterpret_cast<const void*>(c.lpMajorStatus));
    t += pointerLine("lpMajorUserData", c.lpMajorUserData);
    t += intLine("returnCount", c.returnCount);
    t += pointerLine("lpszReturnString", c.lpszReturnString);
    t += intLine("diagnosticFlag", c.diagnosticFlag);
    t += intLine("textModeFlag", c.textModeFlag);
    t += intLine("decryptFlag", c.decryptFlag);
    t += pointerLine("lpszDecryptCode", c.lpszDecryptCode);
    if (c.lpszDecryptCode) t += std::string(strnlen(c.lpszDecryptCode, 65), '*') + "\n";
    t += pointerLine("lpMessageDisplay", reinterpret_cast<const void*>(c.lpMessageDisplay));
    t += pointerLine("lpMessageDisplayData", c.lpMessageDisplayData);
    t += intLine("wUnzipSubOptions", c.wUnzipSubOptions);
    t += intLine("lResv1", c.lResv1);
    t += intLine("lResv2", c.lResv2);
    t += pointerLine("lpRenameProc", reinterpret_cast<const void*>(c.lpRenameProc));
    t += pointerLine("lpRenameUserData", c.lpRenameUserData);
    t += pointerLine("lpszExtProgTitle", c.lpszExtProgTitle) + cut(c.lpszExtProgTitle, 1024);
    t += pointerLine("lpMemBlock", c.lpMemBlock);
    t += intLine("lMemBlockSize", c.lMemBlockSize);
    t += intLine("lStartingOffset", c.lStartingOffset);
    appendDiagnostic(t);
}

void CallLogs::end(int32_t code, int32_t returnCount, const void* returnString) {
    if (!m_diagnostic) return;
    char buf[256];
    std::snprintf(buf, sizeof buf, "%s %d %s\n", "ZipWell UnZIP Response:", code, resultText(code));
    std::string t = buf;
    t += intLine("returnCount", returnCount);
    t += pointerLine("lpszReturnString", returnString);
    appendDiagnostic(t);
}

void CallLogs::errorLine(const std::string& line) {
    appendDiagnostic(line + "\n");
    appendExtraction(line + "\n");
}

void CallLogs::memberLine(const std::string& name, const char* what) { appendExtraction(name + " [" + what + "]\n"); }

}  // namespace zw::detail
