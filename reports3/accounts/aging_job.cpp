// The aging report: every customer with open charges up to the end date, the charges and
// unapplied payments that make up the balance, the balance by age after the payments
// are set against it, and grand totals over all customers. The grand figures are the
// sums of the customer figures printed above them, so they agree with the page to the
// cent also where a customer's payments exceed a bucket or the whole balance.
#include "ar_jobs.h"

#include "quay/reports/run/house_layout.h"

namespace quay::reports::detail {

namespace {

enum AgingBand { kHeading = 1, kCustomer, kCharge, kPaymentHeading, kPayment, kCustomerTotals, kGrandTotals };

constexpr const char* kMoney = "@n$-14.2";

// Left edges of the columns on the landscape page; each figure column ends where the
// next begins.
constexpr Units kDescX = 900, kChargeX = 3300, kPaymentX = 4250, kCurrentX = 5200, kOver30X = 6150, kOver60X = 7100,
                kOver90X = 8050, kTotalX = 9000, kEndX = 10000, kGap = 60;

void addFigures(Band& band, Units y, const std::string& prefix, const FontSpec& font) {
    const std::pair<const char*, Units> cols[] = {{"current", kCurrentX},
                                                  {"over30", kOver30X},
                                                  {"over60", kOver60X},
                                                  {"over90", kOver90X},
                                                  {"totalDue", kTotalX}};
    for (std::size_t i = 0; i < 5; ++i) {
        const Units end = i + 1 < 5 ? cols[i + 1].second : kEndX;
        band.add(fieldControl(prefix + cols[i].first, cols[i].second, y, end - cols[i].second - kGap, house::kRow,
                              kMoney, font, Alignment::Right));
    }
}

void setFigures(ReportRun& run, const std::string& prefix, const AgeFigures& f) {
    run.setValue(prefix + "current", f[Age::Current]);
    run.setValue(prefix + "over30", f[Age::Over30]);
    run.setValue(prefix + "over60", f[Age::Over60]);
    run.setValue(prefix + "over90", f[Age::Over90]);
    run.setValue(prefix + "totalDue", f.totalDue);
}

}  // namespace

AgingJob::AgingJob(core::Database& db) : OpenChargesReport(db) {}

ReportLayout AgingJob::layout() const {
    using namespace house;
    ReportLayout l = house::layout(title());
    l.setPage(l.page().landscape());
    Band& head = l.addBand(kHeading, BandKind::PageHeader, 1000);
    head.add(textControl("company", 0, 0, 5000, kRow, "", kBold));
    head.add(textControl("", 0, 200, 5000, 320, title(), kTitle));
    addRunStamp(head);
    const std::pair<Units, const char*> left[] = {{0, "Date"}, {kDescX, "Description or Payment Method"}};
    for (auto [x, caption] : left) head.add(textControl("", x, 780, 2400, kRow, caption, kBold));
    const std::pair<Units, const char*> figures[] = {
        {kChargeX, "Charge"},   {kPaymentX, "Payment"}, {kCurrentX, "Current"}, {kOver30X, "+30 Days"},
        {kOver60X, "+60 Days"}, {kOver90X, "+90 Days"}, {kTotalX, "Total Due"}};
    for (std::size_t i = 0; i < std::size(figures); ++i) {
        const Units end = i + 1 < std::size(figures) ? figures[i + 1].first : kEndX;
        head.add(textControl("", figures[i].first, 780, end - figures[i].first - kGap, kRow, figures[i].second, kBold,
                             Alignment::Right));
    }
    head.add(lineControl("", 0, 990, kEndX, 0));

    Band& customer = l.addBand(kCustomer, BandKind::GroupHeader, 280);
    customer.keepWithNext = true;
    customer.add(textControl("", 0, 80, 1000, kRow, "Customer:", kBold));
    customer.add(textControl("customer", 1000, 80, 5000, kRow, "", kBold));

    Band& charge = l.addBand(kCharge, BandKind::Detail, kRow + 20);
    charge.add(fieldControl("date", 0, 0, 850, kRow, "@d2", kText));
    charge.add(textControl("description", kDescX, 0, kChargeX - kDescX - kGap, kRow, "", kText));
    charge.add(fieldControl("charge", kChargeX, 0, kPaymentX - kChargeX - kGap, kRow, kMoney, kText, Alignment::Right));

    Band& payHead = l.addBand(kPaymentHeading, BandKind::GroupHeader, kRow + 40);
    payHead.keepWithNext = true;
    payHead.add(textControl("", kDescX, 20, 2400, kRow, "Unapplied Payments", kSmall));
    Band& pay = l.addBand(kPayment, BandKind::Detail, kRow + 20);
    pay.add(fieldControl("payDate", 0, 0, 850, kRow, "@d2", kText));
    pay.add(textControl("method", kDescX, 0, kChargeX - kDescX - kGap, kRow, "", kText));
    pay.add(fieldControl("payment", kPaymentX, 0, kCurrentX - kPaymentX - kGap, kRow, kMoney, kText, Alignment::Right));
    pay.add(fieldControl("credit", kTotalX, 0, kEndX - kTotalX - kGap, kRow, kMoney, kText, Alignment::Right));

    Band& totals = l.addBand(kCustomerTotals, BandKind::GroupFooter, 320);
    totals.add(lineControl("", kCurrentX, 20, kEndX - kCurrentX, 0));
    totals.add(textControl("", kPaymentX - 1500, 60, 2400, kRow, "Customer Totals:", kBold, Alignment::Right));
    addFigures(totals, 60, "", kBold);

    Band& grand = l.addBand(kGrandTotals, BandKind::Totals, 380);
    grand.add(lineControl("", kCurrentX, 30, kEndX - kCurrentX, 0));
    grand.add(lineControl("", kCurrentX, 60, kEndX - kCurrentX, 0));
    grand.add(textControl("", kPaymentX - 1500, 120, 2400, kRow, "Grand Totals:", kBold, Alignment::Right));
    addFigures(grand, 120, "grand_", kBold);
    return l;
}

void AgingJob::startReport(ReportRun& run) {
    run.setText("company", company().COMPANYNAME.str());
    stampRun(run);
    m_grand.clear();
}

void AgingJob::beginCustomer(ReportRun& run) {
    run.setText("customer", customer().Name.str());
    run.print(kCustomer);
}

void AgingJob::printCharge(ReportRun& run, const std::string& description) {
    run.setValue("date", charge().Date);
    run.setText("description", description);
    run.setValue("charge", charge().UNPAIDBAL);
    run.print(kCharge);
}

void AgingJob::printPaymentHeading(ReportRun& run) { run.print(kPaymentHeading); }

void AgingJob::printPayment(ReportRun& run) {
    const core::Payments& p = payment();
    run.setValue("payDate", p.Date);
    run.setText("method", p.Method.str());
    run.setValue("payment", p.UNAPPAMT);
    core::Decimal<13, 2> credit;
    (void)credit.assign(-p.UNAPPAMT);
    run.setValue("credit", credit);
    run.print(kPayment);
}

bool AgingJob::endCustomer(core::UiPort& ui, ReportRun& run, const AgeFigures& f) {
    if (!m_grand.add(f)) {
        tooLarge(ui);
        return false;
    }
    setFigures(run, "", f);
    run.print(kCustomerTotals);
    return true;
}

void AgingJob::endReport(ReportRun& run) {
    setFigures(run, "grand_", m_grand);
    run.print(kGrandTotals);
}

}  // namespace quay::reports::detail
