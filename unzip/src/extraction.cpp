// The extraction loop. For each selected member, in directory order: the
// major status, the target name (destination plus the member's levels, or
// only its base name), the rename callback, the directory levels, the
// overwrite question, the password check, then decoding into a temporary
// file that replaces the target only when the member checked out. The loop
// goes on after 0 and 49, stops silently after 40 and 48, and reports any
// other code with "Problem extracting file(s)".
//
// A member name with a ".." level, an absolute name or a drive prefix is
// never written: it is skipped with 49 and the error line says why.
#include "extraction.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <ctime>
#include <unordered_set>

#include "call_context.h"
#include "call_logs.h"
#include "file_spec.h"
#include "member_extractor.h"
#include "messenger.h"
#include "name_encoding.h"
#include "output_file.h"
#include "platform_paths.h"
#include "progress.h"
#include "result_texts.h"
#include "session_state.h"

namespace zw::detail {
namespace {

constexpr int kMaxRenameRounds = 20;
// Smaller members are written before reserving their room would pay off.
constexpr uint64_t kReserveMinimum = 64u << 10;

struct Target {
    std::string path;
    bool isDirectory = false;
};

// Makes every missing directory level of `path`; false when one cannot be made.
bool makeLevels(const std::string& path) {
    for (size_t i = 1; i <= path.size(); ++i) {
        if (i != path.size() && path[i] != '/') continue;
        std::string part = path.substr(0, i);
        struct stat st {};
        if (::stat(part.c_str(), &st) == 0) {
            if (!S_ISDIR(st.st_mode)) return false;
            continue;
        }
        if (::mkdir(part.c_str(), 0777) != 0 && errno != EEXIST) return false;
    }
    return true;
}

std::string parentOf(const std::string& path) {
    size_t slash = path.find_last_of('/');
    return slash == std::string::npos || slash == 0 ? "/" : path.substr(0, slash);
}

// Minutes since 1900-01-01 of a broken-down date, for comparing to the minute.
long long minuteStamp(int year, int month, int day, int hour, int minute) {
    return ((((long long)year * 13 + month) * 32 + day) * 24 + hour) * 60 + minute;
}

long long memberMinute(const Member& m) {
    int two = (1980 + (m.dosDate >> 9)) % 100;
    int year = two >= 80 ? 1900 + two : 2000 + two;
    return minuteStamp(year, (m.dosDate >> 5) & 15, m.dosDate & 31, m.dosTime >> 11, (m.dosTime >> 5) & 63);
}

long long fileMinute(time_t t) {
    std::tm tm{};
    localtime_r(&t, &tm);
    return minuteStamp(tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min);
}

// The title of the progress display: the command's, else the current one; a
// caller of the older layouts has no title field and gets the default title.
std::string progressTitleOf(const CallContext& ctx) {
    if (ctx.version < 3) return kDefaultProgressTitle;
    std::string title = textOf(ctx.cmd.lpszExtProgTitle);
    return title.empty() ? SessionState::instance().progressTitle() : title;
}

class Extraction {
public:
    explicit Extraction(CallContext& ctx)
        : m_ctx(ctx),
          m_cmd(ctx.cmd),
          m_progress(ctx.cmd, ctx.version, progressTitleOf(ctx)),
          m_extractor(ctx, m_progress) {
        if (m_cmd.lpszDestination && *m_cmd.lpszDestination)
            m_destination = absolutePath(mapCallerPath(m_cmd.lpszDestination));
    }

    int32_t extract();
    int32_t toMemory();

private:
    bool selected(size_t index, const FileSpec* spec) const;
    std::string targetFor(const Member& m, bool baseOnly, std::string& unsafe) const;
    int32_t extractOne(size_t index);
    int32_t testOne(size_t index);
    int32_t askOverwrite(std::string& path);
    int32_t passwordGate(size_t index);
    // Makes a directory and its missing levels, remembering those this call
    // has made or seen so that each is checked once.
    bool ensureDirectory(const std::string& path);
    // True when `target` is the archive being read (looked at once per call).
    bool isArchive(const struct stat& target);

    CallContext& m_ctx;
    UNZIPCMDSTRUCT& m_cmd;
    Progress m_progress;
    MemberExtractor m_extractor;
    std::string m_destination;
    bool m_overwriteAll = false;
    std::unordered_set<std::string> m_directories;
    int m_archiveKnown = 0;  // 0 not looked at yet, 1 known, -1 cannot be looked at
    struct stat m_archive {};
};

bool Extraction::isArchive(const struct stat& target) {
    if (m_archiveKnown == 0) m_archiveKnown = ::stat(m_ctx.archivePath.c_str(), &m_archive) == 0 ? 1 : -1;
    return m_archiveKnown == 1 && target.st_dev == m_archive.st_dev && target.st_ino == m_archive.st_ino;
}

bool Extraction::ensureDirectory(const std::string& path) {
    if (m_directories.count(path)) return true;
    if (!makeLevels(path)) return false;
    m_directories.insert(path);
    return true;
}

std::string Extraction::targetFor(const Member& m, bool baseOnly, std::string& unsafe) const {
    MemberPath mp = splitMemberName(fileSystemName(m.name, m.isUtf8(), m.madeBy));
    if (!mp.reason.empty()) {
        unsafe = mp.reason + ": " + m.name;
        return "";
    }
    if (baseOnly) {
        if (mp.isDirectory || mp.levels.empty()) return m_destination;
        return joinBelow(m_destination, {mp.levels.back()});
    }
    return joinBelow(m_destination, mp.levels);
}

bool Extraction::selected(size_t index, const FileSpec* spec) const {
    const Member& m = m_ctx.directory.members()[index];
    if (m_cmd.noDirectoryItemsFlag && m.isDirectory()) return false;
    if ((m_cmd.freshenFlag || m_cmd.updateFlag) && !m_destination.empty()) {
        std::string unsafe;
        std::string target = targetFor(m, m_cmd.noDirectoryNamesFlag != 0, unsafe);
        struct stat st {};
        if (!target.empty() && ::stat(target.c_str(), &st) == 0) {
            if (memberMinute(m) <= fileMinute(st.st_mtime)) return false;
        } else if (m_cmd.freshenFlag) {
            return false;
        }
    }
    return !spec || spec->matches(m.name, m_cmd.recurseFlag != 0);
}

int32_t Extraction::askOverwrite(std::string& path) {
    for (int round = 0; round < kMaxRenameRounds; ++round) {
        struct stat st {};
        if (::lstat(path.c_str(), &st) != 0 || S_ISDIR(st.st_mode)) return ZW_OK;
        if (m_cmd.overWriteFlag || m_overwriteAll) return ZW_OK;
        if (m_cmd.quietFlag) return ZW_USER_SKIPPED;
        const bool readOnly = (st.st_mode & 0222) == 0;
        std::string text = path + (readOnly ? " exists and is Read Only, do you want to overwrite it?"
                                            : " exists, do you want to overwrite it?");
        const int32_t buttons = m_ctx.version >= 3 ? ZW_MB_FIVEBUTTON : ZW_MB_YESNOCANCEL;
        int32_t answer = m_ctx.messenger.ask(ZW_MSG_OVERWRITE, buttons, 0, 0, text, ZW_ID_NO);
        switch (answer) {
        case ZW_ID_YES: return ZW_OK;
        case ZW_ID_YESTOALL:
        case ZW_ID_IGNORE: m_overwriteAll = true; return ZW_OK;
        case ZW_ID_CANCEL: return ZW_USER_CANCELLED;
        case ZW_ID_RENAME: {
            std::string name = m_ctx.messenger.askFileName(path);
            if (name.empty()) return ZW_USER_SKIPPED;
            std::string mapped = mapCallerPath(name);
            path = mapped[0] == '/' ? mapped : joinBelow(parentOf(path), {mapped});
            if (!makeLevels(parentOf(path))) return ZW_CREATE_ERROR;
            continue;
        }
        default: return ZW_USER_SKIPPED;
        }
    }
    return ZW_USER_SKIPPED;
}

int32_t Extraction::passwordGate(size_t index) {
    int32_t rc = m_extractor.checkPassword(index);
    if (rc != ZW_SKIPPED_ENCRYPTED && rc != ZW_BAD_KEY) return rc;
    if (m_cmd.quietFlag) return ZW_USER_SKIPPED;
    const Member& m = m_ctx.directory.members()[index];
    std::string text = m.name + " is encrypted, and you have not provided the correct code. Go to next item (if any)?";
    int32_t answer = m_ctx.messenger.ask(ZW_MSG_PASSWORD, ZW_MB_OKCANCEL, rc, 0, text, ZW_ID_OK);
    return answer == ZW_ID_CANCEL ? ZW_BAD_KEY : ZW_USER_SKIPPED;
}

int32_t Extraction::testOne(size_t index) {
    const Member& m = m_ctx.directory.members()[index];
    if (!MemberDecoder::supports(m.method)) return ZW_UNKNOWN_METHOD;
    m_ctx.logs.memberLine(m.name, "Tested");
    if (m.isDirectory()) return ZW_OK;
    if (int32_t rc = passwordGate(index)) return rc;
    return m_extractor.run(index, Destination::Test, nullptr, nullptr, "Testing: " + m.name);
}

int32_t Extraction::extractOne(size_t index) {
    const Member& m = m_ctx.directory.members()[index];
    std::string unsafe;
    std::string path = targetFor(m, m_cmd.noDirectoryNamesFlag != 0, unsafe);
    if (!unsafe.empty()) {
        m_ctx.messenger.reportError(ZW_USER_SKIPPED, unsafe);
        return ZW_USER_SKIPPED;
    }
    const bool isDirectory = m.isDirectory() || path == m_destination;
    uint32_t attributes = m.externalAttributes & 0xFF;
    if (m_cmd.lpRenameProc) {
        char name[ZW_MAX_PATH] = {};
        path.copy(name, sizeof name - 1);
        m_cmd.lpRenameProc(name, kCaptionRename, m.dosDate, m.dosTime, &attributes, m_cmd.lpRenameUserData);
        name[sizeof name - 1] = '\0';
        std::string renamed = mapCallerPath(name);
        if (!renamed.empty()) path = absolutePath(renamed);
    }
    if (!ensureDirectory(isDirectory ? path : parentOf(path))) return ZW_CREATE_ERROR;
    if (isDirectory) {
        m_ctx.logs.memberLine(m.name, "Extracted");
        return ZW_OK;
    }
    // Most targets do not exist yet. For a member that needs no question
    // before it is written (not a volume label, a method this build has, not
    // encrypted) creating the target settles that at once: a target this call
    // created cannot be the archive, and there is nothing to ask about or to
    // delete. Any other outcome takes the full road below.
    OutputFile out;
    const bool plain = !m.isVolumeLabel() && MemberDecoder::supports(m.method) && !m.isEncrypted() &&
                       !(m_cmd.wUnzipSubOptions & ZW_SUB_DELETE_EXISTING);
    if (plain && out.openNew(path, m_cmd.textModeFlag != 0)) {
        m_ctx.logs.memberLine(m.name, "Extracted");
    } else {
        struct stat present {};
        if (::lstat(path.c_str(), &present) == 0) {
            struct stat target {};
            if (::stat(path.c_str(), &target) == 0 && isArchive(target)) {
                m_ctx.messenger.reportError(ZW_USER_SKIPPED,
                                            "You are trying to unzip from this ZIP file on top of itself, which is "
                                            "not permitted. \nSkipping this item...");
                return ZW_USER_SKIPPED;
            }
            if (int32_t rc = askOverwrite(path)) return rc;
        }
        if (m.isVolumeLabel()) return ZW_VOLUME_ID;
        if (!MemberDecoder::supports(m.method)) return ZW_UNKNOWN_METHOD;
        if (int32_t rc = passwordGate(index)) return rc;
        m_ctx.logs.memberLine(m.name, "Extracted");
        if (m_cmd.wUnzipSubOptions & ZW_SUB_DELETE_EXISTING) {
            struct stat st {};
            if (::lstat(path.c_str(), &st) == 0 && !S_ISDIR(st.st_mode)) {
                ::chmod(path.c_str(), st.st_mode | S_IWUSR);
                if (::unlink(path.c_str()) != 0) return ZW_CREATE_ERROR;
            }
        }
        if (int32_t rc = out.open(path, m_cmd.textModeFlag != 0)) return rc;
    }
    // Binary output is exactly the declared size once checked; room for it is
    // taken up front, unless the size is one the member's data could not
    // produce (then the member fails anyway) or too small to matter.
    if (!m_cmd.textModeFlag && m.size >= kReserveMinimum &&
        m.size <= MemberDecoder::mostOutput(m.method, m.compressedSize)) {
        if (int32_t rc = out.reserve(m.size)) {
            out.abandon();
            return rc;
        }
    }
    int32_t rc = m_extractor.run(index, Destination::File, &out, nullptr, "Extracting: " + m.name);
    if (rc) {
        out.abandon();
        return rc;
    }
    return out.commit(m.dosDate, m.dosTime, attributes);
}

int32_t Extraction::extract() {
    const auto& members = m_ctx.directory.members();
    FileSpec spec;
    const bool bySpec = m_cmd.lpszFilespec && *m_cmd.lpszFilespec;
    if (bySpec && !spec.parse(m_cmd.lpszFilespec)) {
        m_ctx.messenger.reportError(ZW_SYNTAX_ERROR, detailText::kQuotesMismatched);
        return ZW_SYNTAX_ERROR;
    }
    std::vector<size_t> chosen;
    if (bySpec) {
        for (size_t i = 0; i < members.size(); ++i)
            if (selected(i, &spec)) chosen.push_back(i);
    } else {
        const std::vector<size_t> listed = m_ctx.listedMembers();
        if (size_t(m_cmd.index) >= listed.size()) {
            m_ctx.messenger.reportError(ZW_INDEX_OUT_OF_BOUNDS, detailText::kIndexTooHigh);
            return ZW_INDEX_OUT_OF_BOUNDS;
        }
        if (selected(listed[size_t(m_cmd.index)], nullptr)) chosen.push_back(listed[size_t(m_cmd.index)]);
    }
    if (chosen.empty()) {
        m_ctx.messenger.reportError(ZW_NO_FILES, detailText::kNoMatch);
        return ZW_NO_FILES;
    }
    const bool test = m_cmd.testFlag != 0;
    if (!test && (m_cmd.wUnzipSubOptions & ZW_SUB_EXTERNAL_PROGRESS)) {
        m_progress.startExternal();
        if (m_progress.externalRunning()) SessionState::instance().setActiveProgress(&m_progress);
    }
    // The chosen members inflate ahead on the pool while each is checked,
    // written and reported here in turn.
    m_extractor.planAhead(chosen);
    int32_t result = ZW_OK, done = 0;
    const int32_t total = int32_t(chosen.size());
    for (int32_t k = 0; k < total; ++k) {
        if (m_progress.major(k + 1, total)) {
            result = ZW_USER_CANCELLED;
            break;
        }
        int32_t rc = test ? testOne(chosen[size_t(k)]) : extractOne(chosen[size_t(k)]);
        if (rc == ZW_OK) {
            ++done;
            continue;
        }
        if (rc == ZW_USER_SKIPPED) {
            result = ZW_USER_SKIPPED;
            continue;
        }
        result = rc;
        // Nothing more is wanted from the workers: they stop before the
        // error is reported.
        m_extractor.stopAhead();
        if (rc != ZW_APP_CANCELLED && rc != ZW_USER_CANCELLED)
            m_ctx.messenger.reportError(rc, detailText::kProblemExtracting);
        break;
    }
    m_extractor.stopAhead();
    SessionState::instance().setActiveProgress(nullptr);
    m_progress.stopExternal();
    m_cmd.returnCount = done;
    return result;
}

int32_t Extraction::toMemory() {
    const auto& members = m_ctx.directory.members();
    size_t index = members.size();
    const std::vector<size_t> listed = m_ctx.listedMembers();
    if (m_cmd.lpszFilespec && *m_cmd.lpszFilespec) {
        FileSpec spec;
        spec.parse(m_cmd.lpszFilespec);
        for (size_t i = 0; i < members.size() && index == members.size(); ++i)
            if (!members[i].isDirectory() && spec.matches(members[i].name, true)) index = i;
        if (index == members.size()) {
            m_ctx.messenger.reportError(ZW_NO_FILES, detailText::kNoMatch);
            return ZW_NO_FILES;
        }
    } else {
        if (size_t(m_cmd.index) >= listed.size()) {
            m_ctx.messenger.reportError(ZW_INDEX_OUT_OF_BOUNDS, detailText::kIndexTooHigh);
            return ZW_INDEX_OUT_OF_BOUNDS;
        }
        index = listed[size_t(m_cmd.index)];
    }
    const Member& m = members[index];
    MemoryBlock block;
    block.data = static_cast<uint8_t*>(m_cmd.lpMemBlock);
    block.size = uint64_t(m_cmd.lMemBlockSize);
    block.start = uint64_t(m_cmd.lStartingOffset);
    m_cmd.returnCount = 0;
    int32_t rc = ZW_OK;
    if (m.isVolumeLabel())
        rc = ZW_VOLUME_ID;
    else if (!MemberDecoder::supports(m.method))
        rc = ZW_UNKNOWN_METHOD;
    if (rc == ZW_OK) {
        m_ctx.logs.memberLine(m.name, "Memory");
        if (!m.isDirectory())
            rc = m_extractor.run(index, Destination::Memory, nullptr, &block, "File to Memory: " + m.name);
    }
    m_cmd.returnCount = int32_t(block.copied);
    if (rc != ZW_OK && rc != ZW_USER_CANCELLED && rc != ZW_APP_CANCELLED)
        m_ctx.messenger.reportError(rc, detailText::kProblemExtracting);
    return rc;
}

}  // namespace

int32_t runExtract(CallContext& ctx) { return Extraction(ctx).extract(); }
int32_t runFileToMemory(CallContext& ctx) { return Extraction(ctx).toMemory(); }

}  // namespace zw::detail
