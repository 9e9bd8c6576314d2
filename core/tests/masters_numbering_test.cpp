// Automatic numbering of vendor part numbers and contact-log notes: highest + 1,
// duplicates on other keys refused with their key named, numbering inside the
// caller's transaction, and two processes numbering at once without a collision.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <set>

#include "quay/app/scripted_ui.h"
#include "quay/app/table_open.h"
#include "quay/masters/numbered_insert.h"
#include "quay/store/database.h"
#include "quay/store/transaction.h"
#include "quay/tables/comments.h"
#include "quay/tables/ven_prods.h"

namespace quay::core {
namespace {

class Numbering : public ::testing::Test {
protected:
    void SetUp() override {
        char tmpl[] = "/tmp/quay-numbering-XXXXXX";
        ASSERT_NE(::mkdtemp(tmpl), nullptr);
        m_dir = tmpl;
        m_db = std::make_unique<Database>(m_dir);
        m_notes = std::make_unique<Handle<Comments>>(*m_db);
        m_parts = std::make_unique<Handle<VenProds>>(*m_db);
        ASSERT_EQ(openTable(ui, notes()), OpenOutcome::Opened);
        ASSERT_EQ(openTable(ui, parts()), OpenOutcome::Opened);
    }
    void TearDown() override {
        m_notes.reset();
        m_parts.reset();
        m_db.reset();
        std::filesystem::remove_all(m_dir);
    }

    NumberedInsert addNote(Handle<Comments>& h, const char* customer) {
        h.clear();
        h.rec.Customer = customer;
        h.rec.SUBJECT = "called";
        return addNumbered(*m_db, ui, h, Comments::ByCmtID, "CMTID");
    }
    NumberedInsert addPart(const char* part, const char* vendor, const char* theirs) {
        parts().clear();
        parts().rec.PartNum = part;
        parts().rec.Vendor = vendor;
        parts().rec.VENPARTNUM = theirs;
        return addNumbered(*m_db, ui, parts(), VenProds::byVPRId, "VPRID");
    }
    std::vector<std::int32_t> noteIds() {
        std::vector<std::int32_t> ids;
        notes().setFileOrder();
        while (notes().next() == ErrorCode::None) ids.push_back(notes().rec.CMTID);
        std::sort(ids.begin(), ids.end());
        return ids;
    }

    std::string m_dir;
    std::unique_ptr<Database> m_db;
    ScriptedUi ui;
    std::unique_ptr<Handle<Comments>> m_notes;
    std::unique_ptr<Handle<VenProds>> m_parts;
    Handle<Comments>& notes() { return *m_notes; }
    Handle<VenProds>& parts() { return *m_parts; }
};

TEST_F(Numbering, FirstRecordIsOneAndEachNextIsHighestPlusOne) {
    ASSERT_EQ(addNote(notes(), "Smith Hardware"), NumberedInsert::Added);
    EXPECT_EQ(notes().rec.CMTID, 1);
    notes().clear();
    notes().rec.CMTID = 7;  // a note numbered by hand leaves a gap
    ASSERT_EQ(notes().add(), ErrorCode::None);
    ASSERT_EQ(addNote(notes(), "Smith Hardware"), NumberedInsert::Added);
    EXPECT_EQ(notes().rec.CMTID, 8);
    EXPECT_EQ(notes().rec.Customer, "Smith Hardware") << "the record keeps what the form put in it";
    EXPECT_EQ(noteIds(), (std::vector<std::int32_t>{1, 7, 8}));
    EXPECT_TRUE(ui.messages().empty());
}

TEST_F(Numbering, SecondPairingOfOneProductAndVendorIsRefusedNamingTheKey) {
    ASSERT_EQ(addPart("H-100", "Acme", "AC-1"), NumberedInsert::Added);
    ASSERT_EQ(addPart("H-100", "Bolt Co", "AC-1"), NumberedInsert::Added)
        << "the same vendor part number under another vendor is fine";
    EXPECT_EQ(addPart("h-100", "ACME", "AC-2"), NumberedInsert::Failed);
    ASSERT_EQ(ui.messages().size(), 1u);
    EXPECT_EQ(ui.messages()[0].caption, "Duplicate Key Error");
    EXPECT_EQ(ui.messages()[0].text, "Adding this record creates a duplicate entry for the key:" +
                                         VenProds::desc().keys[VenProds::byPartNumVen.index].label);
    EXPECT_EQ(parts().records(), 2);
}

TEST_F(Numbering, InsideTheCallersTransactionTheNoteGoesWithItsRollback) {
    {
        Transaction tx(*m_db, {&notes()});
        ASSERT_EQ(tx.begin(), ErrorCode::None);
        ASSERT_EQ(addNote(notes(), "Smith Hardware"), NumberedInsert::Added);
        ASSERT_EQ(addNote(notes(), "Smith Hardware"), NumberedInsert::Added);
        EXPECT_EQ(notes().rec.CMTID, 2);
    }  // not committed
    EXPECT_TRUE(noteIds().empty());
}

TEST_F(Numbering, TwoStationsNumberingAtOnceNeverShareANumber) {
    constexpr int kEach = 25;
    pid_t children[2];
    for (int c = 0; c < 2; ++c) {
        children[c] = ::fork();
        ASSERT_GE(children[c], 0);
        if (children[c] == 0) {
            Database db(m_dir);
            ScriptedUi quiet;
            Handle<Comments> h(db);
            bool ok = openTable(quiet, h) == OpenOutcome::Opened;
            for (int i = 0; ok && i < kEach; ++i) {
                h.clear();
                h.rec.Customer = c == 0 ? "First Station" : "Second Station";
                ok = addNumbered(db, quiet, h, Comments::ByCmtID, "CMTID") == NumberedInsert::Added;
            }
            ::_exit(ok && quiet.messages().empty() ? 0 : 1);
        }
    }
    for (pid_t child : children) {
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    std::vector<std::int32_t> expected(2 * kEach);
    for (int i = 0; i < 2 * kEach; ++i) expected[static_cast<std::size_t>(i)] = i + 1;
    EXPECT_EQ(noteIds(), expected);
}

}  // namespace
}  // namespace quay::core
