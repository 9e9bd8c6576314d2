// The master-record rename and delete rules on real tables: a rename is carried to
// every dependant in one transaction and undone whole when any write fails; deletes
// cascade or are refused; another station's change or a busy data set changes
// nothing; and every failure shows its exact message.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "quay/app/scripted_ui.h"
#include "quay/app/table_open.h"
#include "quay/masters/master_records.h"
#include "quay/store/database.h"
#include "quay/store/transaction.h"
#include "quay/tables/all_tables.h"

namespace quay::core {
namespace {

class MasterRules : public ::testing::Test {
protected:
    void SetUp() override {
        char tmpl[] = "/tmp/quay-masters-XXXXXX";
        ASSERT_NE(::mkdtemp(tmpl), nullptr);
        m_dir = tmpl;
        m_db = std::make_unique<Database>(m_dir);
        ui.onUnscripted([](const RecordedMessage& m, const std::string& why) {
            ADD_FAILURE() << "unscripted message \"" << m.caption << "\": " << why;
        });
    }
    void TearDown() override {
        m_db.reset();
        std::filesystem::remove_all(m_dir);
    }

    template <class R>
    void store(const R& r) {
        ScriptedUi quiet;
        Handle<R> h(*m_db);
        ASSERT_EQ(openTable(quiet, h), OpenOutcome::Opened);
        h.rec = r;
        ASSERT_EQ(h.add(), ErrorCode::None) << R::desc().name;
    }

    template <class R>
    std::vector<R> all() {
        ScriptedUi quiet;
        Handle<R> h(*m_db);
        std::vector<R> out;
        if (openTable(quiet, h) != OpenOutcome::Opened) return out;
        h.setFileOrder();
        while (h.next() == ErrorCode::None) out.push_back(h.rec);
        return out;
    }

    template <class R, class F>
    std::vector<std::string> names(F field) {
        std::vector<std::string> out;
        for (const R& r : all<R>()) out.push_back(field(r).str());
        return out;
    }

    // Runs SQL on the data set through a connection of its own, as a tool would.
    void sql(const std::string& text) {
        sqlite3* raw = nullptr;
        ASSERT_EQ(sqlite3_open((m_dir + "/billquay.sqlite3").c_str(), &raw), SQLITE_OK);
        char* err = nullptr;
        EXPECT_EQ(sqlite3_exec(raw, text.c_str(), nullptr, nullptr, &err), SQLITE_OK) << (err ? err : "");
        sqlite3_free(err);
        sqlite3_close(raw);
    }

    Customer customer(const char* name) {
        Customer c{};
        c.Active = 1;
        c.Name = name;
        c.PHONE1 = "(555)123-4567";
        return c;
    }
    Comments note(int id, const char* cust, int date) {
        Comments n{};
        n.CMTID = id;
        n.Customer = cust;
        n.CMTDATE = date;
        n.SUBJECT = "call back";
        return n;
    }
    Orders order(int num, const char* cust) {
        Orders o{};
        o.OrdNum = num;
        o.CustName = cust;
        o.Status = "Q";
        return o;
    }
    Schedule entry(int id, const char* cust) {
        Schedule s{};
        s.SCHID = id;
        s.UserID = "JSMITH";
        s.Customer = cust;
        s.ACTION = "follow up";
        return s;
    }

    // A customer with two notes, two quotes, a schedule entry, a charge and a
    // payment, and a neighbour whose name starts the same way.
    void customerWithHistory() {
        store(customer("Smith Hardware"));
        store(customer("Smith Hardware Annex"));
        store(note(1, "Smith Hardware", 80000));
        store(note(2, "Smith Hardware", 80010));
        store(note(3, "Smith Hardware Annex", 80005));
        store(order(1, "Smith Hardware"));
        store(order(2, "Smith Hardware Annex"));
        store(order(3, "Smith Hardware"));
        store(entry(1, "Smith Hardware"));
        store(entry(2, "Smith Hardware Annex"));
        Charges c{};
        c.Id = 1;
        c.Customer = "Smith Hardware";
        store(c);
        Payments p{};
        p.Id = 1;
        p.Customer = "Smith Hardware";
        store(p);
    }

    // Renames a customer as its form would, the form's copy being the stored record.
    MasterOutcome rename(const char* from, const char* to) {
        Customer original = customer(from);
        Customer edited = original;
        edited.Name = to;
        MasterRecords masters(*m_db, ui);
        return masters.change(original, edited);
    }

    // The records customerWithHistory() stored, every one still naming its customer.
    void expectHistoryUntouched() {
        const auto name = [](const auto& field) { return field.str(); };
        std::vector<std::string> got;
        for (const auto& r : all<Customer>()) got.push_back(name(r.Name));
        EXPECT_EQ(got, (std::vector<std::string>{"Smith Hardware", "Smith Hardware Annex"}));
        got.clear();
        for (const auto& r : all<Comments>()) got.push_back(name(r.Customer));
        EXPECT_EQ(got, (std::vector<std::string>{"Smith Hardware", "Smith Hardware", "Smith Hardware Annex"}));
        got.clear();
        for (const auto& r : all<Orders>()) got.push_back(name(r.CustName));
        EXPECT_EQ(got, (std::vector<std::string>{"Smith Hardware", "Smith Hardware Annex", "Smith Hardware"}));
        got.clear();
        for (const auto& r : all<Schedule>()) got.push_back(name(r.Customer));
        EXPECT_EQ(got, (std::vector<std::string>{"Smith Hardware", "Smith Hardware Annex"}));
        EXPECT_EQ(all<Charges>().at(0).Customer, "Smith Hardware");
        EXPECT_EQ(all<Payments>().at(0).Customer, "Smith Hardware");
    }

    std::string m_dir;
    std::unique_ptr<Database> m_db;
    ScriptedUi ui;
};

const auto kCust = [](const Customer& r) { return r.Name; };
const auto kNote = [](const Comments& r) { return r.Customer; };
const auto kOrder = [](const Orders& r) { return r.CustName; };
const auto kEntry = [](const Schedule& r) { return r.Customer; };

using Names = std::vector<std::string>;

TEST_F(MasterRules, CustomerRenameMovesEveryDependantInOneStep) {
    customerWithHistory();
    ASSERT_EQ(rename("Smith Hardware", "Smith & Sons Hardware"), MasterOutcome::Done);

    EXPECT_TRUE(ui.messages().empty());
    EXPECT_EQ(names<Customer>(kCust), (Names{"Smith & Sons Hardware", "Smith Hardware Annex"}));
    EXPECT_EQ(names<Comments>(kNote),
              (Names{"Smith & Sons Hardware", "Smith & Sons Hardware", "Smith Hardware Annex"}));
    EXPECT_EQ(names<Orders>(kOrder), (Names{"Smith & Sons Hardware", "Smith Hardware Annex", "Smith & Sons Hardware"}));
    EXPECT_EQ(names<Schedule>(kEntry), (Names{"Smith & Sons Hardware", "Smith Hardware Annex"}));
    EXPECT_EQ(all<Charges>().at(0).Customer, "Smith & Sons Hardware");
    EXPECT_EQ(all<Payments>().at(0).Customer, "Smith & Sons Hardware");
}

TEST_F(MasterRules, RenameThroughTheSecondCustomerHandleFollowsTheCustomerRules) {
    customerWithHistory();
    CustRef original{};
    static_cast<Customer&>(original) = customer("Smith Hardware");
    CustRef edited = original;
    edited.Name = "Smith & Sons Hardware";
    MasterRecords masters(*m_db, ui);
    ASSERT_EQ(masters.change(original, edited), MasterOutcome::Done);
    EXPECT_EQ(names<Orders>(kOrder), (Names{"Smith & Sons Hardware", "Smith Hardware Annex", "Smith & Sons Hardware"}));
    EXPECT_EQ(masters.remove(edited), MasterOutcome::Refused);
    EXPECT_EQ(ui.captions(), Names{"Referential Integrity Delete Error"});
}

TEST_F(MasterRules, CustomerRenameIsUndoneWholeWhenAScheduleEntryCannotBeRewritten) {
    customerWithHistory();
    sql("CREATE TRIGGER refuse BEFORE UPDATE ON schedule BEGIN SELECT RAISE(ABORT, 'schedule is read-only'); END;");
    EXPECT_EQ(rename("Smith Hardware", "Smith & Sons Hardware"), MasterOutcome::Failed);

    ASSERT_EQ(ui.messages().size(), 1u);
    EXPECT_EQ(ui.messages()[0].caption, "Update Operation Error");
    EXPECT_EQ(ui.messages()[0].text,
              "An error (1811) was experienced when attempting to update a record from the Schedule file.  "
              "Probable Cause: schedule is read-only.");
    expectHistoryUntouched();
}

TEST_F(MasterRules, RenameToANameAlreadyTakenChangesNothing) {
    customerWithHistory();
    EXPECT_EQ(rename("Smith Hardware", "smith hardware annex"), MasterOutcome::Failed);
    ASSERT_EQ(ui.messages().size(), 1u);
    EXPECT_EQ(ui.messages()[0].caption, "Duplicate Key Error");
    EXPECT_EQ(ui.messages()[0].text, "Adding this record creates a duplicate entry for the key:" +
                                         Customer::desc().keys[Customer::byName.index].label);
    expectHistoryUntouched();
}

TEST_F(MasterRules, BlankNameIsRefusedAndNothingIsCarried) {
    customerWithHistory();
    EXPECT_EQ(rename("Smith Hardware", "   "), MasterOutcome::Failed);
    EXPECT_EQ(ui.captions(), Names{"Update Operation Error"});
    EXPECT_EQ(ui.texts(), Names{"The Name of this record may not be blank."});
    expectHistoryUntouched();
}

TEST_F(MasterRules, ChangeByAnotherStationIsNotOverwritten) {
    customerWithHistory();
    Customer original = customer("Smith Hardware");
    {
        // The other station changes the phone number meanwhile.
        Database other(m_dir);
        Handle<Customer> h(other);
        ASSERT_EQ(h.open(), ErrorCode::None);
        h.rec.Name = "Smith Hardware";
        ASSERT_EQ(h.get(Customer::byName), ErrorCode::None);
        h.rec.PHONE1 = "(555)999-0000";
        ASSERT_EQ(h.put(), ErrorCode::None);
    }
    Customer edited = original;
    edited.Name = "Smith & Sons Hardware";
    edited.CITY = "Springfield";
    MasterRecords masters(*m_db, ui);
    EXPECT_EQ(masters.change(original, edited), MasterOutcome::ChangedElsewhere);

    ASSERT_EQ(ui.messages().size(), 1u);
    EXPECT_EQ(ui.messages()[0].caption, "Record Was Not Updated");
    EXPECT_EQ(ui.messages()[0].text,
              "This record was changed by another station. Those changes will now be displayed. Use the Ditto "
              "Button or Ctrl+' to recall your changes.");
    EXPECT_EQ(original.PHONE1, "(555)999-0000") << "the other station's version is handed back";
    EXPECT_EQ(edited.CITY, "Springfield") << "the user's changes stay for the recall";
    const auto stored = all<Customer>();
    EXPECT_EQ(stored.at(0).Name, "Smith Hardware");
    EXPECT_TRUE(stored.at(0).CITY.isBlank());
    EXPECT_EQ(names<Orders>(kOrder), (Names{"Smith Hardware", "Smith Hardware Annex", "Smith Hardware"}));
}

TEST_F(MasterRules, ChangeByAnotherStationInABackgroundUpdateHasTheShortText) {
    store(customer("Smith Hardware"));
    Customer original = customer("Smith Hardware");
    original.PHONE1 = "(555)000-0000";  // not what is stored
    Customer edited = original;
    MasterRecords masters(*m_db, ui);
    EXPECT_EQ(masters.change(original, edited, false), MasterOutcome::ChangedElsewhere);
    ASSERT_EQ(ui.messages().size(), 1u);
    EXPECT_EQ(ui.messages()[0].caption, "Update Operation Error");
    EXPECT_EQ(ui.messages()[0].text, "Record Changed by Another Station");
}

TEST_F(MasterRules, RecordDeletedMeanwhileCannotBeRetrieved) {
    Customer original = customer("Gone Ltd");
    store(customer("Still Here"));
    Customer edited = original;
    edited.CITY = "Nowhere";
    MasterRecords masters(*m_db, ui);
    EXPECT_EQ(masters.change(original, edited), MasterOutcome::Failed);
    ASSERT_EQ(ui.messages().size(), 1u);
    EXPECT_EQ(ui.messages()[0].caption, "Record Retrieval Error");
    EXPECT_EQ(ui.messages()[0].text,
              "Error: (Record Not Found (35)) attempting to access a record from the Customer file.  Returning to "
              "previous window.");
    EXPECT_EQ(names<Customer>(kCust), Names{"Still Here"});
}

TEST_F(MasterRules, BusyDataSetGivesTransactionFramingErrorAndChangesNothing) {
    customerWithHistory();
    all<Applied>();  // every covered table exists before the other station starts writing
    Database other(m_dir);
    Handle<Groups> held(other);
    ScriptedUi quiet;
    ASSERT_EQ(openTable(quiet, held), OpenOutcome::Opened);
    Transaction otherStation(other, {&held});
    ASSERT_EQ(otherStation.begin(), ErrorCode::None);

    EXPECT_EQ(rename("Smith Hardware", "Smith & Sons Hardware"), MasterOutcome::Failed);
    otherStation.rollback();

    ASSERT_EQ(ui.messages().size(), 1u);
    EXPECT_EQ(ui.messages()[0].caption, "Transaction Framing Error");
    EXPECT_EQ(ui.messages()[0].text,
              "Error: (Record In Use Elsewhere (43)) attempting to frame the Customer transaction on Customer, "
              "Applied, Charges, Comments, Orders, Schedule, Payments.  Customer transaction cancelled.");
    expectHistoryUntouched();
}

TEST_F(MasterRules, CustomerWithoutOrdersIsDeletedWithNotesAndSchedule) {
    store(customer("Brown Supply"));
    store(customer("Green Goods"));
    store(note(1, "Brown Supply", 80000));
    store(note(2, "Green Goods", 80000));
    store(note(3, "Brown Supply", 80002));
    store(entry(1, "Brown Supply"));
    store(entry(2, "Green Goods"));
    MasterRecords masters(*m_db, ui);
    EXPECT_EQ(masters.remove(customer("Brown Supply")), MasterOutcome::Done);
    EXPECT_TRUE(ui.messages().empty());
    EXPECT_EQ(names<Customer>(kCust), Names{"Green Goods"});
    EXPECT_EQ(names<Comments>(kNote), Names{"Green Goods"});
    EXPECT_EQ(names<Schedule>(kEntry), Names{"Green Goods"});
}

TEST_F(MasterRules, DeleteIsUndoneWholeWhenAScheduleEntryCannotBeDeleted) {
    store(customer("Brown Supply"));
    store(note(1, "Brown Supply", 80000));
    store(entry(1, "Brown Supply"));
    sql("CREATE TRIGGER keep BEFORE DELETE ON schedule BEGIN SELECT RAISE(ABORT, 'schedule is kept'); END;");
    MasterRecords masters(*m_db, ui);
    EXPECT_EQ(masters.remove(customer("Brown Supply")), MasterOutcome::Failed);
    EXPECT_EQ(ui.captions(), Names{"Delete Operation Error"});
    EXPECT_EQ(ui.texts(),
              Names{"An error (1811) was experienced when attempting to delete a record from the file Schedule."});
    EXPECT_EQ(names<Customer>(kCust), Names{"Brown Supply"});
    EXPECT_EQ(names<Comments>(kNote), Names{"Brown Supply"}) << "the notes deleted before the failure are back";
    EXPECT_EQ(names<Schedule>(kEntry), Names{"Brown Supply"});
}

TEST_F(MasterRules, CustomerWithAnOrderIsNotDeletedAndTheMessageNamesOrders) {
    store(customer("Brown Supply"));
    store(note(1, "Brown Supply", 80000));
    store(entry(1, "Brown Supply"));
    store(order(7, "Brown Supply"));
    MasterRecords masters(*m_db, ui);
    EXPECT_EQ(masters.remove(customer("Brown Supply")), MasterOutcome::Refused);
    ASSERT_EQ(ui.messages().size(), 1u);
    EXPECT_EQ(ui.messages()[0].caption, "Referential Integrity Delete Error");
    EXPECT_EQ(ui.messages()[0].text,
              "This record is referenced from the file Orders.  This record cannot be deleted while these "
              "references exist.");
    EXPECT_EQ(names<Customer>(kCust), Names{"Brown Supply"});
    EXPECT_EQ(names<Comments>(kNote), Names{"Brown Supply"});
    EXPECT_EQ(names<Schedule>(kEntry), Names{"Brown Supply"});
}

TEST_F(MasterRules, CustomerWithAnAccountIsNotDeleted) {
    store(customer("Brown Supply"));
    Charges c{};
    c.Id = 4;
    c.Customer = "Brown Supply";
    store(c);
    MasterRecords masters(*m_db, ui);
    EXPECT_EQ(masters.remove(customer("Brown Supply")), MasterOutcome::Refused);
    ASSERT_EQ(ui.messages().size(), 1u);
    EXPECT_NE(ui.messages()[0].text.find("from the file Charges."), std::string::npos);
    EXPECT_EQ(names<Customer>(kCust), Names{"Brown Supply"});
}

TEST_F(MasterRules, GroupInUseIsNotDeletedAnEmptyOneIs) {
    Groups tools{};
    tools.ACTIVE = 1;
    tools.GROUP = "Tools";
    Groups paint{};
    paint.ACTIVE = 1;
    paint.GROUP = "Paint";
    store(tools);
    store(paint);
    Products hammer{};
    hammer.PartNum = "H-100";
    hammer.Group = "Tools";
    store(hammer);

    MasterRecords masters(*m_db, ui);
    EXPECT_EQ(masters.remove(tools), MasterOutcome::Refused);
    ASSERT_EQ(ui.messages().size(), 1u);
    EXPECT_EQ(ui.messages()[0].text,
              "This record is referenced from the file Products.  This record cannot be deleted while these "
              "references exist.");
    EXPECT_EQ(masters.remove(paint), MasterOutcome::Done);
    EXPECT_EQ(ui.messages().size(), 1u);
    EXPECT_EQ(names<Groups>([](const Groups& g) { return g.GROUP; }), Names{"Tools"});
}

TEST_F(MasterRules, GroupRenameReachesItsProductsOnly) {
    Groups tools{};
    tools.GROUP = "Tools";
    store(tools);
    Products a{};
    a.PartNum = "H-100";
    a.Group = "Tools";
    Products b{};
    b.PartNum = "P-200";
    b.Group = "Paint";
    store(a);
    store(b);
    Groups edited = tools;
    edited.GROUP = "Hand Tools";
    MasterRecords masters(*m_db, ui);
    EXPECT_EQ(masters.change(tools, edited), MasterOutcome::Done);
    EXPECT_EQ(names<Products>([](const Products& p) { return p.Group; }), (Names{"Hand Tools", "Paint"}));
}

TEST_F(MasterRules, PartNumberRenameReachesScheduleVendorPartsOrderLinesAndPoLines) {
    Products p{};
    p.PartNum = "H-100";
    store(p);
    Schedule s = entry(1, "");
    s.PRODUCT = "H-100";
    store(s);
    VenProds v{};
    v.VPRID = 1;
    v.PartNum = "H-100";
    v.Vendor = "Acme";
    v.VENPARTNUM = "AC-1";
    store(v);
    ItemsOrd line{};
    line.IteNum = 1;
    line.OrdNum = 1;
    line.PartNum = "H-100";
    store(line);
    POItems poLine{};
    poLine.POINUM = 1;
    poLine.PoNum = 1;
    poLine.PartNum = "H-100";
    store(poLine);
    POItems otherLine{};
    otherLine.POINUM = 2;
    otherLine.PoNum = 1;
    otherLine.PartNum = "H-1000";
    store(otherLine);

    Products edited = p;
    edited.PartNum = "H-101";
    MasterRecords masters(*m_db, ui);
    ASSERT_EQ(masters.change(p, edited), MasterOutcome::Done);
    EXPECT_EQ(all<Schedule>().at(0).PRODUCT, "H-101");
    EXPECT_EQ(all<VenProds>().at(0).PartNum, "H-101");
    EXPECT_EQ(all<ItemsOrd>().at(0).PartNum, "H-101");
    EXPECT_EQ(names<POItems>([](const POItems& r) { return r.PartNum; }), (Names{"H-101", "H-1000"}));
}

TEST_F(MasterRules, VendorRenameReachesPurchaseOrdersAndDeleteTakesItsPartNumbers) {
    Vendors acme{};
    acme.NAME = "Acme";
    store(acme);
    PO po{};
    po.PoNum = 1;
    po.Vendor = "Acme";
    store(po);
    VenProds v{};
    v.VPRID = 1;
    v.PartNum = "H-100";
    v.Vendor = "Acme";
    store(v);
    Comments n = note(1, "", 80000);
    n.VENDOR = "Acme";
    store(n);

    Vendors edited = acme;
    edited.NAME = "Acme Tools";
    MasterRecords masters(*m_db, ui);
    ASSERT_EQ(masters.change(acme, edited), MasterOutcome::Done);
    EXPECT_EQ(all<PO>().at(0).Vendor, "Acme Tools");
    EXPECT_EQ(all<VenProds>().at(0).Vendor, "Acme Tools");
    EXPECT_EQ(all<Comments>().at(0).VENDOR, "Acme Tools");

    EXPECT_EQ(masters.remove(edited), MasterOutcome::Done);
    EXPECT_TRUE(all<Vendors>().empty());
    EXPECT_TRUE(all<VenProds>().empty());
    EXPECT_TRUE(all<Comments>().empty());
    EXPECT_EQ(all<PO>().size(), 1u);
}

TEST_F(MasterRules, ManufacturerNamedByAProductIsNotDeleted) {
    Manufact m{};
    m.NAME = "Stanley";
    store(m);
    Products p{};
    p.PartNum = "H-100";
    p.MANUFACTURER = "Stanley";
    store(p);
    MasterRecords masters(*m_db, ui);
    EXPECT_EQ(masters.remove(m), MasterOutcome::Refused);
    EXPECT_NE(ui.messages().at(0).text.find("from the file Products."), std::string::npos);
    EXPECT_EQ(all<Manufact>().size(), 1u);
}

TEST_F(MasterRules, PlainTablesChangeAndDeleteTheRecordAlone) {
    Terms t{};
    t.TERMS = "Net 30";
    store(t);
    Orders o = order(1, "Anyone");
    o.TERMS = "Net 30";
    store(o);
    Terms edited = t;
    edited.TERMS = "Net 45";
    MasterRecords masters(*m_db, ui);
    ASSERT_EQ(masters.change(t, edited), MasterOutcome::Done);
    EXPECT_EQ(all<Terms>().at(0).TERMS, "Net 45");
    EXPECT_EQ(all<Orders>().at(0).TERMS, "Net 30") << "orders keep the terms text they were given";
    EXPECT_EQ(masters.remove(edited), MasterOutcome::Done);
    EXPECT_TRUE(all<Terms>().empty());
}

}  // namespace
}  // namespace quay::core
