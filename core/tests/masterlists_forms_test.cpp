// The small master tables' lists and forms: each member's titles, tabs and
// duplicate-key label, the vendor form's phone numbers and address double-clicks,
// the salesperson's built name, a vendor rename carried to notes, schedule and
// vendor part numbers, and deletes refused while products name a manufacturer or
// a group.
#include <gtest/gtest.h>

#include "masterlists_test_support.h"
#include "quay/masterlists/master_lists.h"
#include "quay/tools/mail_launch.h"
#include "quay/ui/record_fields.h"

namespace quay::core {
namespace {

using testing::MasterDataTest;
using testing::req;

// The desktop's launcher, recording what it was asked to open.
class RecordingLauncher : public Launcher {
public:
    void open(const std::string& target) override { targets.push_back(target); }
    std::vector<std::string> targets;
};

Vendors vendorNamed() {
    Vendors v;
    v.NAME = "Northwind";
    v.Active = 1;
    v.EMAIL = "orders@northwind.test";
    v.WEBADR = "www.northwind.test";
    return v;
}

class MasterListWindows : public MasterDataTest {
protected:
    void SetUp() override {
        MasterDataTest::SetUp();
        company();
    }
    // Runs the member's form on a handle of its table: `fill` types the values, then OK.
    template <class R, class F>
    std::unique_ptr<MasterListForm> insert(Handle<R>& h, MasterListFormConfig config, F fill) {
        auto form = std::make_unique<MasterListForm>(*db, ui, h, std::move(config), req(Request::Insert, &h));
        EXPECT_TRUE(form->open());
        fill(h.rec, *form);
        form->ok();
        return form;
    }
};

TEST_F(MasterListWindows, EachMemberHasItsTitlesTabsAndDuplicateLabel) {
    // columns: list procedure, list title, first tab, form title, label of a taken key
    struct Row {
        const char* browse;
        const char* title;
        const char* firstTab;
        const char* formTitle;
        const char* label;
    };
    const Row rows[] = {
        {"VendorBrowse", "Vendor List", "by &Vendor Name", "Vendor Form", "by Vendor &Name"},
        {"SalespeopleBrowse", "Salesperson List", "by Salesperson &Initials", "Salesperson Form",
         "by Salesperson Initials"},
        {"TermsBrowse", "Terms List", "by &Terms", "Terms Form", "TER:byTerms"},
        {"ManufactBrowse", "Manufacturer List", "by &Name", "Manufacturer Form", "by &Name"},
        {"GroupsBrowse", "Group List", "by &Group", "Group Form", "by &Group"},
        {"BrowseShipVia", "Ship Method List", "by Ship Via", "Shipping Method Form", "SHM:byShipVia"},
    };
    const auto& members = masterListMembers();
    ASSERT_EQ(members.size(), std::size(rows));
    for (std::size_t i = 0; i < members.size(); ++i) {
        SCOPED_TRACE(rows[i].browse);
        const MasterListMember& m = members[i];
        const ListSpec list = m.browse();
        EXPECT_EQ(m.browseProcedure, rows[i].browse);
        EXPECT_EQ(list.title, rows[i].title);
        EXPECT_EQ(list.tabs.front().caption, rows[i].firstTab);
        EXPECT_EQ(list.formProcedure, m.formProcedure);
        const MasterListFormConfig form = m.form();
        EXPECT_EQ(form.spec.title, rows[i].formTitle);
        EXPECT_EQ(form.spec.procedure, m.formProcedure);
        // A second record with the same identity is refused naming the label.
        std::vector<unsigned char> buffer(m.table->recordSize);
        Table t(*db, *m.table, buffer.data());
        open(t);
        const int id = m.table->keys.front().parts.front().field;
        t.clear();
        ASSERT_TRUE(setFieldText(*m.table, id, t.buffer(), "ONE"));
        ASSERT_EQ(t.add(), ErrorCode::None);
        ui.clearRecord();
        MasterListForm f(*db, ui, t, form, req(Request::Insert, &t));
        ASSERT_TRUE(f.open());
        setFieldText(*m.table, id, t.buffer(), "one");
        EXPECT_FALSE(f.ok());
        ASSERT_EQ(ui.texts().size(), 1u);
        EXPECT_EQ(ui.texts()[0],
                  std::string("Adding this record creates a duplicate entry for the key:") + rows[i].label);
        EXPECT_EQ(t.records(), 1);
    }
}

TEST_F(MasterListWindows, TermsAndShipViaHaveNoActiveBoxTheOthersDo) {
    for (const MasterListMember& m : masterListMembers()) {
        SCOPED_TRACE(m.browseProcedure);
        const bool noFlag = m.browseProcedure == "TermsBrowse" || m.browseProcedure == "BrowseShipVia";
        EXPECT_EQ(m.browse().activeField < 0, noFlag);
    }
}

TEST_F(MasterListWindows, VendorPhonesAreFormattedAndABadOneBeeps) {
    Handle<Vendors> ven(*db);
    open(ven);
    MasterListForm form(*db, ui, ven, vendorFormConfig(), req(Request::Insert, &ven));
    ASSERT_TRUE(form.open());
    EXPECT_EQ(ven.rec.Active, 1);
    ven.rec.PHONE1 = "1 800 5550199";
    EXPECT_TRUE(form.accept(Vendors::desc().fieldIndex("PHONE1")));
    EXPECT_EQ(ven.rec.PHONE1, "(800)555-0199");
    ven.rec.MOBILE = "1-800-FLOWERS";
    EXPECT_TRUE(form.accept(Vendors::desc().fieldIndex("MOBILE")));
    EXPECT_EQ(ven.rec.MOBILE, "(800)FLO-WERS");
    ven.rec.PAGER = "555-0199";
    EXPECT_TRUE(form.accept(Vendors::desc().fieldIndex("PAGER")));
    EXPECT_EQ(ven.rec.PAGER, "(212)555-0199");
    ven.rec.FAX = "12345";
    EXPECT_FALSE(form.accept(Vendors::desc().fieldIndex("FAX")));
    EXPECT_TRUE(ven.rec.FAX.isBlank());
    ASSERT_EQ(ui.beeps().size(), 1u);
    EXPECT_EQ(ui.beeps()[0].frequency, 150);
    EXPECT_EQ(form.takeFocusRequest(), Vendors::desc().fieldIndex("FAX"));
}

TEST_F(MasterListWindows, DoubleClickOpensMailAndWebWithoutTrailingBlanks) {
    RecordingLauncher launcher;
    setProgramLauncher(&launcher);
    store(vendorNamed());
    Handle<Vendors> ven(*db);
    open(ven);
    ven.rec.NAME = "Northwind";
    ASSERT_EQ(ven.get(Vendors::byName), ErrorCode::None);
    MasterListForm form(*db, ui, ven, vendorFormConfig(), req(Request::Change, &ven));
    ASSERT_TRUE(form.open());
    form.doubleClick(Vendors::desc().fieldIndex("EMAIL"));
    form.doubleClick(Vendors::desc().fieldIndex("WEBADR"));
    ven.rec.EMAIL = "";
    form.doubleClick(Vendors::desc().fieldIndex("EMAIL"));
    form.doubleClick(Vendors::desc().fieldIndex("CITY"));  // not an address: nothing
    setProgramLauncher(nullptr);
    EXPECT_EQ(launcher.targets,
              (std::vector<std::string>{"mailto:orders@northwind.test", "www.northwind.test", "mailto:"}));
}

TEST_F(MasterListWindows, SalespersonNameIsBuiltFromLastAndFirst) {
    Handle<Salesmen> sp(*db);
    open(sp);
    auto form = insert(sp, salespersonFormConfig(), [](Salesmen& s, MasterListForm& f) {
        s.Initials = "AL";
        s.FIRSTNAME = "Ann";
        f.accept(Salesmen::desc().fieldIndex("FIRSTNAME"));
        EXPECT_EQ(s.NAME, "Ann");
        s.LASTNAME = "Lee";
        f.accept(Salesmen::desc().fieldIndex("LASTNAME"));
    });
    EXPECT_EQ(form->response().response, Response::Completed);
    ASSERT_EQ(all<Salesmen>().size(), 1u);
    EXPECT_EQ(all<Salesmen>()[0].NAME, "Lee, Ann");
    EXPECT_EQ(all<Salesmen>()[0].ACTIVE, 1);
}

TEST_F(MasterListWindows, BlankIdentityIsRefusedBeforeAnythingIsStored) {
    Handle<Terms> t(*db);
    open(t);
    auto form = insert(t, termsFormConfig(), [](Terms&, MasterListForm&) {});
    EXPECT_FALSE(form->isClosed());
    EXPECT_EQ(ui.captions(), (std::vector<std::string>{"Record Insert Error"}));
    EXPECT_TRUE(all<Terms>().empty());
}

TEST_F(MasterListWindows, VendorRenameCarriesToNotesScheduleAndPartNumbers) {
    store(vendorNamed());
    Comments note;
    note.CMTID = 1;
    note.VENDOR = "Northwind";
    store(note);
    Schedule entry;
    entry.SCHID = 1;
    entry.VENDOR = "Northwind";
    store(entry);
    VenProds pair;
    pair.VPRID = 1;
    pair.PartNum = "A-1";
    pair.Vendor = "Northwind";
    store(pair);
    Handle<Vendors> ven(*db);
    open(ven);
    ven.rec.NAME = "Northwind";
    ASSERT_EQ(ven.get(Vendors::byName), ErrorCode::None);
    MasterListForm form(*db, ui, ven, vendorFormConfig(), req(Request::Change, &ven));
    ASSERT_TRUE(form.open());
    ven.rec.NAME = "Northwind Traders";
    EXPECT_TRUE(form.ok());
    EXPECT_EQ(ven.rec.NAME, "Northwind Traders");
    EXPECT_EQ(all<Comments>()[0].VENDOR, "Northwind Traders");
    EXPECT_EQ(all<Schedule>()[0].VENDOR, "Northwind Traders");
    EXPECT_EQ(all<VenProds>()[0].Vendor, "Northwind Traders");
}

TEST_F(MasterListWindows, GroupAndManufacturerDeletesRefusedWhileProductsNameThem) {
    Groups used;
    used.GROUP = "Valves";
    Groups empty;
    empty.GROUP = "Empty";
    store(used);
    store(empty);
    Manufact maker;
    maker.NAME = "Acme Works";
    store(maker);
    Products p;
    p.PartNum = "A-1";
    p.Group = "Valves";
    p.MANUFACTURER = "Acme Works";
    store(p);
    Handle<Groups> grp(*db);
    open(grp);
    grp.rec.GROUP = "Valves";
    ASSERT_EQ(grp.get(Groups::byGroup), ErrorCode::None);
    ui.answer(Button::Ok);
    MasterListForm refused(*db, ui, grp, groupFormConfig(), req(Request::Delete, &grp));
    EXPECT_FALSE(refused.open());
    EXPECT_EQ(refused.response().response, Response::Cancelled);
    ASSERT_EQ(ui.captions().size(), 2u);
    EXPECT_EQ(ui.captions()[1], "Referential Integrity Delete Error");
    EXPECT_NE(ui.texts()[1].find("Products"), std::string::npos);
    EXPECT_EQ(all<Groups>().size(), 2u);

    grp.rec.GROUP = "Empty";
    ASSERT_EQ(grp.get(Groups::byGroup), ErrorCode::None);
    ui.answer(Button::Ok);
    MasterListForm done(*db, ui, grp, groupFormConfig(), req(Request::Delete, &grp));
    EXPECT_FALSE(done.open());
    EXPECT_EQ(done.response().response, Response::Completed);
    ASSERT_EQ(all<Groups>().size(), 1u);

    Handle<Manufact> mfc(*db);
    open(mfc);
    mfc.rec.NAME = "Acme Works";
    ASSERT_EQ(mfc.get(Manufact::byName), ErrorCode::None);
    ui.clearRecord();
    ui.answer(Button::Ok);
    MasterListForm maker2(*db, ui, mfc, manufactFormConfig(), req(Request::Delete, &mfc));
    EXPECT_FALSE(maker2.open());
    EXPECT_EQ(ui.captions(), (std::vector<std::string>{"Confirm Delete", "Referential Integrity Delete Error"}));
    EXPECT_EQ(all<Manufact>().size(), 1u);
}

TEST_F(MasterListWindows, DeleteAnsweredCancelKeepsTheRecord) {
    ShipMthd s;
    s.SHIPVIA = "Courier";
    store(s);
    Handle<ShipMthd> shm(*db);
    open(shm);
    shm.rec.SHIPVIA = "Courier";
    ASSERT_EQ(shm.get(ShipMthd::byShipVia), ErrorCode::None);
    ui.answer(Button::Cancel);
    MasterListForm form(*db, ui, shm, shipViaFormConfig(), req(Request::Delete, &shm));
    EXPECT_FALSE(form.open());
    EXPECT_EQ(ui.messages()[0].defaultButton, Button::Cancel);
    EXPECT_EQ(all<ShipMthd>().size(), 1u);
}

}  // namespace
}  // namespace quay::core
