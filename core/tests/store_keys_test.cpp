// Key order and sequential reads: next and previous follow each key's index order
// exactly (ascending and descending components, case-insensitive text, optional keys
// leaving out blank records, ties in insertion order), from set, setAtKey, setEnd,
// get and reget, with and without the read-ahead of QUICKSCAN, and across writes that
// other handles make while a sequence is running.
#include <algorithm>
#include <cctype>
#include <random>
#include <tuple>
#include <vector>

#include "store_test_support.h"

namespace quay::core::testing {
namespace {

// A stock table over the Part record with keys that mix every attribute.
inline constexpr KeyId kStockId{0};         // Id; unique
inline constexpr KeyId kStockName{1};       // Name; case-insensitive, duplicates
inline constexpr KeyId kStockCodePrice{2};  // Code ascending, Price descending; duplicates
inline constexpr KeyId kStockFlagCode{3};   // Flag, Code descending; optional, duplicates
inline constexpr KeyId kStockNameCode{4};   // Name descending, Code; case-insensitive, duplicates

const TableDesc& stockDesc() {
    static const TableDesc d = [] {
        TableDesc s = makePartDesc("Stock", "stock.tps");
        s.keys = {
            {"byId", "by Id", {{0, false}}, true, false, false, true},
            {"byName", "by Name", {{1, false}}, false, false, true, false},
            {"byCodePrice", "by Code Price", {{2, false}, {3, true}}, false, false, false, false},
            {"byFlagCode", "by Flag Code", {{4, false}, {2, true}}, false, true, false, false},
            {"byNameCode", "by Name Code", {{1, true}, {2, false}}, false, false, true, false},
        };
        return s;
    }();
    return d;
}

std::string folded(std::string s, bool noCase) {
    if (noCase)
        for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

// -1, 0, 1: the order of a and b on one key component, as the index orders them.
int compareField(const Part& a, const Part& b, int field, bool noCase) {
    auto cmp = [](const auto& x, const auto& y) { return x < y ? -1 : (y < x ? 1 : 0); };
    switch (field) {
    case 0: return cmp(a.Id, b.Id);
    case 1: return cmp(folded(text(a.Name), noCase), folded(text(b.Name), noCase));
    case 2: return cmp(folded(text(a.Code), noCase), folded(text(b.Code), noCase));
    case 3: return cmp(a.Price, b.Price);
    default: return cmp(a.Flag, b.Flag);
    }
}

int compareKey(const TableDesc& d, KeyId key, const Part& a, const Part& b) {
    const KeyDesc& k = d.keys[static_cast<std::size_t>(key.index)];
    for (const KeyPart& p : k.parts) {
        const int c = compareField(a, b, p.field, k.caseInsensitive);
        if (c != 0) return p.descending ? -c : c;
    }
    return 0;
}

bool inKey(const TableDesc& d, KeyId key, const Part& p) {
    const KeyDesc& k = d.keys[static_cast<std::size_t>(key.index)];
    if (!k.optional) return true;
    return p.Flag != 0 || !text(p.Code).empty();
}

// The ids of `stored` (given in insertion order) in the order of `key`.
std::vector<int> expectedOrder(const TableDesc& d, KeyId key, const std::vector<Part>& stored) {
    std::vector<std::size_t> idx;
    for (std::size_t i = 0; i < stored.size(); ++i)
        if (inKey(d, key, stored[i])) idx.push_back(i);
    std::stable_sort(idx.begin(), idx.end(),
                     [&](std::size_t x, std::size_t y) { return compareKey(d, key, stored[x], stored[y]) < 0; });
    std::vector<int> ids;
    for (std::size_t i : idx) ids.push_back(stored[i].Id);
    return ids;
}

// Reads the rest of a sequence; the ids in reading order.
std::vector<int> readAll(Handle<Part>& h, bool forward) {
    std::vector<int> ids;
    while ((forward ? h.next() : h.previous()) == ErrorCode::None) ids.push_back(h.rec.Id);
    EXPECT_EQ(h.lastError(), ErrorCode::RecordNotAvailable);
    return ids;
}

class KeyOrder : public ::testing::Test {
protected:
    void SetUp() override {
        m_db = std::make_unique<Database>(m_dir.path());
        m_stock = std::make_unique<Handle<Part>>(*m_db, stockDesc());
        ASSERT_EQ(m_stock->create(), ErrorCode::None) << m_stock->driverErrorText();
        ASSERT_EQ(m_stock->open(), ErrorCode::None) << m_stock->driverErrorText();
    }

    void add(int id, std::string_view name, std::string_view code, std::int64_t price, std::uint8_t flag = 0) {
        m_stock->clear();
        Part& p = m_stock->rec;
        p.Id = id;
        setText(p.Name, name);
        setText(p.Code, code);
        p.Price = price;
        p.Flag = flag;
        ASSERT_EQ(m_stock->add(), ErrorCode::None);
        m_stored.push_back(p);
    }

    // Random records with many ties and mixed case, so every tie-break is exercised.
    void addRandom(int count, unsigned seed) {
        std::mt19937 rng(seed);
        const char* names[] = {"apple", "Apple", "APPLE", "banana", "Banana", "cherry", "", "apple pie", "Zed", "zed"};
        const char* codes[] = {"", "A", "a", "B", "b1", "B1", "C", "zz"};
        for (int i = 1; i <= count; ++i) {
            add(i, names[rng() % 10], codes[rng() % 8], static_cast<std::int64_t>(rng() % 5) - 2,
                static_cast<std::uint8_t>(rng() % 3));
        }
    }

    TempDir m_dir;
    std::unique_ptr<Database> m_db;
    std::unique_ptr<Handle<Part>> m_stock;
    std::vector<Part> m_stored;
};

TEST_F(KeyOrder, NextAndPreviousFollowEveryKeyInBothDirections) {
    addRandom(300, 7);
    for (const char* scan : {"QUICKSCAN=off", "QUICKSCAN=on"}) {
        ASSERT_EQ(m_stock->send(scan), ErrorCode::None);
        for (int k = 0; k < 5; ++k) {
            SCOPED_TRACE(std::string(scan) + " key " + std::to_string(k));
            const std::vector<int> expected = expectedOrder(stockDesc(), KeyId{k}, m_stored);
            ASSERT_EQ(m_stock->set(KeyId{k}), ErrorCode::None);
            EXPECT_EQ(readAll(*m_stock, true), expected);
            ASSERT_EQ(m_stock->setEnd(KeyId{k}), ErrorCode::None);
            const std::vector<int> reversed(expected.rbegin(), expected.rend());
            EXPECT_EQ(readAll(*m_stock, false), reversed);
        }
    }
}

TEST_F(KeyOrder, SetAtKeyStartsAtTheFirstRecordAtOrAfterTheValues) {
    addRandom(200, 11);
    std::mt19937 rng(3);
    for (int trial = 0; trial < 40; ++trial) {
        const KeyId key{static_cast<int>(rng() % 5)};
        const Part probe = m_stored[rng() % m_stored.size()];
        SCOPED_TRACE("key " + std::to_string(key.index) + " probe id " + std::to_string(probe.Id));
        std::vector<int> after, before;
        std::vector<Part> ordered;
        for (int id : expectedOrder(stockDesc(), key, m_stored))
            ordered.push_back(m_stored[static_cast<std::size_t>(id - 1)]);
        for (const Part& p : ordered) (compareKey(stockDesc(), key, p, probe) < 0 ? before : after).push_back(p.Id);
        std::reverse(before.begin(), before.end());

        ASSERT_EQ(m_stock->send(trial % 2 ? "QUICKSCAN=on" : "QUICKSCAN=off"), ErrorCode::None);
        m_stock->rec = probe;
        ASSERT_EQ(m_stock->setAtKey(key), ErrorCode::None);
        EXPECT_EQ(readAll(*m_stock, true), after);
        m_stock->rec = probe;
        ASSERT_EQ(m_stock->setAtKey(key), ErrorCode::None);
        EXPECT_EQ(readAll(*m_stock, false), before);
    }
}

TEST_F(KeyOrder, CaseInsensitiveKeyOrdersByFoldedText) {
    add(1, "banana", "", 0);
    add(2, "Apple", "", 0);
    add(3, "cherry", "", 0);
    add(4, "apple", "", 0);
    ASSERT_EQ(m_stock->set(kStockName), ErrorCode::None);
    EXPECT_EQ(readAll(*m_stock, true), (std::vector<int>{2, 4, 1, 3}));
}

TEST_F(KeyOrder, DescendingComponentReversesWithinEqualLeadingValues) {
    add(1, "x", "A", 100);
    add(2, "x", "B", 300);
    add(3, "x", "A", 300);
    add(4, "x", "A", 200);
    add(5, "x", "A", 300);
    ASSERT_EQ(m_stock->set(kStockCodePrice), ErrorCode::None);
    EXPECT_EQ(readAll(*m_stock, true), (std::vector<int>{3, 5, 4, 1, 2}));
}

TEST_F(KeyOrder, OptionalKeyLeavesOutRecordsWithAllKeyFieldsBlankOrZero) {
    add(1, "x", "", 0, 0);   // left out
    add(2, "x", "A", 0, 0);  // in: code set
    add(3, "x", "", 0, 2);   // in: flag set
    add(4, "x", "", 0, 0);   // left out
    ASSERT_EQ(m_stock->set(kStockFlagCode), ErrorCode::None);
    EXPECT_EQ(readAll(*m_stock, true), (std::vector<int>{2, 3}));
    m_stock->clear();
    EXPECT_EQ(m_stock->get(kStockFlagCode), ErrorCode::RecordNotFound);
}

TEST_F(KeyOrder, RunOffTheEndThenPreviousReturnsTheLastRecord) {
    add(1, "a", "", 0);
    add(2, "b", "", 0);
    ASSERT_EQ(m_stock->set(kStockId), ErrorCode::None);
    ASSERT_EQ(m_stock->next(), ErrorCode::None);
    ASSERT_EQ(m_stock->next(), ErrorCode::None);
    EXPECT_EQ(m_stock->next(), ErrorCode::RecordNotAvailable);
    ASSERT_EQ(m_stock->previous(), ErrorCode::None);
    EXPECT_EQ(m_stock->rec.Id, 2);
    ASSERT_EQ(m_stock->previous(), ErrorCode::None);
    EXPECT_EQ(m_stock->rec.Id, 1);
    EXPECT_EQ(m_stock->previous(), ErrorCode::RecordNotAvailable);
    ASSERT_EQ(m_stock->next(), ErrorCode::None);
    EXPECT_EQ(m_stock->rec.Id, 1);
}

TEST_F(KeyOrder, PreviousStraightAfterSetReadsFromTheLastRecord) {
    add(1, "a", "", 0);
    add(2, "b", "", 0);
    ASSERT_EQ(m_stock->set(kStockName), ErrorCode::None);
    EXPECT_EQ(readAll(*m_stock, false), (std::vector<int>{2, 1}));
    ASSERT_EQ(m_stock->setFileOrder(), ErrorCode::None);
    EXPECT_EQ(readAll(*m_stock, false), (std::vector<int>{2, 1}));
}

TEST_F(KeyOrder, NextWithoutSetGivesRecordNotAvailable) {
    add(1, "a", "", 0);
    EXPECT_EQ(m_stock->next(), ErrorCode::RecordNotAvailable);
    EXPECT_EQ(m_stock->previous(), ErrorCode::RecordNotAvailable);
}

TEST_F(KeyOrder, FileOrderReadsInInsertionOrder) {
    add(3, "c", "", 0);
    add(1, "a", "", 0);
    add(2, "b", "", 0);
    ASSERT_EQ(m_stock->setFileOrder(), ErrorCode::None);
    EXPECT_EQ(readAll(*m_stock, true), (std::vector<int>{3, 1, 2}));
    EXPECT_EQ(readAll(*m_stock, false), (std::vector<int>{2, 1, 3}));
    EXPECT_EQ(m_stock->previous(), ErrorCode::RecordNotAvailable);  // stays at the beginning
}

using KeyDuplicates = KeyOrder;

TEST_F(KeyDuplicates, TiesReadInInsertionOrderAcrossReadAheadBatches) {
    for (int i = 1; i <= 150; ++i) add(i, i % 2 ? "same" : "SAME", "", 0);
    ASSERT_EQ(m_stock->send("QUICKSCAN=on"), ErrorCode::None);
    ASSERT_EQ(m_stock->set(kStockName), ErrorCode::None);
    const std::vector<int> ids = readAll(*m_stock, true);
    ASSERT_EQ(ids.size(), 150u);
    EXPECT_TRUE(std::is_sorted(ids.begin(), ids.end()));
}

TEST_F(KeyDuplicates, GetThenNextContinuesAfterTheRecordAmongDuplicates) {
    add(1, "nut", "", 0);
    add(2, "nut", "", 0);
    add(3, "nut", "", 0);
    add(4, "washer", "", 0);
    m_stock->clear();
    setText(m_stock->rec.Name, "NUT");
    ASSERT_EQ(m_stock->get(kStockName), ErrorCode::None);
    EXPECT_EQ(m_stock->rec.Id, 1);  // the first record of the key values
    ASSERT_EQ(m_stock->next(), ErrorCode::None);
    EXPECT_EQ(m_stock->rec.Id, 2);
}

TEST_F(KeyDuplicates, RegetRepositionsARunningSequence) {
    for (int i = 1; i <= 5; ++i) add(i, "nut", "", 0);
    ASSERT_EQ(m_stock->set(kStockName), ErrorCode::None);
    ASSERT_EQ(m_stock->next(), ErrorCode::None);
    ASSERT_EQ(m_stock->next(), ErrorCode::None);
    ASSERT_EQ(m_stock->next(), ErrorCode::None);
    const std::string third = m_stock->position();
    ASSERT_EQ(m_stock->next(), ErrorCode::None);
    ASSERT_EQ(m_stock->reget(third), ErrorCode::None);
    EXPECT_EQ(m_stock->rec.Id, 3);
    ASSERT_EQ(m_stock->next(), ErrorCode::None);
    EXPECT_EQ(m_stock->rec.Id, 4);
    ASSERT_EQ(m_stock->reget(third), ErrorCode::None);
    ASSERT_EQ(m_stock->previous(), ErrorCode::None);
    EXPECT_EQ(m_stock->rec.Id, 2);
}

using SequenceWhileWriting = KeyOrder;

TEST_F(SequenceWhileWriting, ReadAheadSeesAnotherHandlesAddAndErase) {
    for (int i = 1; i <= 10; ++i) add(i * 10, "p", "", 0);
    Handle<Part> other(*m_db, stockDesc());
    ASSERT_EQ(other.open(), ErrorCode::None);
    ASSERT_EQ(m_stock->send("QUICKSCAN=on"), ErrorCode::None);
    ASSERT_EQ(m_stock->set(kStockId), ErrorCode::None);
    ASSERT_EQ(m_stock->next(), ErrorCode::None);  // 10; the batch holds the rest
    ASSERT_EQ(m_stock->rec.Id, 10);

    other.clear();
    other.rec.Id = 15;
    ASSERT_EQ(other.add(), ErrorCode::None);
    other.rec.Id = 30;
    ASSERT_EQ(other.get(kStockId), ErrorCode::None);
    ASSERT_EQ(other.erase(), ErrorCode::None);

    EXPECT_EQ(readAll(*m_stock, true), (std::vector<int>{15, 20, 40, 50, 60, 70, 80, 90, 100}));
}

TEST_F(SequenceWhileWriting, UpdateLoopWithReadAheadVisitsEveryRecordOnce) {
    for (int i = 1; i <= 300; ++i) add(i, "p" + std::to_string(i % 7), "", i);
    ASSERT_EQ(m_stock->send("QUICKSCAN=on"), ErrorCode::None);
    ASSERT_EQ(m_stock->set(kStockName), ErrorCode::None);
    std::vector<int> visited;
    while (m_stock->next() == ErrorCode::None) {
        visited.push_back(m_stock->rec.Id);
        m_stock->rec.Price += 1000;  // not a component of the sequence's key
        ASSERT_EQ(m_stock->put(), ErrorCode::None);
    }
    EXPECT_EQ(visited, expectedOrder(stockDesc(), kStockName, m_stored));
    ASSERT_EQ(m_stock->set(kStockId), ErrorCode::None);
    while (m_stock->next() == ErrorCode::None) EXPECT_EQ(m_stock->rec.Price, m_stock->rec.Id + 1000);
}

TEST_F(SequenceWhileWriting, EraseOfTheCurrentRecordKeepsThePlace) {
    for (int i = 1; i <= 4; ++i) add(i, "p", "", 0);
    ASSERT_EQ(m_stock->set(kStockId), ErrorCode::None);
    ASSERT_EQ(m_stock->next(), ErrorCode::None);
    ASSERT_EQ(m_stock->next(), ErrorCode::None);
    ASSERT_EQ(m_stock->erase(), ErrorCode::None);
    EXPECT_EQ(readAll(*m_stock, true), (std::vector<int>{3, 4}));
    m_stock->rec.Id = 2;
    EXPECT_EQ(m_stock->get(kStockId), ErrorCode::RecordNotFound);
}

TEST_F(SequenceWhileWriting, PutThatMovesTheRecordInTheKeyContinuesFromTheOldPlace) {
    add(1, "a", "", 0);
    add(2, "b", "", 0);
    add(3, "c", "", 0);
    ASSERT_EQ(m_stock->set(kStockName), ErrorCode::None);
    ASSERT_EQ(m_stock->next(), ErrorCode::None);  // "a"
    setText(m_stock->rec.Name, "z");
    ASSERT_EQ(m_stock->put(), ErrorCode::None);
    // The sequence goes on from "a"'s place and meets the moved record at its new one.
    EXPECT_EQ(readAll(*m_stock, true), (std::vector<int>{2, 3, 1}));
}

}  // namespace
}  // namespace quay::core::testing
