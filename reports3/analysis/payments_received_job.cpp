// The payments received in a date range, grouped by payment method with a total for each
// and a grand total. No key orders the payments by method or date, so the payments are
// read once by their number, those in the range kept, and ordered by method and then
// date (a stable sort keeps the order of entry within a day) before they print.
#include "analysis_jobs.h"

#include <algorithm>

#include "quay/app/globals.h"
#include "quay/reports/engine/group_break.h"
#include "quay/reports/run/house_layout.h"
#include "quay/reports/select/report_selection.h"
#include "quay/tools/pick_queues.h"
#include "quay/types/picture.h"

namespace quay::reports::detail {

using core::glo;

namespace {

enum PaymentsBand { kHeading = 1, kMethod, kPayment, kMethodTotal, kGrandTotal };

constexpr const char* kTotal = "@n$-14.2";
constexpr Units kCustomerX = 1000, kAmountX = 3600, kAmountW = 1100, kDescriptionX = 4900;

}  // namespace

PaymentsReceivedJob::PaymentsReceivedJob(core::Database& db) : HouseReport(db), m_payments(db) {}

ReportLayout PaymentsReceivedJob::layout() const {
    using namespace house;
    ReportLayout l = house::layout(title());
    Band& head = l.addBand(kHeading, BandKind::PageHeader, 960);
    head.add(textControl("company", 0, 0, 5000, kRow, "", kBold));
    head.add(textControl("", 0, 200, 5000, 320, title(), kTitle));
    head.add(textControl("range", 0, 540, 5000, kRow, "", kText));
    addRunStamp(head);
    head.add(textControl("", 0, 760, 900, kRow, "Date", kBold));
    head.add(textControl("", kCustomerX, 760, 2500, kRow, "Customer", kBold));
    head.add(textControl("", kAmountX, 760, kAmountW, kRow, "Amount", kBold, Alignment::Right));
    head.add(textControl("", kDescriptionX, 760, kBodyWidth - kDescriptionX, kRow, "Description", kBold));
    head.add(lineControl("", 0, 950, kBodyWidth, 0));

    Band& method = l.addBand(kMethod, BandKind::GroupHeader, 280);
    method.keepWithNext = true;
    method.add(textControl("", 0, 80, 1500, kRow, "Payment Method:", kBold));
    method.add(textControl("method", 1500, 80, 3000, kRow, "", kBold));

    Band& line = l.addBand(kPayment, BandKind::Detail, kRow + 20);
    line.add(fieldControl("date", 0, 0, 900, kRow, "@d2", kText));
    line.add(textControl("customer", kCustomerX, 0, kAmountX - kCustomerX - 100, kRow, "", kText));
    line.add(fieldControl("amount", kAmountX, 0, kAmountW, kRow, kTotal, kText, Alignment::Right));
    line.add(textControl("description", kDescriptionX, 0, kBodyWidth - kDescriptionX, kRow, "", kSmall));

    Band& total = l.addBand(kMethodTotal, BandKind::GroupFooter, 300);
    total.add(lineControl("", kAmountX, 20, kAmountW, 0));
    total.add(textControl("", kAmountX - 1500, 60, 1400, kRow, "Total:", kBold, Alignment::Right));
    total.add(fieldControl("methodTotal", kAmountX, 60, kAmountW, kRow, kTotal, kBold, Alignment::Right));

    Band& grand = l.addBand(kGrandTotal, BandKind::Totals, 360);
    grand.add(lineControl("", kAmountX, 30, kAmountW, 0));
    grand.add(lineControl("", kAmountX, 60, kAmountW, 0));
    grand.add(textControl("", kAmountX - 1500, 110, 1400, kRow, "Grand Total:", kBold, Alignment::Right));
    grand.add(fieldControl("grandTotal", kAmountX, 110, kAmountW, kRow, kTotal, kBold, Alignment::Right));
    return l;
}

std::vector<core::Table*> PaymentsReceivedJob::tables() { return {&m_payments}; }

std::string PaymentsReceivedJob::describe(const core::Payments& p) {
    std::string d;
    if (p.Method == "Check")
        d = "Check# " + p.CHECKNUM.str() + ", BankID# " + p.BANKID.str();
    else if (p.Method == "Credit")
        d = "Card# " + p.CCNUM.str() + ", Exp. " +
            (p.EXPDATE == 0 ? std::string() : core::formatPicture("@d14", p.EXPDATE)) + ", Auth# " + p.CCAUTH.str();
    else
        d = p.COMMENTS.str();
    return d.substr(0, 50);
}

bool PaymentsReceivedJob::start(core::UiPort& ui, ReportRun& run) {
    const std::int32_t low = glo.LowDate1, high = glo.HiDate1;
    if (high < low) {
        ui.inform("ERROR", "End Date must be equal to or greater than Beginning Date");
        return false;
    }
    run.setText("company", company().COMPANYNAME.str());
    run.setText("range", ReportSelection::dateText(low) + " to " + ReportSelection::dateText(high));
    stampRun(run);
    m_customers = PickFilter(core::pick::Cust::Queue);
    m_held.clear();
    setRecords(m_payments, core::Payments::byId).keepIf([this, low, high] {
        const core::Payments& p = m_payments.rec;
        return p.Date >= low && p.Date <= high && m_customers.accepts(p.Customer.view());
    });
    return true;
}

bool PaymentsReceivedJob::printRecord(core::UiPort&, ReportRun&) {
    const core::Payments& p = m_payments.rec;
    m_held.push_back({p.Method.str(), p.Date, p.Customer.str(), p.AMOUNT, describe(p)});
    return true;
}

bool PaymentsReceivedJob::endOfRecords(core::UiPort& ui, ReportRun& run) {
    std::stable_sort(m_held.begin(), m_held.end(), [](const Line& a, const Line& b) {
        return a.method != b.method ? a.method < b.method : a.date < b.date;
    });
    GroupBreak<std::string> method;
    Money methodTotal, grandTotal;
    for (const Line& line : m_held) {
        if (method.changed(line.method)) {
            if (method.hadPrevious()) {
                run.setValue("methodTotal", methodTotal);
                run.print(kMethodTotal);
                methodTotal.clear();
            }
            run.setText("method", line.method);
            run.print(kMethod);
        }
        if ((methodTotal += line.amount) != core::DecimalStatus::Ok ||
            (grandTotal += line.amount) != core::DecimalStatus::Ok) {
            ui.inform("Report Error", "The totals are too large to print.", core::Icon::Error);
            return false;
        }
        run.setValue("date", line.date);
        run.setText("customer", line.customer);
        run.setValue("amount", line.amount);
        run.setText("description", line.description);
        run.print(kPayment);
    }
    if (!method.isOpen()) return true;  // nothing received: "Nothing to Preview."
    run.setValue("methodTotal", methodTotal);
    run.print(kMethodTotal);
    run.setValue("grandTotal", grandTotal);
    run.print(kGrandTotal);
    m_held.clear();
    return true;
}

}  // namespace quay::reports::detail
