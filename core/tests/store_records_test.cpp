// Records through one table handle: what add, put, erase, get, reget and clear store
// and read back, the watch-before-put check, the duplicate test, the record count,
// driver commands, and the code every call returns on a handle that is not open.
#include <sqlite3.h>

#include <functional>
#include <vector>

#include "store_test_support.h"

namespace quay::core::testing {
namespace {

// Reads one stored column of the parts table straight from the database file.
std::string storedText(const std::string& dir, const std::string& sql) {
    sqlite3* db = nullptr;
    std::string out = "<none>";
    if (sqlite3_open_v2((dir + "/billquay.sqlite3").c_str(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
        sqlite3_stmt* stmt = nullptr;
        if (sqlite3_prepare_v2(db, sql.c_str(), -1, &stmt, nullptr) == SQLITE_OK && sqlite3_step(stmt) == SQLITE_ROW)
            out = reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0));
        sqlite3_finalize(stmt);
    }
    sqlite3_close(db);
    return out;
}

using RecordRoundTrip = StoreTest;

TEST_F(RecordRoundTrip, AddThenGetReadsBackEveryField) {
    Part& p = m_parts->rec;
    m_parts->clear();
    p.Id = 7;
    setText(p.Name, "  Hex Bolt");
    setText(p.Code, "HB-10");
    p.Price = -123456;  // -1234.56
    p.Flag = 250;
    setMemo(p.Notes, "zinc plated\nbox of 100");
    ASSERT_EQ(m_parts->add(), ErrorCode::None);

    m_parts->clear();
    p.Id = 7;
    ASSERT_EQ(m_parts->get(kById), ErrorCode::None);
    EXPECT_EQ(std::string(p.Name, 20), "  Hex Bolt          ");
    EXPECT_EQ(std::string(p.Code, 6), "HB-10 ");
    EXPECT_EQ(p.Price, -123456);
    EXPECT_EQ(p.Flag, 250);
    EXPECT_EQ(memo(p.Notes), "zinc plated\nbox of 100");
    EXPECT_EQ(p.Notes.text[p.Notes.length], '\0');
}

TEST_F(RecordRoundTrip, StringsAreStoredWithoutTrailingBlanksAndDecimalsScaled) {
    ASSERT_EQ(addPart(1, "Washer  ", "W1", 1999), ErrorCode::None);
    EXPECT_EQ(storedText(dir(), "SELECT '[' || Name || ']' FROM parts"), "[Washer]");
    EXPECT_EQ(storedText(dir(), "SELECT Price FROM parts"), "1999");
}

TEST_F(RecordRoundTrip, TextBytesOutsideAsciiComeBackUnchanged) {
    const std::string name = "Caf\xe9 M\xfcller \x80";  // Windows-1252 bytes, not UTF-8
    ASSERT_EQ(addPart(1, name), ErrorCode::None);
    m_parts->clear();
    setText(m_parts->rec.Name, name);
    ASSERT_EQ(m_parts->get(kByName), ErrorCode::None);
    EXPECT_EQ(text(m_parts->rec.Name), name);
}

TEST_F(RecordRoundTrip, ClearBlanksStringsAndZeroesNumbersAndMemos) {
    Part& p = m_parts->rec;
    std::memset(&p, 0x5a, sizeof p);
    m_parts->clear();
    EXPECT_EQ(p.Id, 0);
    EXPECT_EQ(std::string(p.Name, 20), std::string(20, ' '));
    EXPECT_EQ(p.Price, 0);
    EXPECT_EQ(p.Flag, 0);
    EXPECT_EQ(p.Notes.length, 0u);
    EXPECT_EQ(p.Notes.text[99], '\0');
}

TEST_F(RecordRoundTrip, OverlongMemoLengthIsCutToTheMemoSize) {
    Part& p = m_parts->rec;
    m_parts->clear();
    p.Id = 1;
    std::memset(p.Notes.text, 'x', sizeof p.Notes.text);
    p.Notes.length = 5000;  // a damaged length must not read past the record
    ASSERT_EQ(m_parts->add(), ErrorCode::None);
    m_parts->clear();
    p.Id = 1;
    ASSERT_EQ(m_parts->get(kById), ErrorCode::None);
    EXPECT_EQ(p.Notes.length, 100u);
}

using RecordWrites = StoreTest;

TEST_F(RecordWrites, AddDuplicatingUniqueKeyIsRefusedAndStoresNothing) {
    ASSERT_EQ(addPart(1, "First", "A1"), ErrorCode::None);
    EXPECT_EQ(addPart(1, "Second", "B1"), ErrorCode::DuplicateKey);
    EXPECT_EQ(m_parts->duplicateKey(), kById.index);
    EXPECT_EQ(addPart(2, "Third", "A1"), ErrorCode::DuplicateKey);
    EXPECT_EQ(m_parts->duplicateKey(), kByCode.index);
    EXPECT_EQ(m_parts->lastError(), ErrorCode::DuplicateKey);
    EXPECT_EQ(m_parts->records(), 1);
}

TEST_F(RecordWrites, PutRewritesTheCurrentRecord) {
    ASSERT_EQ(addPart(1, "Nut", "N1", 10), ErrorCode::None);
    ASSERT_EQ(addPart(2, "Bolt", "B1", 20), ErrorCode::None);
    m_parts->rec.Id = 1;
    ASSERT_EQ(m_parts->get(kById), ErrorCode::None);
    setText(m_parts->rec.Name, "Lock Nut");
    m_parts->rec.Price = 15;
    ASSERT_EQ(m_parts->put(), ErrorCode::None);

    m_parts->clear();
    m_parts->rec.Id = 1;
    ASSERT_EQ(m_parts->get(kById), ErrorCode::None);
    EXPECT_EQ(text(m_parts->rec.Name), "Lock Nut");
    EXPECT_EQ(m_parts->rec.Price, 15);
    m_parts->rec.Id = 2;
    ASSERT_EQ(m_parts->get(kById), ErrorCode::None);
    EXPECT_EQ(text(m_parts->rec.Name), "Bolt");
}

TEST_F(RecordWrites, PutDuplicatingUniqueKeyKeepsTheStoredRecord) {
    ASSERT_EQ(addPart(1, "Nut", "N1"), ErrorCode::None);
    ASSERT_EQ(addPart(2, "Bolt", "B1"), ErrorCode::None);
    setText(m_parts->rec.Code, "N1");
    EXPECT_EQ(m_parts->put(), ErrorCode::DuplicateKey);
    m_parts->rec.Id = 2;
    ASSERT_EQ(m_parts->get(kById), ErrorCode::None);
    EXPECT_EQ(text(m_parts->rec.Code), "B1");
}

TEST_F(RecordWrites, PutAndEraseWithoutCurrentRecordGiveRecordNotAvailable) {
    EXPECT_EQ(m_parts->put(), ErrorCode::RecordNotAvailable);
    EXPECT_EQ(m_parts->erase(), ErrorCode::RecordNotAvailable);
    ASSERT_EQ(addPart(1, "Nut"), ErrorCode::None);
    ASSERT_EQ(m_parts->erase(), ErrorCode::None);
    EXPECT_EQ(m_parts->erase(), ErrorCode::RecordNotAvailable);
    EXPECT_EQ(m_parts->records(), 0);
}

TEST_F(RecordWrites, PutOfARecordAnotherHandleDeletedGivesRecordNotAvailable) {
    ASSERT_EQ(addPart(1, "Nut"), ErrorCode::None);
    Handle<Part> other(*m_db, Part::refDesc());
    ASSERT_EQ(other.open(), ErrorCode::None);
    other.rec.Id = 1;
    ASSERT_EQ(other.get(kById), ErrorCode::None);
    ASSERT_EQ(other.erase(), ErrorCode::None);
    EXPECT_EQ(m_parts->put(), ErrorCode::RecordNotAvailable);
    EXPECT_EQ(m_parts->records(), 0);
}

TEST_F(RecordWrites, SecondHandleOnTheFileSeesWritesAtOnce) {
    Handle<Part> ref(*m_db, Part::refDesc());
    ASSERT_EQ(ref.open(), ErrorCode::None);
    ASSERT_EQ(addPart(5, "Spring"), ErrorCode::None);
    ref.rec.Id = 5;
    ASSERT_EQ(ref.get(kById), ErrorCode::None);
    EXPECT_EQ(text(ref.rec.Name), "Spring");
    EXPECT_EQ(ref.records(), 1);
}

using RecordWatch = StoreTest;

TEST_F(RecordWatch, PutAfterAnotherHandlesChangeGivesChangedByOtherStation) {
    ASSERT_EQ(addPart(1, "Nut", "", 10), ErrorCode::None);
    m_parts->rec.Id = 1;
    ASSERT_EQ(m_parts->get(kById), ErrorCode::None);
    m_parts->watch();

    Handle<Part> other(*m_db, Part::refDesc());
    ASSERT_EQ(other.open(), ErrorCode::None);
    other.rec.Id = 1;
    ASSERT_EQ(other.get(kById), ErrorCode::None);
    other.rec.Price = 99;
    ASSERT_EQ(other.put(), ErrorCode::None);

    m_parts->rec.Price = 11;
    EXPECT_EQ(m_parts->put(), ErrorCode::ChangedByOtherStation);
    other.rec.Id = 1;
    ASSERT_EQ(other.get(kById), ErrorCode::None);
    EXPECT_EQ(other.rec.Price, 99);  // the other station's change stands
}

TEST_F(RecordWatch, PutAfterWatchWithoutOtherChangeSucceeds) {
    ASSERT_EQ(addPart(1, "Nut", "", 10), ErrorCode::None);
    m_parts->rec.Id = 1;
    ASSERT_EQ(m_parts->get(kById), ErrorCode::None);
    m_parts->watch();
    m_parts->rec.Price = 11;
    ASSERT_EQ(m_parts->put(), ErrorCode::None);
    // The watch served that put; the record can be watched and put again.
    m_parts->watch();
    m_parts->rec.Price = 12;
    ASSERT_EQ(m_parts->put(), ErrorCode::None);
    m_parts->rec.Id = 1;
    ASSERT_EQ(m_parts->get(kById), ErrorCode::None);
    EXPECT_EQ(m_parts->rec.Price, 12);
}

TEST_F(RecordWatch, PutWithoutWatchOverwritesAnotherHandlesChange) {
    ASSERT_EQ(addPart(1, "Nut", "", 10), ErrorCode::None);
    Handle<Part> other(*m_db, Part::refDesc());
    ASSERT_EQ(other.open(), ErrorCode::None);
    other.rec.Id = 1;
    ASSERT_EQ(other.get(kById), ErrorCode::None);
    other.rec.Price = 99;
    ASSERT_EQ(other.put(), ErrorCode::None);
    m_parts->rec.Price = 11;
    ASSERT_EQ(m_parts->put(), ErrorCode::None);
    other.rec.Id = 1;
    ASSERT_EQ(other.get(kById), ErrorCode::None);
    EXPECT_EQ(other.rec.Price, 11);
}

using RecordLookup = StoreTest;

TEST_F(RecordLookup, GetWithoutMatchGivesRecordNotFoundAndKeepsTheBuffer) {
    ASSERT_EQ(addPart(1, "Nut"), ErrorCode::None);
    m_parts->clear();
    m_parts->rec.Id = 2;
    setText(m_parts->rec.Name, "typed");
    EXPECT_EQ(m_parts->get(kById), ErrorCode::RecordNotFound);
    EXPECT_EQ(m_parts->rec.Id, 2);
    EXPECT_EQ(text(m_parts->rec.Name), "typed");
}

TEST_F(RecordLookup, GetOnCaseInsensitiveKeyIgnoresCase) {
    ASSERT_EQ(addPart(1, "Hex Bolt"), ErrorCode::None);
    m_parts->clear();
    setText(m_parts->rec.Name, "HEX BOLT");
    ASSERT_EQ(m_parts->get(kByName), ErrorCode::None);
    EXPECT_EQ(m_parts->rec.Id, 1);
}

TEST_F(RecordLookup, GetOnOptionalKeyWithBlankValuesFindsNothing) {
    ASSERT_EQ(addPart(1, "Nut", ""), ErrorCode::None);
    m_parts->clear();
    EXPECT_EQ(m_parts->get(kByCode), ErrorCode::RecordNotFound);
}

TEST_F(RecordLookup, RegetReadsTheRecordAPositionNamed) {
    ASSERT_EQ(addPart(1, "Nut"), ErrorCode::None);
    ASSERT_EQ(addPart(2, "Bolt"), ErrorCode::None);
    const std::string pos = m_parts->position();
    ASSERT_FALSE(pos.empty());
    EXPECT_LE(pos.size(), 512u);
    m_parts->clear();
    ASSERT_EQ(m_parts->reget(pos), ErrorCode::None);
    EXPECT_EQ(m_parts->rec.Id, 2);
    EXPECT_EQ(text(m_parts->rec.Name), "Bolt");
}

TEST_F(RecordLookup, RegetOfAMalformedOrForeignPositionGivesRecordNotFound) {
    ASSERT_EQ(addPart(1, "Nut"), ErrorCode::None);
    const std::string pos = m_parts->position();
    for (const std::string& bad : {std::string(), std::string("garbage"), pos + "x", std::string("other:1"),
                                   pos.substr(0, pos.find(':') + 1) + "999"}) {
        SCOPED_TRACE(bad);
        EXPECT_EQ(m_parts->reget(bad), ErrorCode::RecordNotFound);
    }
    ASSERT_EQ(m_parts->erase(), ErrorCode::None);
    EXPECT_EQ(m_parts->reget(pos), ErrorCode::RecordNotFound);
}

using RecordChecks = StoreTest;

TEST_F(RecordChecks, DuplicateTestsUniqueKeysAgainstOtherRecords) {
    ASSERT_EQ(addPart(1, "Nut", "N1"), ErrorCode::None);
    // The current record does not duplicate itself.
    EXPECT_FALSE(m_parts->duplicate(kById));
    EXPECT_FALSE(m_parts->duplicate());
    ASSERT_EQ(addPart(2, "Nut", ""), ErrorCode::None);
    m_parts->rec.Id = 1;
    EXPECT_TRUE(m_parts->duplicate(kById));
    EXPECT_FALSE(m_parts->duplicate(kByName));  // a key with duplicates never duplicates
    EXPECT_FALSE(m_parts->duplicate(kByCode));  // blank values are not in the optional key
    m_parts->rec.Id = 3;
    setText(m_parts->rec.Code, "N1");
    EXPECT_TRUE(m_parts->duplicate(kByCode));
    EXPECT_TRUE(m_parts->duplicate());
}

TEST_F(RecordChecks, RecordsCountsStoredRecords) {
    EXPECT_EQ(m_parts->records(), 0);
    for (int i = 1; i <= 25; ++i) ASSERT_EQ(addPart(i, "P"), ErrorCode::None);
    EXPECT_EQ(m_parts->records(), 25);
}

TEST_F(RecordChecks, SendAcceptsTheDriverCommandsAndRefusesOthers) {
    for (const char* ok : {"QUICKSCAN=on", "QUICKSCAN=off", "quickscan = ON", "Recover=10", "Recover=0"}) {
        SCOPED_TRACE(ok);
        EXPECT_EQ(m_parts->send(ok), ErrorCode::None);
    }
    for (const char* bad : {"", "QUICKSCAN", "QUICKSCAN=maybe", "Recover=", "Recover=-1", "Recover=ten", "FORMAT C:"}) {
        SCOPED_TRACE(bad);
        EXPECT_EQ(m_parts->send(bad), ErrorCode::DriverError);
        EXPECT_NE(m_parts->driverErrorText().find("unknown driver command"), std::string::npos);
    }
}

TEST_F(RecordChecks, EveryCallOnAClosedHandleGivesFileNotOpen) {
    ASSERT_EQ(addPart(1, "Nut"), ErrorCode::None);
    const std::string pos = m_parts->position();
    ASSERT_EQ(m_parts->close(), ErrorCode::None);
    Table& t = *m_parts;
    // name, call
    const std::vector<std::pair<const char*, std::function<ErrorCode()>>> calls = {
        {"close", [&] { return t.close(); }},
        {"add", [&] { return t.add(); }},
        {"put", [&] { return t.put(); }},
        {"erase", [&] { return t.erase(); }},
        {"get", [&] { return t.get(kById); }},
        {"reget", [&] { return t.reget(pos); }},
        {"set", [&] { return t.set(kById); }},
        {"setAtKey", [&] { return t.setAtKey(kById); }},
        {"setEnd", [&] { return t.setEnd(kById); }},
        {"setFileOrder", [&] { return t.setFileOrder(); }},
        {"next", [&] { return t.next(); }},
        {"previous", [&] { return t.previous(); }},
        {"records",
         [&] {
             t.records();
             return t.lastError();
         }},
        {"duplicate",
         [&] {
             t.duplicate(kById);
             return t.lastError();
         }},
    };
    for (const auto& [name, call] : calls) {
        SCOPED_TRACE(name);
        EXPECT_EQ(call(), ErrorCode::FileNotOpen);
    }
    ASSERT_EQ(m_parts->open(), ErrorCode::None);
    EXPECT_EQ(m_parts->records(), 1);  // nothing was written while closed
}

TEST_F(RecordChecks, AnUnknownKeyIsAClearDriverError) {
    EXPECT_EQ(m_parts->get(KeyId{9}), ErrorCode::DriverError);
    EXPECT_EQ(m_parts->set(KeyId{-1}), ErrorCode::DriverError);
    EXPECT_FALSE(m_parts->driverErrorText().empty());
}

}  // namespace
}  // namespace quay::core::testing
