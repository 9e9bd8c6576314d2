// The two mass updates of the Utilities menu: MASSUPDATEPRICECLASSES derives the six
// price classes of every product again from the company's methods, and
// UPDATECUSTSALESTAXES gives every customer that is not exempt the company's default
// sales-tax rates.
//
// Each update is one transaction over its table: either every record is written or,
// when a write fails (or the station is killed midway), none is, and the user is told
// why. The work runs as a WorkerJob on a thread of its own with its own connection, so
// the window keeps answering while a progress bar moves; the window logic here asks
// the questions before and tells the outcome after, through the UI port.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "quay/app/ui_port.h"
#include "quay/export.h"
#include "quay/store/database.h"
#include "quay/ui/worker.h"

namespace quay::util {

// Runs a job to its end and answers its outcome and final state: the desktop shows a
// progress window over a worker thread, tests run it at once.
using JobRunner = std::function<core::WorkerState(std::unique_ptr<core::WorkerJob> job, const std::string& title)>;

// Runs `job` on the calling thread (tests, the command line).
QUAY_EXPORT core::WorkerState runJobHere(std::unique_ptr<core::WorkerJob> job, const std::string& dataDirectory);

// Derives every product's price classes in one transaction. Progress text "Updating "
// and the part number. A product whose derived price would not fit keeps its classes.
class QUAY_EXPORT PriceClassUpdateJob : public core::WorkerJob {
public:
    core::WorkerOutcome run(const std::string& dataDirectory, core::WorkerProgress& progress) override;
    std::string failureText() const override { return m_failure; }
    long updated() const { return m_updated; }

private:
    std::string m_failure;
    long m_updated = 0;
};

// Gives every customer not exempt from tax 1 (tax 2) DEF:SALESTAX1 (DEF:SALESTAX2), in
// one transaction. Progress text "Record: " and the count so far.
class QUAY_EXPORT CustomerTaxUpdateJob : public core::WorkerJob {
public:
    core::WorkerOutcome run(const std::string& dataDirectory, core::WorkerProgress& progress) override;
    std::string failureText() const override { return m_failure; }

private:
    std::string m_failure;
};

// The window logic of "Mass Update Price Classes": company defaults check, the WARNING
// question, the run, and "Update Complete" (SUCCESS) or why nothing was changed.
// Returns true when every product was written.
QUAY_EXPORT bool MASSUPDATEPRICECLASSES(core::UiPort& ui, core::Database& db, const JobRunner& runner);

// The window logic of "Updating Customers": company defaults check and the run; a
// failure says that no customer was changed. Returns true when every customer was written.
QUAY_EXPORT bool UPDATECUSTSALESTAXES(core::UiPort& ui, core::Database& db, const JobRunner& runner);

}  // namespace quay::util
