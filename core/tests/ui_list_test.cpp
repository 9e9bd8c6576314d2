// The list window pattern over a real vendors table: pages in key order, the
// "Active" box, tabs, the locator, the form commands with the list re-read
// afterwards, select mode, and the read hints around every page.
#include <algorithm>
#include <tuple>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "quay/app/globals.h"
#include "quay/app/scripted_ui.h"
#include "quay/tables/customer.h"
#include "quay/ui/field_lookup.h"
#include "quay/ui/list_errors.h"
#include "quay/ui/list_window.h"
#include "ui_test_support.h"

namespace quay::core {
namespace {

using testing::addVendor;

ListSpec vendorSpec() {
    ListSpec s;
    s.procedure = "VendorBrowse";
    s.title = "Vendor List";
    s.formProcedure = "VendorForm";
    s.columns = {{"Name / Company", 20}, {"First Name", 12}, {"City", 12}};
    s.format = rowCells<Vendors>([](const Vendors& v) {
        return std::vector<std::string>{v.NAME.str(), v.FIRSTNAME.str(), v.CITY.str()};
    });
    const int name = Vendors::desc().fieldIndex("NAME");
    const int first = Vendors::desc().fieldIndex("FIRSTNAME");
    s.tabs = {{"by &Vendor Name", Vendors::byActiveName, name}, {"by &First Name", Vendors::byActiveFirstName, first}};
    s.activeField = Vendors::desc().fieldIndex("Active");
    s.activeTip = "Active Vendors Only";
    return s;
}

std::string vendorName(int i) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "V%04d", i);
    return buf;
}

std::vector<std::string> names(const ListWindow& w) {
    std::vector<std::string> out;
    for (std::size_t i = 0; i < w.rowCount(); ++i) out.push_back(w.row(i).cells[0]);
    return out;
}

class ListWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        glo.reset();
        testing::openFresh(m_vendors);
    }
    std::string currentName(const ListWindow& w) {
        const auto c = w.current();
        return c ? w.row(*c).cells[0] : std::string("<none>");
    }

    testing::DataDir m_dir;
    Database m_db{m_dir.path()};
    Handle<Vendors> m_vendors{m_db};
    ScriptedUi m_ui;
};

TEST_F(ListWindowTest, OpensOnTheFirstPageAndPagesForwardToTheEnd) {
    for (int i = 249; i >= 0; --i) addVendor(m_vendors, vendorName(i));
    ListWindow w(m_ui, m_vendors, vendorSpec(), {});
    w.open();
    ASSERT_EQ(w.rowCount(), ListPager::kPageSize);
    EXPECT_EQ(w.row(0).cells[0], "V0000");
    EXPECT_EQ(w.row(99).cells[0], "V0099");
    EXPECT_TRUE(w.pager().atStart());
    EXPECT_FALSE(w.pager().atEnd());
    EXPECT_EQ(w.fetchAfter(), 100u);
    EXPECT_EQ(w.fetchAfter(), 50u);
    EXPECT_TRUE(w.pager().atEnd());
    EXPECT_EQ(w.fetchAfter(), 0u);
    const auto all = names(w);
    EXPECT_TRUE(std::is_sorted(all.begin(), all.end()));
    EXPECT_EQ(all.back(), "V0249");
    EXPECT_EQ(currentName(w), "V0000");
}

TEST_F(ListWindowTest, ActiveBoxLeavesOutInactiveRecordsUntilCleared) {
    addVendor(m_vendors, "Acme", 1);
    addVendor(m_vendors, "Baker", 0);
    addVendor(m_vendors, "Carter", 1);
    addVendor(m_vendors, "Dunn", 0);
    ListWindow w(m_ui, m_vendors, vendorSpec(), {});
    w.open();
    EXPECT_TRUE(w.activeOnly());
    EXPECT_EQ(names(w), (std::vector<std::string>{"Acme", "Carter"}));
    EXPECT_TRUE(w.pager().atEnd());
    w.toEnd();
    EXPECT_EQ(names(w), (std::vector<std::string>{"Acme", "Carter"}));
    EXPECT_EQ(currentName(w), "Carter");

    w.setActiveOnly(false);
    // The active key orders inactive records first.
    EXPECT_EQ(names(w), (std::vector<std::string>{"Baker", "Dunn", "Acme", "Carter"}));
    EXPECT_EQ(currentName(w), "Carter");
}

TEST_F(ListWindowTest, TabChoosesTheKeyAndKeepsTheHighlightedRecord) {
    addVendor(m_vendors, "Acme", 1, "Zoe");
    addVendor(m_vendors, "Baker", 1, "Adam");
    addVendor(m_vendors, "Carter", 1, "Mia");
    ListWindow w(m_ui, m_vendors, vendorSpec(), {});
    w.open();
    w.setCurrent(2);
    ASSERT_EQ(currentName(w), "Carter");
    w.selectTab(1);
    EXPECT_EQ(w.tab(), 1);
    EXPECT_EQ(names(w), (std::vector<std::string>{"Baker", "Carter", "Acme"}));
    EXPECT_EQ(currentName(w), "Carter");
}

TEST_F(ListWindowTest, LocatorFindsTheFirstRecordAtOrAfterTheTypedText) {
    for (int i = 0; i < 600; ++i) addVendor(m_vendors, vendorName(i));
    addVendor(m_vendors, "Baker");
    ListWindow w(m_ui, m_vendors, vendorSpec(), {});
    w.open();

    // Columns: typed text, the record highlighted.
    const std::pair<const char*, const char*> cases[] = {{"v03", "V0300"}, {"V0450", "V0450"}, {"V04505", "V0451"},
                                                         {"b", "Baker"},   {"A", "Baker"},     {"zzz", "V0599"}};
    for (const auto& [typed, expected] : cases) {
        SCOPED_TRACE(typed);
        w.locate(typed);
        EXPECT_EQ(currentName(w), expected);
        const auto all = names(w);
        EXPECT_TRUE(std::is_sorted(all.begin(), all.end()));
    }
    // From a located row the list scrolls back towards the start in order.
    w.locate("V0300");
    const std::size_t before = w.rowCount();
    EXPECT_GT(w.fetchBefore(), 0u);
    EXPECT_GT(w.rowCount(), before);
    EXPECT_EQ(currentName(w), "V0300");
    const auto all = names(w);
    EXPECT_TRUE(std::is_sorted(all.begin(), all.end()));
}

TEST_F(ListWindowTest, InsertRunsTheFormAndHighlightsTheNewRecord) {
    addVendor(m_vendors, "Acme");
    addVendor(m_vendors, "Carter");
    m_ui.onWindow("VendorForm", [](const WindowRequest& r) {
        EXPECT_EQ(r.request, Request::Insert);
        auto& t = *static_cast<Handle<Vendors>*>(r.table);
        t.clear();
        t.rec.NAME = "Baker";
        t.rec.Active = 1;
        EXPECT_EQ(t.add(), ErrorCode::None);
        return WindowResponse{Response::Completed, 0, {}};
    });
    ListWindow w(m_ui, m_vendors, vendorSpec(), {});
    w.open();
    w.insert();
    EXPECT_EQ(glo.GlobalRequest, Request::Insert);
    EXPECT_EQ(w.lastFormResponse(), Response::Completed);
    EXPECT_EQ(names(w), (std::vector<std::string>{"Acme", "Baker", "Carter"}));
    EXPECT_EQ(currentName(w), "Baker");
}

TEST_F(ListWindowTest, ChangeHandsTheFormTheHighlightedRecordAndShowsTheChange) {
    addVendor(m_vendors, "Acme", 1, "", "Boston");
    addVendor(m_vendors, "Baker", 1, "", "Denver");
    std::string seen;
    m_ui.onWindow("VendorForm", [&seen](const WindowRequest& r) {
        EXPECT_EQ(r.request, Request::Change);
        auto& t = *static_cast<Handle<Vendors>*>(r.table);
        seen = t.rec.NAME.str();
        t.rec.CITY = "Austin";
        EXPECT_EQ(t.put(), ErrorCode::None);
        return WindowResponse{Response::Completed, 0, {}};
    });
    ListWindow w(m_ui, m_vendors, vendorSpec(), {});
    w.open();
    w.setCurrent(1);
    w.activate();  // Enter outside select mode changes
    EXPECT_EQ(seen, "Baker");
    ASSERT_EQ(w.rowCount(), 2u);
    EXPECT_EQ(w.row(1).cells[2], "Austin");
    EXPECT_EQ(currentName(w), "Baker");
}

TEST_F(ListWindowTest, DeleteMovesTheHighlightToTheNextRecord) {
    addVendor(m_vendors, "Acme");
    addVendor(m_vendors, "Baker");
    addVendor(m_vendors, "Carter");
    m_ui.onWindow("VendorForm", [](const WindowRequest& r) {
        EXPECT_EQ(r.request, Request::Delete);
        EXPECT_EQ(r.table->erase(), ErrorCode::None);
        return WindowResponse{Response::Completed, 0, {}};
    });
    ListWindow w(m_ui, m_vendors, vendorSpec(), {});
    w.open();
    w.setCurrent(1);
    w.remove();
    EXPECT_EQ(names(w), (std::vector<std::string>{"Acme", "Carter"}));
    EXPECT_EQ(currentName(w), "Carter");
}

TEST_F(ListWindowTest, CancelledFormStillShowsOtherStationsChanges) {
    addVendor(m_vendors, "Acme");
    Handle<Vendors> other(m_db);
    ASSERT_EQ(other.open(), ErrorCode::None);
    m_ui.onWindow("VendorForm", [&other](const WindowRequest&) {
        addVendor(other, "Zed");
        return WindowResponse{Response::Cancelled, 0, {}};
    });
    ListWindow w(m_ui, m_vendors, vendorSpec(), {});
    w.open();
    w.change();
    EXPECT_EQ(w.lastFormResponse(), Response::Cancelled);
    EXPECT_EQ(names(w), (std::vector<std::string>{"Acme", "Zed"}));
    EXPECT_EQ(currentName(w), "Acme");
}

TEST_F(ListWindowTest, SelectModeAnswersCompletedWithThePickedRecord) {
    addVendor(m_vendors, "Acme");
    addVendor(m_vendors, "Baker");
    ListWindow w(m_ui, m_vendors, vendorSpec(), WindowRequest{Request::Select, nullptr, 0, {}});
    w.open();
    ASSERT_TRUE(w.isSelecting());
    w.setCurrent(1);
    m_vendors.clear();
    w.activate();  // double-click picks in select mode
    EXPECT_TRUE(w.isClosed());
    EXPECT_EQ(w.response().response, Response::Completed);
    EXPECT_EQ(glo.GlobalResponse, Response::Completed);
    EXPECT_EQ(m_vendors.rec.NAME.str(), "Baker");
    EXPECT_TRUE(m_ui.windows().empty());
}

TEST_F(ListWindowTest, SelectModeClosedWithoutPickAnswersCancelled) {
    addVendor(m_vendors, "Acme");
    ListWindow w(m_ui, m_vendors, vendorSpec(), WindowRequest{Request::Select, nullptr, 0, {}});
    w.open();
    w.close();
    EXPECT_EQ(w.response().response, Response::Cancelled);
    EXPECT_EQ(glo.GlobalResponse, Response::Cancelled);

    ListWindow plain(m_ui, m_vendors, vendorSpec(), {});
    plain.open();
    EXPECT_FALSE(plain.select());
    EXPECT_FALSE(plain.isClosed());
}

TEST_F(ListWindowTest, EdgeRowDeletedByAnotherStationReloadsTheList) {
    for (int i = 0; i < 150; ++i) addVendor(m_vendors, vendorName(i));
    ListWindow w(m_ui, m_vendors, vendorSpec(), {});
    w.open();
    Handle<Vendors> other(m_db);
    ASSERT_EQ(other.open(), ErrorCode::None);
    other.rec.NAME = "V0099";
    ASSERT_EQ(other.get(Vendors::byName), ErrorCode::None);
    ASSERT_EQ(other.erase(), ErrorCode::None);
    w.fetchAfter();
    const auto all = names(w);
    EXPECT_EQ(std::count(all.begin(), all.end(), "V0099"), 0);
    EXPECT_EQ(all.front(), "V0000");
}

// Counts what the window tells its view about its rows.
class CountingObserver : public ListObserver {
public:
    void rowsReset() override { ++resets; }
    void rowsAdded(bool front, std::size_t n) override { (front ? addedFront : addedBack) += n; }
    void rowsAboutToDrop(bool front, std::size_t n) override {
        (front ? droppedFront : droppedBack) += n;
        ++open;
    }
    void rowsDropped() override { --open; }
    void closed() override { ++closes; }
    int resets = 0, open = 0, closes = 0;
    std::size_t addedFront = 0, addedBack = 0, droppedFront = 0, droppedBack = 0;
};

TEST_F(ListWindowTest, WindowKeepsItsRowLimitAndTellsTheViewWhatItDrops) {
    for (int i = 0; i < 1500; ++i) addVendor(m_vendors, vendorName(i));
    ListWindow w(m_ui, m_vendors, vendorSpec(), {});
    CountingObserver seen;
    w.setObserver(&seen);
    w.open();
    while (w.fetchAfter() > 0) {
    }
    EXPECT_EQ(w.rowCount(), ListPager::kMaxRows);
    EXPECT_EQ(w.row(0).cells[0], vendorName(500));
    EXPECT_EQ(w.row(w.rowCount() - 1).cells[0], "V1499");
    EXPECT_EQ(seen.addedBack, 1400u);
    EXPECT_EQ(seen.droppedFront, 500u);
    EXPECT_EQ(seen.open, 0);  // every drop announced was finished
    // Back towards the start the far end goes instead.
    while (w.fetchBefore() > 0) {
    }
    EXPECT_EQ(w.rowCount(), ListPager::kMaxRows);
    EXPECT_EQ(w.row(0).cells[0], "V0000");
    EXPECT_EQ(seen.droppedBack, 500u);
    const auto all = names(w);
    EXPECT_TRUE(std::is_sorted(all.begin(), all.end()));
    w.setObserver(nullptr);
}

// A pager that records the hints it sends.
class HintPager : public ListPager {
public:
    HintPager(Table& t, RowFormatter f, std::vector<std::string>& hints) : ListPager(t, std::move(f)), m_hints(hints) {}

protected:
    void sendHint(const char* hint) override {
        m_hints.emplace_back(hint);
        ListPager::sendHint(hint);
    }

private:
    std::vector<std::string>& m_hints;
};

class HintListWindow : public ListWindow {
public:
    using ListWindow::ListWindow;
    std::vector<std::string> hints;

protected:
    std::unique_ptr<ListPager> makePager(Table& t, RowFormatter f) override {
        return std::make_unique<HintPager>(t, std::move(f), hints);
    }
};

TEST_F(ListWindowTest, EveryPageReadIsBracketedByQuickScanHints) {
    for (int i = 0; i < 150; ++i) addVendor(m_vendors, vendorName(i));
    HintListWindow w(m_ui, m_vendors, vendorSpec(), {});
    w.open();
    EXPECT_EQ(w.hints, (std::vector<std::string>{"QUICKSCAN=on", "QUICKSCAN=off"}));
    w.fetchAfter();
    w.locate("V0120");
    ASSERT_EQ(w.hints.size() % 2, 0u);
    for (std::size_t i = 0; i < w.hints.size(); ++i)
        EXPECT_EQ(w.hints[i], i % 2 == 0 ? "QUICKSCAN=on" : "QUICKSCAN=off") << i;
    EXPECT_GE(w.hints.size(), 6u);
}

// A data set whose Customer table has one data page overwritten, as a disk fault or
// a half-copied file leaves it: the list must say so, never show an empty list.
class DamagedCustomers : public ::testing::Test {
protected:
    static constexpr int kCustomers = 400;
    void SetUp() override {
        glo.reset();
        {
            Database db(m_dir.path());
            Handle<Customer> c(db);
            testing::openFresh(c);
            for (int i = 0; i < kCustomers; ++i) {
                char name[40];
                std::snprintf(name, sizeof name, "Harbour customer %04d", i);
                c.clear();
                c.rec.Name = name;
                c.rec.Active = 1;
                c.rec.CITY = "Gloucester";
                ASSERT_EQ(c.add(), ErrorCode::None);
            }
        }  // closing the last connection writes every page into the database file
        overwriteAPageHolding("Harbour customer 0000");
        m_db = std::make_unique<Database>(m_dir.path());
        ASSERT_TRUE(m_db->isOpen());
        m_customers = std::make_unique<Handle<Customer>>(*m_db);
        ASSERT_EQ(m_customers->open(), ErrorCode::None);
    }
    // Overwrites the database page that holds `text` with bytes no page can hold.
    void overwriteAPageHolding(const std::string& text) {
        const std::string file = m_dir.path() + "/billquay.sqlite3";
        std::string bytes;
        {
            std::ifstream in(file, std::ios::binary);
            bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        }
        ASSERT_GT(bytes.size(), 100u);
        const std::size_t pageSize =
            (static_cast<unsigned char>(bytes[16]) << 8) | static_cast<unsigned char>(bytes[17]);
        const std::size_t at = bytes.find(text);
        ASSERT_NE(at, std::string::npos);
        const std::size_t page = at / pageSize;
        ASSERT_GT(page, 0u);  // never the header page
        std::fstream out(file, std::ios::binary | std::ios::in | std::ios::out);
        out.seekp(static_cast<std::streamoff>(page * pageSize));
        const std::string junk(pageSize, '\xA5');
        out.write(junk.data(), static_cast<std::streamsize>(junk.size()));
    }
    static ListSpec customerSpec() {
        ListSpec s;
        s.procedure = "CustomerBrowse";
        s.title = "Customer List";
        s.formProcedure = "CustomerForm";
        s.columns = {{"Name / Company", 35}, {"City", 20}};
        s.format = rowCells<Customer>([](const Customer& c) {
            return std::vector<std::string>{c.Name.str(), c.CITY.str()};
        });
        s.tabs = {{"by &Name / Company", Customer::byActiveName, listField(Customer::desc(), "Name")}};
        s.activeField = listField(Customer::desc(), "Active");
        return s;
    }
    // The captions of the messages shown so far.
    std::vector<std::string> captions() const {
        std::vector<std::string> out;
        for (const auto& m : m_ui.messages()) out.push_back(m.caption);
        return out;
    }

    testing::DataDir m_dir;
    std::unique_ptr<Database> m_db;
    std::unique_ptr<Handle<Customer>> m_customers;
    ScriptedUi m_ui;
};

TEST_F(DamagedCustomers, ListSaysTheTableCannotBeReadAndClosesInsteadOfShowingNothing) {
    ListWindow w(m_ui, *m_customers, customerSpec(), {});
    w.open();
    ASSERT_EQ(captions(), (std::vector<std::string>{"Record Retrieval Error", kDamagedDataCaption}));
    const std::string& retrieval = m_ui.messages()[0].text;
    EXPECT_EQ(retrieval.find("Error: ("), 0u) << retrieval;
    EXPECT_NE(retrieval.find("attempting to access a record from the Customer file.  Returning to previous window."),
              std::string::npos)
        << retrieval;
    EXPECT_EQ(m_ui.messages()[1].text, damagedDataText("Customer"));
    EXPECT_NE(m_ui.messages()[1].text.find("restore the data from the last good backup"), std::string::npos);
    EXPECT_TRUE(w.isClosed());
    EXPECT_EQ(w.response().response, Response::Cancelled);
    EXPECT_EQ(w.rowCount(), 0u);
    // Nothing was written while reporting it: the file still fails the same way.
    Handle<Customer> again(*m_db);
    ASSERT_EQ(again.open(), ErrorCode::None);
    again.set(Customer::byActiveName);
    ErrorCode e = ErrorCode::None;
    for (int i = 0; i < kCustomers && e == ErrorCode::None; ++i) e = again.next();
    EXPECT_EQ(e, ErrorCode::DriverError);
}

TEST_F(DamagedCustomers, LookUpReportsTheDamageInsteadOfOfferingTheList) {
    LookupSpec spec;
    spec.key = Customer::byName;
    spec.field = listField(Customer::desc(), "Name");
    spec.listProcedure = "CUSTOMERBROWSE";
    FieldLookup lookup(m_ui, *m_customers, spec);
    const LookupResult r = lookup.check("Harbour customer 0000");
    EXPECT_FALSE(r.accepted());
    EXPECT_EQ(captions(), (std::vector<std::string>{"Record Retrieval Error", kDamagedDataCaption}));
    EXPECT_TRUE(m_ui.windows().empty());  // the list was not offered
}

TEST(ReadErrors, OnlyTheEnginesDamageCodesCountAsADamagedDataSet) {
    // Columns: record-store code, the engine's code, damaged.
    const std::tuple<ErrorCode, int, bool> cases[] = {
        {ErrorCode::DriverError, 11, true},   // SQLITE_CORRUPT
        {ErrorCode::DriverError, 267, true},  // SQLITE_CORRUPT_VTAB, an extended code
        {ErrorCode::DriverError, 26, true},   // SQLITE_NOTADB
        {ErrorCode::DriverError, 10, false},  // SQLITE_IOERR: the disk, not the data
        {ErrorCode::DriverError, 13, false},  // SQLITE_FULL
        {ErrorCode::RecordNotAvailable, 0, false},
    };
    for (const auto& [code, engine, damaged] : cases) {
        SCOPED_TRACE(engine);
        SavedError e;
        e.code = code;
        e.driverCode = engine;
        EXPECT_EQ(isDamagedData(e), damaged);
    }
}

}  // namespace
}  // namespace quay::core
