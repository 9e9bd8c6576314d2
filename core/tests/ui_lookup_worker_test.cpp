// The field look-up (typed value found, picked from the list when nothing
// matches, refused when the list is cancelled or the pick is outside the filter)
// and the worker thread (progress, cancel, failure, its own connection).
#include <atomic>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "quay/app/globals.h"
#include "quay/app/scripted_ui.h"
#include "quay/store/transaction.h"
#include "quay/ui/field_lookup.h"
#include "quay/ui/worker.h"
#include "ui_test_support.h"

namespace quay::core {
namespace {

using testing::addVendor;

class FieldLookupTest : public ::testing::Test {
protected:
    void SetUp() override {
        glo.reset();
        testing::openFresh(m_vendors);
        addVendor(m_vendors, "Acme Supply", 1);
        addVendor(m_vendors, "Baker Tools", 0);
    }
    LookupSpec spec() {
        LookupSpec s;
        s.key = Vendors::byName;
        s.field = Vendors::desc().fieldIndex("NAME");
        s.listProcedure = "VendorBrowse";
        return s;
    }

    testing::DataDir m_dir;
    Database m_db{m_dir.path()};
    Handle<Vendors> m_vendors{m_db};
    ScriptedUi m_ui;
};

TEST_F(FieldLookupTest, MatchingValueIsFoundInTheRecordsOwnSpelling) {
    FieldLookup l(m_ui, m_vendors, spec());
    const LookupResult r = l.check("acme supply  ");
    EXPECT_EQ(r.outcome, LookupOutcome::Found);
    EXPECT_EQ(r.value, "Acme Supply");
    EXPECT_TRUE(m_ui.windows().empty());
    EXPECT_EQ(l.check("").outcome, LookupOutcome::Blank);
}

TEST_F(FieldLookupTest, UnknownValueOpensTheListAndCopiesThePick) {
    m_ui.onWindow("VendorBrowse", [](const WindowRequest& r) {
        EXPECT_EQ(r.request, Request::Select);
        EXPECT_EQ(r.text, "Acm");  // where the list opens
        auto& t = *static_cast<Handle<Vendors>*>(r.table);
        t.rec.NAME = "Acme Supply";
        EXPECT_EQ(t.get(Vendors::byName), ErrorCode::None);
        return WindowResponse{Response::Completed, 0, {}};
    });
    FieldLookup l(m_ui, m_vendors, spec());
    const LookupResult r = l.check("Acm");
    EXPECT_EQ(r.outcome, LookupOutcome::Picked);
    EXPECT_EQ(r.value, "Acme Supply");
    ASSERT_EQ(m_ui.windows().size(), 1u);
    EXPECT_EQ(m_ui.windows()[0].window, "VendorBrowse");
    EXPECT_EQ(glo.GlobalResponse, Response::Completed);
}

TEST_F(FieldLookupTest, CancelledListRefusesTheValue) {
    m_ui.onWindow("VendorBrowse", [](const WindowRequest&) { return WindowResponse{Response::Cancelled, 0, {}}; });
    FieldLookup l(m_ui, m_vendors, spec());
    EXPECT_EQ(l.check("Nobody").outcome, LookupOutcome::Refused);
    EXPECT_EQ(l.browse().outcome, LookupOutcome::Refused);
    EXPECT_EQ(glo.GlobalResponse, Response::Cancelled);
}

TEST_F(FieldLookupTest, FilterLeavesOutRecordsTheFieldMayNotName) {
    LookupSpec s = spec();
    s.filter = [](const void* r) { return static_cast<const Vendors*>(r)->Active == 1; };
    m_ui.onWindow("VendorBrowse", [](const WindowRequest& r) {
        auto& t = *static_cast<Handle<Vendors>*>(r.table);
        t.rec.NAME = "Baker Tools";
        EXPECT_EQ(t.get(Vendors::byName), ErrorCode::None);
        return WindowResponse{Response::Completed, 0, {}};
    });
    FieldLookup l(m_ui, m_vendors, s);
    // An inactive vendor typed in full is not accepted; picking it is refused too.
    EXPECT_EQ(l.check("Baker Tools").outcome, LookupOutcome::Refused);
    EXPECT_EQ(m_ui.windows().size(), 1u);
    EXPECT_EQ(l.check("Acme Supply").outcome, LookupOutcome::Found);
}

// Counts the vendors of the data set on its own connection, step by step.
class CountJob : public WorkerJob {
public:
    explicit CountJob(std::atomic<bool>* gate = nullptr) : m_gate(gate) {}
    WorkerOutcome run(const std::string& dir, WorkerProgress& progress) override {
        Database db(dir);
        Handle<Vendors> v(db);
        if (v.open() != ErrorCode::None) {
            m_failure = "Vendors could not be opened.";
            return WorkerOutcome::Failed;
        }
        const long total = static_cast<long>(v.records());
        v.set(Vendors::byName);
        long done = 0;
        while (v.next() == ErrorCode::None) {
            while (m_gate && !m_gate->load() && !progress.isCancelled())
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            if (progress.isCancelled()) return WorkerOutcome::Cancelled;
            progress.report(++done, total, v.rec.NAME.str());
        }
        counted = done;
        return WorkerOutcome::Finished;
    }
    std::string failureText() const override { return m_failure; }
    long counted = 0;

private:
    std::atomic<bool>* m_gate;
    std::string m_failure;
};

TEST(WorkerThreadRun, ReportsProgressAndFinishesOnItsOwnConnection) {
    testing::DataDir dir;
    {
        Database db(dir.path());
        Handle<Vendors> v(db);
        testing::openFresh(v);
        for (int i = 0; i < 20; ++i) addVendor(v, "V" + std::to_string(100 + i));
    }
    auto job = std::make_unique<CountJob>();
    CountJob* raw = job.get();
    WorkerThread w(std::move(job), dir.path());
    std::vector<long> seen;
    std::mutex m;
    w.setListener([&](const WorkerState& s) {
        std::lock_guard lock(m);
        seen.push_back(s.done);
    });
    w.start();
    w.wait();
    EXPECT_EQ(w.state().outcome, WorkerOutcome::Finished);
    EXPECT_EQ(w.state().done, 20);
    EXPECT_EQ(w.state().total, 20);
    EXPECT_EQ(raw->counted, 20);
    EXPECT_EQ(seen.size(), 21u);  // every step, then the end
}

TEST(WorkerThreadRun, CancelStopsTheJobAtItsNextStep) {
    testing::DataDir dir;
    {
        Database db(dir.path());
        Handle<Vendors> v(db);
        testing::openFresh(v);
        for (int i = 0; i < 5; ++i) addVendor(v, "V" + std::to_string(i));
    }
    std::atomic<bool> gate{false};
    WorkerThread w(std::make_unique<CountJob>(&gate), dir.path());
    w.start();
    w.cancel();
    w.wait();
    EXPECT_EQ(w.state().outcome, WorkerOutcome::Cancelled);
    EXPECT_EQ(w.state().done, 0);
}

TEST(WorkerThreadRun, FailureCarriesTheJobsText) {
    testing::DataDir dir;
    WorkerThread w(std::make_unique<CountJob>(), dir.path());
    w.start();
    w.wait();
    EXPECT_EQ(w.state().outcome, WorkerOutcome::Failed);
    EXPECT_EQ(w.state().text, "Vendors could not be opened.");
}

}  // namespace
}  // namespace quay::core
