// The routine every window opens its tables through. It opens the table and
// repairs what it can, asking the user where the repair needs a yes:
//
//   open ── 32 (locked) ──> send "Recover=10", open once more ──┐
//    │                                                           │
//    └──────────────────────────────┬────────────────────────────┘
//                                   v
//   0 or 52 ──────────────> open
//   2 (missing) ──────────> creation allowed: create (fails: message 4, end),
//                                             open (fails: message 5, end)
//                           not allowed: message 22, end
//   46 (invalid keys) ────> message 2: Yes rebuilds the keys (fails: message 3,
//                           end) and opens again, whose result is settled as
//                           here without a second rebuild; No ends ("Invalid Key!")
//   47 (layout) ──────────> message 1, end
//   anything else ────────> message 30, end ("Disk Error")
//
// "End" means the program ends through the UI port (a desktop port does not
// return; a scripted one does, and the routine then answers ProgramEnded). Each
// message's error insert is the error of the call that failed.
#pragma once

#include <string>
#include <string_view>

#include "quay/app/ui_port.h"
#include "quay/export.h"
#include "quay/store/error_code.h"
#include "quay/store/table.h"

namespace quay::core {

enum class OpenOutcome {
    Opened,        // the handle is open
    ProgramEnded,  // a message ended the program; the handle is not open
};

// What the routine needs of a table file. Table serves through openTable(ui, table);
// the interface lets the routine's every branch be driven without a damaged file.
class QUAY_EXPORT OpenableFile {
public:
    virtual ~OpenableFile();
    virtual ErrorCode open(OpenMode mode) = 0;
    virtual ErrorCode create() = 0;
    virtual ErrorCode buildKeys() = 0;
    virtual ErrorCode send(std::string_view command) = 0;
    // The table's name as the messages show it ("Customer").
    virtual std::string name() const = 0;
    // Saves the last call's error for the next standard message.
    virtual void saveLastError() const = 0;
};

QUAY_EXPORT OpenOutcome openTable(UiPort& ui, OpenableFile& file, bool createAllowed = true,
                                  OpenMode mode = OpenMode::Shared);
QUAY_EXPORT OpenOutcome openTable(UiPort& ui, Table& table, bool createAllowed = true,
                                  OpenMode mode = OpenMode::Shared);

}  // namespace quay::core
