// Inflating ahead on several cores changes nothing a caller can see: over the
// whole corpus and over archives made to keep many members in flight, the
// result, the count, the error line, every status callback and message in
// its order, and every byte, date and mode written are the same whether the
// calling thread inflates alone or 1, 2 or 8 workers inflate ahead, with the
// default budget and with one that holds almost nothing. A cancel and a
// failing writer with members in flight leave no partial file.
#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <map>

#include "support/test_support.h"
#include "support/zip_builder.h"

using namespace zwtest;

namespace {

// Sets the pool's environment for one scope and puts the old one back.
class PoolSetting {
public:
    PoolSetting(const char* workers, const char* budgetMib) {
        save("ZWUNZIP_WORKERS", workers);
        save("ZWUNZIP_AHEAD_MIB", budgetMib);
    }
    ~PoolSetting() {
        for (const auto& [name, value] : m_old) {
            if (value.empty())
                ::unsetenv(name.c_str());
            else
                ::setenv(name.c_str(), value.c_str(), 1);
        }
    }
    PoolSetting(const PoolSetting&) = delete;
    PoolSetting& operator=(const PoolSetting&) = delete;

private:
    void save(const char* name, const char* value) {
        const char* old = std::getenv(name);
        m_old.emplace_back(name, old ? old : "");
        if (value)
            ::setenv(name, value, 1);
        else
            ::unsetenv(name);
    }
    std::vector<std::pair<std::string, std::string>> m_old;
};

// Worker count, budget in MiB (null: the default). The first, inflating on
// the calling thread alone, is what every other must match.
struct Setting {
    const char* workers;
    const char* budget;
};
const Setting kSettings[] = {{"0", nullptr}, {"1", nullptr}, {"2", nullptr}, {"8", nullptr}, {"8", "1"}};
// The corpus's members are small: a budget of 1 MiB changes nothing there.
const Setting kCorpusSettings[] = {{"0", nullptr}, {"1", nullptr}, {"2", nullptr}, {"8", nullptr}};

// Everything a caller sees of one call, as text.
struct Trace {
    std::string log;
    int cancelAtMinor = 0;  // 0: never cancel
    int minors = 0;
};

int64_t ZWCALL onMajor(const char* text, int32_t percent, void* data) {
    static_cast<Trace*>(data)->log += "major " + std::to_string(percent) + " " + (text ? text : "") + "\n";
    return 0;
}

int32_t ZWCALL onMinor(int32_t bytes, const char* text, int32_t percent, void* data) {
    auto* t = static_cast<Trace*>(data);
    t->log += "minor " + std::to_string(bytes) + " " + std::to_string(percent) + " " + (text ? text : "") + "\n";
    return ++t->minors == t->cancelAtMinor ? 1 : 0;
}

int32_t ZWCALL onMessage(int32_t type, int32_t buttons, int32_t code, int32_t extra, char* text, const char* caption,
                         void* data) {
    static_cast<Trace*>(data)->log += "message " + std::to_string(type) + " " + std::to_string(buttons) + " " +
                                      std::to_string(code) + " " + std::to_string(extra) + " " +
                                      (caption ? caption : "") + ": " + (text ? text : "") + "\n";
    return type == ZW_MSG_TEXT_LOOKUP ? 0 : ZW_ID_OK;
}

// Names, contents, modes and times of everything below a folder.
std::string treeOf(const std::string& root) {
    std::string out;
    for (const std::string& name : listTree(root)) {
        struct stat st {};
        ::lstat((root + "/" + name).c_str(), &st);
        out += name + " mode " + std::to_string(st.st_mode & 07777);
        if (name.back() != '/') {
            out += " time " + std::to_string(st.st_mtime) + " bytes " + std::to_string(st.st_size) + " crc " +
                   std::to_string(ZipBuilder::crc32(readFile(root + "/" + name)));
        }
        out += "\n";
    }
    return out;
}

// Tests the archive, then extracts it into a fresh folder, with every
// callback recorded; the whole outcome as text.
std::string outcomeOf(const std::string& archive, int cancelAtMinor = 0) {
    std::string out;
    for (bool test : {true, false}) {
        TempDir dest;
        Trace trace;
        trace.cancelAtMinor = cancelAtMinor;
        Command cmd(UNZIP_EXTRACT, archive);
        cmd.filespec("*.*").c.recurseFlag = 1;
        cmd.c.quietFlag = 0;
        cmd.c.testFlag = test ? 1 : 0;
        cmd.c.wUnzipSubOptions = ZW_SUB_ALLOW_CANCEL;
        cmd.c.lpMajorStatus = &onMajor;
        cmd.c.lpMajorUserData = &trace;
        cmd.c.lpMinorStatus = &onMinor;
        cmd.c.lpMinorUserData = &trace;
        cmd.c.lpMessageDisplay = &onMessage;
        cmd.c.lpMessageDisplayData = &trace;
        if (!test) cmd.destination(dest.path());
        const int32_t rc = cmd.run();
        std::string seen = std::string(test ? "test" : "extract") + " result " + std::to_string(rc) + " count " +
                           std::to_string(cmd.c.returnCount) + " line " + cmd.returned() + "\n" + trace.log;
        // The folder's own name differs from run to run.
        for (size_t at = seen.find(dest.path()); at != std::string::npos; at = seen.find(dest.path(), at))
            seen.replace(at, dest.path().size(), "<dest>");
        out += seen;
        if (!test) out += treeOf(dest.path());
    }
    return out;
}

// Text-like content that deflates about as business documents do.
std::string document(uint32_t seed, size_t size) {
    static const char* words[] = {"invoice",  "customer", "balance", "payment", "terms", "net",
                                  "shipping", "account",  "order",   "total",   "due",   "stock"};
    std::string s;
    s.reserve(size + 16);
    uint32_t x = seed * 2654435761u + 1;
    while (s.size() < size) {
        x = x * 1664525u + 1013904223u;
        s += words[(x >> 8) % 12];
        s += (x >> 20) % 9 == 0 ? "\n" : " ";
        if ((x >> 24) % 5 == 0) s += std::to_string(x % 100000);
    }
    s.resize(size);
    return s;
}

// Many small members in folders, some stored, a few large ones, a folder
// entry, an empty member and two encrypted ones (no password is given, so
// the question comes in their turn).
ZipBuilder busyArchive() {
    ZipBuilder b;
    ZipEntry folder;
    folder.name = "ledger/";
    folder.method = 0;
    b.add(folder);
    for (uint32_t i = 0; i < 400; ++i) {
        const std::string name = "ledger/d" + std::to_string(i / 50) + "/f" + std::to_string(i) + ".txt";
        if (i == 120 || i == 121) {
            ZipEntry secret;
            secret.name = name;
            secret.data = document(i, 5000);
            secret.password = "till";
            b.add(secret);
        } else if (i % 97 == 0) {
            b.add(name, document(i, (1u << 20) + i * 4099), 8);
        } else {
            b.add(name, i == 7 ? std::string() : document(i, (i * 977) % 6000), i % 13 == 0 ? 0 : 8);
        }
    }
    return b;
}

void expectSameUnderEverySetting(const std::string& archive, int cancelAtMinor = 0) {
    std::string reference;
    for (const Setting& s : kSettings) {
        SCOPED_TRACE(std::string("workers ") + s.workers + ", budget " + (s.budget ? s.budget : "default"));
        PoolSetting setting(s.workers, s.budget);
        const std::string outcome = outcomeOf(archive, cancelAtMinor);
        if (reference.empty()) {
            reference = outcome;
            continue;
        }
        // Compared as a whole, then shown from the first difference.
        if (outcome != reference) {
            size_t at = 0;
            while (at < outcome.size() && at < reference.size() && outcome[at] == reference[at]) ++at;
            const size_t from = reference.rfind('\n', at) == std::string::npos ? 0 : reference.rfind('\n', at);
            ADD_FAILURE() << "differs from the calling thread alone at:\n"
                          << reference.substr(from, 300) << "\n--- here:\n"
                          << outcome.substr(from, 300);
        }
    }
}

}  // namespace

TEST(WorkerCounts, EveryCorpusArchiveGivesTheSameOutcomeWithEveryWorkerCount) {
    std::vector<std::string> archives;
    for (const std::string& name : listTree(corpus("")))
        if (name.size() > 4 && name.compare(name.size() - 4, 4, ".zip") == 0) archives.push_back(name);
    ASSERT_GT(archives.size(), 150u);
    std::map<std::string, std::string> reference;
    for (const Setting& s : kCorpusSettings) {
        PoolSetting setting(s.workers, s.budget);
        for (const std::string& a : archives) {
            SCOPED_TRACE(std::string("workers ") + s.workers + ", budget " + (s.budget ? s.budget : "default") + ": " +
                         a);
            const std::string outcome = outcomeOf(corpus(a));
            auto [it, first] = reference.emplace(a, outcome);
            if (!first) {
                EXPECT_TRUE(outcome == it->second) << "first lines:\n" << outcome.substr(0, 400);
            }
        }
    }
}

TEST(WorkerCounts, ManySmallAndLargeMembersGiveTheSameOutcome) {
    TempDir dir;
    const std::string zip = dir / "busy.zip";
    busyArchive().writeTo(zip);
    expectSameUnderEverySetting(zip);
}

TEST(WorkerCounts, BadMemberInTheMiddleStopsAtTheSamePointWithMembersInFlight) {
    TempDir dir;
    for (bool corruptData : {false, true}) {
        SCOPED_TRACE(corruptData ? "corrupt deflate data" : "wrong CRC");
        ZipBuilder b = busyArchive();
        ZipEntry broken;
        broken.name = "ledger/broken.txt";
        broken.data = document(999, 300000);
        if (corruptData) {
            std::string raw = ZipBuilder::deflate(broken.data);
            raw.resize(raw.size() / 2);
            raw += std::string(64, '\xff');
            broken.rawData = raw;
        } else {
            broken.centralCrc = ZipBuilder::crc32(broken.data) ^ 1u;
        }
        b.add(broken);
        for (uint32_t i = 0; i < 60; ++i) b.add("after/a" + std::to_string(i) + ".txt", document(5000 + i, 3000));
        const std::string zip = dir / (corruptData ? "corrupt.zip" : "crc.zip");
        b.writeTo(zip);
        expectSameUnderEverySetting(zip);
    }
}

TEST(WorkerCounts, CancelFromTheProgressCallbackStopsAtTheSamePoint) {
    TempDir dir;
    const std::string zip = dir / "busy.zip";
    busyArchive().writeTo(zip);
    for (int cancelAt : {1, 150, 333}) {
        SCOPED_TRACE(cancelAt);
        expectSameUnderEverySetting(zip, cancelAt);
    }
}

TEST(WorkerCounts, CancelWithMembersInFlightLeavesOnlyFinishedMembers) {
    TempDir dir;
    const std::string zip = dir / "busy.zip";
    busyArchive().writeTo(zip);
    PoolSetting setting("8", nullptr);
    TempDir out;
    Trace trace;
    trace.cancelAtMinor = 200;
    Command cmd(UNZIP_EXTRACT, zip);
    cmd.filespec("*.*").destination(out.path()).c.recurseFlag = 1;
    cmd.c.wUnzipSubOptions = ZW_SUB_ALLOW_CANCEL;
    cmd.c.lpMinorStatus = &onMinor;
    cmd.c.lpMinorUserData = &trace;
    EXPECT_EQ(cmd.run(), ZW_USER_CANCELLED);
    EXPECT_EQ(cmd.returned(), "");
    EXPECT_EQ(trace.minors, 200);  // nothing reported after the cancel
    // Every file left is a finished member with its full content; the
    // member cancelled part-way and those inflated ahead left nothing.
    const std::vector<std::string> left = listTree(out.path());
    size_t files = 0;
    for (const std::string& n : left) {
        EXPECT_EQ(n.find(".zw-"), std::string::npos) << n;
        if (n.back() == '/') continue;
        ++files;
        const size_t i = size_t(std::stoul(n.substr(n.rfind("/f") + 2)));
        SCOPED_TRACE(n);
        const std::string expected = i % 97 == 0 ? document(uint32_t(i), (1u << 20) + i * 4099)
                                     : i == 7    ? std::string()
                                                 : document(uint32_t(i), (i * 977) % 6000);
        EXPECT_TRUE(readFile(out / n) == expected);
    }
    EXPECT_EQ(int32_t(files), cmd.c.returnCount - 1);  // the folder entry counts too
    EXPECT_GT(files, 10u);
    EXPECT_LT(files, 398u);
}

TEST(WorkerCounts, FailingWriterWithMembersInFlightGives50AndLeavesNoPartialFile) {
    TempDir dir;
    const std::string zip = dir / "full.zip";
    ZipBuilder b;
    for (uint32_t i = 0; i < 150; ++i) b.add("a/f" + std::to_string(i) + ".txt", document(i, 2000 + i));
    b.add("a/big.txt", document(7777, 3u << 20));
    for (uint32_t i = 150; i < 300; ++i) b.add("a/f" + std::to_string(i) + ".txt", document(i, 2000 + i));
    b.writeTo(zip);
    for (const char* workers : {"1", "8"}) {
        SCOPED_TRACE(workers);
        PoolSetting setting(workers, nullptr);
        TempDir out;
        pid_t pid = ::fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            // Every file may hold 2 MiB: the disk fills up inside the large
            // member while the members after it are inflated ahead.
            std::signal(SIGXFSZ, SIG_IGN);
            rlimit limit{2u << 20, 2u << 20};
            ::setrlimit(RLIMIT_FSIZE, &limit);
            Command cmd(UNZIP_EXTRACT, zip);
            cmd.filespec("*.*").destination(out.path()).c.recurseFlag = 1;
            const int32_t rc = cmd.run();
            const bool lineOk = cmd.returned() == "ZipWell UnZIP Error: Disk full (Problem extracting file(s))";
            ::_exit(rc == ZW_DISK_FULL && lineOk && cmd.c.returnCount == 150 ? 0 : 1);
        }
        int status = 0;
        ::waitpid(pid, &status, 0);
        ASSERT_TRUE(WIFEXITED(status));
        EXPECT_EQ(WEXITSTATUS(status), 0);
        const std::vector<std::string> left = listTree(out / "a");
        ASSERT_EQ(left.size(), 150u);
        for (uint32_t i = 0; i < 150; ++i)
            EXPECT_TRUE(readFile(out / ("a/f" + std::to_string(i) + ".txt")) == document(i, 2000 + i)) << i;
    }
}
