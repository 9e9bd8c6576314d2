// VERIFYARFILES ("Analyze AR files"): the repair of the accounts-receivable tables.
// Six passes, in order:
//
//   1 "Crossreferencing Charges to Customers / Orders"  charges of no customer, of a
//     blank one, or of an invoice no order has, are deleted
//   2 "Crossreferencing Payments to Customers"          payments of no customer (or a
//     blank one) are deleted
//   3 "Checking Applied.tps"                            applications naming no payment
//     or no charge are deleted
//   4 "Checking Payment Applied Balances"               each payment's unapplied amount
//     is set to its amount less its applications where it differs
//   5 "Checking Charges Paid Balances"                  each charge's unpaid balance
//     likewise
//   6 "Calculating Customer Balances"                   each customer's stored balance
//     due is set to its current balance
//
// The run starts only when no other window or station holds an account table (each
// is opened exclusively and closed again), since others' postings would race the
// passes. Each pass is one transaction: a run that is killed or fails part-way
// leaves every table as the last finished pass left it, never half a pass.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "quay/app/ui_port.h"
#include "quay/export.h"
#include "quay/store/database.h"

namespace quay::util {

// What a run changed, pass by pass.
struct VerifyReport {
    std::int64_t chargesDeleted = 0;
    std::int64_t paymentsDeleted = 0;
    std::int64_t appliedDeleted = 0;
    std::int64_t paymentsCorrected = 0;
    std::int64_t chargesCorrected = 0;
    std::int64_t balancesCorrected = 0;
    std::int64_t records = 0;  // records read over all passes
    std::int64_t changes() const {
        return chargesDeleted + paymentsDeleted + appliedDeleted + paymentsCorrected + chargesCorrected +
               balancesCorrected;
    }
};

class QUAY_EXPORT VerifyArFiles {
public:
    static constexpr const char* kProcedure = "VerifyARFiles";
    static constexpr const char* kTitle = "Analyze AR files";
    static constexpr const char* kIntro =
        "This procedure will check all the AR files, update all customer balances, and remove any invalid records.";
    static constexpr const char* kWarning = "This may take some time and it can't be interrupted.";
    static constexpr const char* kFilesOpenCaption = "Request Cancelled, Files Open";
    static constexpr const char* kFilesOpenText = "Make sure all other users are out of Billquay.";

    // Receives the status text and the record counter (every 10 records and at each
    // pass); the desktop redraws the window from it.
    using Progress = std::function<void(const std::string& status, std::int64_t records)>;

    VerifyArFiles(core::Database& db, core::UiPort& ui) : m_db(db), m_ui(ui) {}
    void setProgress(Progress p) { m_progress = std::move(p); }

    // "&Ok": runs the six passes and says "Analysis complete". False when the run was
    // refused (tables in use) or could not start; nothing was changed then.
    bool run();
    const VerifyReport& report() const { return m_report; }
    const std::string& status() const { return m_status; }

private:
    void show(const std::string& status);
    void counted();

    core::Database& m_db;
    core::UiPort& m_ui;
    Progress m_progress;
    VerifyReport m_report;
    std::string m_status;
};

// The procedure as the menu calls it, for programs without the desktop window.
QUAY_EXPORT bool VERIFYARFILES(core::Database& db, core::UiPort& ui, VerifyReport* report = nullptr);

}  // namespace quay::util
