// Listing. Functions 2 and 4 keep their position between calls in the
// session state; naming another archive, or switching between the two
// functions, starts again from the first member, and the call after the last
// member reports "No more items found" and starts the walk over.
#include "listing.h"

#include <cstdio>
#include <cstring>

#include "call_context.h"
#include "file_spec.h"
#include "messenger.h"
#include "result_texts.h"
#include "session_state.h"

namespace zw::detail {

void fillInfo(ZINFO& info, const Member& m, int32_t index, bool forwardSlashes) {
    std::memset(&info, 0, sizeof info);
    info.index = index;
    info.flag = m.flags;
    info.cSize = m.compressedSize > 0xFFFFFFFFu ? 0xFFFFFFFFu : uint32_t(m.compressedSize);
    info.oSize = m.size > 0xFFFFFFFFu ? 0xFFFFFFFFu : uint32_t(m.size);
    info.cMethod = m.method;
    unsigned month = (m.dosDate >> 5) & 15, day = m.dosDate & 31;
    unsigned year = (1980 + (m.dosDate >> 9)) % 100;
    unsigned hour = (m.dosTime >> 11) & 31, minute = (m.dosTime >> 5) & 63;
    std::snprintf(info.cDateTime, sizeof info.cDateTime, "%02u/%02u/%02u  %02u:%02u", month % 100, day, year, hour,
                  minute % 100);
    info.seconds = (m.dosTime & 31) * 2;
    info.dirFlag = m.isDirectory() ? 1 : 0;
    info.encryptFlag = m.isEncrypted() ? 1 : 0;
    size_t n = m.name.size() < sizeof info.szFileName - 1 ? m.name.size() : sizeof info.szFileName - 1;
    for (size_t i = 0; i < n; ++i) {
        char c = m.name[i];
        info.szFileName[i] = (c == '/' && !forwardSlashes) ? '\\' : c;
    }
}

namespace {

bool needsInfo(CallContext& ctx) {
    if (ctx.cmd.zInfo) return true;
    ctx.messenger.reportError(ZW_SYNTAX_ERROR, detailText::kNoItemList);
    return false;
}

int32_t nextMember(CallContext& ctx, const FileSpec* spec) {
    if (!needsInfo(ctx)) return ZW_SYNTAX_ERROR;
    SessionState::Cursor& cursor = SessionState::instance().cursor();
    if (cursor.archive != ctx.archivePath || cursor.function != ctx.cmd.Function) {
        cursor.archive = ctx.archivePath;
        cursor.function = ctx.cmd.Function;
        cursor.next = 0;
    }
    const std::vector<size_t> listed = ctx.listedMembers();
    const bool recurse = ctx.cmd.recurseFlag != 0;
    while (cursor.next < listed.size()) {
        size_t k = cursor.next++;
        const Member& m = ctx.directory.members()[listed[k]];
        if (spec && !spec->matches(m.name, recurse)) continue;
        fillInfo(*static_cast<ZINFO*>(ctx.cmd.zInfo), m, int32_t(k), ctx.cmd.wUnzipSubOptions & ZW_SUB_FORWARD_SLASHES);
        ctx.cmd.returnCount = int32_t(k);
        return ZW_OK;
    }
    cursor.next = 0;
    ctx.messenger.reportError(ZW_NO_FILES, detailText::kNoMoreItems);
    return ZW_NO_FILES;
}

}  // namespace

int32_t runListing(CallContext& ctx) {
    UNZIPCMDSTRUCT& cmd = ctx.cmd;
    const std::vector<size_t> listed = ctx.listedMembers();
    FileSpec spec;
    if (cmd.Function == 3 || cmd.Function == 4) {
        if (!spec.parse(textOf(cmd.lpszFilespec))) {
            ctx.messenger.reportError(ZW_SYNTAX_ERROR, detailText::kQuotesMismatched);
            return ZW_SYNTAX_ERROR;
        }
    }
    switch (cmd.Function) {
    case 1: cmd.returnCount = int32_t(listed.size()); return ZW_OK;
    case 3: {
        int32_t count = 0;
        for (size_t i : listed)
            if (spec.matches(ctx.directory.members()[i].name, cmd.recurseFlag != 0)) ++count;
        cmd.returnCount = count;
        return ZW_OK;
    }
    case 2: return nextMember(ctx, nullptr);
    case 4: return nextMember(ctx, &spec);
    case 5: cmd.returnCount = int32_t(ctx.directory.comment().size()); return ZW_OK;
    case 6: {
        const std::string& comment = ctx.directory.comment();
        int32_t room = cmd.returnCount;
        if (room <= 0) {
            cmd.returnCount = 0;
            return ZW_OK;
        }
        size_t n = comment.size() < size_t(room - 1) ? comment.size() : size_t(room - 1);
        std::memcpy(cmd.lpszReturnString, comment.data(), n);
        cmd.lpszReturnString[n] = '\0';
        cmd.returnCount = int32_t(n);
        return ZW_OK;
    }
    case 7: {
        if (!needsInfo(ctx)) return ZW_SYNTAX_ERROR;
        if (cmd.index < 0 || size_t(cmd.index) >= listed.size()) {
            ctx.messenger.reportError(ZW_INDEX_OUT_OF_BOUNDS, detailText::kIndexOutOfRange);
            return ZW_INDEX_OUT_OF_BOUNDS;
        }
        fillInfo(*static_cast<ZINFO*>(cmd.zInfo), ctx.directory.members()[listed[size_t(cmd.index)]], cmd.index,
                 cmd.wUnzipSubOptions & ZW_SUB_FORWARD_SLASHES);
        return ZW_OK;
    }
    default: return ZW_SYNTAX_ERROR;
    }
}

}  // namespace zw::detail
