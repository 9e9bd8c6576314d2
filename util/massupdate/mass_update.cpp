// The mass updates. Both walk their table in file order inside one write transaction:
// the connection is this job's own, so the walk never meets a window's handle, and a
// failure at any record rolls every record back. Progress is reported about two
// hundred times a run, so the window thread is never flooded however long the table.
#include "quay/util/mass_update.h"

#include <algorithm>

#include "quay/app/scripted_ui.h"
#include "quay/app/table_open.h"
#include "quay/defaults/company_defaults.h"
#include "quay/defaults/price_classes.h"
#include "quay/store/transaction.h"
#include "quay/tables/customer.h"
#include "quay/tables/defaults.h"
#include "quay/tables/products.h"

namespace quay::util {

using namespace core;

namespace {

class DirectProgress : public WorkerProgress {
public:
    void report(long done, long total, const std::string& text) override {
        state.done = done;
        state.total = total;
        state.text = text;
    }
    bool isCancelled() const override { return false; }
    WorkerState state;
};

std::string reasonOf(const Table& t) {
    return t.errorText() + " (" + std::to_string(static_cast<int>(t.lastError())) + ")";
}

long reportStep(long total) { return std::max<long>(1, total / 200); }

// Opens the company record and the table to update on the job's own connection.
template <class R>
bool openForUpdate(Database& db, Handle<Defaults>& defaults, Handle<R>& table, std::string& failure) {
    ScriptedUi quiet;  // a worker thread asks nothing; the failure goes back to the window
    if (!db.isOpen()) {
        failure = "The data set could not be opened: " + db.driverErrorText();
        return false;
    }
    if (openTable(quiet, defaults, false) != OpenOutcome::Opened || GETCOMPANYDEFAULTS(defaults, 1) != 0) {
        failure = "Please set company defaults first";
        return false;
    }
    if (openTable(quiet, table, false) != OpenOutcome::Opened) {
        failure = "The " + R::desc().name + " file could not be opened: " + reasonOf(table);
        return false;
    }
    return true;
}

}  // namespace

WorkerState runJobHere(std::unique_ptr<WorkerJob> job, const std::string& dataDirectory) {
    DirectProgress progress;
    progress.state.outcome = job->run(dataDirectory, progress);
    if (progress.state.outcome == WorkerOutcome::Failed) progress.state.text = job->failureText();
    return progress.state;
}

WorkerOutcome PriceClassUpdateJob::run(const std::string& dataDirectory, WorkerProgress& progress) {
    Database db(dataDirectory);
    Handle<Defaults> defaults(db);
    Handle<Products> products(db);
    if (!openForUpdate(db, defaults, products, m_failure)) return WorkerOutcome::Failed;
    const Defaults company = defaults.rec;
    const long total = static_cast<long>(products.records());
    const long step = reportStep(total);

    Transaction tx(db, {&products});
    if (tx.begin() != ErrorCode::None) {
        m_failure = "Another station kept the product file busy: " + tx.driverErrorText();
        return WorkerOutcome::Failed;
    }
    products.setFileOrder();
    long done = 0;
    for (;;) {
        const ErrorCode read = products.next();
        if (read == ErrorCode::RecordNotAvailable) break;
        if (read != ErrorCode::None) {
            m_failure = "Reading the products failed: " + reasonOf(products);
            return WorkerOutcome::Failed;
        }
        // An overflowing price leaves the product as it was; that is no failed write.
        if (applyPriceClasses(company, products.rec) == DecimalStatus::Ok) {
            if (products.put() != ErrorCode::None) {
                m_failure = "Product " + products.rec.PartNum.str() + " could not be written: " + reasonOf(products);
                return WorkerOutcome::Failed;
            }
        }
        ++done;
        if (done % step == 0 || done == total) progress.report(done, total, "Updating " + products.rec.PartNum.str());
        if (progress.isCancelled()) return WorkerOutcome::Cancelled;
    }
    if (tx.commit() != ErrorCode::None) {
        m_failure = "The changes could not be committed: " + tx.driverErrorText();
        return WorkerOutcome::Failed;
    }
    m_updated = done;
    return WorkerOutcome::Finished;
}

WorkerOutcome CustomerTaxUpdateJob::run(const std::string& dataDirectory, WorkerProgress& progress) {
    Database db(dataDirectory);
    Handle<Defaults> defaults(db);
    Handle<Customer> customers(db);
    if (!openForUpdate(db, defaults, customers, m_failure)) return WorkerOutcome::Failed;
    const auto tax1 = defaults.rec.SALESTAX1;
    const auto tax2 = defaults.rec.SALESTAX2;
    const long total = static_cast<long>(customers.records());
    const long step = reportStep(total);

    Transaction tx(db, {&customers});
    if (tx.begin() != ErrorCode::None) {
        m_failure = "Another station kept the customer file busy: " + tx.driverErrorText();
        return WorkerOutcome::Failed;
    }
    customers.setFileOrder();
    long done = 0;
    for (;;) {
        const ErrorCode read = customers.next();
        if (read == ErrorCode::RecordNotAvailable) break;
        if (read != ErrorCode::None) {
            m_failure = "Reading the customers failed: " + reasonOf(customers);
            return WorkerOutcome::Failed;
        }
        if (customers.rec.TAX1EXEMPT == 0) customers.rec.SALESTAX1.assign(tax1);
        if (customers.rec.TAX2EXEMPT == 0) customers.rec.SALESTAX2.assign(tax2);
        if (customers.put() != ErrorCode::None) {
            m_failure = "Customer " + customers.rec.Name.str() + " could not be written: " + reasonOf(customers);
            return WorkerOutcome::Failed;
        }
        ++done;
        if (done % step == 0 || done == total) progress.report(done, total, "Record: " + std::to_string(done));
        if (progress.isCancelled()) return WorkerOutcome::Cancelled;
    }
    if (tx.commit() != ErrorCode::None) {
        m_failure = "The changes could not be committed: " + tx.driverErrorText();
        return WorkerOutcome::Failed;
    }
    return WorkerOutcome::Finished;
}

namespace {

bool companyDefaultsSet(UiPort& ui, Database& db) {
    Handle<Defaults> defaults(db);
    ScriptedUi quiet;
    if (openTable(quiet, defaults, false) != OpenOutcome::Opened || GETCOMPANYDEFAULTS(defaults, 1) != 0) {
        ui.message("Error", "Please set company defaults first", Icon::Error, Button::Ok, Button::Ok);
        return false;
    }
    return true;
}

}  // namespace

bool MASSUPDATEPRICECLASSES(UiPort& ui, Database& db, const JobRunner& runner) {
    if (!companyDefaultsSet(ui, db)) return false;
    const Button sure =
        ui.message("WARNING",
                   "All product price classes will be modified if you proceed.  THIS IS NOT REVERSABLE! Make sure you "
                   "have set the "
                   "default price class percentages on the defaults window before proceeding.  Are you sure?",
                   Icon::Warning, Button::Yes | Button::No, Button::No);
    if (sure != Button::Yes) return false;
    const WorkerState end = runner(std::make_unique<PriceClassUpdateJob>(), "Mass Update Price Classes");
    if (end.outcome != WorkerOutcome::Finished) {
        ui.message("Error", "No price class was changed.||" + end.text, Icon::Error, Button::Ok, Button::Ok);
        return false;
    }
    ui.message("SUCCESS", "Update Complete", Icon::Information, Button::Ok, Button::Ok);
    return true;
}

bool UPDATECUSTSALESTAXES(UiPort& ui, Database& db, const JobRunner& runner) {
    if (!companyDefaultsSet(ui, db)) return false;
    const WorkerState end = runner(std::make_unique<CustomerTaxUpdateJob>(), "Updating Customers");
    if (end.outcome != WorkerOutcome::Finished) {
        ui.message("Error", "Error Updating customer dbase||No customer was changed.  " + end.text, Icon::Error,
                   Button::Ok, Button::Ok);
        return false;
    }
    return true;
}

}  // namespace quay::util
