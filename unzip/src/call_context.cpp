// Opening the archive of a call. A split set named by its first segment (which
// starts with the spanning signature, ZIP application note 8.5.3, and has no
// end record) is read from its last segment, name.zip; when that is missing
// the user is asked for the last disk.
#include "call_context.h"

#include <unistd.h>

#include "messenger.h"
#include "platform_paths.h"
#include "result_texts.h"

namespace zw::detail {
namespace {

constexpr int kMaxLastDiskPrompts = 20;

bool startsSplitSet(const MappedFile& f) {
    const uint8_t* d = f.data();
    return f.size() >= 4 && d[0] == 0x50 && d[1] == 0x4b && d[2] == 0x07 && d[3] == 0x08;
}

std::string lastSegmentName(const std::string& path) {
    size_t dot = path.find_last_of('.');
    size_t slash = path.find_last_of('/');
    std::string base =
        (dot != std::string::npos && (slash == std::string::npos || dot > slash)) ? path.substr(0, dot) : path;
    return base + ".zip";
}

}  // namespace

int32_t CallContext::openArchive() {
    archivePath = absolutePath(mapCallerPath(textOf(cmd.lpszZIPFile)));
    if (volumes.open(archivePath) != ZW_OK) {
        messenger.reportError(ZW_FILE_NOT_FOUND, detailText::kProblemReading);
        return ZW_FILE_NOT_FOUND;
    }
    int32_t rc = directory.read(volumes, messenger);
    if (rc == ZW_BAD_STRUCTURE && startsSplitSet(volumes.lastSegment())) {
        std::string last = lastSegmentName(archivePath);
        for (int attempt = 0; attempt < kMaxLastDiskPrompts; ++attempt) {
            if (last != archivePath && ::access(last.c_str(), F_OK) == 0) {
                archivePath = last;
                if (volumes.open(archivePath) != ZW_OK) {
                    messenger.reportError(ZW_OPEN_ERROR, detailText::kProblemOpening);
                    return ZW_OPEN_ERROR;
                }
                rc = directory.read(volumes, messenger);
                break;
            }
            int32_t answer = messenger.ask(
                ZW_MSG_INSERT_DISK, ZW_MB_OKCANCEL, 0, -1,
                "Please insert the last disk of the Multi-Volume set. \nPress OK when ready or Cancel to abort.",
                ZW_ID_CANCEL);
            if (answer != ZW_ID_OK) return ZW_USER_CANCELLED;
        }
    }
    if (rc == ZW_USER_CANCELLED) return rc;
    if (rc == ZW_OPEN_ERROR) {
        messenger.reportError(rc, detailText::kProblemOpening);
        return rc;
    }
    if (rc != ZW_OK) {
        messenger.reportError(ZW_BAD_STRUCTURE, detailText::kStructureProblem);
        return ZW_BAD_STRUCTURE;
    }
    return ZW_OK;
}

std::vector<size_t> CallContext::listedMembers() const {
    std::vector<size_t> out;
    const auto& members = directory.members();
    out.reserve(members.size());
    for (size_t i = 0; i < members.size(); ++i)
        if (!skipDirectories() || !members[i].isDirectory()) out.push_back(i);
    return out;
}

}  // namespace zw::detail
