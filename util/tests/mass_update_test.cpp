// The mass updates on a real data set: the derived class prices and tax rates stored
// for every record, the questions and closing messages, and all-or-nothing when a
// write fails or the station is killed in the middle of the run.
#include <gtest/gtest.h>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

#include "quay/store/store_faults.h"
#include "quay/tables/customer.h"
#include "quay/tables/products.h"
#include "quay/testing/data_set_test.h"
#include "quay/util/mass_update.h"

namespace quay::util {
namespace {

using core::Button;
using core::Customer;
using core::Products;
using core::WorkerOutcome;
using quay::testing::money;
using quay::testing::price;

class MassUpdates : public quay::testing::DataSetTest {
protected:
    MassUpdates() : DataSetTest("quay-massupdate") {}

    JobRunner here() {
        return [this](std::unique_ptr<core::WorkerJob> job, const std::string&) {
            return runJobHere(std::move(job), dir());
        };
    }
    void pricing(const char* rounding) {
        company([rounding](core::Defaults& d) {
            d.PRICECLASS1 = quay::testing::dec<9, 4>("25");
            d.PC1METHOD = "MARKUP";
            d.PRICECLASS2 = quay::testing::dec<9, 4>("20");
            d.PC2METHOD = "MARGIN";
            d.PRICECLASS3 = quay::testing::dec<9, 4>("10");
            d.PC3METHOD = "DISCOUNT";
            d.PRICECLASS4 = quay::testing::dec<9, 4>("100");
            d.PC4METHOD = "MARGIN";
            d.PC5METHOD = "";
            d.PC6METHOD = "DISCOUNT ";
            d.PRICECLASS6 = quay::testing::dec<9, 4>("50");
            d.ROUNDPC = rounding;
            d.SALESTAX1 = quay::testing::dec<9, 4>("6.25");
            d.SALESTAX2 = quay::testing::dec<9, 4>("1.5");
        });
    }
    void product(const std::string& part, const char* cost, const char* msrp) {
        Products p;
        p.PartNum = part;
        p.Active = 1;
        p.COST = price(cost);
        p.MSRP = price(msrp);
        p.PRICECLASS4 = price("7.7");
        p.PRICECLASS5 = price("5.5");
        store(p);
    }
    void customer(const std::string& name, bool exempt1, bool exempt2) {
        Customer c;
        c.Name = name;
        c.Active = 1;
        c.TAX1EXEMPT = exempt1 ? 1 : 0;
        c.TAX2EXEMPT = exempt2 ? 1 : 0;
        c.SALESTAX1 = price("1");
        c.SALESTAX2 = price("2");
        store(c);
    }
};

TEST_F(MassUpdates, PriceClassesFollowEachMethodAndRounding) {
    // rounding, markup 25 on 10.00, margin 20, discount 10 on 20.00, discount 50
    const std::vector<std::tuple<const char*, const char*, const char*, const char*, const char*>> cases = {
        {"", "12.5", "12.5", "18", "10"}, {"D", "13", "13", "18", "10"}, {"C", "12.5", "12.5", "18", "10"}};
    for (const auto& [rounding, c1, c2, c3, c6] : cases) {
        SCOPED_TRACE(rounding);
        pricing(rounding);
        ui.answer(Button::Yes);
        const std::string part = std::string("P") + rounding;
        product(part, "10", "20");
        ASSERT_TRUE(MASSUPDATEPRICECLASSES(ui, *db, here()));
        for (const Products& p : all<Products>()) {
            if (p.PartNum.str() != part) continue;
            EXPECT_EQ(p.PRICECLASS1, price(c1));
            EXPECT_EQ(p.PRICECLASS2, price(c2));
            EXPECT_EQ(p.PRICECLASS3, price(c3));
            EXPECT_EQ(p.PRICECLASS4, price("7.7"));  // a margin of 100 leaves the class alone
            EXPECT_EQ(p.PRICECLASS5, price("5.5"));  // no method: the stored price stays
            EXPECT_EQ(p.PRICECLASS6, price(c6));
        }
        EXPECT_EQ(ui.captions(), (std::vector<std::string>{"WARNING", "SUCCESS"}));
        EXPECT_EQ(ui.texts().back(), "Update Complete");
        ui.clearRecord();
    }
}

TEST_F(MassUpdates, NoToTheWarningChangesNothing) {
    pricing("");
    product("A", "10", "20");
    ui.answer(Button::No);
    EXPECT_FALSE(MASSUPDATEPRICECLASSES(ui, *db, here()));
    EXPECT_EQ(all<Products>()[0].PRICECLASS1, price("0"));
    EXPECT_EQ(ui.captions(), (std::vector<std::string>{"WARNING"}));
}

TEST_F(MassUpdates, WithoutCompanyDefaultsNeitherRuns) {
    product("A", "10", "20");
    customer("Ames", false, false);
    EXPECT_FALSE(MASSUPDATEPRICECLASSES(ui, *db, here()));
    EXPECT_FALSE(UPDATECUSTSALESTAXES(ui, *db, here()));
    EXPECT_EQ(ui.texts(),
              (std::vector<std::string>{"Please set company defaults first", "Please set company defaults first"}));
    EXPECT_EQ(ui.captions()[0], "Error");
    EXPECT_EQ(all<Customer>()[0].SALESTAX1, price("1"));
}

TEST_F(MassUpdates, TaxRatesReachOnlyCustomersNotExempt) {
    pricing("");
    customer("Ames", false, false);
    customer("Bligh", true, false);
    customer("Cook", true, true);
    ASSERT_TRUE(UPDATECUSTSALESTAXES(ui, *db, here()));
    const auto cs = all<Customer>();
    ASSERT_EQ(cs.size(), 3u);
    EXPECT_EQ(cs[0].SALESTAX1, price("6.25"));
    EXPECT_EQ(cs[0].SALESTAX2, price("1.5"));
    EXPECT_EQ(cs[1].SALESTAX1, price("1"));  // exempt from tax 1 keeps its rate
    EXPECT_EQ(cs[1].SALESTAX2, price("1.5"));
    EXPECT_EQ(cs[2].SALESTAX1, price("1"));
    EXPECT_EQ(cs[2].SALESTAX2, price("2"));
    EXPECT_TRUE(ui.messages().empty());  // no closing message
}

TEST_F(MassUpdates, AFailedWriteLeavesEveryRecordAsItWas) {
    pricing("");
    for (int i = 0; i < 5; ++i) {
        product("P" + std::to_string(i), "10", "20");
        customer("C" + std::to_string(i), false, false);
    }
    core::StoreFaults::failNth(3);  // the third product written
    ui.answer(Button::Yes);
    EXPECT_FALSE(MASSUPDATEPRICECLASSES(ui, *db, here()));
    for (const Products& p : all<Products>()) EXPECT_EQ(p.PRICECLASS1, price("0")) << p.PartNum.str();
    ASSERT_EQ(ui.captions(), (std::vector<std::string>{"WARNING", "Error"}));
    EXPECT_NE(ui.texts()[1].find("No price class was changed."), std::string::npos);

    ui.clearRecord();
    core::StoreFaults::failNth(4);
    EXPECT_FALSE(UPDATECUSTSALESTAXES(ui, *db, here()));
    for (const Customer& c : all<Customer>()) EXPECT_EQ(c.SALESTAX1, price("1")) << c.Name.str();
    ASSERT_EQ(ui.messages().size(), 1u);
    EXPECT_EQ(ui.texts()[0].rfind("Error Updating customer dbase", 0), 0u);
    core::StoreFaults::disarm();
}

// The job killed midway in a child process, as a station switched off during the run.
class KillMidway : public core::WorkerProgress {
public:
    explicit KillMidway(long at) : m_at(at) {}
    void report(long done, long, const std::string&) override {
        if (done >= m_at) ::kill(::getpid(), SIGKILL);
    }
    bool isCancelled() const override { return false; }

private:
    long m_at;
};

template <class Job>
void runAndKill(const std::string& dir, long at) {
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        KillMidway progress(at);
        Job job;
        job.run(dir, progress);
        ::_exit(0);  // not reached when the kill came
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status)) << "the run ended before the kill";
}

TEST_F(MassUpdates, AKillInTheMiddleLeavesEveryRecordAsItWas) {
    pricing("");
    for (int i = 0; i < 400; ++i) {
        product("P" + std::to_string(i), "10", "20");
        customer("C" + std::to_string(i), false, false);
    }
    db.reset();  // the child works on its own connection; so will the check
    runAndKill<PriceClassUpdateJob>(dir(), 200);
    runAndKill<CustomerTaxUpdateJob>(dir(), 200);
    db = std::make_unique<core::Database>(dir());
    for (const Products& p : all<Products>()) ASSERT_EQ(p.PRICECLASS1, price("0")) << p.PartNum.str();
    for (const Customer& c : all<Customer>()) ASSERT_EQ(c.SALESTAX1, price("1")) << c.Name.str();

    // and the data set is whole afterwards: the next run completes.
    ui.answer(Button::Yes);
    ASSERT_TRUE(MASSUPDATEPRICECLASSES(ui, *db, here()));
    for (const Products& p : all<Products>()) ASSERT_EQ(p.PRICECLASS1, price("12.5"));
}

}  // namespace
}  // namespace quay::util
