// The customer windows on a real data set: the balance routine, the person-name
// rule, the form's checks (bill-to, price class, phone numbers), the comment box
// that becomes a dated contact-log note, cancelled inserts that leave nothing
// behind, renames carried to notes, orders and schedule in one step, deletes
// refused while an order names the customer, and the list's tabs.
#include <gtest/gtest.h>

#include "masterlists_test_support.h"
#include "quay/customers/cust_comments_record.h"
#include "quay/customers/customer_balance.h"
#include "quay/customers/customer_browse.h"
#include "quay/customers/customer_form.h"
#include "quay/masterlists/person_name.h"
#include "quay/types/clock.h"

namespace quay::core {
namespace {

using testing::MasterDataTest;

Customer customerNamed(const std::string& name, std::uint8_t active = 1) {
    Customer c;
    c.Name = name;
    c.COMPANY = 1;
    c.Active = active;
    c.PRICECLASS = "1";
    return c;
}

class CustomerWindows : public MasterDataTest {
protected:
    void SetUp() override {
        MasterDataTest::SetUp();
        company([](Defaults& d) {
            d.SALESTAX1 = Decimal<9, 4>::fromScaled(72500);
            d.SALESTAX2 = Decimal<9, 4>::fromScaled(10000);
        });
        m_cus = std::make_unique<Handle<Customer>>(*db);
        open(cus());
        // The contact-log form as the History tab runs it: a note with a subject.
        ui.onWindow("CustCommentsRecord", [this](const WindowRequest& r) {
            CustCommentsRecord form(*db, ui, *r.table, r);
            if (!form.open()) return form.response();
            static_cast<Comments*>(r.table->buffer())->SUBJECT = nextSubject;
            form.ok();
            return form.response();
        });
    }

    void TearDown() override {
        m_cus.reset();
        MasterDataTest::TearDown();
    }

    // Reads the stored customer `name` into cus (the list's handle would hold it so).
    void load(const std::string& name) {
        cus().clear();
        cus().rec.Name = name;
        ASSERT_EQ(cus().get(Customer::byName), ErrorCode::None) << name;
    }

    std::vector<Comments> notesOf(const std::string& name) {
        std::vector<Comments> out;
        for (const Comments& c : all<Comments>())
            if (c.Customer == name) out.push_back(c);
        return out;
    }

    Handle<Customer>& cus() { return *m_cus; }
    std::unique_ptr<Handle<Customer>> m_cus;
    std::string nextSubject = "Called about the quote";
    static int f(const char* n) { return CustomerForm::field(n); }
};

TEST(PersonName, LastCommaFirstOrWhicheverIsGiven) {
    EXPECT_EQ(personName("Ann", "Lee"), "Lee, Ann");
    EXPECT_EQ(personName("Ann  ", "Lee   "), "Lee, Ann");
    EXPECT_EQ(personName("Ann", ""), "Ann");
    EXPECT_EQ(personName("", "Lee"), "Lee");
    EXPECT_EQ(personName("", ""), "");
}

TEST_F(CustomerWindows, BalanceIsOpenChargesLessUnappliedPayments) {
    auto charge = [](int id, const char* who, std::uint8_t paid, std::int64_t cents) {
        Charges c;
        c.Id = id;
        c.Customer = who;
        c.Paid = paid;
        c.UNPAIDBAL = Decimal<13, 2>::fromScaled(cents);
        return c;
    };
    auto payment = [](int id, const char* who, std::uint8_t applied, std::int64_t cents) {
        Payments p;
        p.Id = id;
        p.Customer = who;
        p.Applied = applied;
        p.UNAPPAMT = Decimal<13, 2>::fromScaled(cents);
        return p;
    };
    store(charge(1, "Acme", 0, 10000));
    store(charge(2, "Acme", 1, 5000));     // paid: adds nothing
    store(charge(3, "Acme Two", 0, 999));  // another customer
    store(payment(1, "Acme", 0, 3000));
    store(payment(2, "Acme", 1, 2000));  // fully applied: adds nothing
    EXPECT_EQ(GETCUSTBALANCE(*db, ui, "Acme   "), DecimalStatus::Ok);
    EXPECT_EQ(glo.BalanceDue.toString(), "70.00");
    GETCUSTBALANCE(*db, ui, "Nobody");
    EXPECT_EQ(glo.BalanceDue.toString(), "0.00");
    GETCUSTBALANCE(*db, ui, "Acme Two");
    EXPECT_EQ(glo.BalanceDue.toString(), "9.99");
}

TEST_F(CustomerWindows, FormWithoutCompanyRecordBeepsAndDoesNotOpen) {
    {
        Handle<Defaults> d(*db);
        open(d);
        d.setFileOrder();
        ASSERT_EQ(d.next(), ErrorCode::None);
        ASSERT_EQ(d.erase(), ErrorCode::None);
    }
    CustomerForm form(*db, ui, cus(), testing::req(Request::Insert, &cus()));
    EXPECT_FALSE(form.open());
    EXPECT_EQ(ui.texts(), (std::vector<std::string>{"Please set company defaults first"}));
    EXPECT_EQ(ui.beeps().size(), 1u);
    EXPECT_EQ(form.response().response, Response::Cancelled);
}

TEST_F(CustomerWindows, NewPersonGetsBuiltNameCompanyTaxRatesAndIsStored) {
    CustomerForm form(*db, ui, cus(), testing::req(Request::Insert, &cus()));
    ASSERT_TRUE(form.open());
    EXPECT_EQ(form.windowTitle(), "Adding a Customer Record");
    EXPECT_EQ(form.rec().Active, 1);
    EXPECT_EQ(form.rec().SALESTAX1.toString(), "7.2500");
    EXPECT_EQ(form.rec().SALESTAX2.toString(), "1.0000");
    form.rec().FNAME = "Ann";
    EXPECT_TRUE(form.accept(f("FNAME")));
    EXPECT_EQ(form.rec().Name, "Ann");
    form.rec().LNAME = "Lee";
    EXPECT_TRUE(form.accept(f("LNAME")));
    EXPECT_EQ(form.rec().Name, "Lee, Ann");
    form.rec().PHONE1 = "555-0199";
    EXPECT_TRUE(form.accept(f("PHONE1")));
    EXPECT_EQ(form.rec().PHONE1, "(212)555-0199");
    form.rec().PRICECLASS = "3";
    EXPECT_TRUE(form.ok());
    EXPECT_EQ(form.response().response, Response::Completed);
    const auto stored = all<Customer>();
    ASSERT_EQ(stored.size(), 1u);
    EXPECT_EQ(stored[0].Name, "Lee, Ann");
    EXPECT_EQ(stored[0].PHONE1, "(212)555-0199");
    EXPECT_EQ(cus().rec.Name, "Lee, Ann");  // current in the list's handle
}

TEST_F(CustomerWindows, CompanyNameIsTypedNotBuilt) {
    CustomerForm form(*db, ui, cus(), testing::req(Request::Insert, &cus()));
    ASSERT_TRUE(form.open());
    form.rec().COMPANY = 1;
    form.rec().Name = "Harbour Supplies";
    form.rec().FNAME = "Ann";
    EXPECT_TRUE(form.accept(f("FNAME")));
    EXPECT_EQ(form.rec().Name, "Harbour Supplies");
}

TEST_F(CustomerWindows, RejectedPhoneAndEmptyPriceClassBeepAndKeepTheCursor) {
    CustomerForm form(*db, ui, cus(), testing::req(Request::Insert, &cus()));
    ASSERT_TRUE(form.open());
    form.rec().FAX = "12345";
    EXPECT_FALSE(form.accept(f("FAX")));
    EXPECT_TRUE(form.rec().FAX.isBlank());
    EXPECT_EQ(form.takeFocusRequest(), f("FAX"));
    form.rec().PRICECLASS = "";
    EXPECT_FALSE(form.accept(f("PRICECLASS")));
    EXPECT_EQ(form.takeFocusRequest(), f("PRICECLASS"));
    ASSERT_EQ(ui.beeps().size(), 2u);
    EXPECT_EQ(ui.beeps()[0].frequency, 150);
    EXPECT_EQ(ui.beeps()[0].duration, 16);
    // Never entered at all, the price class still keeps OK from storing the customer.
    form.rec().COMPANY = 1;
    form.rec().Name = "Dory Marine";
    EXPECT_FALSE(form.ok());
    EXPECT_EQ(form.takeFocusRequest(), f("PRICECLASS"));
    EXPECT_TRUE(all<Customer>().empty());
    form.rec().PRICECLASS = "2";
    EXPECT_TRUE(form.ok());
    ASSERT_EQ(all<Customer>().size(), 1u);
    EXPECT_EQ(all<Customer>()[0].PRICECLASS, "2");
}

TEST_F(CustomerWindows, BillToOwnNameOnlyBeepsAndSavesNothing) {
    store(customerNamed("Acme"));
    load("Acme");
    CustomerForm form(*db, ui, cus(), testing::req(Request::Change, &cus()));
    ASSERT_TRUE(form.open());
    form.rec().BILLTO = "ACME";
    form.rec().CITY = "Leeds";
    EXPECT_FALSE(form.ok());
    EXPECT_EQ(ui.beeps().size(), 1u);
    EXPECT_TRUE(ui.messages().empty());
    EXPECT_EQ(form.takeFocusRequest(), f("BILLTO"));
    EXPECT_TRUE(all<Customer>()[0].CITY.isBlank());
}

TEST_F(CustomerWindows, BillToIsCheckedAgainstCustomersAndPickedWhenUnknown) {
    store(customerNamed("Acme"));
    store(customerNamed("Head Office"));
    load("Acme");
    CustomerForm form(*db, ui, cus(), testing::req(Request::Change, &cus()));
    ASSERT_TRUE(form.open());
    form.rec().BILLTO = "head office";
    EXPECT_TRUE(form.accept(f("BILLTO")));
    EXPECT_EQ(form.rec().BILLTO, "Head Office");  // the stored spelling
    ui.onWindow("CustRefBrowse", [](const WindowRequest& r) {
        EXPECT_EQ(r.request, Request::Select);
        static_cast<Customer*>(r.table->buffer())->Name = "Head Office";
        return WindowResponse{Response::Completed, 0, {}};
    });
    form.rec().BILLTO = "Nobody";
    EXPECT_TRUE(form.accept(f("BILLTO")));
    EXPECT_EQ(form.rec().BILLTO, "Head Office");
    ASSERT_EQ(ui.windows().size(), 1u);
    EXPECT_EQ(ui.windows()[0].window, "CustRefBrowse");
}

TEST_F(CustomerWindows, TakenNameNamesTheKeyAndWritesNoNote) {
    store(customerNamed("Acme"));
    CustomerForm form(*db, ui, cus(), testing::req(Request::Insert, &cus()));
    ASSERT_TRUE(form.open());
    form.rec().COMPANY = 1;
    form.rec().Name = "ACME";
    form.rec().PRICECLASS = "1";
    form.rec().Comments = "Wants a catalogue";
    EXPECT_FALSE(form.ok());
    ASSERT_EQ(ui.messages().size(), 1u);
    EXPECT_EQ(ui.messages()[0].caption, "Duplicate Key Error");
    EXPECT_EQ(ui.messages()[0].text, "Adding this record creates a duplicate entry for the key:by Company / &Name");
    EXPECT_EQ(form.takeFocusRequest(), f("Name"));
    EXPECT_TRUE(all<Comments>().empty());  // the other customer's log is untouched
    EXPECT_EQ(all<Customer>().size(), 1u);
}

TEST_F(CustomerWindows, BlankNameIsRefusedOnceAndNothingChanges) {
    store(customerNamed("Acme"));
    load("Acme");
    CustomerForm form(*db, ui, cus(), testing::req(Request::Change, &cus()));
    ASSERT_TRUE(form.open());
    form.rec().Name = "";
    EXPECT_FALSE(form.ok());
    EXPECT_EQ(ui.captions(), (std::vector<std::string>{"Update Operation Error"}));
    EXPECT_EQ(ui.texts(), (std::vector<std::string>{"The Name of this record may not be blank."}));
    EXPECT_EQ(form.takeFocusRequest(), f("Name"));
    EXPECT_EQ(all<Customer>()[0].Name, "Acme");
}

TEST_F(CustomerWindows, CommentBoxBecomesADatedNoteEachSave) {
    const ScopedClockOverride clock(DateTime{80000, 360000});
    store(customerNamed("Acme"));
    for (const char* text : {"First call", "Second call"}) {
        load("Acme");
        CustomerForm form(*db, ui, cus(), testing::req(Request::Change, &cus()));
        ASSERT_TRUE(form.open());
        form.rec().Comments = text;
        EXPECT_TRUE(form.ok());
    }
    const auto notes = notesOf("Acme");
    ASSERT_EQ(notes.size(), 2u);
    EXPECT_EQ(notes[0].CMTID, 1);
    EXPECT_EQ(notes[1].CMTID, 2);
    EXPECT_EQ(notes[0].SUBJECT, "First call");
    EXPECT_EQ(notes[1].Notes.view(), "Second call");
    EXPECT_EQ(notes[1].CMTDATE, 80000);
    EXPECT_EQ(notes[1].CMTTIME, 360000);
    EXPECT_TRUE(all<Customer>()[0].Comments.view().empty());
}

TEST_F(CustomerWindows, LongCommentGivesSubjectOfSixtyFiveCharacters) {
    store(customerNamed("Acme"));
    load("Acme");
    CustomerForm form(*db, ui, cus(), testing::req(Request::Change, &cus()));
    ASSERT_TRUE(form.open());
    const std::string text(100, 'x');
    form.rec().Comments = text;
    EXPECT_TRUE(form.ok());
    const auto notes = notesOf("Acme");
    ASSERT_EQ(notes.size(), 1u);
    EXPECT_EQ(notes[0].SUBJECT.view(), std::string(65, 'x'));
    EXPECT_EQ(notes[0].Notes.view(), text);
}

TEST_F(CustomerWindows, CancelledInsertLeavesNoNotesOrScheduleEntries) {
    Schedule other;
    other.SCHID = 1;
    other.Customer = "Acme";  // a stored customer's entry: stays
    store(customerNamed("Acme"));
    store(other);
    CustomerForm form(*db, ui, cus(), testing::req(Request::Insert, &cus()));
    ASSERT_TRUE(form.open());
    form.rec().COMPANY = 1;
    form.rec().Name = "Newco";
    form.accept(f("Name"));
    EXPECT_EQ(form.history().insert(form.owner()), Response::Completed);
    EXPECT_EQ(form.history().insert(form.owner()), Response::Completed);
    EXPECT_EQ(form.history().rowCount(), 2u);
    Schedule mine;
    mine.SCHID = 2;
    mine.Customer = "Newco";
    store(mine);
    EXPECT_EQ(notesOf("Newco").size(), 2u);
    ui.answer(Button::Yes);  // "Are you sure you want to cancel?"
    EXPECT_TRUE(form.cancel());
    EXPECT_TRUE(all<Comments>().empty());
    const auto entries = all<Schedule>();
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].Customer, "Acme");
    EXPECT_EQ(all<Customer>().size(), 1u);
}

TEST_F(CustomerWindows, CancelledInsertUnderAStoredNameKeepsThatCustomersLog) {
    store(customerNamed("Acme"));
    Comments note;
    note.CMTID = 7;
    note.Customer = "Acme";
    store(note);
    Schedule entry;
    entry.SCHID = 1;
    entry.Customer = "Acme";
    store(entry);
    CustomerForm form(*db, ui, cus(), testing::req(Request::Insert, &cus()));
    ASSERT_TRUE(form.open());
    form.rec().COMPANY = 1;
    form.rec().Name = "Acme";
    ui.answer(Button::Yes);
    EXPECT_TRUE(form.cancel());
    EXPECT_EQ(all<Comments>().size(), 1u);
    EXPECT_EQ(all<Schedule>().size(), 1u);
}

TEST_F(CustomerWindows, NotesWrittenBeforeTheNameWasFinishedFollowTheStoredName) {
    CustomerForm form(*db, ui, cus(), testing::req(Request::Insert, &cus()));
    ASSERT_TRUE(form.open());
    form.rec().COMPANY = 1;
    form.rec().Name = "New";
    form.accept(f("Name"));
    EXPECT_EQ(form.history().insert(form.owner()), Response::Completed);
    form.rec().Name = "Newco Ltd";
    form.accept(f("Name"));
    form.rec().PRICECLASS = "1";
    EXPECT_TRUE(form.ok());
    EXPECT_EQ(notesOf("Newco Ltd").size(), 1u);
    EXPECT_TRUE(notesOf("New").empty());
}

TEST_F(CustomerWindows, HistoryListsTheCustomersNotesNewestFirst) {
    store(customerNamed("Acme"));
    auto note = [](int id, const char* who, int date, int time, const char* subject) {
        Comments c;
        c.CMTID = id;
        c.Customer = who;
        c.CMTDATE = date;
        c.CMTTIME = time;
        c.SUBJECT = subject;
        return c;
    };
    store(note(1, "Acme", 80000, 100, "oldest"));
    store(note(2, "Acme", 80002, 100, "newest"));
    store(note(3, "Acme", 80001, 500, "middle"));
    store(note(4, "Acme Two", 80009, 100, "someone else"));
    load("Acme");
    CustomerForm form(*db, ui, cus(), testing::req(Request::Change, &cus()));
    ASSERT_TRUE(form.open());
    ASSERT_EQ(form.history().rowCount(), 3u);
    EXPECT_EQ(form.history().rows()[0].cells[2], "newest");
    EXPECT_EQ(form.history().rows()[1].cells[2], "middle");
    EXPECT_EQ(form.history().rows()[2].cells[2], "oldest");
}

TEST_F(CustomerWindows, RenameCarriesToNotesOrdersAndScheduleInOneStep) {
    store(customerNamed("Acme"));
    Comments note;
    note.CMTID = 1;
    note.Customer = "Acme";
    store(note);
    Orders order;
    order.OrdNum = 1;
    order.CustName = "Acme";
    store(order);
    Schedule entry;
    entry.SCHID = 1;
    entry.Customer = "Acme";
    store(entry);
    load("Acme");
    CustomerForm form(*db, ui, cus(), testing::req(Request::Change, &cus()));
    ASSERT_TRUE(form.open());
    form.rec().Name = "Acme Holdings";
    form.rec().Comments = "Renamed after the merger";
    EXPECT_TRUE(form.ok());
    EXPECT_EQ(all<Customer>()[0].Name, "Acme Holdings");
    EXPECT_EQ(all<Orders>()[0].CustName, "Acme Holdings");
    EXPECT_EQ(all<Schedule>()[0].Customer, "Acme Holdings");
    // The old note and the one written by this save both moved.
    EXPECT_EQ(notesOf("Acme Holdings").size(), 2u);
    EXPECT_TRUE(notesOf("Acme").empty());
}

TEST_F(CustomerWindows, DeleteRefusedWhileAnOrderNamesTheCustomer) {
    store(customerNamed("Acme"));
    Comments note;
    note.CMTID = 1;
    note.Customer = "Acme";
    store(note);
    Orders order;
    order.OrdNum = 1;
    order.CustName = "Acme";
    store(order);
    load("Acme");
    ui.answer(Button::Ok);  // "Confirm Delete"
    CustomerForm form(*db, ui, cus(), testing::req(Request::Delete, &cus()));
    EXPECT_FALSE(form.open());
    EXPECT_EQ(ui.captions(), (std::vector<std::string>{"Confirm Delete", "Referential Integrity Delete Error"}));
    EXPECT_NE(ui.texts()[1].find("Orders"), std::string::npos);
    EXPECT_EQ(all<Customer>().size(), 1u);
    EXPECT_EQ(all<Comments>().size(), 1u);
}

TEST_F(CustomerWindows, DeleteWithoutOrdersTakesNotesAndScheduleAlong) {
    store(customerNamed("Acme"));
    store(customerNamed("Other"));
    Comments note;
    note.CMTID = 1;
    note.Customer = "Acme";
    store(note);
    Schedule entry;
    entry.SCHID = 1;
    entry.Customer = "Acme";
    store(entry);
    load("Acme");
    ui.answer(Button::Ok);
    CustomerForm form(*db, ui, cus(), testing::req(Request::Delete, &cus()));
    EXPECT_FALSE(form.open());
    EXPECT_EQ(form.response().response, Response::Completed);
    ASSERT_EQ(all<Customer>().size(), 1u);
    EXPECT_EQ(all<Customer>()[0].Name, "Other");
    EXPECT_TRUE(all<Comments>().empty());
    EXPECT_TRUE(all<Schedule>().empty());
}

TEST_F(CustomerWindows, AnotherStationsChangeIsShownAndTheUsersValueRecalled) {
    store(customerNamed("Acme"));
    load("Acme");
    CustomerForm form(*db, ui, cus(), testing::req(Request::Change, &cus()));
    ASSERT_TRUE(form.open());
    {
        Database station2(dir());
        Handle<Customer> other(station2);
        open(other);
        other.rec.Name = "Acme";
        ASSERT_EQ(other.get(Customer::byName), ErrorCode::None);
        other.rec.CITY = "Hull";
        ASSERT_EQ(other.put(), ErrorCode::None);
    }
    form.rec().PHONE2 = "(212)555-0100";
    EXPECT_FALSE(form.ok());
    EXPECT_EQ(ui.captions(), (std::vector<std::string>{"Record Was Not Updated"}));
    EXPECT_EQ(form.rec().CITY, "Hull");
    EXPECT_TRUE(form.rec().PHONE2.isBlank());
    form.recallField(f("PHONE2"));
    EXPECT_EQ(form.rec().PHONE2, "(212)555-0100");
    EXPECT_TRUE(form.ok());
    const Customer stored = all<Customer>()[0];
    EXPECT_EQ(stored.CITY, "Hull");
    EXPECT_EQ(stored.PHONE2, "(212)555-0100");
}

TEST_F(CustomerWindows, UnchangedFormWritesNothing) {
    store(customerNamed("Acme"));
    load("Acme");
    CustomerForm form(*db, ui, cus(), testing::req(Request::Change, &cus()));
    ASSERT_TRUE(form.open());
    {
        // Another station changes it meanwhile: an unchanged form must not overwrite that.
        Database station2(dir());
        Handle<Customer> other(station2);
        open(other);
        other.rec.Name = "Acme";
        ASSERT_EQ(other.get(Customer::byName), ErrorCode::None);
        other.rec.CITY = "Hull";
        ASSERT_EQ(other.put(), ErrorCode::None);
    }
    EXPECT_TRUE(form.ok());
    EXPECT_TRUE(ui.messages().empty());
    EXPECT_EQ(all<Customer>()[0].CITY, "Hull");
}

TEST_F(CustomerWindows, NoteFormNumbersAtOnceAndAsksBeforeDroppingChanges) {
    const ScopedClockOverride clock(DateTime{80000, 100});
    Handle<Comments> cmt(*db);
    open(cmt);
    // column: answer to "Do you want to save the changes to this record?", notes left
    const std::vector<std::pair<Button, std::size_t>> cases = {{Button::No, 0}, {Button::Yes, 1}, {Button::Cancel, 1}};
    for (const auto& [answer, left] : cases) {
        SCOPED_TRACE(buttonName(answer));
        const std::size_t before = all<Comments>().size();
        CustCommentsRecord note(*db, ui, cmt, testing::req(Request::Insert, &cmt, "Acme"));
        ASSERT_TRUE(note.open());
        EXPECT_EQ(all<Comments>().size(), before + 1);  // added at open, numbered
        EXPECT_EQ(cmt.rec.Customer, "Acme");
        EXPECT_EQ(cmt.rec.CMTDATE, 80000);
        cmt.rec.SUBJECT = "Typed";
        ui.clearRecord();
        ui.answer(answer);
        const bool over = note.cancel();
        EXPECT_EQ(ui.texts(), (std::vector<std::string>{"Do you want to save the changes to this record?"}));
        EXPECT_EQ(over, answer != Button::Cancel);
        if (!over) {
            ui.answer(Button::No);
            EXPECT_TRUE(note.cancel());
        }
        EXPECT_EQ(all<Comments>().size(), left);
    }
    const auto notes = all<Comments>();
    ASSERT_EQ(notes.size(), 1u);
    EXPECT_EQ(notes[0].SUBJECT, "Typed");
}

TEST_F(CustomerWindows, ListShowsActiveCustomersInTheOrderOfEachTab) {
    Customer a = customerNamed("Zeta");
    a.FNAME = "Al";
    a.LNAME = "Young";
    Customer b = customerNamed("Alpha");
    b.FNAME = "Zoe";
    b.LNAME = "Brown";
    store(a);
    store(b);
    store(customerNamed("Gone", 0));
    ListWindow list(ui, cus(), customerBrowseSpec(), testing::req(Request::None, nullptr));
    list.open();
    EXPECT_EQ(list.spec().title, "Customer List");
    ASSERT_EQ(list.rowCount(), 2u);
    EXPECT_EQ(list.row(0).cells[0], "Alpha");
    list.selectTab(1);  // by &First Name
    EXPECT_EQ(list.row(0).cells[0], "Zeta");
    list.selectTab(2);  // by &Last Name
    EXPECT_EQ(list.row(0).cells[0], "Alpha");
    list.selectTab(0);
    list.setActiveOnly(false);
    EXPECT_EQ(list.rowCount(), 3u);
}

}  // namespace
}  // namespace quay::core
