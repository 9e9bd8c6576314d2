// Several stations on one data set, as real processes: a forked child plays the other
// workstation with its own connection and its own table handles, and parent and child
// step through each scenario by exchanging single bytes over pipes.
//
// Children are forked before the parent opens its own connection (the engine must not
// carry an open connection across fork), and a child reports outcomes as bytes
// (an ErrorCode's value) that the parent asserts on.
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <functional>
#include <set>
#include <thread>

#include "store_test_support.h"

namespace quay::core::testing {
namespace {

// The other station: a forked process running `body`, with a byte channel each way.
class Station {
public:
    explicit Station(std::function<int(Station&)> body) {
        int down[2], up[2];
        if (::pipe(down) != 0 || ::pipe(up) != 0) return;
        m_pid = ::fork();
        if (m_pid == 0) {
            ::close(down[1]);
            ::close(up[0]);
            m_in = down[0];
            m_out = up[1];
            ::_exit(body(*this));
        }
        ::close(down[0]);
        ::close(up[1]);
        m_in = up[0];
        m_out = down[1];
    }
    ~Station() {
        if (m_pid > 0 && !m_reaped) {
            ::kill(m_pid, SIGKILL);
            ::waitpid(m_pid, nullptr, 0);
        }
        ::close(m_in);
        ::close(m_out);
    }
    Station(const Station&) = delete;
    Station& operator=(const Station&) = delete;

    bool started() const { return m_pid > 0; }
    void send(char c) { (void)!::write(m_out, &c, 1); }
    void send(ErrorCode code) { send(static_cast<char>(static_cast<int>(code))); }
    // The next byte from the other side; '\0' after 20 seconds of silence or when it is gone.
    char receive() {
        pollfd p{m_in, POLLIN, 0};
        if (::poll(&p, 1, 20000) != 1) return '\0';
        char c = '\0';
        return ::read(m_in, &c, 1) == 1 ? c : '\0';
    }
    ErrorCode receiveCode() { return static_cast<ErrorCode>(static_cast<unsigned char>(receive())); }
    void kill() {
        ::kill(m_pid, SIGKILL);
        ::waitpid(m_pid, nullptr, 0);
        m_reaped = true;
    }
    int exitCode() {
        int status = 0;
        ::waitpid(m_pid, &status, 0);
        m_reaped = true;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

private:
    pid_t m_pid = -1;
    int m_in = -1;
    int m_out = -1;
    bool m_reaped = false;
};

class Stations : public ::testing::Test {
protected:
    void SetUp() override {
        // Create the tables through a connection that is closed again before any fork.
        Database setup(m_dir.path());
        Handle<Part> parts(setup);
        ASSERT_EQ(parts.create(), ErrorCode::None);
    }
    // The parent's own connection, opened once the children are forked.
    Database& db() {
        if (!m_db) m_db = std::make_unique<Database>(m_dir.path());
        return *m_db;
    }
    const std::string& dir() const { return m_dir.path(); }

    TempDir m_dir;
    std::unique_ptr<Database> m_db;
};

void fillPart(Part& p, std::int32_t id, std::int64_t price) {
    std::memset(&p, 0, sizeof p);
    p.Id = id;
    setText(p.Name, "part " + std::to_string(id));
    setText(p.Code, "");
    p.Price = price;
}

using StationLocks = Stations;

TEST_F(StationLocks, ExclusiveOpenFailsWhileAnotherProcessHoldsTheTable) {
    const std::string d = dir();
    Station other([d](Station& s) {
        Database db(d);
        Handle<Part> parts(db);
        s.send(parts.open());
        s.receive();  // close now
        s.send(parts.close());
        s.receive();
        return 0;
    });
    ASSERT_TRUE(other.started());
    ASSERT_EQ(other.receiveCode(), ErrorCode::None);
    Handle<Part> mine(db());
    EXPECT_EQ(mine.open(OpenMode::Exclusive), ErrorCode::AccessDenied);
    EXPECT_EQ(mine.remove(), ErrorCode::AccessDenied);
    EXPECT_EQ(mine.buildKeys(), ErrorCode::AccessDenied);
    EXPECT_EQ(mine.open(OpenMode::Shared), ErrorCode::None);  // sharing is fine
    ASSERT_EQ(mine.close(), ErrorCode::None);
    other.send('c');
    ASSERT_EQ(other.receiveCode(), ErrorCode::None);
    EXPECT_EQ(mine.open(OpenMode::Exclusive), ErrorCode::None);
    other.send('q');
    EXPECT_EQ(other.exitCode(), 0);
}

TEST_F(StationLocks, SharedOpenWhileAnotherProcessHoldsItExclusivelyGivesFileLockedThenRecovers) {
    const std::string d = dir();
    Station other([d](Station& s) {
        Database db(d);
        Handle<Part> parts(db);
        s.send(parts.open(OpenMode::Exclusive));
        s.receive();  // close a moment after this
        std::this_thread::sleep_for(std::chrono::milliseconds(400));
        parts.close();
        s.receive();
        return 0;
    });
    ASSERT_TRUE(other.started());
    ASSERT_EQ(other.receiveCode(), ErrorCode::None);
    Handle<Part> mine(db());
    EXPECT_EQ(mine.open(), ErrorCode::FileLocked);
    ASSERT_EQ(mine.send("Recover=10"), ErrorCode::None);
    other.send('c');
    EXPECT_EQ(mine.open(), ErrorCode::None);
    other.send('q');
    EXPECT_EQ(other.exitCode(), 0);
}

TEST_F(StationLocks, RemoveIsRefusedWhileTheTableIsOpenInAnotherProcess) {
    const std::string d = dir();
    Station other([d](Station& s) {
        Database db(d);
        Handle<Part> parts(db);
        s.send(parts.open());
        s.receive();
        parts.close();
        s.send('x');
        s.receive();
        return 0;
    });
    ASSERT_EQ(other.receiveCode(), ErrorCode::None);
    Handle<Part> mine(db());
    EXPECT_EQ(mine.remove(), ErrorCode::AccessDenied);
    EXPECT_EQ(mine.open(), ErrorCode::None);  // still there
    ASSERT_EQ(mine.close(), ErrorCode::None);
    other.send('c');
    ASSERT_EQ(other.receive(), 'x');
    EXPECT_EQ(mine.remove(), ErrorCode::None);
    EXPECT_EQ(mine.open(), ErrorCode::FileNotFound);
    other.send('q');
}

TEST_F(StationLocks, AKilledProcessLeavesNoLockBehind) {
    const std::string d = dir();
    Station other([d](Station& s) {
        Database db(d);
        Handle<Part> parts(db);
        s.send(parts.open(OpenMode::Exclusive));
        while (s.receive() != '\0') {
        }
        return 0;
    });
    ASSERT_EQ(other.receiveCode(), ErrorCode::None);
    Handle<Part> mine(db());
    EXPECT_EQ(mine.open(), ErrorCode::FileLocked);
    other.kill();
    EXPECT_EQ(mine.open(OpenMode::Exclusive), ErrorCode::None);
}

using StationWrites = Stations;

TEST_F(StationWrites, PutAfterAnotherStationsChangeSinceWatchGivesChangedByOtherStation) {
    {
        Database setup(dir());
        Handle<Part> parts(setup);
        ASSERT_EQ(parts.open(), ErrorCode::None);
        fillPart(parts.rec, 1, 100);
        ASSERT_EQ(parts.add(), ErrorCode::None);
    }
    const std::string d = dir();
    Station other([d](Station& s) {
        Database db(d);
        Handle<Part> parts(db);
        parts.open();
        s.receive();  // change it now
        parts.rec.Id = 1;
        parts.get(kById);
        parts.rec.Price = 250;
        s.send(parts.put());
        s.receive();
        return 0;
    });
    Handle<Part> mine(db());
    ASSERT_EQ(mine.open(), ErrorCode::None);
    mine.rec.Id = 1;
    ASSERT_EQ(mine.get(kById), ErrorCode::None);
    mine.watch();
    other.send('c');
    ASSERT_EQ(other.receiveCode(), ErrorCode::None);
    mine.rec.Price = 120;
    EXPECT_EQ(mine.put(), ErrorCode::ChangedByOtherStation);
    mine.rec.Id = 1;
    ASSERT_EQ(mine.get(kById), ErrorCode::None);
    EXPECT_EQ(mine.rec.Price, 250);  // the other station's value, not lost and not overwritten
    other.send('q');
    EXPECT_EQ(other.exitCode(), 0);
}

TEST_F(StationWrites, TwoStationsAddingHighestPlusOneEndWithOneDuplicateKeyAndNoLostRecord) {
    {
        Database setup(dir());
        Handle<Part> parts(setup);
        ASSERT_EQ(parts.open(), ErrorCode::None);
        for (int i = 1; i <= 5; ++i) {
            fillPart(parts.rec, i, 0);
            ASSERT_EQ(parts.add(), ErrorCode::None);
        }
    }
    const std::string d = dir();
    // Each station reads the highest number, waits until both have read it, then adds
    // highest + 1; on DuplicateKey it numbers again and retries. Exit code: the number
    // of DuplicateKey answers it got.
    auto station = [d](Station& s) {
        Database db(d);
        Handle<Part> parts(db);
        if (parts.open() != ErrorCode::None) return 100;
        int duplicates = 0;
        bool first = true;
        for (int attempt = 0; attempt < 5; ++attempt) {
            if (parts.setEnd(kById) != ErrorCode::None || parts.previous() != ErrorCode::None) return 101;
            const std::int32_t next = parts.rec.Id + 1;
            if (first) {
                s.send('r');
                s.receive();  // go
                first = false;
            }
            fillPart(parts.rec, next, getpid());
            const ErrorCode c = parts.add();
            if (c == ErrorCode::None) return duplicates;
            if (c != ErrorCode::DuplicateKey) return 102;
            ++duplicates;
        }
        return 103;
    };
    Station a(station), b(station);
    ASSERT_EQ(a.receive(), 'r');
    ASSERT_EQ(b.receive(), 'r');
    a.send('g');
    b.send('g');
    const int duplicatesA = a.exitCode();
    const int duplicatesB = b.exitCode();
    EXPECT_EQ(duplicatesA + duplicatesB, 1);

    Handle<Part> mine(db());
    ASSERT_EQ(mine.open(), ErrorCode::None);
    EXPECT_EQ(mine.records(), 7);
    std::set<std::int32_t> ids;
    ASSERT_EQ(mine.set(kById), ErrorCode::None);
    while (mine.next() == ErrorCode::None) ids.insert(mine.rec.Id);
    EXPECT_EQ(ids, (std::set<std::int32_t>{1, 2, 3, 4, 5, 6, 7}));
}

TEST_F(StationWrites, TransactionThatCannotGetTheDataSetWithinTwoSecondsChangesNothing) {
    const std::string d = dir();
    Station other([d](Station& s) {
        Database db(d);
        Handle<Part> parts(db);
        parts.open();
        Transaction tx(db, {&parts});
        s.send(tx.begin());
        s.receive();  // commit now
        fillPart(parts.rec, 77, 0);
        parts.add();
        s.send(tx.commit());
        s.receive();
        return 0;
    });
    ASSERT_EQ(other.receiveCode(), ErrorCode::None);
    Handle<Part> mine(db());
    ASSERT_EQ(mine.open(), ErrorCode::None);
    {
        Transaction tx(db(), {&mine});
        const auto start = std::chrono::steady_clock::now();
        EXPECT_EQ(tx.begin(), ErrorCode::RecordInUse);
        const auto waited = std::chrono::steady_clock::now() - start;
        EXPECT_GE(waited, std::chrono::milliseconds(1900));  // it did wait for the other station
        EXPECT_FALSE(tx.isActive());
    }
    EXPECT_EQ(mine.records(), 0);
    other.send('c');
    ASSERT_EQ(other.receiveCode(), ErrorCode::None);
    EXPECT_EQ(mine.records(), 1);  // the other station's committed record
    other.send('q');
    EXPECT_EQ(other.exitCode(), 0);
}

TEST_F(StationWrites, AProcessKilledInTheMiddleOfATransactionLeavesNoPartialChange) {
    {
        Database setup(dir());
        Handle<Part> parts(setup);
        ASSERT_EQ(parts.open(), ErrorCode::None);
        fillPart(parts.rec, 1, 100);
        ASSERT_EQ(parts.add(), ErrorCode::None);
    }
    const std::string d = dir();
    Station other([d](Station& s) {
        Database db(d);
        Handle<Part> parts(db);
        parts.open();
        Transaction tx(db, {&parts});
        tx.begin();
        parts.rec.Id = 1;
        parts.get(kById);
        parts.rec.Price = 999;
        parts.put();
        for (int i = 2; i <= 500; ++i) {
            fillPart(parts.rec, i, 0);
            parts.add();
        }
        s.send('w');  // written, not committed
        while (s.receive() != '\0') {
        }
        return 0;
    });
    ASSERT_EQ(other.receive(), 'w');
    other.kill();

    Handle<Part> mine(db());
    ASSERT_EQ(mine.open(OpenMode::Exclusive), ErrorCode::None);  // its lock died with it
    EXPECT_EQ(mine.records(), 1);
    mine.rec.Id = 1;
    ASSERT_EQ(mine.get(kById), ErrorCode::None);
    EXPECT_EQ(mine.rec.Price, 100);
    Transaction tx(db(), {&mine});
    ASSERT_EQ(tx.begin(), ErrorCode::None);  // and so did its write lock
    fillPart(mine.rec, 2, 0);
    EXPECT_EQ(mine.add(), ErrorCode::None);
    EXPECT_EQ(tx.commit(), ErrorCode::None);
    EXPECT_EQ(mine.records(), 2);
}

}  // namespace
}  // namespace quay::core::testing
