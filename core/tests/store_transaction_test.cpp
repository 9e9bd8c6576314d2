// Transactions over listed tables: commit keeps every change of every table, rollback
// and destruction without commit keep none, a refused write inside a transaction
// leaves the rest to the caller's decision, and a begin that cannot get the data set
// within its wait fails without writing anything.
#include <chrono>

#include "store_test_support.h"

namespace quay::core::testing {
namespace {

const TableDesc& linesDesc() {
    static const TableDesc d = makePartDesc("Lines", "lines.tps");
    return d;
}

class TransactionTest : public StoreTest {
protected:
    void SetUp() override {
        StoreTest::SetUp();
        m_lines = std::make_unique<Handle<Part>>(*m_db, linesDesc());
        ASSERT_EQ(m_lines->create(), ErrorCode::None);
        ASSERT_EQ(m_lines->open(), ErrorCode::None);
    }
    void TearDown() override {
        m_lines.reset();
        StoreTest::TearDown();
    }
    ErrorCode addLine(std::int32_t id) {
        m_lines->clear();
        m_lines->rec.Id = id;
        return m_lines->add();
    }
    std::unique_ptr<Handle<Part>> m_lines;
};

using TransactionOutcome = TransactionTest;

TEST_F(TransactionOutcome, CommitKeepsTheChangesOfEveryListedTable) {
    ASSERT_EQ(addPart(1, "Old"), ErrorCode::None);
    Transaction tx(*m_db, {m_parts.get(), m_lines.get()});
    ASSERT_EQ(tx.begin(), ErrorCode::None);
    EXPECT_TRUE(tx.isActive());
    EXPECT_TRUE(m_db->inTransaction());
    ASSERT_EQ(addPart(2, "New"), ErrorCode::None);
    ASSERT_EQ(addLine(10), ErrorCode::None);
    ASSERT_EQ(addLine(11), ErrorCode::None);
    ASSERT_EQ(tx.commit(), ErrorCode::None);
    EXPECT_FALSE(tx.isActive());
    EXPECT_FALSE(m_db->inTransaction());

    Database again(dir());  // a fresh connection sees the committed state
    Handle<Part> parts(again), lines(again, linesDesc());
    ASSERT_EQ(parts.open(), ErrorCode::None);
    ASSERT_EQ(lines.open(), ErrorCode::None);
    EXPECT_EQ(parts.records(), 2);
    EXPECT_EQ(lines.records(), 2);
}

TEST_F(TransactionOutcome, RollbackUndoesAddsPutsAndErases) {
    ASSERT_EQ(addPart(1, "Keep", "", 100), ErrorCode::None);
    ASSERT_EQ(addPart(2, "Drop"), ErrorCode::None);
    Transaction tx(*m_db, {m_parts.get(), m_lines.get()});
    ASSERT_EQ(tx.begin(), ErrorCode::None);
    ASSERT_EQ(addLine(10), ErrorCode::None);
    m_parts->rec.Id = 1;
    ASSERT_EQ(m_parts->get(kById), ErrorCode::None);
    m_parts->rec.Price = 999;
    ASSERT_EQ(m_parts->put(), ErrorCode::None);
    m_parts->rec.Id = 2;
    ASSERT_EQ(m_parts->get(kById), ErrorCode::None);
    ASSERT_EQ(m_parts->erase(), ErrorCode::None);
    ASSERT_EQ(tx.rollback(), ErrorCode::None);

    EXPECT_EQ(m_lines->records(), 0);
    EXPECT_EQ(m_parts->records(), 2);
    m_parts->rec.Id = 1;
    ASSERT_EQ(m_parts->get(kById), ErrorCode::None);
    EXPECT_EQ(m_parts->rec.Price, 100);
}

TEST_F(TransactionOutcome, DestroyedWithoutCommitRollsBack) {
    {
        Transaction tx(*m_db, {m_parts.get()});
        ASSERT_EQ(tx.begin(), ErrorCode::None);
        ASSERT_EQ(addPart(1, "Gone"), ErrorCode::None);
    }
    EXPECT_FALSE(m_db->inTransaction());
    EXPECT_EQ(m_parts->records(), 0);
}

TEST_F(TransactionOutcome, RefusedWriteInsideATransactionKeepsTheOthersUntilRollback) {
    Transaction tx(*m_db, {m_parts.get()});
    ASSERT_EQ(tx.begin(), ErrorCode::None);
    ASSERT_EQ(addPart(1, "First"), ErrorCode::None);
    EXPECT_EQ(addPart(1, "Clash"), ErrorCode::DuplicateKey);
    EXPECT_EQ(m_parts->records(), 1);  // the transaction is still whole
    ASSERT_EQ(tx.rollback(), ErrorCode::None);
    EXPECT_EQ(m_parts->records(), 0);
}

TEST_F(TransactionOutcome, ReadAheadIsDroppedByARollback) {
    for (int i = 1; i <= 5; ++i) ASSERT_EQ(addPart(i, "p"), ErrorCode::None);
    ASSERT_EQ(m_parts->send("QUICKSCAN=on"), ErrorCode::None);
    Transaction tx(*m_db, {m_parts.get()});
    ASSERT_EQ(tx.begin(), ErrorCode::None);
    ASSERT_EQ(addPart(6, "p"), ErrorCode::None);
    ASSERT_EQ(m_parts->set(kById), ErrorCode::None);
    ASSERT_EQ(m_parts->next(), ErrorCode::None);  // the batch holds 2..6
    ASSERT_EQ(tx.rollback(), ErrorCode::None);
    int count = 1;
    while (m_parts->next() == ErrorCode::None) ++count;
    EXPECT_EQ(count, 5);
}

using TransactionMisuse = TransactionTest;

TEST_F(TransactionMisuse, BeginOverATableThatIsNotOpenGivesFileNotOpen) {
    ASSERT_EQ(m_lines->close(), ErrorCode::None);
    Transaction tx(*m_db, {m_parts.get(), m_lines.get()});
    EXPECT_EQ(tx.begin(), ErrorCode::FileNotOpen);
    EXPECT_EQ(tx.lastError(), ErrorCode::FileNotOpen);
    EXPECT_FALSE(tx.isActive());
    EXPECT_FALSE(m_db->inTransaction());
}

TEST_F(TransactionMisuse, ASecondTransactionOnTheConnectionIsRefused) {
    Transaction first(*m_db, {m_parts.get()});
    Transaction second(*m_db, {m_lines.get()});
    ASSERT_EQ(first.begin(), ErrorCode::None);
    EXPECT_EQ(second.begin(), ErrorCode::DriverError);
    EXPECT_FALSE(second.driverErrorText().empty());
    EXPECT_FALSE(second.isActive());
    ASSERT_EQ(addPart(1, "Kept"), ErrorCode::None);
    ASSERT_EQ(first.commit(), ErrorCode::None);
    EXPECT_EQ(m_parts->records(), 1);
}

TEST_F(TransactionMisuse, CommitOrRollbackWithoutBeginIsADriverError) {
    Transaction tx(*m_db, {m_parts.get()});
    EXPECT_EQ(tx.commit(), ErrorCode::DriverError);
    EXPECT_EQ(tx.rollback(), ErrorCode::DriverError);
    ASSERT_EQ(tx.begin(), ErrorCode::None);
    ASSERT_EQ(tx.commit(), ErrorCode::None);
    EXPECT_EQ(tx.commit(), ErrorCode::DriverError);
}

TEST_F(TransactionMisuse, ATableOfAnotherConnectionIsRefused) {
    Database other(dir());
    Handle<Part> foreign(other);
    ASSERT_EQ(foreign.open(), ErrorCode::None);
    Transaction tx(*m_db, {m_parts.get(), &foreign});
    EXPECT_EQ(tx.begin(), ErrorCode::DriverError);  // its writes would escape the transaction
    EXPECT_FALSE(tx.isActive());
    EXPECT_FALSE(m_db->inTransaction());
}

TEST_F(TransactionMisuse, TableNamesListsTheTablesForTheFramingMessage) {
    Transaction tx(*m_db, {m_parts.get(), m_lines.get()});
    EXPECT_EQ(tx.tableNames(), "Parts, Lines");
}

using TransactionWait = TransactionTest;

TEST_F(TransactionWait, BeginWhileAnotherConnectionWritesGivesRecordInUseAfterTheWait) {
    Database otherStation(dir());
    Handle<Part> theirs(otherStation);
    ASSERT_EQ(theirs.open(), ErrorCode::None);
    Transaction holding(otherStation, {&theirs});
    ASSERT_EQ(holding.begin(), ErrorCode::None);
    theirs.clear();
    theirs.rec.Id = 50;
    ASSERT_EQ(theirs.add(), ErrorCode::None);

    Transaction tx(*m_db, {m_parts.get()});
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(tx.begin(), ErrorCode::RecordInUse);
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(1900));
    EXPECT_FALSE(tx.isActive());
    EXPECT_EQ(addPart(1, "Blocked"), ErrorCode::RecordInUse);  // a lone write waits as long

    ASSERT_EQ(holding.commit(), ErrorCode::None);
    EXPECT_EQ(m_parts->records(), 1);  // only the other station's record
    ASSERT_EQ(tx.begin(), ErrorCode::None);
    ASSERT_EQ(addPart(1, "Now"), ErrorCode::None);
    ASSERT_EQ(tx.commit(), ErrorCode::None);
    EXPECT_EQ(m_parts->records(), 2);
}

}  // namespace
}  // namespace quay::core::testing
