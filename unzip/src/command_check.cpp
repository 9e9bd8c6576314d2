// Command validation, in the order the checks are documented.
#include "command_check.h"

#include <cstring>

#include "platform_paths.h"
#include "result_texts.h"

namespace zw::detail {

int32_t layoutVersionOf(int32_t size) {
    if (size == UNZIPCMDSTRUCT_SIZE_V1) return 1;
    if (size == UNZIPCMDSTRUCT_SIZE_V2) return 2;
    if (size == UNZIPCMDSTRUCT_SIZE_V3) return 3;
    return 0;
}

bool isPlainMemberName(const char* name) {
    if (!name || !*name) return false;
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(name); *p; ++p) {
        if (*p < 0x20 || *p == 0x7F) return false;
        if (std::strchr("*+,/<=>?[]|", *p)) return false;
    }
    return true;
}

int32_t checkCommand(const UNZIPCMDSTRUCT& cmd, std::string& detail) {
    auto fail = [&detail](const char* text) {
        detail = text;
        return ZW_SYNTAX_ERROR;
    };
    if (cmd.Function < 1 || cmd.Function > 9) return fail(detailText::kUnknownFunction);
    if (!cmd.lpszZIPFile) return fail(detailText::kNoZipName);
    if (!*cmd.lpszZIPFile) return fail(detailText::kNoValidZip);
    if (cmd.freshenFlag && cmd.updateFlag) return fail(detailText::kFreshenAndUpdate);
    if (cmd.decryptFlag && (!cmd.lpszDecryptCode || !*cmd.lpszDecryptCode || strnlen(cmd.lpszDecryptCode, 66) > 65))
        return fail(detailText::kBadKey);
    const bool hasSpec = cmd.lpszFilespec && *cmd.lpszFilespec;
    switch (cmd.Function) {
    case 3:
    case 4:
        if (!cmd.lpszFilespec) return fail(detailText::kNoFilespec);
        if (!*cmd.lpszFilespec) return fail(detailText::kEmptyFilespec);
        break;
    case 6:
        if (!cmd.lpszReturnString) return fail(detailText::kNoItemList);
        break;
    case 8: {
        const char* dest = cmd.lpszDestination;
        if (cmd.testFlag) {
            if ((cmd.freshenFlag || cmd.updateFlag) && (!dest || !*dest)) return fail(detailText::kNeedDestination);
        } else {
            if (!dest) return fail(detailText::kNoDestination);
            if (std::strlen(dest) < 2) return fail(detailText::kDestinationNotComplete);
            if (!hasDriveOrShare(dest)) return fail(detailText::kNeedDrive);
        }
        if (!hasSpec && cmd.index < 0) return fail(detailText::kNoItemList);
        break;
    }
    case 9: {
        const bool byIndex = !hasSpec && cmd.index >= 0;
        const bool byName = hasSpec && isPlainMemberName(cmd.lpszFilespec);
        if (!cmd.lpMemBlock || cmd.lMemBlockSize < 0 || cmd.lStartingOffset < 0 || !(byIndex || byName))
            return fail(detailText::kFileToMem);
        break;
    }
    default: break;
    }
    return ZW_OK;
}

}  // namespace zw::detail
