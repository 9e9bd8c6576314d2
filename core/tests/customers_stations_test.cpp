// Two workstations on one customer: a second process saves the customer while this
// one has it open in its form. This station's save then shows "Record Was Not
// Updated" with the other station's values, its own values come back through
// Ctrl+', and the next save keeps both stations' changes. And a save while another
// station holds the data set busy changes nothing and keeps the form open.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include "masterlists_test_support.h"
#include "quay/customers/customer_form.h"
#include "quay/store/transaction.h"

namespace quay::core {
namespace {

using testing::MasterDataTest;
using testing::req;

class CustomerStations : public MasterDataTest {
protected:
    void SetUp() override {
        MasterDataTest::SetUp();
        company();
        Customer c;
        c.Name = "Acme";
        c.COMPANY = 1;
        c.Active = 1;
        c.PRICECLASS = "1";
        c.CITY = "Leeds";
        store(c);
    }
};

// The other station: its own process and connection, its own form, saving CITY.
int otherStationSaves(const std::string& dir, int goPipe) {
    char go = 0;
    if (::read(goPipe, &go, 1) != 1) return 2;
    Database db(dir);
    ScriptedUi ui;
    Handle<Customer> cus(db);
    if (openTable(ui, cus) != OpenOutcome::Opened) return 3;
    cus.rec.Name = "Acme";
    if (cus.get(Customer::byName) != ErrorCode::None) return 4;
    CustomerForm form(db, ui, cus, req(Request::Change, &cus));
    if (!form.open()) return 5;
    form.rec().CITY = "Hull";
    if (!form.ok() || !ui.messages().empty()) return 6;
    return 0;
}

TEST_F(CustomerStations, SecondSaveSeesTheFirstStationsValuesAndLosesNothing) {
    int fds[2];
    ASSERT_EQ(::pipe(fds), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ::close(fds[1]);
        ::_exit(otherStationSaves(dir(), fds[0]));
    }
    ::close(fds[0]);

    Handle<Customer> cus(*db);
    open(cus);
    cus.rec.Name = "Acme";
    ASSERT_EQ(cus.get(Customer::byName), ErrorCode::None);
    CustomerForm form(*db, ui, cus, req(Request::Change, &cus));
    ASSERT_TRUE(form.open());
    form.rec().PHONE2 = "(212)555-0100";

    ASSERT_EQ(::write(fds[1], "g", 1), 1);
    ::close(fds[1]);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    ASSERT_EQ(WEXITSTATUS(status), 0) << "the other station's save failed";

    EXPECT_FALSE(form.ok());
    ASSERT_EQ(ui.messages().size(), 1u);
    EXPECT_EQ(ui.messages()[0].caption, "Record Was Not Updated");
    EXPECT_EQ(ui.messages()[0].text,
              "This record was changed by another station. Those changes will now be displayed. Use the Ditto "
              "Button or Ctrl+' to recall your changes.");
    EXPECT_EQ(form.rec().CITY, "Hull");
    EXPECT_TRUE(form.rec().PHONE2.isBlank());
    EXPECT_EQ(all<Customer>()[0].CITY, "Hull");
    EXPECT_TRUE(all<Customer>()[0].PHONE2.isBlank());

    form.recallField(CustomerForm::field("PHONE2"));
    EXPECT_TRUE(form.ok());
    const Customer stored = all<Customer>()[0];
    EXPECT_EQ(stored.CITY, "Hull");
    EXPECT_EQ(stored.PHONE2, "(212)555-0100");
}

TEST_F(CustomerStations, RenameWhileTheDataSetIsBusyChangesNothingAndStaysOpen) {
    Orders order;
    order.OrdNum = 1;
    order.CustName = "Acme";
    store(order);
    // Every table the rename covers exists: the busy station blocks writes only.
    all<Applied>();
    all<Charges>();
    all<Payments>();
    all<Comments>();
    all<Schedule>();
    Handle<Customer> cus(*db);
    open(cus);
    cus.rec.Name = "Acme";
    ASSERT_EQ(cus.get(Customer::byName), ErrorCode::None);
    CustomerForm form(*db, ui, cus, req(Request::Change, &cus));
    ASSERT_TRUE(form.open());
    form.rec().Name = "Acme Holdings";

    Database station2(dir());
    Handle<Orders> held(station2);
    open(held);
    Transaction busy(station2, {&held});
    ASSERT_EQ(busy.begin(), ErrorCode::None);

    ui.answer(Button::Cancel);  // "Record Update Error": back to the form
    EXPECT_FALSE(form.ok());
    EXPECT_FALSE(form.isClosed());
    EXPECT_EQ(ui.captions(), (std::vector<std::string>{"Transaction Framing Error", "Record Update Error"}));
    busy.rollback();
    EXPECT_EQ(all<Customer>()[0].Name, "Acme");
    EXPECT_EQ(all<Orders>()[0].CustName, "Acme");
    EXPECT_EQ(form.rec().Name, "Acme Holdings");  // the user's value is still in the form

    EXPECT_TRUE(form.ok());  // and goes through once the other station is done
    EXPECT_EQ(all<Customer>()[0].Name, "Acme Holdings");
    EXPECT_EQ(all<Orders>()[0].CustName, "Acme Holdings");
}

}  // namespace
}  // namespace quay::core
