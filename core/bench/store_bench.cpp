// Record store against plain SQLite on a table of 1,000,000 customers: the same
// operation through a store handle and through hand-written prepared statements on a
// second connection to the same file, in the same run. Operations: a keyed seek with
// 100 next reads, the first page of 20 rows after a seek, a get by unique key, a put of
// one record by primary key, and 10,000 adds in one transaction. A seek is setAtKey
// (store) or the bound range query (SQLite); its reads are the next() calls that follow. After the benchmark
// table it prints one line per operation:
//   RATIO <operation> store_ns=<n> sqlite_ns=<n> ratio=<store/sqlite>
// Sequential reads run with QUICKSCAN on, as the program's lists and reports send it
// before long reads; a seek without it is measured too, for information.
#include <sqlite3.h>
#include <unistd.h>

#include <benchmark/benchmark.h>

#include <chrono>
#include <ctime>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "database_impl.h"
#include "quay/store/database.h"
#include "quay/store/table.h"
#include "quay/store/transaction.h"

namespace {

using namespace quay::core;

constexpr int kRows = 1'000'000;

struct BenchMemo {
    std::uint32_t length;
    char text[200];
};

struct Customer {
    std::int32_t Id;       // LONG
    char Name[30];         // STRING(30)
    char City[20];         // STRING(20)
    std::int64_t Balance;  // DECIMAL(11,2)
    std::uint8_t Status;   // BYTE
    BenchMemo Notes;       // MEMO(200)
};

constexpr KeyId kById{0};
constexpr KeyId kByName{1};

const TableDesc& customerDesc() {
    static const TableDesc d = [] {
        TableDesc t;
        t.name = "BenchCustomer";
        t.prefix = "BCU";
        t.fileName = "benchcust.tps";
        t.recordSize = sizeof(Customer);
        t.fields = {
            {"Id", FieldType::Long, offsetof(Customer, Id), 0, 0},
            {"Name", FieldType::String, offsetof(Customer, Name), 30, 0},
            {"City", FieldType::String, offsetof(Customer, City), 20, 0},
            {"Balance", FieldType::Decimal, offsetof(Customer, Balance), 11, 2},
            {"Status", FieldType::Byte, offsetof(Customer, Status), 0, 0},
            {"Notes", FieldType::Memo, offsetof(Customer, Notes), 200, 0},
        };
        t.keys = {
            {"byId", "by Id", {{0, false}}, true, false, false, true},
            {"byName", "by Name", {{1, false}}, false, false, true, false},
            {"byCityBalance", "by City", {{2, false}, {3, true}}, false, false, false, false},
        };
        return t;
    }();
    return d;
}

void setText(char* field, std::size_t n, const std::string& s) {
    std::memset(field, ' ', n);
    std::memcpy(field, s.data(), std::min(n, s.size()));
}

std::string nameFor(int i) {
    // Five customers per name, in mixed case, spread over the id range.
    const int n = (i * 7919) % (kRows / 5);
    return (n % 2 ? "customer " : "CUSTOMER ") + std::to_string(100000 + n);
}

void fill(Customer& c, int id) {
    std::memset(&c, 0, sizeof c);
    c.Id = id;
    setText(c.Name, sizeof c.Name, nameFor(id));
    setText(c.City, sizeof c.City, "City " + std::to_string(id % 500));
    c.Balance = (id % 100000) * 7;
    c.Status = static_cast<std::uint8_t>(id % 3);
    const std::string note = "account opened " + std::to_string(id);
    c.Notes.length = static_cast<std::uint32_t>(note.size());
    std::memcpy(c.Notes.text, note.data(), note.size());
}

// The plain-SQLite side: its own connection and its own prepared statements.
struct Direct {
    sqlite3* db = nullptr;
    sqlite3_stmt* seek = nullptr;
    sqlite3_stmt* get = nullptr;
    sqlite3_stmt* put = nullptr;
    sqlite3_stmt* insert = nullptr;

    void prepare(const std::string& path) {
        sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
        sqlite3_busy_timeout(db, 2000);
        // The same connection settings as the store's, so only the store's own work differs.
        sqlite3_exec(db, "PRAGMA synchronous=FULL; PRAGMA cache_size=-65536", nullptr, nullptr, nullptr);
        const char* cols = "rowid, _rowversion, Id, Name, City, Balance, Status, Notes";
        auto prep = [&](const std::string& sql, sqlite3_stmt** s) {
            if (sqlite3_prepare_v3(db, sql.c_str(), -1, SQLITE_PREPARE_PERSISTENT, s, nullptr) != SQLITE_OK) {
                std::fprintf(stderr, "prepare failed: %s\n", sqlite3_errmsg(db));
                std::exit(1);
            }
        };
        prep(std::string("SELECT ") + cols +
                 " FROM benchcust WHERE Name COLLATE NOCASE >= ?1 ORDER BY Name COLLATE NOCASE, rowid LIMIT ?2",
             &seek);
        prep(std::string("SELECT ") + cols + " FROM benchcust WHERE Id = ?1", &get);
        prep(
            "UPDATE benchcust SET Id = ?1, Name = ?2, City = ?3, Balance = ?4, Status = ?5, Notes = ?6,"
            " _rowversion = ?7 WHERE Id = ?1",
            &put);
        prep(
            "INSERT INTO benchcust (_rowversion, Id, Name, City, Balance, Status, Notes)"
            " VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7)",
            &insert);
    }

    static std::size_t trimmed(const char* s, std::size_t n) {
        while (n > 0 && s[n - 1] == ' ') --n;
        return n;
    }
    static void readText(sqlite3_stmt* s, int col, char* field, std::size_t n) {
        const std::size_t len = std::min<std::size_t>(static_cast<std::size_t>(sqlite3_column_bytes(s, col)), n);
        std::memcpy(field, sqlite3_column_text(s, col), len);
        std::memset(field + len, ' ', n - len);
    }
    static void decode(sqlite3_stmt* s, Customer& c) {
        c.Id = sqlite3_column_int(s, 2);
        readText(s, 3, c.Name, sizeof c.Name);
        readText(s, 4, c.City, sizeof c.City);
        c.Balance = sqlite3_column_int64(s, 5);
        c.Status = static_cast<std::uint8_t>(sqlite3_column_int(s, 6));
        const std::size_t len = std::min<std::size_t>(static_cast<std::size_t>(sqlite3_column_bytes(s, 7)), 200);
        c.Notes.length = static_cast<std::uint32_t>(len);
        std::memcpy(c.Notes.text, sqlite3_column_text(s, 7), len);
        std::memset(c.Notes.text + len, 0, 200 - len);
    }
    static void bind(sqlite3_stmt* s, int first, const Customer& c) {
        sqlite3_bind_int(s, first, c.Id);
        sqlite3_bind_text(s, first + 1, c.Name, static_cast<int>(trimmed(c.Name, sizeof c.Name)), SQLITE_STATIC);
        sqlite3_bind_text(s, first + 2, c.City, static_cast<int>(trimmed(c.City, sizeof c.City)), SQLITE_STATIC);
        sqlite3_bind_int64(s, first + 3, c.Balance);
        sqlite3_bind_int(s, first + 4, c.Status);
        sqlite3_bind_text(s, first + 5, c.Notes.text, static_cast<int>(c.Notes.length), SQLITE_STATIC);
    }
};

struct Fixture {
    std::string dir;
    std::unique_ptr<Database> db;
    std::unique_ptr<Handle<Customer>> store;
    Direct direct;
    std::vector<int> ids;
    std::vector<std::string> names;
    int nextId = kRows + 1;
};

Fixture& fixture() {
    static Fixture* f = [] {
        auto* fx = new Fixture;
        std::string pattern = (std::filesystem::temp_directory_path() / "quaybench-XXXXXX").string();
        fx->dir = ::mkdtemp(pattern.data());
        fx->db = std::make_unique<Database>(fx->dir);
        fx->store = std::make_unique<Handle<Customer>>(*fx->db, customerDesc());
        if (fx->store->create() != ErrorCode::None || fx->store->open() != ErrorCode::None) {
            std::fprintf(stderr, "cannot create the bench table: %s\n", fx->store->driverErrorText().c_str());
            std::exit(1);
        }
        const auto start = std::chrono::steady_clock::now();
        const std::clock_t cpuStart = std::clock();
        {
            Transaction tx(*fx->db, {fx->store.get()});
            tx.begin();
            for (int id = 1; id <= kRows; ++id) {
                fill(fx->store->rec, id);
                if (fx->store->add() != ErrorCode::None) std::exit(1);
            }
            if (tx.commit() != ErrorCode::None) std::exit(1);
        }
        const double secs = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        const double cpu = static_cast<double>(std::clock() - cpuStart) / CLOCKS_PER_SEC;
        std::fprintf(stderr, "built %d rows through the store in one transaction: %.2f s (%.2f s CPU)\n", kRows, secs,
                     cpu);
        fx->direct.prepare(fx->dir + "/billquay.sqlite3");
        std::mt19937 rng(42);
        for (int i = 0; i < 4096; ++i) {
            fx->ids.push_back(static_cast<int>(rng() % kRows) + 1);
            // Names from the first three quarters of the key, so 100 records follow each.
            const int n = static_cast<int>(rng() % (kRows / 5 * 3 / 4));
            fx->names.push_back((n % 2 ? "customer " : "Customer ") + std::to_string(100000 + n));
        }
        return fx;
    }();
    return *f;
}

// ---- keyed seek + 100 next, seek + first page of 20 ----

void storeSeek(benchmark::State& state, int rows, bool quickScan) {
    Fixture& f = fixture();
    Handle<Customer>& h = *f.store;
    h.send(quickScan ? "QUICKSCAN=on" : "QUICKSCAN=off");
    std::size_t i = 0;
    for (auto _ : state) {
        setText(h.rec.Name, sizeof h.rec.Name, f.names[i++ % f.names.size()]);
        h.setAtKey(kByName);
        for (int r = 0; r < rows; ++r) {
            if (h.next() != ErrorCode::None) {
                state.SkipWithError("next failed");
                break;
            }
        }
        benchmark::DoNotOptimize(h.rec.Balance);
    }
    h.send("QUICKSCAN=off");
}

void directSeek(benchmark::State& state, int rows) {
    Fixture& f = fixture();
    Customer c{};
    std::size_t i = 0;
    for (auto _ : state) {
        const std::string& name = f.names[i++ % f.names.size()];
        sqlite3_bind_text(f.direct.seek, 1, name.data(), static_cast<int>(name.size()), SQLITE_STATIC);
        sqlite3_bind_int(f.direct.seek, 2, rows);
        int got = 0;
        while (sqlite3_step(f.direct.seek) == SQLITE_ROW) {
            Direct::decode(f.direct.seek, c);
            ++got;
        }
        sqlite3_reset(f.direct.seek);
        if (got != rows) {
            state.SkipWithError("short read");
            break;
        }
        benchmark::DoNotOptimize(c.Balance);
    }
}

// ---- get by unique key ----

void storeGet(benchmark::State& state) {
    Fixture& f = fixture();
    Handle<Customer>& h = *f.store;
    std::size_t i = 0;
    for (auto _ : state) {
        h.rec.Id = f.ids[i++ % f.ids.size()];
        if (h.get(kById) != ErrorCode::None) state.SkipWithError("get failed");
        benchmark::DoNotOptimize(h.rec.Balance);
    }
}

void directGet(benchmark::State& state) {
    Fixture& f = fixture();
    Customer c{};
    std::size_t i = 0;
    for (auto _ : state) {
        sqlite3_bind_int(f.direct.get, 1, f.ids[i++ % f.ids.size()]);
        if (sqlite3_step(f.direct.get) != SQLITE_ROW) state.SkipWithError("get failed");
        Direct::decode(f.direct.get, c);
        sqlite3_reset(f.direct.get);
        benchmark::DoNotOptimize(c.Balance);
    }
}

// ---- put of one record by primary key (its own committed write) ----

void storePut(benchmark::State& state) {
    Fixture& f = fixture();
    Handle<Customer>& h = *f.store;
    h.rec.Id = f.ids[0];
    if (h.get(kById) != ErrorCode::None) state.SkipWithError("get failed");
    for (auto _ : state) {
        ++h.rec.Balance;
        if (h.put() != ErrorCode::None) state.SkipWithError("put failed");
    }
}

void directPut(benchmark::State& state) {
    Fixture& f = fixture();
    Customer c{};
    fill(c, f.ids[1]);
    std::int64_t version = 1;
    for (auto _ : state) {
        ++c.Balance;
        Direct::bind(f.direct.put, 1, c);
        sqlite3_bind_int64(f.direct.put, 7, ++version);
        if (sqlite3_step(f.direct.put) != SQLITE_DONE) state.SkipWithError("update failed");
        sqlite3_reset(f.direct.put);
    }
}

// ---- 10,000 adds in one transaction (removed again outside the timing) ----

// Each side removes its own adds through its own connection, so neither finds its
// page cache invalidated by the other's write at the start of an iteration; then the
// log is checkpointed, so every timed iteration starts from an empty write-ahead log.
// A checkpoint by one connection makes the other drop its page cache, so each side
// checkpoints through its own.
void checkpoint(sqlite3* db) { sqlite3_exec(db, "PRAGMA wal_checkpoint(TRUNCATE)", nullptr, nullptr, nullptr); }

void removeStoreAdds(Fixture& f) {
    Handle<Customer>& h = *f.store;
    Transaction tx(*f.db, {&h});
    tx.begin();
    h.rec.Id = kRows + 1;
    h.setAtKey(kById);
    while (h.next() == ErrorCode::None) h.erase();
    tx.commit();
    checkpoint(f.db->impl().handle());
}

void removeDirectAdds(Fixture& f) {
    sqlite3_exec(f.direct.db, "DELETE FROM benchcust WHERE Id > 1000000", nullptr, nullptr, nullptr);
    checkpoint(f.direct.db);
}

void storeAdds(benchmark::State& state) {
    Fixture& f = fixture();
    Handle<Customer>& h = *f.store;
    checkpoint(f.db->impl().handle());
    for (auto _ : state) {
        Transaction tx(*f.db, {&h});
        if (tx.begin() != ErrorCode::None) state.SkipWithError("begin failed");
        for (int n = 0; n < 10000; ++n) {
            fill(h.rec, f.nextId++);
            if (h.add() != ErrorCode::None) state.SkipWithError("add failed");
        }
        if (tx.commit() != ErrorCode::None) state.SkipWithError("commit failed");
        state.PauseTiming();
        removeStoreAdds(f);
        f.nextId = kRows + 1;
        state.ResumeTiming();
    }
}

void directAdds(benchmark::State& state) {
    Fixture& f = fixture();
    Customer c{};
    std::int64_t version = 1;
    checkpoint(f.direct.db);
    for (auto _ : state) {
        sqlite3_exec(f.direct.db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
        for (int n = 0; n < 10000; ++n) {
            fill(c, f.nextId++);
            sqlite3_bind_int64(f.direct.insert, 1, ++version);
            Direct::bind(f.direct.insert, 2, c);
            if (sqlite3_step(f.direct.insert) != SQLITE_DONE) state.SkipWithError("insert failed");
            sqlite3_reset(f.direct.insert);
        }
        sqlite3_exec(f.direct.db, "COMMIT", nullptr, nullptr, nullptr);
        state.PauseTiming();
        removeDirectAdds(f);
        f.nextId = kRows + 1;
        state.ResumeTiming();
    }
}

// Keeps each benchmark's time per iteration for the RATIO lines.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& r : runs) {
            if (r.run_type == Run::RT_Iteration && !r.error_occurred)
                m_ns[r.run_name.function_name] =
                    r.GetAdjustedRealTime() * 1e9 / benchmark::GetTimeUnitMultiplier(r.time_unit);
        }
    }
    void printRatios() const {
        for (const char* op :
             {"seek_next100", "seek_page20", "get_unique", "put_by_primary_key", "add_10000_in_transaction"}) {
            const auto s = m_ns.find(std::string("store/") + op);
            const auto d = m_ns.find(std::string("sqlite/") + op);
            if (s == m_ns.end() || d == m_ns.end()) continue;
            std::printf("RATIO %s store_ns=%.0f sqlite_ns=%.0f ratio=%.2f\n", op, s->second, d->second,
                        s->second / d->second);
        }
    }

private:
    std::map<std::string, double> m_ns;
};

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    fixture();
    benchmark::RegisterBenchmark("store/seek_next100", [](benchmark::State& s) {
        storeSeek(s, 100, true);
    })->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("sqlite/seek_next100", [](benchmark::State& s) {
        directSeek(s, 100);
    })->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("store/seek_next100_without_quickscan", [](benchmark::State& s) {
        storeSeek(s, 100, false);
    })->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("store/seek_page20", [](benchmark::State& s) {
        storeSeek(s, 20, true);
    })->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("sqlite/seek_page20", [](benchmark::State& s) {
        directSeek(s, 20);
    })->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("store/get_unique", storeGet)->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("sqlite/get_unique", directGet)->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("store/put_by_primary_key", storePut)->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("sqlite/put_by_primary_key", directPut)->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("store/add_10000_in_transaction", storeAdds)
        ->Unit(benchmark::kMillisecond)
        ->Iterations(8);
    benchmark::RegisterBenchmark("sqlite/add_10000_in_transaction", directAdds)
        ->Unit(benchmark::kMillisecond)
        ->Iterations(8);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.printRatios();
    std::fflush(stdout);
    Fixture& f = fixture();
    sqlite3_finalize(f.direct.seek);
    sqlite3_finalize(f.direct.get);
    sqlite3_finalize(f.direct.put);
    sqlite3_finalize(f.direct.insert);
    sqlite3_close(f.direct.db);
    f.store.reset();
    f.db.reset();
    std::error_code ec;
    std::filesystem::remove_all(f.dir, ec);
    benchmark::Shutdown();
    return 0;
}
