// The form pattern over a real vendors table: an insert added at OK and nothing
// left when cancelled, a record added by the caller removed again on cancel, a
// change written only when something differs, duplicate keys named by their label,
// another station's change (89) with the user's values kept for Ctrl+', a failed
// write offered again, deletes confirmed first; a form over a buffer its caller
// stores, whose refusals say which field and why; and entry fields read back
// through their pictures.
#include <string>

#include <gtest/gtest.h>

#include "quay/app/globals.h"
#include "quay/app/scripted_ui.h"
#include "quay/store/transaction.h"
#include "quay/ui/field_entry.h"
#include "quay/tables/defaults.h"
#include "quay/ui/form_window.h"
#include "quay/ui/record_fields.h"
#include "ui_test_support.h"

namespace quay::core {
namespace {

using testing::addVendor;

WindowRequest req(Request r) {
    WindowRequest w;
    w.request = r;
    return w;
}

FormSpec vendorForm() {
    FormSpec s;
    s.procedure = "VendorForm";
    s.title = "Vendor Form";
    return s;
}

class FormWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        glo.reset();
        testing::openFresh(m_vendors);
    }
    bool exists(const std::string& name) {
        Handle<Vendors> probe(m_db);
        if (probe.open() != ErrorCode::None) return false;
        probe.rec.NAME = name;
        return probe.get(Vendors::byName) == ErrorCode::None;
    }
    void loadVendor(const std::string& name) {
        m_vendors.clear();
        m_vendors.rec.NAME = name;
        ASSERT_EQ(m_vendors.get(Vendors::byName), ErrorCode::None);
    }

    testing::DataDir m_dir;
    Database m_db{m_dir.path()};
    Handle<Vendors> m_vendors{m_db};
    ScriptedUi m_ui;
    const int kName = Vendors::desc().fieldIndex("NAME");
    const int kCity = Vendors::desc().fieldIndex("CITY");
};

// A buffer form as the order dialogs are: the city is required at OK.
class CityRequired : public FormWindow {
public:
    CityRequired(UiPort& ui, Vendors& v)
        : FormWindow(ui, Vendors::desc(), &v, vendorForm(), req(Request::Change)), m_v(v) {}

protected:
    bool checkBeforeSave() override {
        if (m_v.CITY.isBlank()) return refuse(Vendors::desc().fieldIndex("CITY"), "Enter the city.");
        return true;
    }

private:
    Vendors& m_v;
};

TEST_F(FormWindowTest, InsertIsAddedAtOkAndACancelledOneLeavesNothing) {
    {
        FormWindow f(m_db, m_ui, m_vendors, vendorForm(), req(Request::Insert));
        ASSERT_TRUE(f.open());
        EXPECT_EQ(f.statusText(), "Record Will Be Added");
        EXPECT_EQ(m_vendors.records(), 0);
        m_vendors.rec.NAME = "Typed";
        m_ui.answer(Button::No);
        EXPECT_FALSE(f.cancel());  // No: back to the form, what was typed kept
        EXPECT_EQ(m_vendors.rec.NAME.str(), "Typed");
        m_ui.answer(Button::Yes);
        EXPECT_TRUE(f.cancel());
        EXPECT_EQ(m_ui.captions(), (std::vector<std::string>{"Update Cancelled", "Update Cancelled"}));
        EXPECT_EQ(m_ui.texts()[0], "Are you sure you want to cancel?");
        EXPECT_EQ(f.response().response, Response::Cancelled);
        EXPECT_EQ(glo.GlobalResponse, Response::Cancelled);
        EXPECT_EQ(m_vendors.records(), 0);
    }
    FormWindow f(m_db, m_ui, m_vendors, vendorForm(), req(Request::Insert));
    ASSERT_TRUE(f.open());
    m_vendors.rec.NAME = "Acme";
    EXPECT_TRUE(f.ok());
    EXPECT_EQ(f.response().response, Response::Completed);
    EXPECT_TRUE(exists("Acme"));
    EXPECT_EQ(m_ui.messages().size(), 2u);
}

TEST_F(FormWindowTest, RecordAddedByTheCallerIsRemovedWhenCancelledUntouched) {
    addVendor(m_vendors, "Added Before");
    loadVendor("Added Before");
    FormWindow f(m_db, m_ui, m_vendors, vendorForm(), req(Request::Insert));
    ASSERT_TRUE(f.openAdded());
    EXPECT_TRUE(f.cancel());
    EXPECT_TRUE(m_ui.messages().empty());  // unchanged: no question
    EXPECT_EQ(m_vendors.records(), 0);
}

TEST_F(FormWindowTest, DuplicateNameNamesTheKeySendsTheCursorBackAndStoresNothing) {
    addVendor(m_vendors, "Acme");
    FormWindow f(m_db, m_ui, m_vendors, vendorForm(), req(Request::Insert));
    ASSERT_TRUE(f.open());
    m_vendors.rec.NAME = "ACME";
    EXPECT_FALSE(f.ok());
    ASSERT_EQ(m_ui.messages().size(), 1u);
    EXPECT_EQ(m_ui.messages()[0].caption, "Duplicate Key Error");
    EXPECT_EQ(m_ui.messages()[0].text, "Adding this record creates a duplicate entry for the key:by Vendor &Name");
    EXPECT_EQ(f.takeFocusRequest(), 0);
    EXPECT_EQ(f.takeFocusRequest(), -1);
    EXPECT_FALSE(f.isClosed());
    EXPECT_EQ(m_vendors.records(), 1);
    m_vendors.rec.NAME = "Acme Two";
    EXPECT_TRUE(f.ok());
    EXPECT_TRUE(exists("Acme Two"));
    EXPECT_EQ(m_vendors.records(), 2);
}

TEST_F(FormWindowTest, UnchangedChangeWritesNothing) {
    addVendor(m_vendors, "Acme", 1, "", "Boston");
    loadVendor("Acme");
    FormWindow f(m_db, m_ui, m_vendors, vendorForm(), req(Request::Change));
    ASSERT_TRUE(f.open());
    EXPECT_EQ(f.statusText(), "Record Will Be Changed");
    // Another station changes the record; an unchanged OK must not overwrite it.
    Handle<Vendors> other(m_db);
    ASSERT_EQ(other.open(), ErrorCode::None);
    other.rec.NAME = "Acme";
    ASSERT_EQ(other.get(Vendors::byName), ErrorCode::None);
    other.rec.CITY = "Denver";
    ASSERT_EQ(other.put(), ErrorCode::None);
    EXPECT_TRUE(f.ok());
    EXPECT_EQ(f.response().response, Response::Completed);
    EXPECT_TRUE(m_ui.messages().empty());
    loadVendor("Acme");
    EXPECT_EQ(m_vendors.rec.CITY.str(), "Denver");
}

TEST_F(FormWindowTest, OtherStationsChangeIsShownAndCtrlQuoteRecallsTheUsersValue) {
    addVendor(m_vendors, "Acme", 1, "", "Boston");
    loadVendor("Acme");
    int reloads = 0;
    FormWindow f(m_db, m_ui, m_vendors, vendorForm(), req(Request::Change));
    f.setReloadListener([&reloads] { ++reloads; });
    ASSERT_TRUE(f.open());
    m_vendors.rec.CITY = "Austin";

    Handle<Vendors> other(m_db);
    ASSERT_EQ(other.open(), ErrorCode::None);
    other.rec.NAME = "Acme";
    ASSERT_EQ(other.get(Vendors::byName), ErrorCode::None);
    other.rec.CITY = "Denver";
    ASSERT_EQ(other.put(), ErrorCode::None);

    EXPECT_FALSE(f.ok());
    ASSERT_EQ(m_ui.messages().size(), 1u);
    EXPECT_EQ(m_ui.messages()[0].caption, "Record Was Not Updated");
    EXPECT_EQ(reloads, 1);
    EXPECT_EQ(m_vendors.rec.CITY.str(), "Denver");  // the other station's version is shown
    EXPECT_FALSE(f.isChanged());

    f.recallField(kCity);
    EXPECT_EQ(m_vendors.rec.CITY.str(), "Austin");
    EXPECT_TRUE(f.ok());
    loadVendor("Acme");
    EXPECT_EQ(m_vendors.rec.CITY.str(), "Austin");
}

TEST_F(FormWindowTest, CtrlQuoteRestoresTheValueAtOpen) {
    addVendor(m_vendors, "Acme", 1, "", "Boston");
    loadVendor("Acme");
    FormWindow f(m_db, m_ui, m_vendors, vendorForm(), req(Request::Change));
    ASSERT_TRUE(f.open());
    m_vendors.rec.CITY = "Austin";
    m_vendors.rec.NAME = "Acme Inc";
    f.recallField(kCity);
    EXPECT_EQ(m_vendors.rec.CITY.str(), "Boston");
    EXPECT_EQ(m_vendors.rec.NAME.str(), "Acme Inc");
}

TEST_F(FormWindowTest, FailedWriteAsksToSaveAgainAndNoClosesUnsaved) {
    addVendor(m_vendors, "Acme", 1, "", "Boston");
    loadVendor("Acme");
    {
        // A first change, so that the records naming a vendor have their tables.
        FormWindow first(m_db, m_ui, m_vendors, vendorForm(), req(Request::Change));
        ASSERT_TRUE(first.open());
        m_vendors.rec.CITY = "Austin";
        ASSERT_TRUE(first.ok());
    }
    loadVendor("Acme");
    FormWindow f(m_db, m_ui, m_vendors, vendorForm(), req(Request::Change));
    ASSERT_TRUE(f.open());
    m_vendors.rec.CITY = "Denver";
    // Another workstation holds the data set in a write transaction.
    Database otherDb(m_dir.path());
    Handle<Vendors> other(otherDb);
    ASSERT_EQ(other.open(), ErrorCode::None);
    Transaction busy(otherDb, {&other});
    ASSERT_EQ(busy.begin(), ErrorCode::None);
    m_ui.answer(Button::Cancel);
    EXPECT_FALSE(f.ok());
    EXPECT_FALSE(f.isClosed());
    EXPECT_EQ(m_ui.captions().back(), "Record Update Error");
    EXPECT_EQ(m_vendors.rec.CITY.str(), "Denver");  // Cancel: back to the form as typed
    m_ui.answer(Button::No);
    EXPECT_TRUE(f.ok());
    EXPECT_EQ(f.response().response, Response::Cancelled);
    busy.rollback();
    loadVendor("Acme");
    EXPECT_EQ(m_vendors.rec.CITY.str(), "Austin");
}

TEST_F(FormWindowTest, DeleteAsksFirstAndCancelKeepsTheRecord) {
    addVendor(m_vendors, "Acme");
    loadVendor("Acme");
    {
        m_ui.answer(Button::Cancel);
        FormWindow f(m_db, m_ui, m_vendors, vendorForm(), req(Request::Delete));
        EXPECT_FALSE(f.open());
        EXPECT_EQ(f.response().response, Response::Cancelled);
        EXPECT_TRUE(exists("Acme"));
        ASSERT_EQ(m_ui.messages().size(), 1u);
        EXPECT_EQ(m_ui.messages()[0].caption, "Confirm Delete");
        EXPECT_EQ(m_ui.messages()[0].defaultButton, Button::Cancel);
    }
    loadVendor("Acme");
    m_ui.answer(Button::Ok);
    FormWindow f(m_db, m_ui, m_vendors, vendorForm(), req(Request::Delete));
    EXPECT_FALSE(f.open());
    EXPECT_EQ(f.response().response, Response::Completed);
    EXPECT_FALSE(exists("Acme"));
}

TEST_F(FormWindowTest, BufferFormRefusalSaysWhichFieldAndWhyAndCancelPutsTheBufferBack) {
    Vendors v;
    v.NAME = "Acme";
    CityRequired f(m_ui, v);
    ASSERT_TRUE(f.open());
    EXPECT_EQ(f.statusText(), "");
    EXPECT_FALSE(f.ok());
    EXPECT_EQ(f.notice(), "Enter the city.");
    EXPECT_EQ(f.takeFocusRequest(), kCity);
    ASSERT_EQ(m_ui.beeps().size(), 1u);
    EXPECT_EQ(m_ui.beeps()[0].frequency, 150);
    EXPECT_FALSE(f.isClosed());

    v.CITY = "Salem";
    v.NAME = "Acme West";
    m_ui.answer(Button::No);
    EXPECT_FALSE(f.cancel());
    EXPECT_EQ(m_ui.captions(), (std::vector<std::string>{"Update Cancelled"}));
    m_ui.answer(Button::Yes);
    EXPECT_TRUE(f.cancel());
    EXPECT_EQ(v.NAME.str(), "Acme");  // as it was at open
    EXPECT_TRUE(v.CITY.isBlank());
    EXPECT_EQ(m_vendors.records(), 0);  // a buffer form writes nothing

    CityRequired again(m_ui, v);
    ASSERT_TRUE(again.open());
    v.CITY = "Salem";
    EXPECT_TRUE(again.ok());
    EXPECT_EQ(again.notice(), "");
    EXPECT_EQ(again.response().response, Response::Completed);
    EXPECT_EQ(v.CITY.str(), "Salem");
}

TEST(FieldEntry, TypedTextIsReadBackThroughThePicture) {
    Defaults d{};
    const TableDesc& desc = Defaults::desc();
    const int tax = desc.fieldIndex("SALESTAX1");
    const auto pct = Picture::parse("@n7.4");
    ASSERT_TRUE(pct);
    EXPECT_EQ(readField(desc, tax, &d, pct, "8.25"), EntryStatus::Ok);
    EXPECT_EQ(d.SALESTAX1.scaled(), 82500);
    EXPECT_EQ(formatField(desc, tax, &d, pct), " 8.2500");
    std::string reason;
    EXPECT_NE(readField(desc, tax, &d, pct, "eight", &reason), EntryStatus::Ok);
    EXPECT_FALSE(reason.empty());
    EXPECT_EQ(d.SALESTAX1.scaled(), 82500);  // a refused entry changes nothing
    EXPECT_EQ(readField(desc, tax, &d, pct, "123456"), EntryStatus::TooLarge);
    EXPECT_EQ(d.SALESTAX1.scaled(), 82500);

    const int name = desc.fieldIndex("COMPANYNAME");
    EXPECT_EQ(readField(desc, name, &d, Picture::parse("@s5"), "Harbour Supplies"), EntryStatus::Ok);
    EXPECT_EQ(d.COMPANYNAME.str(), "Harbo");
}

}  // namespace
}  // namespace quay::core
