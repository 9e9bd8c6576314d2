// The six passes. Each walks its table once (charges and payments in customer order
// so that one customer look-up serves all of that customer's records), with keyed
// reads of the related records, and runs inside one transaction over every table it
// may write. Deleting the record just read does not disturb the walk: each read
// seeks the first record after the last one's key.
#include "quay/util/verify_ar_files.h"

#include <algorithm>
#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <utility>

#include "quay/app/table_access.h"
#include "quay/store/transaction.h"
#include "quay/tables/applied.h"
#include "quay/tables/charges.h"
#include "quay/tables/customer.h"
#include "quay/tables/orders.h"
#include "quay/tables/payments.h"

namespace quay::util {

using core::ErrorCode;

namespace {

// True when every account table is free of other handles (a table without a file
// yet counts as free).
template <class R>
bool isFree(core::Database& db) {
    core::Handle<R> h(db);
    const ErrorCode c = h.open(core::OpenMode::Exclusive);
    if (c == ErrorCode::None) {
        h.close();
        return true;
    }
    return c == ErrorCode::FileNotFound;
}

struct Tables {
    Tables(core::Database& db, core::UiPort& ui) : app(db, ui), chg(db, ui), pay(db, ui), cus(db, ui), ord(db, ui) {}
    bool isOpen() const { return app.isOpen() && chg.isOpen() && pay.isOpen() && cus.isOpen() && ord.isOpen(); }
    core::HeldTable<core::Applied> app;
    core::HeldTable<core::Charges> chg;
    core::HeldTable<core::Payments> pay;
    core::HeldTable<core::Customer> cus;
    core::HeldTable<core::Orders> ord;
};

bool customerExists(Tables& t, std::string_view name) {
    t.cus.handle.clear();
    t.cus.rec().Name = name;
    return t.cus.handle.get(core::Customer::byName) == ErrorCode::None;
}

// The applications in the order of one of their numbers, read in step with a walk
// of payments (charges) in that number's order: sumFor(id) with rising ids gives the
// total applied to each.
class AppliedRun {
public:
    AppliedRun(core::Table& app, core::KeyId key, std::int32_t core::Applied::*number) : m_app(app), m_number(number) {
        m_app.set(key);
        m_app.send("QUICKSCAN=on");
        advance();
    }
    ~AppliedRun() { m_app.send("QUICKSCAN=off"); }
    AppliedRun(const AppliedRun&) = delete;
    AppliedRun& operator=(const AppliedRun&) = delete;

    std::int64_t sumFor(std::int32_t id) {
        while (m_has && rec().*m_number < id) advance();
        std::int64_t sum = 0;
        while (m_has && rec().*m_number == id) {
            sum += rec().AMOUNT.scaled();
            advance();
        }
        return sum;
    }

private:
    const core::Applied& rec() const { return *static_cast<const core::Applied*>(m_app.buffer()); }
    void advance() { m_has = m_app.next() == ErrorCode::None; }

    core::Table& m_app;
    std::int32_t core::Applied::*m_number;
    bool m_has = false;
};

// Names in the order the case-insensitive keys give them: letters compared without
// regard to case, a name before every longer name it begins.
int compareNoCase(std::string_view a, std::string_view b) {
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const unsigned char x = static_cast<unsigned char>(a[i]), y = static_cast<unsigned char>(b[i]);
        const int fx = (x >= 'A' && x <= 'Z') ? x + 32 : x, fy = (y >= 'A' && y <= 'Z') ? y + 32 : y;
        if (fx != fy) return fx < fy ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

// Reads the walked table in blocks for the length of a pass.
class ReadAhead {
public:
    explicit ReadAhead(core::Table& t) : m_table(t) { m_table.send("QUICKSCAN=on"); }
    ~ReadAhead() { m_table.send("QUICKSCAN=off"); }
    ReadAhead(const ReadAhead&) = delete;
    ReadAhead& operator=(const ReadAhead&) = delete;

private:
    core::Table& m_table;
};

}  // namespace

void VerifyArFiles::show(const std::string& status) {
    m_status = status;
    if (m_progress) m_progress(m_status, m_report.records);
}

void VerifyArFiles::counted() {
    ++m_report.records;
    if (m_progress && m_report.records % 10 == 0) m_progress(m_status, m_report.records);
}

bool VerifyArFiles::run() {
    m_report = VerifyReport{};
    if (!isFree<core::Applied>(m_db) || !isFree<core::Charges>(m_db) || !isFree<core::Payments>(m_db) ||
        !isFree<core::Customer>(m_db) || !isFree<core::Orders>(m_db)) {
        m_ui.message(kFilesOpenCaption, kFilesOpenText, core::Icon::Warning, core::Button::Ok, core::Button::Ok);
        return false;
    }
    Tables t(m_db, m_ui);
    if (!t.isOpen()) return false;
    m_ui.setBusy(true);

    // Runs passes in one transaction; what they did is kept only when it commits, so
    // an interrupted pass leaves nothing half done. Most passes stand alone; the
    // removal of applications and the two balance passes that follow it commit
    // together, because a payment or charge whose application is gone is out of step
    // with it until its balance has been corrected.
    using Pass = std::pair<const char*, std::function<void()>>;
    auto passes = [&](std::initializer_list<Pass> steps) {
        core::Transaction tx(m_db, {&t.app.handle, &t.chg.handle, &t.pay.handle, &t.cus.handle, &t.ord.handle});
        if (tx.begin() != ErrorCode::None) return;
        const VerifyReport before = m_report;
        for (const Pass& step : steps) {
            show(step.first);
            step.second();
        }
        if (tx.commit() != ErrorCode::None) {
            const std::int64_t records = m_report.records;
            m_report = before;
            m_report.records = records;
        }
    };
    auto pass = [&](const char* status, std::function<void()> body) { passes({Pass{status, std::move(body)}}); };

    pass("Crossreferencing Charges to Customers / Orders", [&] {
        core::Charges& c = t.chg.rec();
        std::string known;  // the last customer found
        t.chg.handle.set(core::Charges::byCustomer);
        ReadAhead ahead(t.chg.handle);
        while (t.chg.handle.next() == ErrorCode::None) {
            counted();
            bool invalid = c.Customer.isBlank();
            if (!invalid && c.INVOICENUM != 0) {
                t.ord.handle.clear();
                t.ord.rec().InvoiceNum = c.INVOICENUM;
                invalid = t.ord.handle.get(core::Orders::byInvoiceNum) != ErrorCode::None;
            }
            if (!invalid && c.Customer.view() != known) {
                if (customerExists(t, c.Customer.view()))
                    known = c.Customer.str();
                else
                    invalid = true;
            }
            if (invalid && t.chg.handle.erase() == ErrorCode::None) ++m_report.chargesDeleted;
        }
    });

    pass("Crossreferencing Payments to Customers", [&] {
        core::Payments& p = t.pay.rec();
        std::string known;
        t.pay.handle.set(core::Payments::byCustomer);
        ReadAhead ahead(t.pay.handle);
        while (t.pay.handle.next() == ErrorCode::None) {
            counted();
            bool invalid = p.Customer.isBlank();
            if (!invalid && p.Customer.view() != known) {
                if (customerExists(t, p.Customer.view()))
                    known = p.Customer.str();
                else
                    invalid = true;
            }
            if (invalid && t.pay.handle.erase() == ErrorCode::None) ++m_report.paymentsDeleted;
        }
    });

    const std::function<void()> checkApplied = [&] {
        core::Applied& a = t.app.rec();
        t.app.handle.setFileOrder();
        ReadAhead ahead(t.app.handle);
        while (t.app.handle.next() == ErrorCode::None) {
            counted();
            bool invalid = a.PayId == 0 || a.ChgId == 0;
            if (!invalid) {
                t.pay.handle.clear();
                t.pay.rec().Id = a.PayId;
                invalid = t.pay.handle.get(core::Payments::byId) != ErrorCode::None;
            }
            if (!invalid) {
                t.chg.handle.clear();
                t.chg.rec().Id = a.ChgId;
                invalid = t.chg.handle.get(core::Charges::byId) != ErrorCode::None;
            }
            if (invalid && t.app.handle.erase() == ErrorCode::None) ++m_report.appliedDeleted;
        }
    };

    // Passes 4 and 5 walk the payments (charges) in number order beside the
    // applications in the same number's order, so each sum is read in step with its
    // record instead of sought for each one.
    const std::function<void()> paymentBalances = [&] {
        core::Payments& p = t.pay.rec();
        AppliedRun run(t.app.handle, core::Applied::byPayId, &core::Applied::PayId);
        t.pay.handle.set(core::Payments::byId);
        ReadAhead ahead(t.pay.handle);
        while (t.pay.handle.next() == ErrorCode::None) {
            counted();
            const std::int64_t unapplied = p.AMOUNT.scaled() - run.sumFor(p.Id);
            if (unapplied == p.UNAPPAMT.scaled() || !core::Decimal<13, 2>::fits(unapplied)) continue;
            p.UNAPPAMT = core::Decimal<13, 2>::fromScaled(unapplied);
            p.Applied = unapplied == 0 ? 1 : 0;
            if (t.pay.handle.put() == ErrorCode::None) ++m_report.paymentsCorrected;
        }
    };

    const std::function<void()> chargeBalances = [&] {
        core::Charges& c = t.chg.rec();
        AppliedRun run(t.app.handle, core::Applied::byChgId, &core::Applied::ChgId);
        t.chg.handle.set(core::Charges::byId);
        ReadAhead ahead(t.chg.handle);
        while (t.chg.handle.next() == ErrorCode::None) {
            counted();
            const std::int64_t unpaid = c.AMOUNT.scaled() - run.sumFor(c.Id);
            if (unpaid == c.UNPAIDBAL.scaled() || !core::Decimal<13, 2>::fits(unpaid)) continue;
            c.UNPAIDBAL = core::Decimal<13, 2>::fromScaled(unpaid);
            c.Paid = unpaid == 0 ? 1 : 0;
            if (t.chg.handle.put() == ErrorCode::None) ++m_report.chargesCorrected;
        }
    };
    passes({{"Checking Applied.tps", checkApplied},
            {"Checking Payment Applied Balances", paymentBalances},
            {"Checking Charges Paid Balances", chargeBalances}});

    pass("Calculating Customer Balances", [&] {
        // The balance as GETCUSTBALANCE computes it (open charges less open payments).
        // Customers, charges and payments are each walked once in customer-name order
        // (the keys order names without regard to case), summing each customer's open
        // records as the walk passes them, instead of seeking them customer by customer.
        core::Customer& cu = t.cus.rec();
        t.chg.handle.set(core::Charges::byCustPaidDate);
        t.pay.handle.set(core::Payments::byCustAppDate);
        ReadAhead aheadChg(t.chg.handle);
        ReadAhead aheadPay(t.pay.handle);
        bool hasChg = t.chg.handle.next() == ErrorCode::None;
        bool hasPay = t.pay.handle.next() == ErrorCode::None;
        t.cus.handle.set(core::Customer::byName);
        ReadAhead ahead(t.cus.handle);
        while (t.cus.handle.next() == ErrorCode::None) {
            counted();
            const std::string_view name = cu.Name.view();
            std::int64_t cents = 0;
            while (hasChg && compareNoCase(t.chg.rec().Customer.view(), name) < 0)
                hasChg = t.chg.handle.next() == ErrorCode::None;
            for (; hasChg && compareNoCase(t.chg.rec().Customer.view(), name) == 0;
                 hasChg = t.chg.handle.next() == ErrorCode::None)
                if (t.chg.rec().Paid == 0) cents += t.chg.rec().UNPAIDBAL.scaled();
            while (hasPay && compareNoCase(t.pay.rec().Customer.view(), name) < 0)
                hasPay = t.pay.handle.next() == ErrorCode::None;
            for (; hasPay && compareNoCase(t.pay.rec().Customer.view(), name) == 0;
                 hasPay = t.pay.handle.next() == ErrorCode::None)
                if (t.pay.rec().Applied == 0) cents -= t.pay.rec().UNAPPAMT.scaled();
            if (cents == cu.BALANCEDUE.scaled() || !core::Decimal<13, 2>::fits(cents)) continue;
            cu.BALANCEDUE = core::Decimal<13, 2>::fromScaled(cents);
            if (t.cus.handle.put() == ErrorCode::None) ++m_report.balancesCorrected;
        }
    });

    show("Analysis complete");
    m_ui.setBusy(false);
    m_ui.message("DONE", "Analysis complete", core::Icon::Information, core::Button::Ok, core::Button::Ok);
    return true;
}

bool VERIFYARFILES(core::Database& db, core::UiPort& ui, VerifyReport* report) {
    VerifyArFiles v(db, ui);
    const bool ran = v.run();
    if (report) *report = v.report();
    return ran;
}

}  // namespace quay::util
