// Everything one call of the library works with: the full-layout copy of the
// caller's command, its layout version, its logs and messenger, and the
// opened archive. Owned by the exported entry point for the call's duration.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "central_directory.h"
#include "volume_set.h"
#include "zwunzip.h"

namespace zw::detail {

class CallLogs;
class Messenger;

struct CallContext {
    UNZIPCMDSTRUCT& cmd;
    int32_t version;  // 1, 2 or 3: which callback answers are honoured
    CallLogs& logs;
    Messenger& messenger;
    std::string archivePath;  // this platform's absolute path
    VolumeSet volumes;
    CentralDirectory directory;

    bool skipDirectories() const { return (cmd.wUnzipSubOptions & ZW_SUB_SKIP_DIRECTORIES) != 0; }

    // Opens the archive and reads its directory; reports and returns 9 when
    // the file cannot be read, 3 when its structure cannot be understood,
    // 48 when a needed disk was not supplied.
    int32_t openArchive();

    // Members in directory order, leaving out directory entries with
    // sub-option bit 4: the positions that indexes and counts refer to.
    std::vector<size_t> listedMembers() const;
};

// A C string field, empty when the pointer is null.
inline std::string textOf(const char* s) { return s ? std::string(s) : std::string(); }

}  // namespace zw::detail
