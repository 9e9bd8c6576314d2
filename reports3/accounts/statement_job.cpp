// The customer statement: one per customer with open charges, each starting on a page of
// its own. The heading names the company the cheque is made out to, the day and the
// customer's address; then the open charges, the payments still to apply, the account's
// age, the reminder chosen by the oldest bucket left once the payments are set against
// the buckets, and the coupon, kept at the foot of the statement's last page so it tears
// off cleanly. A statement longer than a page repeats the customer's name at the top of
// each further page.
#include "ar_jobs.h"

#include "quay/reports/run/house_layout.h"
#include "quay/types/clock.h"

namespace quay::reports::detail {

namespace {

enum StatementBand {
    kContinued = 1,
    kHeading,
    kCharge,
    kPaymentHeading,
    kPayment,
    kSummary,
    kReminder,
    kSpacer,
    kCoupon
};

constexpr const char* kMoney = "@n$-13.2";
constexpr Units kCouponHeight = 1300;

// Columns of the charge lines, and of the payments to apply.
constexpr Units kInvoiceX = 950, kDescriptionX = 1800, kAmountX = 5000, kBalanceX = 6250, kFigureW = 1200;
constexpr Units kUnusedX = 0, kPayAmountX = 1100, kPayDateX = 2400, kMethodX = 3400, kCommentsX = 4600;

std::string cityOf(std::string_view city, std::string_view state, std::string_view zip) {
    return house::joined({city, house::joined({state, zip}, "  ")}, ", ");
}

}  // namespace

StatementLines statementCompanyLines(const core::Defaults& def) {
    StatementLines lines;
    lines[0] = house::trimmed(def.COMPANYNAME.view());
    // Lines 2 to 5 fill from the top; the fax only while a line is free, the e-mail only
    // into the last line.
    house::BlockFiller<5> fill(lines, 1);
    fill.putIfAny(house::trimmed(def.ADD1.view()));
    fill.putIfAny(house::trimmed(def.ADD2.view()));
    fill.putIfAny(cityOf(def.CITY.view(), def.STATE.view(), def.ZIPCODE.view()));
    fill.putIfAny(house::joined({def.PHONE1.view(), def.PHONE2.view()}, " - "));
    if (!def.FAX.isBlank()) fill.putIfAny("FAX - " + house::trimmed(def.FAX.view()));
    if (lines[4].empty()) lines[4] = house::trimmed(def.EMAIL.view());
    return lines;
}

StatementJob::StatementJob(core::Database& db) : OpenChargesReport(db) {}

ReportLayout StatementJob::layout() const {
    using namespace house;
    ReportLayout l = house::layout(title());
    // Further pages of a long statement: whose it is. Hidden on each statement's first page.
    Band& continued = l.addBand(kContinued, BandKind::PageHeader, 300);
    continued.add(textControl("contName", 0, 0, 5000, kRow, "", kBold));
    continued.add(
        textControl("contNote", 5000, 0, kBodyWidth - 5000, kRow, "Statement (continued)", kText, Alignment::Right));
    continued.add(lineControl("contRule", 0, 230, kBodyWidth, 0));

    Band& head = l.addBand(kHeading, BandKind::GroupHeader, 2350);
    head.add(textControl("", 0, 0, 4000, 360, "Statement", kTitle));
    head.add(textControl("", 6100, 40, 500, kRow, "Date:", kBold));
    head.add(fieldControl("today", 6600, 40, 900, kRow, "@d2", kText, Alignment::Right));
    head.add(textControl("", 0, 520, 3500, kRow, "Make Check Payable to:", kBold));
    for (int i = 0; i < 5; ++i)
        head.add(
            textControl("company" + std::to_string(i + 1), 0, 720 + i * kRow, 3800, kRow, "", i == 0 ? kBold : kText));
    for (int i = 0; i < 4; ++i)
        head.add(textControl("address" + std::to_string(i + 1), 4300, 720 + i * kRow, 3200, kRow, "",
                             i == 0 ? kBold : kText));
    const Units cols = 2050;
    head.add(textControl("", 0, cols, 900, kRow, "Date", kBold));
    head.add(textControl("", kInvoiceX, cols, 800, kRow, "Invoice#", kBold));
    head.add(textControl("", kDescriptionX, cols, 3000, kRow, "Description", kBold));
    head.add(textControl("", kAmountX, cols, kFigureW, kRow, "Amount", kBold, Alignment::Right));
    head.add(textControl("", kBalanceX, cols, kFigureW, kRow, "Balance Due", kBold, Alignment::Right));
    head.add(lineControl("", 0, cols + 220, kBodyWidth, 0));

    Band& line = l.addBand(kCharge, BandKind::Detail, kRow + 20);
    line.add(fieldControl("date", 0, 0, 900, kRow, "@d2", kText));
    line.add(fieldControl("invoice", kInvoiceX, 0, 700, kRow, "@n_9", kText));
    line.add(textControl("description", kDescriptionX, 0, kAmountX - kDescriptionX - 100, kRow, "", kText));
    line.add(fieldControl("amount", kAmountX, 0, kFigureW, kRow, kMoney, kText, Alignment::Right));
    line.add(fieldControl("balance", kBalanceX, 0, kFigureW, kRow, kMoney, kText, Alignment::Right));

    Band& payHead = l.addBand(kPaymentHeading, BandKind::GroupHeader, 560);
    payHead.keepWithNext = true;
    payHead.add(textControl("", 0, 140, 3000, kRow, "Payments to Apply", kBold));
    const std::pair<Units, const char*> payCols[] = {{kUnusedX, "Unused"},
                                                     {kPayAmountX, "Amount"},
                                                     {kPayDateX, "Date"},
                                                     {kMethodX, "Method"},
                                                     {kCommentsX, "Comments"}};
    for (auto [x, caption] : payCols)
        payHead.add(
            textControl("", x, 340, 1000, kRow, caption, kBold, x < kPayDateX ? Alignment::Right : Alignment::Left));
    payHead.add(lineControl("", 0, 540, kBodyWidth, 0));
    Band& pay = l.addBand(kPayment, BandKind::Detail, kRow + 20);
    pay.add(fieldControl("unused", kUnusedX, 0, 1000, kRow, kMoney, kText, Alignment::Right));
    pay.add(fieldControl("payAmount", kPayAmountX, 0, 1000, kRow, kMoney, kText, Alignment::Right));
    pay.add(fieldControl("payDate", kPayDateX, 0, 900, kRow, "@d2", kText));
    pay.add(textControl("method", kMethodX, 0, 1150, kRow, "", kText));
    pay.add(textControl("comments", kCommentsX, 0, kBodyWidth - kCommentsX, kRow, "", kText));

    Band& summary = l.addBand(kSummary, BandKind::Totals, 900);
    summary.add(lineControl("", 0, 120, kBodyWidth, 0));
    const char* captions[] = {"Current", "+30 Days", "+60 Days", "+90 Days", "Total Due"};
    const char* names[] = {"current", "over30", "over60", "over90", "totalDue"};
    for (int i = 0; i < 5; ++i) {
        const Units x = i * 1500;
        summary.add(textControl("", x, 200, 1400, kRow, captions[i], kBold, Alignment::Right));
        summary.add(fieldControl(names[i], x, 400, 1400, kRow, kMoney, i == 4 ? kBold : kText, Alignment::Right));
    }
    summary.add(textControl("", 0, 640, kBodyWidth, kRow, "Negative Value Indicates Credit", kSmall, Alignment::Right));

    Band& reminder = l.addBand(kReminder, BandKind::Totals, kRow + 120);
    reminder.add(wrappedText("reminder", 0, 100, kBodyWidth, kRow, "", kText));

    Band& spacer = l.addBand(kSpacer, BandKind::Totals, 0);
    spacer.add(textControl("space", 0, 0, 10, 0, "", kText));

    Band& coupon = l.addBand(kCoupon, BandKind::Totals, kCouponHeight);
    coupon.add(lineControl("", 0, 100, kBodyWidth, 0, 5));
    coupon.add(
        textControl("", 0, 160, kBodyWidth, kRow, "Please return this coupon with payment", kSmall, Alignment::Center));
    coupon.add(textControl("", 0, 420, 1000, kRow, "Customer:", kBold));
    coupon.add(textControl("couponName", 1000, 420, 3200, kRow, "", kText));
    coupon.add(textControl("couponCompany", 0, 640, 4200, kRow, "", kText));
    coupon.add(textControl("", 4300, 420, 1500, kRow, "Total Due:", kBold));
    coupon.add(fieldControl("couponDue", 5800, 420, 1700, kRow, kMoney, kBold, Alignment::Right));
    coupon.add(
        textControl("", 4300, 800, kBodyWidth - 4300, kRow, "Payment Amount:  __________________________", kText));
    return l;
}

void StatementJob::startReport(ReportRun& run) {
    const StatementLines lines = statementCompanyLines(company());
    for (std::size_t i = 0; i < lines.size(); ++i) run.setText("company" + std::to_string(i + 1), lines[i]);
    run.setText("couponCompany", lines[0].empty() ? std::string() : "Make Check Payable to: " + lines[0]);
    run.setValue("today", core::today());
}

void StatementJob::beginCustomer(ReportRun& run) {
    const core::Customer& c = customer();
    std::array<std::string, 4> address;
    house::BlockFiller<4> fill(address);
    fill.put(c.Name.str());
    fill.put(house::trimmed(c.ADDRESS1.view()));
    fill.putIfAny(house::trimmed(c.ADDRESS2.view()));
    fill.put(cityOf(c.CITY.view(), c.STATE.view(), c.ZipCode.view()));
    for (std::size_t i = 0; i < address.size(); ++i) run.setText("address" + std::to_string(i + 1), address[i]);
    // Each statement starts a page of its own, without the continuation line.
    if (run.isPageOpen()) run.endPage();
    for (const char* name : {"contName", "contNote", "contRule"}) run.setHidden(name, true);
    run.print(kHeading);
    run.setText("contName", c.Name.str());
    for (const char* name : {"contName", "contNote", "contRule"}) run.setHidden(name, false);
    m_couponName = c.Name.str();
}

void StatementJob::printCharge(ReportRun& run, const std::string& description) {
    const core::Charges& c = charge();
    run.setValue("date", c.Date);
    run.setValue("invoice", c.INVOICENUM);
    run.setHidden("invoice", c.INVOICENUM == 0);
    run.setText("description", description);
    run.setValue("amount", c.AMOUNT);
    run.setValue("balance", c.UNPAIDBAL);
    run.print(kCharge);
}

void StatementJob::printPaymentHeading(ReportRun& run) { run.print(kPaymentHeading); }

void StatementJob::printPayment(ReportRun& run) {
    const core::Payments& p = payment();
    run.setValue("unused", p.UNAPPAMT);
    run.setValue("payAmount", p.AMOUNT);
    run.setValue("payDate", p.Date);
    run.setText("method", p.Method.str());
    run.setText("comments", p.COMMENTS.str());
    run.print(kPayment);
}

std::string StatementJob::reminderFor(const core::Defaults& def, const AgeFigures& f) {
    const AgeFigure zero;
    const auto& memo = f[Age::Over90] > zero   ? def.Bill90Comments
                       : f[Age::Over60] > zero ? def.Bill60Comments
                       : f[Age::Over30] > zero ? def.Bill30Comments
                                               : def.BillingComments;
    return std::string(memo.view().substr(0, 250));
}

bool StatementJob::endCustomer(core::UiPort&, ReportRun& run, const AgeFigures& f) {
    run.setValue("current", f[Age::Current]);
    run.setValue("over30", f[Age::Over30]);
    run.setValue("over60", f[Age::Over60]);
    run.setValue("over90", f[Age::Over90]);
    run.setValue("totalDue", f.totalDue);
    run.print(kSummary);
    const std::string reminder = reminderFor(company(), f);
    run.setText("reminder", reminder);
    if (!house::trimmed(reminder).empty()) run.print(kReminder);
    // The coupon sits at the foot of the page; when it no longer fits there it goes to the
    // foot of the next one.
    run.setText("couponName", m_couponName);
    run.setValue("couponDue", f.totalDue);
    Units room = run.remainingHeight() - kCouponHeight;
    if (room < 0) {
        run.endPage();
        run.setHeight("space", 1);
        run.print(kSpacer);
        room = run.remainingHeight() - kCouponHeight;
    }
    if (room > 0) {
        run.setHeight("space", room);
        run.print(kSpacer);
    }
    run.print(kCoupon);
    return true;
}

void StatementJob::endReport(ReportRun&) {}

}  // namespace quay::reports::detail
