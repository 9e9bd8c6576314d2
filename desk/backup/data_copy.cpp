// Copying data sets with SQLite's online backup (sqlite3_backup_*). The copy runs in
// steps of a few hundred pages so progress can be shown; the source keeps a read
// snapshot only during each step, and when another connection writes meanwhile the
// engine restarts the copy, so the result is always one consistent state.
//
// Into the live data set the copy holds one write transaction from the first step
// to the last: readers keep seeing the old data until it commits, and a copy that
// fails or is abandoned is rolled back by sqlite3_backup_finish, leaving the data
// set exactly as it was.
#include "backup/data_copy.h"

#include <sqlite3.h>

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <memory>
#include <system_error>
#include <thread>
#include <unistd.h>

#include "quay/store/database.h"
#include "quay/store/table.h"
#include "quay/tables/registry.h"
#include "quay/types/date.h"

namespace quay::desk {

namespace fs = std::filesystem;

namespace {

constexpr int kPagesPerStep = 256;
constexpr int kBusyTimeoutMs = 2000;
// How long a step may keep finding the data set busy before the copy gives up.
constexpr int kBusyRetries = 100;
constexpr auto kBusyPause = std::chrono::milliseconds(50);

struct Connection {
    sqlite3* db = nullptr;
    ~Connection() {
        if (db) sqlite3_close_v2(db);
    }
    std::string error() const { return db ? sqlite3_errmsg(db) : "out of memory"; }
};

bool openConnection(Connection& c, const fs::path& file, int flags, std::string& why) {
    if (sqlite3_open_v2(file.c_str(), &c.db, flags, nullptr) != SQLITE_OK) {
        why = c.error();
        return false;
    }
    sqlite3_extended_result_codes(c.db, 1);
    sqlite3_busy_timeout(c.db, kBusyTimeoutMs);
    return true;
}

bool execute(Connection& c, const char* sql, std::string& why) {
    char* err = nullptr;
    if (sqlite3_exec(c.db, sql, nullptr, nullptr, &err) != SQLITE_OK) {
        why = err ? err : c.error();
        sqlite3_free(err);
        return false;
    }
    return true;
}

// "ok" from PRAGMA quick_check, else the first problem it names.
bool quickCheck(Connection& c, std::string& why) {
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(c.db, "PRAGMA quick_check", -1, &st, nullptr) != SQLITE_OK) {
        why = c.error();
        return false;
    }
    bool ok = false;
    if (sqlite3_step(st) == SQLITE_ROW) {
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(st, 0));
        ok = text && std::string(text) == "ok";
        if (!ok) why = text ? text : "the check gave no answer";
    } else {
        why = c.error();
    }
    sqlite3_finalize(st);
    return ok;
}

// Copies the main database of `from` into `to`. False with the engine's reason.
bool copyPages(Connection& from, Connection& to, const CopyProgress& progress, std::string& why) {
    sqlite3_backup* b = sqlite3_backup_init(to.db, "main", from.db, "main");
    if (!b) {
        why = to.error();
        return false;
    }
    int busy = 0;
    int rc = SQLITE_OK;
    for (;;) {
        rc = sqlite3_backup_step(b, kPagesPerStep);
        if (progress) {
            const int total = sqlite3_backup_pagecount(b);
            progress(total - sqlite3_backup_remaining(b), total);
        }
        if (rc == SQLITE_DONE) break;
        if (rc == SQLITE_OK) continue;
        if ((rc & 0xff) == SQLITE_BUSY || (rc & 0xff) == SQLITE_LOCKED) {
            if (++busy > kBusyRetries) break;
            std::this_thread::sleep_for(kBusyPause);
            continue;
        }
        break;
    }
    const int finish = sqlite3_backup_finish(b);
    if (rc == SQLITE_DONE && finish == SQLITE_OK) return true;
    const int code = rc == SQLITE_DONE ? finish : rc;
    why = (code & 0xff) == SQLITE_BUSY || (code & 0xff) == SQLITE_LOCKED
              ? std::string("another workstation kept the data busy")
              : std::string(sqlite3_errstr(code));
    return false;
}

bool syncFile(const fs::path& file) {
    const int fd = ::open(file.c_str(), O_RDONLY);
    if (fd < 0) return false;
    const bool ok = ::fsync(fd) == 0;
    ::close(fd);
    return ok;
}

void syncDirectory(const fs::path& dir) {
    const int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

DataCopyResult failure(std::string message) {
    DataCopyResult r;
    r.message = std::move(message);
    return r;
}

std::string two(int n) { return (n < 10 ? "0" : "") + std::to_string(n); }

// A private directory for the checked copy of a backup, removed with the object.
struct ScratchDirectory {
    fs::path path;
    ScratchDirectory() {
        std::error_code ec;
        std::string pattern = (fs::temp_directory_path(ec) / "billquay-restore-XXXXXX").string();
        if (::mkdtemp(pattern.data())) path = pattern;
    }
    ~ScratchDirectory() {
        std::error_code ec;
        if (!path.empty()) fs::remove_all(path, ec);
    }
};

// Checks the data set in `dir`: it must hold the company table, and every table it
// holds must open with this program's layout and keys.
DataCopyResult checkDataSet(const fs::path& dir, const std::string& shownName) {
    core::Database db(dir.string());
    if (!db.isOpen()) return failure(shownName + " is not a Billquay backup: " + db.driverErrorText());
    bool hasCompanyTable = false;
    for (const core::TableDesc* desc : core::fileTables()) {
        auto buffer = std::make_unique<std::max_align_t[]>(desc->recordSize / sizeof(std::max_align_t) + 1);
        core::Table table(db, *desc, buffer.get());
        const core::ErrorCode c = table.open(core::OpenMode::Shared);
        if (c == core::ErrorCode::FileNotFound) continue;
        if (c == core::ErrorCode::LayoutMismatch || c == core::ErrorCode::InvalidKeyFile)
            return failure(shownName + " was made by a different version of Billquay: its " + desc->name +
                           " table does not match this program (" + table.errorText() + ").");
        if (c != core::ErrorCode::None)
            return failure(shownName + " cannot be read: its " + desc->name + " table gives " + table.errorText() +
                           (table.driverErrorText().empty() ? "" : " (" + table.driverErrorText() + ")") + ".");
        if (desc->name == "Defaults") hasCompanyTable = true;
        table.close();
    }
    if (!hasCompanyTable) return failure(shownName + " is not a Billquay backup: it holds no company defaults.");
    DataCopyResult ok;
    ok.ok = true;
    return ok;
}

// Copies `file` into `scratch` under the data set's name and checks it there.
DataCopyResult copyAndCheck(const fs::path& file, const ScratchDirectory& scratch) {
    const std::string shown = "\"" + file.filename().string() + "\"";
    std::error_code ec;
    if (!fs::is_regular_file(file, ec)) return failure("The backup file " + shown + " does not exist.");
    if (fs::file_size(file, ec) == 0 || ec) return failure(shown + " is empty and is not a Billquay backup.");
    if (scratch.path.empty()) return failure("No room could be made to check the backup in the temporary folder.");
    Connection from;
    Connection to;
    std::string why;
    if (!openConnection(from, file, SQLITE_OPEN_READONLY, why) ||
        !openConnection(to, scratch.path / kDataSetFile, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, why) ||
        !copyPages(from, to, {}, why))
        return failure(shown + " is not a Billquay backup: " + why + ".");
    // The live data set runs with a write-ahead log; the checked copy is put in the
    // same mode so the pages restored from it keep the live file in that mode.
    if (!execute(to, "PRAGMA journal_mode=WAL", why)) return failure(shown + " cannot be used: " + why + ".");
    if (!quickCheck(to, why)) return failure(shown + " is damaged: " + why + ".");
    sqlite3_close_v2(to.db);
    to.db = nullptr;
    return checkDataSet(scratch.path, shown);
}

}  // namespace

std::string backupFileName(core::DateTime moment, const std::string& suffix) {
    const auto civil = core::civilFromDate(moment.date);
    const auto clock = core::clockFromTime(moment.time);
    std::string name = "billquay-";
    if (civil) name += std::to_string(civil->year) + "-" + two(civil->month) + "-" + two(civil->day);
    if (clock) name += "-" + two(clock->hour) + two(clock->minute);
    return name + suffix + kBackupExtension;
}

DataCopyResult makeBackup(const fs::path& dataDirectory, const fs::path& folder, core::DateTime moment,
                          const CopyProgress& progress, const std::string& suffix) {
    const fs::path source = dataDirectory / kDataSetFile;
    std::error_code ec;
    if (!fs::is_regular_file(source, ec))
        return failure("There is no Billquay data in " + dataDirectory.string() + " to back up.");
    fs::create_directories(folder, ec);
    if (!fs::is_directory(folder, ec))
        return failure("The backup folder " + folder.string() + " could not be made" + (ec ? ": " + ec.message() : "") +
                       ".");

    const std::string base = backupFileName(moment, suffix);
    fs::path target = folder / base;
    for (int n = 2; fs::exists(target, ec); ++n)
        target = folder / (base.substr(0, base.size() - std::string(kBackupExtension).size()) + "-" +
                           std::to_string(n) + kBackupExtension);
    const fs::path partial = target.string() + ".partial";
    fs::remove(partial, ec);

    std::string why;
    bool ok = false;
    {
        Connection from;
        Connection to;
        ok = openConnection(from, source, SQLITE_OPEN_READWRITE, why) &&
             openConnection(to, partial, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, why) &&
             copyPages(from, to, progress, why) &&
             // One self-contained file: no write-ahead log beside it.
             execute(to, "PRAGMA journal_mode=DELETE", why) && quickCheck(to, why);
    }
    if (ok && !syncFile(partial)) {
        ok = false;
        why = "the file could not be flushed to disk";
    }
    if (ok) {
        fs::rename(partial, target, ec);
        if (ec) {
            ok = false;
            why = ec.message();
        }
    }
    if (!ok) {
        fs::remove(partial, ec);
        return failure("The backup could not be written to " + folder.string() + ": " + why + ".");
    }
    syncDirectory(folder);
    DataCopyResult r;
    r.ok = true;
    r.file = target;
    return r;
}

DataCopyResult checkBackup(const fs::path& file) {
    ScratchDirectory scratch;
    return copyAndCheck(file, scratch);
}

DataCopyResult restoreBackup(const fs::path& dataDirectory, const fs::path& file, const fs::path& safetyFolder,
                             core::DateTime moment, const CopyProgress& progress) {
    ScratchDirectory scratch;
    DataCopyResult checked = copyAndCheck(file, scratch);
    if (!checked.ok) return checked;

    const fs::path live = dataDirectory / kDataSetFile;
    std::error_code ec;
    if (!safetyFolder.empty() && fs::is_regular_file(live, ec)) {
        DataCopyResult safety = makeBackup(dataDirectory, safetyFolder, moment, {}, "-before-restore");
        if (!safety.ok)
            return failure("Nothing was restored, because the current data could not be saved first.  " +
                           safety.message);
    }

    std::string why;
    Connection from;
    Connection to;
    if (!openConnection(from, scratch.path / kDataSetFile, SQLITE_OPEN_READWRITE, why) ||
        !openConnection(to, live, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, why) ||
        !copyPages(from, to, progress, why))
        return failure("The data was not restored and is unchanged: " + why + ".");
    DataCopyResult r;
    r.ok = true;
    r.file = file;
    return r;
}

}  // namespace quay::desk
