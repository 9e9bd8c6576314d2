// The sales, quote and sales tax reports. An order's cost is summed from its lines, each
// cost times quantity stored to cents as it is added, so that the report agrees with the
// order form. Group and grand margins are worked out from the summed profit and cost
// when the group closes, never averaged from the orders' margins.
#include "sales_report_job.h"

#include <algorithm>

#include "quay/app/globals.h"
#include "quay/app/last_error.h"
#include "quay/app/standard_messages.h"
#include "quay/reports/run/house_layout.h"
#include "quay/tools/pick_queues.h"

namespace quay::reports::detail {

using core::ErrorCode;
using core::glo;

namespace {

enum SalesBand { kHeading = 1, kGroupHeader, kLine, kGroupTotals, kGrandTotals };
enum TaxBand { kTaxHeading = 1, kTaxLine, kTaxTotals };

constexpr const char* kMoney = "@n$-15.2";
constexpr const char* kMargin = "@n-13.2~%~";

// Columns of the sales line: date, number, customer, reference, then four figures.
constexpr Units kNumberX = 850, kCustomerX = 1550, kReferenceX = 3300, kSubTotalX = 4300, kCostX = 5150,
                kProfitX = 6000, kMarginX = 6800, kFigureW = 800;

std::string dateRangeText(std::int32_t low, std::int32_t high) {
    return ReportSelection::dateText(low) + " to " + ReportSelection::dateText(high);
}

void addFigures(Band& band, Units y, const char* prefix, const FontSpec& font) {
    const std::string p(prefix);
    band.add(fieldControl(p + "SubTotal", kSubTotalX, y, kFigureW, house::kRow, kMoney, font, Alignment::Right));
    band.add(fieldControl(p + "Cost", kCostX, y, kFigureW, house::kRow, kMoney, font, Alignment::Right));
    band.add(fieldControl(p + "Profit", kProfitX, y, kFigureW, house::kRow, kMoney, font, Alignment::Right));
    band.add(fieldControl(p + "Margin", kMarginX, y, 700, house::kRow, kMargin, font, Alignment::Right));
}

void setFigures(ReportRun& run, const char* prefix, const SalesFigures& f) {
    const std::string p(prefix);
    run.setValue(p + "SubTotal", f.subTotal);
    run.setValue(p + "Cost", f.cost);
    run.setValue(p + "Profit", f.profit);
    run.setValue(p + "Margin", salesMargin(f.profit, f.cost));
}

void totalsTooLarge(core::UiPort& ui) {
    ui.inform("Report Error", "The totals are too large to print.", core::Icon::Error);
}

}  // namespace

bool SalesTotals::add(const SalesFigures& f) {
    SalesFigures s = m_sums;
    if ((s.subTotal += f.subTotal) != core::DecimalStatus::Ok || (s.cost += f.cost) != core::DecimalStatus::Ok ||
        (s.profit += f.profit) != core::DecimalStatus::Ok)
        return false;
    m_sums = s;
    ++m_count;
    return true;
}

core::Decimal<15, 2> salesMargin(const Money& profit, const Money& cost) {
    core::Decimal<15, 2> margin;
    if (cost.isZero()) return margin;
    const core::Decimal<3, 0> hundred(100);
    if (margin.assign(profit * hundred / cost) != core::DecimalStatus::Ok) margin.clear();
    return margin;
}

// --- sales and quotes -----------------------------------------------------------------

SalesReportJob::SalesReportJob(core::Database& db, SalesDocuments documents, SalesGrouping grouping)
    : HouseReport(db), m_documents(documents), m_grouping(grouping), m_orders(db), m_items(db), m_salesmen(db) {}

std::string SalesReportJob::title() const {
    const char* what = m_documents == SalesDocuments::Quotes ? "Quotes" : "Sales";
    switch (m_grouping) {
    case SalesGrouping::ByDate: return std::string(what) + " by Date";
    case SalesGrouping::ByCustomer: return std::string(what) + " by Customer";
    case SalesGrouping::BySalesperson: return std::string(what) + " by SalesPerson";
    }
    return what;
}

ReportLayout SalesReportJob::layout() const {
    using namespace house;
    ReportLayout l = house::layout(title());
    Band& head = l.addBand(kHeading, BandKind::PageHeader, 960);
    head.add(textControl("company", 0, 0, 5000, kRow, "", kBold));
    head.add(textControl("", 0, 200, 5000, 320, title(), kTitle));
    head.add(textControl("range", 0, 540, 5000, kRow, "", kText));
    addRunStamp(head);
    const bool quoteNumber = m_documents == SalesDocuments::Quotes && m_grouping == SalesGrouping::ByDate;
    const std::pair<Units, const char*> captions[] = {{0, "Date"},
                                                      {kNumberX, quoteNumber ? "Quote#" : "Invoice#"},
                                                      {kCustomerX, "Customer Name"},
                                                      {kReferenceX, "Reference"}};
    for (auto [x, caption] : captions) head.add(textControl("", x, 760, 1000, kRow, caption, kBold));
    const std::pair<Units, const char*> figures[] = {
        {kSubTotalX, "Sub Total"}, {kCostX, "Order Cost"}, {kProfitX, "Profit"}, {kMarginX, "Margin"}};
    for (auto [x, caption] : figures)
        head.add(textControl("", x, 760, x == kMarginX ? 700 : kFigureW, kRow, caption, kBold, Alignment::Right));
    head.add(lineControl("", 0, 950, kBodyWidth, 0));

    if (m_grouping != SalesGrouping::ByDate) {
        Band& group = l.addBand(kGroupHeader, BandKind::GroupHeader, 260);
        const bool bySp = m_grouping == SalesGrouping::BySalesperson;
        group.add(textControl("", 0, 60, 1100, kRow, bySp ? "Salesperson:" : "Customer:", kBold));
        group.add(textControl("groupName", 1100, 60, 5000, kRow, "", kBold));
        Band& totals = l.addBand(kGroupTotals, BandKind::GroupFooter, 300);
        totals.add(lineControl("", kSubTotalX, 10, kBodyWidth - kSubTotalX, 0));
        totals.add(textControl("", kReferenceX - 1000, 40, 2000, kRow,
                               bySp ? "Salesperson Totals:" : "Customer Totals:", kBold, Alignment::Right));
        addFigures(totals, 40, "group", kBold);
    }
    Band& line = l.addBand(kLine, BandKind::Detail, kRow + 20);
    line.add(fieldControl("date", 0, 0, 800, kRow, "@d2", kText));
    line.add(fieldControl("number", kNumberX, 0, 550, kRow, "@n_9", kText));
    line.add(textControl("customer", kCustomerX, 0, kReferenceX - kCustomerX - 50, kRow, "", kText));
    line.add(textControl("reference", kReferenceX, 0, kSubTotalX - kReferenceX - 50, kRow, "", kText));
    addFigures(line, 0, "", kText);

    Band& grand = l.addBand(kGrandTotals, BandKind::Totals, 360);
    grand.add(lineControl("", kSubTotalX, 30, kBodyWidth - kSubTotalX, 0));
    grand.add(textControl("", kReferenceX - 1000, 80, 2000, kRow, "Grand Totals:", kBold, Alignment::Right));
    addFigures(grand, 80, "grand", kBold);
    return l;
}

std::vector<core::Table*> SalesReportJob::tables() { return {&m_orders, &m_items, &m_salesmen}; }

bool SalesReportJob::belongs() const {
    const core::Orders& o = m_orders.rec;
    return m_customers.accepts(o.CustName.view()) && m_salespeople.accepts(o.Salesperson.view());
}

bool SalesReportJob::start(core::UiPort& ui, ReportRun& run) {
    if (glo.HiDate1 < glo.LowDate1) {
        ui.inform("ERROR", "End Date must be equal to or greater than Beginning Date");
        return false;
    }
    run.setText("company", company().COMPANYNAME.str());
    run.setText("range", dateRangeText(glo.LowDate1, glo.HiDate1));
    stampRun(run);
    m_customers = PickFilter(core::pick::Cust::Queue);
    m_salespeople = PickFilter(core::pick::SP::Queue);
    const char* status = m_documents == SalesDocuments::Quotes ? "Q" : "I";
    const std::int32_t low = glo.LowDate1, high = glo.HiDate1;
    if (m_grouping == SalesGrouping::ByCustomer) {
        setRecords(m_orders, core::Orders::byCustNameOrdDate).keepIf([this, status, low, high] {
            const core::Orders& o = m_orders.rec;
            return o.Status == status && o.OrdDate >= low && o.OrdDate <= high && belongs();
        });
    } else {
        setRecords(m_orders, core::Orders::byStatOrdDate)
            .startAt([this, status, low] {
                m_orders.rec.Status = status;
                m_orders.rec.OrdDate = low;
            })
            .whileTrue([this, status, high] { return m_orders.rec.Status == status && m_orders.rec.OrdDate <= high; })
            .keepIf([this] { return belongs(); });
    }
    return true;
}

bool SalesReportJob::orderCost(core::UiPort& ui, Money& cost) {
    cost.clear();
    const std::int32_t ordNum = m_orders.rec.OrdNum;
    m_items.clear();
    m_items.rec.OrdNum = ordNum;
    ErrorCode e = m_items.setAtKey(core::ItemsOrd::byOrdNum);
    while (e == ErrorCode::None) {
        e = m_items.next();
        if (e != ErrorCode::None || m_items.rec.OrdNum != ordNum) break;
        Money lineCost;
        if (lineCost.assign(m_items.rec.COST * m_items.rec.QTY) != core::DecimalStatus::Ok ||
            (cost += lineCost) != core::DecimalStatus::Ok) {
            totalsTooLarge(ui);
            return false;
        }
    }
    if (e != ErrorCode::None && e != ErrorCode::RecordNotAvailable) {
        core::saveError(m_items);
        core::showStandardMessage(ui, core::StandardMessage::RecordRetrievalError, {m_items.desc().name});
        return false;
    }
    return true;
}

bool SalesReportJob::printRecord(core::UiPort& ui, ReportRun& run) {
    const core::Orders& o = m_orders.rec;
    Line line;
    line.date = o.OrdDate;
    line.number =
        m_documents == SalesDocuments::Quotes && m_grouping == SalesGrouping::ByDate ? o.OrdNum : o.InvoiceNum;
    line.customer = o.CustName.str();
    line.reference = o.REFERENCE.str();
    line.salesperson = o.Salesperson.str();
    SalesFigures& f = line.figures;
    bool ok = f.subTotal.assign(o.SUBTOTAL) == core::DecimalStatus::Ok;
    if (glo.UseDiscount) ok = ok && (f.subTotal -= o.DISCOUNT) == core::DecimalStatus::Ok;
    if (glo.UseSurcharge) ok = ok && (f.subTotal += o.SURCHARGE) == core::DecimalStatus::Ok;
    if (!orderCost(ui, f.cost)) return false;
    ok = ok && f.profit.assign(f.subTotal - f.cost) == core::DecimalStatus::Ok;
    if (!ok) {
        totalsTooLarge(ui);
        return false;
    }
    if (m_grouping == SalesGrouping::BySalesperson) {
        m_held.push_back(std::move(line));
        return true;
    }
    return printLine(ui, run, line);
}

std::string SalesReportJob::salespersonName(const std::string& initials) {
    m_salesmen.clear();
    m_salesmen.rec.Initials = initials;
    if (m_salesmen.get(core::Salesmen::byInitials) != ErrorCode::None) return initials;
    return house::joined({initials, m_salesmen.rec.NAME.view()}, "  ");
}

void SalesReportJob::printTotals(ReportRun& run, int band, const SalesTotals& totals) {
    setFigures(run, band == kGroupTotals ? "group" : "grand", totals.sums());
    run.print(band);
}

void SalesReportJob::closeGroup(ReportRun& run) {
    printTotals(run, kGroupTotals, m_groupTotals);
    m_groupTotals.reset();
}

bool SalesReportJob::printLine(core::UiPort& ui, ReportRun& run, const Line& line) {
    if (m_grouping != SalesGrouping::ByDate) {
        const std::string& key = m_grouping == SalesGrouping::ByCustomer ? line.customer : line.salesperson;
        if (m_group.changed(key)) {
            if (m_group.hadPrevious()) closeGroup(run);
            run.setText("groupName", m_grouping == SalesGrouping::ByCustomer ? key : salespersonName(key));
            run.print(kGroupHeader);
        }
    }
    if (!m_groupTotals.add(line.figures) || !m_grandTotals.add(line.figures)) {
        totalsTooLarge(ui);
        return false;
    }
    run.setValue("date", line.date);
    run.setValue("number", line.number);
    run.setText("customer", line.customer);
    run.setText("reference", line.reference);
    setFigures(run, "", line.figures);
    run.print(kLine);
    return true;
}

void SalesReportJob::finish(core::UiPort& ui, ReportRun& run) {
    if (m_grouping == SalesGrouping::BySalesperson) {
        // Read in date order; a stable sort keeps that order within each salesperson.
        std::stable_sort(m_held.begin(), m_held.end(),
                         [](const Line& a, const Line& b) { return a.salesperson < b.salesperson; });
        for (const Line& line : m_held)
            if (!printLine(ui, run, line)) return;
        m_held.clear();
    }
    if (m_grandTotals.count() == 0) return;  // nothing listed: "Nothing to Preview."
    if (m_group.isOpen()) closeGroup(run);
    printTotals(run, kGrandTotals, m_grandTotals);
}

// --- sales tax ------------------------------------------------------------------------

namespace {
// Left edges of the tax report's columns on the landscape page; each figure column ends
// where the next begins.
constexpr Units kTaxCustomerX = 1650, kTaxRefX = 3300, kTaxTotalX = 4300, kTaxNonX = 5150, kTaxTypeX = 6000,
                kTaxTaxableX = 7150, kTaxExemptX = 7950, kTaxTaxX = 8700, kTaxRateX = 9350;
}  // namespace

SalesTaxReportJob::SalesTaxReportJob(core::Database& db, std::string tax)
    : HouseReport(db), m_tax(std::move(tax)), m_orders(db) {}

ReportLayout SalesTaxReportJob::layout() const {
    using namespace house;
    ReportLayout l = house::layout(title());
    l.setPage(l.page().landscape());
    const Units body = l.page().bodyWidth();
    Band& head = l.addBand(kTaxHeading, BandKind::PageHeader, 960);
    head.add(textControl("company", 0, 0, 5000, kRow, "", kBold));
    head.add(textControl("", 0, 200, 5000, 320, title(), kTitle));
    head.add(textControl("range", 0, 540, 2600, kRow, "", kText));
    head.add(textControl("", 2600, 540, 500, kRow, "Type:", kBold));
    head.add(textControl("taxType", 3100, 540, 900, kRow, "", kText));
    addRunStamp(head);
    const std::pair<Units, const char*> left[] = {
        {0, "Order Date"}, {850, "Order/Inv#"}, {kTaxCustomerX, "Customer Name"}, {kTaxRefX, "Reference"}};
    for (auto [x, caption] : left) head.add(textControl("", x, 760, 1100, kRow, caption, kBold));
    // name, caption, left edge, right edge
    struct Figure {
        const char* name;
        const char* caption;
        Units x, end;
    };
    const Figure figures[] = {{"total", "Order Total", kTaxTotalX, kTaxNonX},
                              {"nonTaxable", "Non-Taxable", kTaxNonX, kTaxTypeX},
                              {"taxable", "Taxable", kTaxTaxableX, kTaxExemptX},
                              {"exempt", "Exempt", kTaxExemptX, kTaxTaxX},
                              {"tax", "Tax", kTaxTaxX, kTaxRateX}};
    for (const Figure& f : figures)
        head.add(textControl("", f.x, 760, f.end - f.x - 60, kRow, f.caption, kBold, Alignment::Right));
    head.add(textControl("", kTaxRateX, 760, body - kTaxRateX, kRow, "Rate", kBold, Alignment::Right));
    head.add(lineControl("", 0, 950, body, 0));

    Band& line = l.addBand(kTaxLine, BandKind::Detail, kRow + 20);
    line.add(fieldControl("date", 0, 0, 800, kRow, "@d2", kText));
    line.add(fieldControl("invoice", 850, 0, 700, kRow, "@n_9", kText));
    line.add(textControl("customer", kTaxCustomerX, 0, kTaxRefX - kTaxCustomerX - 50, kRow, "", kText));
    line.add(textControl("reference", kTaxRefX, 0, kTaxTotalX - kTaxRefX - 50, kRow, "", kText));
    for (const Figure& f : figures) {
        line.add(fieldControl(f.name, f.x, 0, f.end - f.x - 60, kRow, kMoney, kText, Alignment::Right));
        if (f.x == kTaxNonX)
            line.add(textControl("type", kTaxTypeX + 60, 0, kTaxTaxableX - kTaxTypeX - 60, kRow, "", kText));
    }
    line.add(fieldControl("rate", kTaxRateX, 0, body - kTaxRateX, kRow, "@n-10.4~%~", kText, Alignment::Right));

    Band& totals = l.addBand(kTaxTotals, BandKind::Totals, 360);
    totals.add(lineControl("", kTaxTotalX, 30, kTaxRateX - kTaxTotalX, 0));
    totals.add(textControl("", kTaxRefX, 80, 1000, kRow, "Totals", kBold));
    for (const Figure& f : figures)
        totals.add(fieldControl(std::string("sum_") + f.name, f.x, 80, f.end - f.x - 60, kRow, kMoney, kBold,
                                Alignment::Right));
    return l;
}

std::vector<core::Table*> SalesTaxReportJob::tables() { return {&m_orders}; }

bool SalesTaxReportJob::start(core::UiPort& ui, ReportRun& run) {
    if (glo.LowDate1 == 0 || glo.HiDate1 == 0 || glo.HiDate1 < glo.LowDate1) {
        ui.inform("ERROR", "Beginning Date cannot be later than Ending Date");
        return false;
    }
    run.setText("company", company().COMPANYNAME.str());
    run.setText("range", dateRangeText(glo.LowDate1, glo.HiDate1));
    run.setText("taxType", m_tax == "2" ? "Tax 2" : "Tax 1");
    stampRun(run);
    m_customers = PickFilter(core::pick::Cust::Queue);
    const std::int32_t low = glo.LowDate1, high = glo.HiDate1;
    setRecords(m_orders, core::Orders::byOrdDate)
        .startAt([this, low] { m_orders.rec.OrdDate = low; })
        .whileTrue([this, high] { return m_orders.rec.OrdDate <= high; })
        .keepIf([this] { return m_orders.rec.InvoiceNum > 0 && m_customers.accepts(m_orders.rec.CustName.view()); });
    return true;
}

bool SalesTaxReportJob::printRecord(core::UiPort& ui, ReportRun& run) {
    const core::Orders& o = m_orders.rec;
    const bool second = m_tax == "2";
    const auto& tax = second ? o.SALESTAX2 : o.SALESTAX1;
    const auto& taxable = second ? o.SLSTAXABLE2 : o.SLSTAXABLE1;
    const auto& nonTaxable = second ? o.NONTAXABLE2 : o.NONTAXABLE1;
    const auto& exempt = second ? o.EXEMPT2 : o.EXEMPT1;
    const bool isExempt = (second ? o.TAX2EXEMPT : o.TAX1EXEMPT) != 0;
    const std::string licence = (second ? o.TAXLIC2 : o.TAXLIC1).str();
    Money total;
    if (total.assign(tax + taxable + nonTaxable) != core::DecimalStatus::Ok || !m_total.add(total) ||
        !m_nonTaxable.add(nonTaxable) || !m_taxable.add(taxable) || !m_exempt.add(exempt) || !m_taxSum.add(tax)) {
        totalsTooLarge(ui);
        return false;
    }
    run.setValue("date", o.OrdDate);
    run.setValue("invoice", o.InvoiceNum);
    run.setText("customer", o.CustName.str());
    run.setText("reference", o.REFERENCE.str());
    run.setValue("total", total);
    run.setValue("nonTaxable", nonTaxable);
    run.setText("type", !isExempt ? std::string() : house::trimmed(licence).empty() ? "Exempt" : "Exempt: " + licence);
    run.setValue("taxable", taxable);
    run.setValue("exempt", exempt);
    run.setValue("tax", tax);
    run.setValue("rate", second ? o.SLSTAXRATE2 : o.SLSTAXRATE1);
    run.print(kTaxLine);
    return true;
}

void SalesTaxReportJob::finish(core::UiPort&, ReportRun& run) {
    if (m_total.count() == 0) return;
    run.setValue("sum_total", m_total.sum());
    run.setValue("sum_nonTaxable", m_nonTaxable.sum());
    run.setValue("sum_taxable", m_taxable.sum());
    run.setValue("sum_exempt", m_exempt.sum());
    run.setValue("sum_tax", m_taxSum.sum());
    run.print(kTaxTotals);
}

}  // namespace quay::reports::detail
