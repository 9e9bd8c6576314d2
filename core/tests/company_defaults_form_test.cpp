// The company defaults window: the record added when none exists and removed again
// on cancel, changes written only when something differs and then in a
// transaction, the update-error question, phone numbers formatted or refused with
// the beep, and Ctrl+'.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "quay/app/globals.h"
#include "quay/app/scripted_ui.h"
#include "quay/company/defaults_form.h"
#include "quay/defaults/company_defaults.h"
#include "quay/store/transaction.h"
#include "ui_test_support.h"

namespace quay::core {
namespace {

class DefaultsFormTest : public ::testing::Test {
protected:
    void SetUp() override { glo.reset(); }

    // Adds the company record as the first start does, with a name and area code.
    void makeCompany(const std::string& name = "Harbour Supplies") {
        Handle<Defaults> d(m_db);
        testing::openFresh(d);
        ASSERT_EQ(createCompanyRecord(m_db, d, CompanyCreation::AtFirstStart), ErrorCode::None);
        d.rec.COMPANYNAME = name;
        d.rec.DEFAREACODE = "212";
        ASSERT_EQ(d.put(), ErrorCode::None);
    }
    // The stored records, read on a handle of their own.
    std::vector<Defaults> stored() {
        std::vector<Defaults> out;
        Handle<Defaults> d(m_db);
        if (d.open() != ErrorCode::None) return out;
        d.setFileOrder();
        while (d.next() == ErrorCode::None) out.push_back(d.rec);
        return out;
    }

    testing::DataDir m_dir;
    Database m_db{m_dir.path()};
    ScriptedUi m_ui;
    const int kName = Defaults::desc().fieldIndex("COMPANYNAME");
};

TEST_F(DefaultsFormTest, WithoutARecordOneIsAddedAndCancelLeavesNone) {
    DefaultsForm f(m_ui, m_db);
    ASSERT_TRUE(f.open());
    EXPECT_EQ(f.request(), Request::Insert);
    EXPECT_EQ(f.statusText(), "Record Will Be Added");
    auto records = stored();
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].COMPANYNUM, 1);
    EXPECT_EQ(records[0].CREDITLIMIT.str(), "I");
    EXPECT_EQ(records[0].LOWINVENTORY.str(), "I");
    EXPECT_EQ(records[0].ROUNDPC.str(), "C");
    EXPECT_EQ(records[0].PRINTNAME, 1);
    EXPECT_EQ(records[0].DEFAULTTOAR, 1);

    f.rec().COMPANYNAME = "Typed Then Dropped";
    m_ui.answer(Button::Yes);
    EXPECT_TRUE(f.cancel());
    EXPECT_EQ(m_ui.captions(), (std::vector<std::string>{"Update Cancelled"}));
    EXPECT_EQ(f.response().response, Response::Cancelled);
    EXPECT_TRUE(stored().empty());
}

TEST_F(DefaultsFormTest, InsertOkStoresTheEnteredValues) {
    DefaultsForm f(m_ui, m_db);
    ASSERT_TRUE(f.open());
    f.rec().COMPANYNAME = "Harbour Supplies";
    f.rec().InvComments = "Thank you for your business.";
    EXPECT_TRUE(f.ok());
    EXPECT_EQ(f.response().response, Response::Completed);
    EXPECT_EQ(glo.GlobalResponse, Response::Completed);
    const auto records = stored();
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].COMPANYNAME.str(), "Harbour Supplies");
    EXPECT_EQ(records[0].InvComments.str(), "Thank you for your business.");
    EXPECT_TRUE(m_ui.messages().empty());
}

TEST_F(DefaultsFormTest, ExistingRecordRunsAsAChangeWrittenOnlyWhenSomethingDiffers) {
    makeCompany();
    {
        DefaultsForm f(m_ui, m_db);
        ASSERT_TRUE(f.open());
        EXPECT_EQ(f.request(), Request::Change);
        EXPECT_EQ(f.statusText(), "Record Will Be Changed");
        EXPECT_EQ(f.rec().COMPANYNAME.str(), "Harbour Supplies");
        // Another station renames the company while this window is open unchanged.
        Handle<Defaults> other(m_db);
        ASSERT_EQ(other.open(), ErrorCode::None);
        ASSERT_EQ(GETCOMPANYDEFAULTS(other, 1), 0);
        other.rec.COMPANYNAME = "Renamed Elsewhere";
        ASSERT_EQ(other.put(), ErrorCode::None);
        EXPECT_TRUE(f.ok());
        EXPECT_EQ(stored()[0].COMPANYNAME.str(), "Renamed Elsewhere");
    }
    // A memo alone is a change.
    DefaultsForm f(m_ui, m_db);
    ASSERT_TRUE(f.open());
    f.rec().Bill90Comments = "Your account is 90 days past due.";
    EXPECT_TRUE(f.ok());
    EXPECT_EQ(stored()[0].Bill90Comments.str(), "Your account is 90 days past due.");
    EXPECT_EQ(stored().size(), 1u);
}

TEST_F(DefaultsFormTest, FailedChangeAsksToSaveAgainAndNoLeavesTheRecord) {
    makeCompany();
    DefaultsForm f(m_ui, m_db);
    ASSERT_TRUE(f.open());
    f.rec().COMPANYNAME = "Never Stored";
    // Another workstation holds the data set in a write transaction.
    Database otherDb(m_dir.path());
    Handle<Defaults> other(otherDb);
    ASSERT_EQ(other.open(), ErrorCode::None);
    Transaction busy(otherDb, {&other});
    ASSERT_EQ(busy.begin(), ErrorCode::None);
    m_ui.answer(Button::No);
    EXPECT_TRUE(f.ok());
    // The transaction could not be framed (said first), then the question.
    ASSERT_EQ(m_ui.messages().size(), 2u);
    EXPECT_EQ(m_ui.messages()[0].caption, "Transaction Framing Error");
    EXPECT_EQ(m_ui.messages()[1].caption, "Record Update Error");
    EXPECT_EQ(m_ui.messages()[1].text,
              "An error was experienced changing this record.  Do you want to try to save again?");
    EXPECT_EQ(m_ui.messages()[1].defaultButton, Button::Cancel);
    EXPECT_EQ(f.response().response, Response::Cancelled);
    busy.rollback();
    EXPECT_EQ(stored()[0].COMPANYNAME.str(), "Harbour Supplies");
}

TEST_F(DefaultsFormTest, BlankCompanyNameIsRefusedWithItsReasonAndNothingIsStored) {
    // The first start leaves the name blank for the company window to fill.
    makeCompany("");
    DefaultsForm f(m_ui, m_db);
    ASSERT_TRUE(f.open());
    f.rec().CITY = "Dover";
    EXPECT_FALSE(f.ok());
    EXPECT_FALSE(f.isClosed());
    EXPECT_EQ(f.notice(), DefaultsForm::kNameRequired);
    EXPECT_EQ(f.form().takeFocusRequest(), kName);
    EXPECT_EQ(m_ui.beeps().size(), 1u);
    EXPECT_TRUE(stored()[0].CITY.isBlank());
    f.rec().COMPANYNAME = "   ";
    EXPECT_FALSE(f.ok());  // blanks are no name either
    f.rec().COMPANYNAME = "Harbour Supplies";
    EXPECT_TRUE(f.ok());
    EXPECT_EQ(f.notice(), "");
    EXPECT_EQ(stored()[0].COMPANYNAME.str(), "Harbour Supplies");
    EXPECT_EQ(stored()[0].CITY.str(), "Dover");
}

TEST_F(DefaultsFormTest, PhoneNumbersAreFormattedOrRefusedWithTheBeep) {
    makeCompany();
    DefaultsForm f(m_ui, m_db);
    ASSERT_TRUE(f.open());
    f.rec().PHONE1 = "555-0199";
    EXPECT_TRUE(f.acceptPhone(DefaultsForm::Phone::Phone1));
    EXPECT_EQ(f.rec().PHONE1.str(), "(212)555-0199");
    f.rec().FAX = "1-800-FLOWERS";
    EXPECT_TRUE(f.acceptPhone(DefaultsForm::Phone::Fax));
    EXPECT_EQ(f.rec().FAX.str(), "(800)FLO-WERS");
    EXPECT_TRUE(m_ui.beeps().empty());

    f.rec().PHONE2 = "12345";
    EXPECT_FALSE(f.acceptPhone(DefaultsForm::Phone::Phone2));
    EXPECT_EQ(f.rec().PHONE2.str(), "12345");  // left as typed for correcting
    ASSERT_EQ(m_ui.beeps().size(), 1u);
    EXPECT_EQ(m_ui.beeps()[0].frequency, 150);
    EXPECT_EQ(m_ui.beeps()[0].duration, 16);
    EXPECT_EQ(glo.GlobalResponse, Response::Cancelled);
}

TEST_F(DefaultsFormTest, CtrlQuoteRestoresTheFieldAsOpened) {
    makeCompany();
    DefaultsForm f(m_ui, m_db);
    ASSERT_TRUE(f.open());
    f.rec().COMPANYNAME = "Something Else";
    f.rec().CITY = "Boston";
    f.recallField(kName);
    EXPECT_EQ(f.rec().COMPANYNAME.str(), "Harbour Supplies");
    EXPECT_EQ(f.rec().CITY.str(), "Boston");
}

TEST_F(DefaultsFormTest, CancelledChangeWritesNothing) {
    makeCompany();
    DefaultsForm f(m_ui, m_db);
    ASSERT_TRUE(f.open());
    f.rec().COMPANYNAME = "Dropped";
    m_ui.answer(Button::Yes);
    EXPECT_TRUE(f.cancel());
    EXPECT_EQ(stored()[0].COMPANYNAME.str(), "Harbour Supplies");
}

TEST(DefaultsFormProcedure, RunsTheWindowByName) {
    ScriptedUi ui;
    ui.onWindow("DefaultsForm", [](const WindowRequest&) { return WindowResponse{Response::Completed, 0, {}}; });
    EXPECT_EQ(DEFAULTSFORM(ui), Response::Completed);
    EXPECT_EQ(DefaultsForm::methods(), (std::vector<std::string>{"DISCOUNT", "MARKUP", "MARGIN"}));
}

}  // namespace
}  // namespace quay::core
