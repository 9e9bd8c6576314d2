// Delete all data on a real data set: what is emptied and what is kept, the two
// questions, and nothing removed while a table is held here or at another station
// (a second process) or when the run is killed in the middle.
#include <gtest/gtest.h>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

#include "quay/app/use_counters.h"
#include "quay/tables/all_tables.h"
#include "quay/testing/data_set_test.h"
#include "quay/util/delete_all.h"

namespace quay::util {
namespace {

using core::Button;

class DeleteAll : public quay::testing::DataSetTest {
protected:
    DeleteAll() : DataSetTest("quay-deleteall") {}

    void SetUp() override {
        DataSetTest::SetUp();
        company([](core::Defaults& d) { d.COMPANYNAME = "Harbourline"; });
        core::Customer c;
        c.Name = "Ames";
        store(c);
        core::Vendors v;
        v.NAME = "Northwind";
        store(v);
        core::Products p;
        p.PartNum = "BOLT";
        store(p);
        core::Orders o;
        o.OrdNum = 1;
        store(o);
        core::Salesmen s;
        s.Initials = "JO";
        store(s);
        core::PO po;
        po.PoNum = 1;
        po.Vendor = "Northwind";
        store(po);
        core::POItems line;
        line.POINUM = 1;
        line.PoNum = 1;
        line.PartNum = "BOLT";
        store(line);
        core::ShipMthd ship;
        ship.SHIPVIA = "UPS";
        store(ship);
    }

    // Record counts of the tables the run empties and of those it keeps.
    std::vector<std::size_t> counts() {
        return {all<core::Customer>().size(), all<core::Vendors>().size(),  all<core::Products>().size(),
                all<core::Orders>().size(),   all<core::Salesmen>().size(), all<core::PO>().size(),
                all<core::POItems>().size(),  all<core::ShipMthd>().size(), all<core::Defaults>().size()};
    }
    static constexpr const char* kBusy =
        "All files are not closed.  Make sure everyone is out of Billquay and that you have closed all other windows "
        "in this copy of Billquay";
};

TEST_F(DeleteAll, YesTwiceEmptiesTheDataAndKeepsTheRest) {
    DeleteAllData w(ui, *db);
    ui.answer(Button::Yes);
    EXPECT_EQ(w.yes(), DeleteAllOutcome::Deleted);
    EXPECT_TRUE(w.isClosed());
    EXPECT_EQ(counts(), (std::vector<std::size_t>{0, 0, 0, 0, 0, 1, 1, 1, 1}));
    EXPECT_EQ(ui.captions(), (std::vector<std::string>{"WARNING"}));  // no closing message
    // the purchase order still names the vendor that is gone
    EXPECT_EQ(all<core::PO>()[0].Vendor.str(), "Northwind");
}

TEST_F(DeleteAll, NoAtEitherQuestionRemovesNothing) {
    DeleteAllData w(ui, *db);
    ui.answer(Button::No);
    EXPECT_EQ(w.yes(), DeleteAllOutcome::Declined);
    EXPECT_FALSE(w.isClosed());  // back to the window
    w.no();
    EXPECT_TRUE(w.isClosed());
    EXPECT_EQ(counts(), (std::vector<std::size_t>{1, 1, 1, 1, 1, 1, 1, 1, 1}));
}

TEST_F(DeleteAll, ATableHeldInThisCopyRemovesNothing) {
    // a list of this copy counts Orders for its whole life, even between its reads
    core::UseHold hold("Orders");
    DeleteAllData w(ui, *db);
    ui.answer(Button::Yes);
    EXPECT_EQ(w.yes(), DeleteAllOutcome::FilesInUse);
    ASSERT_EQ(ui.messages().size(), 2u);
    EXPECT_EQ(ui.messages()[1].caption, "FILE DELETE ERROR");
    EXPECT_EQ(ui.messages()[1].text, kBusy);
    EXPECT_EQ(counts(), (std::vector<std::size_t>{1, 1, 1, 1, 1, 1, 1, 1, 1}));
}

TEST_F(DeleteAll, CustomerListOpenAtAnotherStationRemovesNothing) {
    int ready[2];
    int done[2];
    ASSERT_EQ(::pipe(ready), 0);
    ASSERT_EQ(::pipe(done), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        core::Database other(dir());
        core::Handle<core::Customer> list(other);
        const bool opened = list.open() == core::ErrorCode::None;
        char c = opened ? 'y' : 'n';
        (void)!::write(ready[1], &c, 1);
        (void)!::read(done[0], &c, 1);
        ::_exit(0);
    }
    char c = 0;
    ASSERT_EQ(::read(ready[0], &c, 1), 1);
    ASSERT_EQ(c, 'y');
    DeleteAllData w(ui, *db);
    ui.answer(Button::Yes);
    EXPECT_EQ(w.yes(), DeleteAllOutcome::FilesInUse);
    EXPECT_EQ(ui.texts().back(), kBusy);
    (void)!::write(done[1], &c, 1);
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_EQ(counts(), (std::vector<std::size_t>{1, 1, 1, 1, 1, 1, 1, 1, 1}));
}

TEST_F(DeleteAll, AKillInTheMiddleRemovesNothing) {
    db.reset();
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        core::Database own(dir());
        core::ScriptedUi yes;
        yes.answer(Button::Yes);
        DeleteAllData w(yes, own);
        w.setAfterRemoval([](std::string_view table) {
            if (table == "Orders") ::kill(::getpid(), SIGKILL);
        });
        w.yes();
        ::_exit(0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status));
    db = std::make_unique<core::Database>(dir());
    EXPECT_EQ(counts(), (std::vector<std::size_t>{1, 1, 1, 1, 1, 1, 1, 1, 1}));
}

}  // namespace
}  // namespace quay::util
