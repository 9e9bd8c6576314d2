// The exported C interface. Each call: the busy flag, a full-layout copy of
// the caller's structure (and of a short member-information record), the
// logs, validation, the archive, the function, and the copy of the results
// back into the caller's structure of its own size. No exception leaves the
// library: an allocation failure ends the call with 5.
#include <fcntl.h>
#include <unistd.h>

#include <cstring>
#include <new>
#include <string>

#include "call_context.h"
#include "call_logs.h"
#include "command_check.h"
#include "extraction.h"
#include "listing.h"
#include "messenger.h"
#include "progress.h"
#include "result_texts.h"
#include "session_state.h"
#include "zwunzip.h"

namespace zw::detail {
namespace {

// Restores the current directory when the call ends.
class DirectoryKeeper {
public:
    DirectoryKeeper() : m_fd(::open(".", O_RDONLY | O_DIRECTORY | O_CLOEXEC)) {}
    ~DirectoryKeeper() {
        if (m_fd >= 0) {
            if (::fchdir(m_fd) != 0) {
            }
            ::close(m_fd);
        }
    }
    DirectoryKeeper(const DirectoryKeeper&) = delete;
    DirectoryKeeper& operator=(const DirectoryKeeper&) = delete;

private:
    int m_fd;
};

void copyShortInfo(ZINFO_SHORT& out, const ZINFO& in) {
    out.index = in.index;
    out.flag = in.flag;
    out.cSize = in.cSize;
    out.oSize = in.oSize;
    out.cMethod = in.cMethod;
    std::memcpy(out.cDateTime, in.cDateTime, sizeof out.cDateTime);
    out.seconds = in.seconds;
    out.dirFlag = in.dirFlag;
    out.encryptFlag = in.encryptFlag;
    std::memcpy(out.szFileName, in.szFileName, sizeof out.szFileName - 1);
    out.szFileName[sizeof out.szFileName - 1] = '\0';
}

// A failed call leaves its error line in the return string (function 6 uses
// that buffer for the comment).
void copyErrorLine(UNZIPCMDSTRUCT& full, const Messenger& messenger, int32_t returnRoom) {
    const std::string& line = messenger.lastError();
    if (full.Function == 6 || !full.lpszReturnString || returnRoom <= 0 || line.empty()) return;
    size_t n = line.size() < size_t(returnRoom - 1) ? line.size() : size_t(returnRoom - 1);
    std::memcpy(full.lpszReturnString, line.data(), n);
    full.lpszReturnString[n] = '\0';
}

int32_t runFunction(CallContext& ctx) {
    if (int32_t rc = ctx.openArchive()) return rc;
    switch (ctx.cmd.Function) {
    case 8: return runExtract(ctx);
    case 9: return runFileToMemory(ctx);
    default: return runListing(ctx);
    }
}

// Runs one call on a full-layout command; `callerSize` is the size the
// caller's structure had.
int32_t runCall(UNZIPCMDSTRUCT& full, int32_t callerSize, int32_t returnRoom) {
    const int32_t version = layoutVersionOf(callerSize);
    SessionState& session = SessionState::instance();
    CallLogs logs(full);
    Messenger messenger(full, logs);
    if (!session.enter()) {
        messenger.reportError(ZW_BUSY, detailText::kReentry);
        copyErrorLine(full, messenger, returnRoom);
        return ZW_BUSY;
    }
    DirectoryKeeper directory;
    int32_t rc;
    try {
        logs.begin(callerSize);
        std::string detail;
        rc = checkCommand(full, detail);
        if (rc) {
            messenger.reportError(rc, detail);
        } else {
            CallContext ctx{full, version, logs, messenger, {}, {}, {}};
            rc = runFunction(ctx);
        }
    } catch (const std::bad_alloc&) {
        rc = ZW_NO_MEMORY;
        messenger.reportError(rc, detailText::kGlobalHeap);
    } catch (...) {
        rc = ZW_BAD_STRUCTURE;
        messenger.reportError(rc, detailText::kStructureProblem);
    }
    if (rc) copyErrorLine(full, messenger, returnRoom);
    logs.end(rc, full.returnCount, full.lpszReturnString);
    session.leave();
    return rc;
}

int32_t callWithStructure(UNZIPCMDSTRUCT* cmd, UNZIPCMDSTRUCT* forcedFull, int32_t returnRoom) {
    if (!cmd) return ZW_SYNTAX_ERROR;
    int32_t size;
    std::memcpy(&size, cmd, sizeof size);
    const int32_t version = layoutVersionOf(size);
    UNZIPCMDSTRUCT full;
    std::memset(&full, 0, sizeof full);
    if (version == 0) {
        CallLogs logs(full);
        Messenger messenger(full, logs);
        messenger.reportError(ZW_SYNTAX_ERROR, detailText::kBadSize);
        return ZW_SYNTAX_ERROR;
    }
    if (forcedFull) {
        full = *forcedFull;
    } else {
        std::memcpy(&full, cmd, static_cast<size_t>(size));
    }
    full.unzipStructSize = UNZIPCMDSTRUCT_SIZE_V3;
    ZINFO info;
    std::memset(&info, 0, sizeof info);
    void* callerInfo = full.zInfo;
    if (callerInfo && version < 3) full.zInfo = &info;
    int32_t rc = runCall(full, size, returnRoom);
    if (callerInfo && version < 3 && (full.Function == 2 || full.Function == 4 || full.Function == 7) && rc == ZW_OK)
        copyShortInfo(*static_cast<ZINFO_SHORT*>(callerInfo), info);
    full.zInfo = callerInfo;
    full.unzipStructSize = size;
    if (!forcedFull)
        std::memcpy(cmd, &full, static_cast<size_t>(size));
    else
        cmd->returnCount = full.returnCount;
    return rc;
}

std::string trimmed(const char* field, size_t width) {
    size_t n = strnlen(field, width);
    while (n > 0 && (field[n - 1] == ' ' || field[n - 1] == '\0')) --n;
    return std::string(field, n);
}

void padBack(char* field, size_t width, const char* text) {
    size_t n = strnlen(text, width);
    std::memcpy(field, text, n);
    std::memset(field + n, ' ', width - n);
}

}  // namespace
}  // namespace zw::detail

using namespace zw::detail;

extern "C" {

ZWEXPORT int32_t ZWCALL zwunzip(UNZIPCMDSTRUCT* cmd) {
    try {
        return callWithStructure(cmd, nullptr, ZW_RETURN_STRING_SIZE);
    } catch (...) {
        return ZW_NO_MEMORY;
    }
}

ZWEXPORT int32_t ZWCALL zwunzipVB(UNZIPCMDSTRUCT* cmd, char* strings, ZINFO* info,
                                  const ZWUNZIPVBCALLBACKS* callbacks) {
    if (!cmd || !strings || !info || !callbacks) return ZW_SYNTAX_ERROR;
    try {
        int32_t size;
        std::memcpy(&size, cmd, sizeof size);
        const int32_t version = layoutVersionOf(size);
        if (version == 0) return callWithStructure(cmd, nullptr, 0);
        UNZIPCMDSTRUCT full;
        std::memset(&full, 0, sizeof full);
        std::memcpy(&full, cmd, static_cast<size_t>(size));
        std::string zip = trimmed(strings + ZWVB_ZIPFILE_OFFSET, ZWVB_ZIPFILE_SIZE);
        std::string spec = trimmed(strings + ZWVB_FILESPEC_OFFSET, ZWVB_FILESPEC_SIZE);
        std::string dest = trimmed(strings + ZWVB_DESTINATION_OFFSET, ZWVB_DESTINATION_SIZE);
        std::string code = trimmed(strings + ZWVB_DECRYPT_OFFSET, ZWVB_DECRYPT_SIZE);
        std::string ret = trimmed(strings + ZWVB_RETURN_OFFSET, ZWVB_RETURN_SIZE);
        char returnBuffer[ZWVB_RETURN_SIZE + 1];
        std::memset(returnBuffer, 0, sizeof returnBuffer);
        std::memcpy(returnBuffer, ret.data(), ret.size());
        full.lpszZIPFile = zip.data();
        full.lpszFilespec = spec.data();
        full.lpszDestination = dest.data();
        full.lpszDecryptCode = code.data();
        full.lpszReturnString = returnBuffer;
        full.zInfo = info;
        full.lpMinorStatus = callbacks->lpMinorStatus;
        full.lpMinorUserData = callbacks->lpMinorUserData;
        full.lpMajorStatus = callbacks->lpMajorStatus;
        full.lpMajorUserData = callbacks->lpMajorUserData;
        full.lpMessageDisplay = callbacks->lpMessageDisplay;
        full.lpMessageDisplayData = callbacks->lpMessageDisplayData;
        full.lpRenameProc = callbacks->lpRenameProc;
        full.lpRenameUserData = callbacks->lpRenameUserData;
        if (full.Function == 6 && (full.returnCount <= 0 || full.returnCount > ZWVB_RETURN_SIZE + 1))
            full.returnCount = ZWVB_RETURN_SIZE + 1;
        UNZIPCMDSTRUCT shell = full;
        shell.unzipStructSize = UNZIPCMDSTRUCT_SIZE_V3;
        int32_t rc = callWithStructure(&shell, &full, ZWVB_RETURN_SIZE + 1);
        cmd->returnCount = shell.returnCount;
        padBack(strings + ZWVB_RETURN_OFFSET, ZWVB_RETURN_SIZE, returnBuffer);
        return rc;
    } catch (...) {
        return ZW_NO_MEMORY;
    }
}

ZWEXPORT void ZWCALL setUnzipProgTitle(const char* title) {
    SessionState::instance().setProgressTitle(title ? title : "");
}

ZWEXPORT void ZWCALL resetUnzipProgTitle(void) { SessionState::instance().setProgressTitle(kDefaultProgressTitle); }

ZWEXPORT void ZWCALL getUnzipProgTitle(char* buffer, int32_t length) {
    if (!buffer || length <= 0) return;
    std::string title = SessionState::instance().progressTitle();
    size_t n = title.size() < size_t(length - 1) ? title.size() : size_t(length - 1);
    std::memcpy(buffer, title.data(), n);
    buffer[n] = '\0';
}

ZWEXPORT void ZWCALL setUnzipExternalCancel(int32_t* cancelFlag) {
    SessionState::instance().setExternalCancel(cancelFlag);
}

ZWEXPORT int32_t* ZWCALL getUnzipExternalCancel(void) { return SessionState::instance().externalCancel(); }

ZWEXPORT int32_t ZWCALL registerExternUnzipProg(void* window, ZWMAJORSTATUSPROC major, void* majorData,
                                                ZWMINORSTATUSPROC minor, void* minorData) {
    Progress* progress = SessionState::instance().activeProgress();
    if (!progress || !progress->externalRunning()) return 0;
    progress->registerExternal(window, major, majorData, minor, minorData);
    return 1;
}

}  // extern "C"
