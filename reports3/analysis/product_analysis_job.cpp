// The product sales analysis: one row per product with its invoiced sales in each of
// twelve months from the first of the begin date's month, and the total; money (ITE:TOTAL)
// or quantity (ITE:QTY) as the window chose.
//
// Reads, each table once:
//   - ORD:byStatOrdDate over the invoices dated in the range: each invoice of a picked
//     customer is kept as the month column it falls in, by invoice number, so no order
//     is read again per line;
//   - the order lines in file order: each line of a kept invoice adds to its product's
//     cells, kept by part number as the case-insensitive key compares them. Reading the
//     lines by ITE:byPartNum would read the same lines, each through a look-up of the
//     index into the table; in file order they are read straight through;
//   - PRD:byPartNum over the products, each tested against the in-stock flag and the pick
//     lists, and printed with its cells (zero when it sold nothing); the grand row sums
//     the rows printed.
#include "analysis_jobs.h"

#include <algorithm>

#include "quay/app/globals.h"
#include "quay/app/last_error.h"
#include "quay/app/standard_messages.h"
#include "quay/reports/run/house_layout.h"
#include "quay/tools/pick_queues.h"
#include "quay/types/date.h"
#include "quay/types/picture.h"

namespace quay::reports::detail {

using core::ErrorCode;
using core::glo;

namespace {

enum AnalysisBand { kHeading = 1, kProductRow, kGrand };

constexpr const char* kCell = "@n-13.2";
// Columns on the landscape page: part, description, group, twelve months and the total.
constexpr Units kDescX = 950, kGroupX = 2500, kFirstMonthX = 3300, kMonthW = 500, kTotalX = kFirstMonthX + 12 * kMonthW,
                kEndX = 10000, kGap = 30;
const FontSpec kCellFont{.pointSize = 7};
const FontSpec kCellBold{.pointSize = 7, .bold = true};

std::string cellName(const char* prefix, int i) { return std::string(prefix) + std::to_string(i); }

}  // namespace

ProductAnalysisJob::ProductAnalysisJob(core::Database& db)
    : HouseReport(db), m_products(db), m_items(db), m_orders(db), m_venProds(db) {}

ReportLayout ProductAnalysisJob::layout() const {
    using namespace house;
    ReportLayout l = house::layout(title());
    l.setPage(l.page().landscape());
    Band& head = l.addBand(kHeading, BandKind::PageHeader, 1000);
    head.add(textControl("company", 0, 0, 5000, kRow, "", kBold));
    head.add(textControl("", 0, 200, 5200, 320, title(), kTitle));
    head.add(textControl("subtitle", 0, 540, 5200, kRow, "", kText));
    addRunStamp(head);
    head.add(textControl("", 0, 780, kDescX - kGap, kRow, "Part#", kBold));
    head.add(textControl("", kDescX, 780, kGroupX - kDescX - kGap, kRow, "Description", kBold));
    head.add(textControl("", kGroupX, 780, kFirstMonthX - kGroupX - kGap, kRow, "Group", kBold));
    for (int i = 0; i < 12; ++i)
        head.add(textControl(cellName("label", i), kFirstMonthX + i * kMonthW, 790, kMonthW - kGap, kRow, "", kCellBold,
                             Alignment::Right));
    head.add(textControl("", kTotalX, 790, kEndX - kTotalX - kGap, kRow, "Total", kCellBold, Alignment::Right));
    head.add(lineControl("", 0, 990, kEndX, 0));

    Band& row = l.addBand(kProductRow, BandKind::Detail, kRow + 20);
    row.add(textControl("part", 0, 0, kDescX - kGap, kRow, "", kSmall));
    // A long description wraps within its column and the row grows.
    row.add(wrappedText("description", kDescX, 0, kGroupX - kDescX - 2 * kGap, kRow, "", kSmall));
    row.add(textControl("group", kGroupX, 10, kFirstMonthX - kGroupX - kGap, kRow, "", kCellFont));
    for (int i = 0; i < 12; ++i)
        row.add(fieldControl(cellName("m", i), kFirstMonthX + i * kMonthW, 10, kMonthW - kGap, kRow, kCell, kCellFont,
                             Alignment::Right));
    row.add(fieldControl("total", kTotalX, 10, kEndX - kTotalX - kGap, kRow, kCell, kCellBold, Alignment::Right));

    Band& grand = l.addBand(kGrand, BandKind::Totals, 330);
    grand.add(lineControl("", kFirstMonthX, 30, kEndX - kFirstMonthX, 0));
    grand.add(textControl("", kGroupX - 1500, 90, 2100, kRow, "Grand Totals:", kBold, Alignment::Right));
    for (int i = 0; i < 12; ++i)
        grand.add(fieldControl(cellName("g", i), kFirstMonthX + i * kMonthW, 100, kMonthW - kGap, kRow, kCell,
                               kCellBold, Alignment::Right));
    grand.add(
        fieldControl("grandTotal", kTotalX, 100, kEndX - kTotalX - kGap, kRow, kCell, kCellBold, Alignment::Right));
    return l;
}

std::vector<core::Table*> ProductAnalysisJob::tables() { return {&m_products, &m_items, &m_orders, &m_venProds}; }

std::string ProductAnalysisJob::subtitle(std::int32_t low, std::int32_t high, bool quantity, const ProductPicks& picks,
                                         bool customers) {
    std::string s = core::formatPicture("@d14", low) + " - " + core::formatPicture("@d14", high);
    s += quantity ? ", Showing Qty Sold" : ", Showing Dollars";
    if (picks.parts.inUse()) s += ", Restrict by Product";
    if (picks.groups.inUse()) s += ", Restrict by Group";
    if (customers) s += ", Restrict by Customer";
    if (picks.vendors.inUse()) s += ", Restrict by Vendor";
    if (picks.makers.inUse()) s += ", Restrict by Manufacturer";
    return s.substr(0, 100);
}

bool ProductAnalysisJob::readFailed(core::UiPort& ui, core::Table& table) {
    core::saveError(table);
    core::showStandardMessage(ui, core::StandardMessage::RecordRetrievalError, {table.desc().name});
    return false;
}

bool ProductAnalysisJob::loadInvoices(core::UiPort& ui, std::int32_t low, std::int32_t high, int firstMonth) {
    const PickFilter customers(core::pick::Cust::Queue);
    m_columns.clear();
    m_farColumns.clear();
    m_orders.send("QUICKSCAN=on");
    m_orders.clear();
    m_orders.rec.Status = "I";
    m_orders.rec.OrdDate = low;
    ErrorCode e = m_orders.setAtKey(core::Orders::byStatOrdDate);
    while (e == ErrorCode::None) {
        e = m_orders.next();
        if (e != ErrorCode::None) break;
        const core::Orders& o = m_orders.rec;
        if (o.Status != "I" || o.OrdDate > high) break;
        if (o.OrdNum <= 0 || !customers.accepts(o.CustName.view())) continue;
        const std::optional<core::CivilDate> c = core::civilFromDate(o.OrdDate);
        if (!c) continue;
        // A date in the range whose month has no column (a range over twelve months) adds nothing.
        const int column = c->year * 12 + c->month - 1 - firstMonth;
        if (column < 0 || column >= 12) continue;
        const auto n = static_cast<std::size_t>(o.OrdNum);
        if (n >= kDenseOrders) {
            m_farColumns[o.OrdNum] = static_cast<std::int8_t>(column);
            continue;
        }
        if (n >= m_columns.size()) m_columns.resize(n + 1, -1);
        m_columns[n] = static_cast<std::int8_t>(column);
    }
    m_orders.send("QUICKSCAN=off");
    if (e != ErrorCode::None && e != ErrorCode::RecordNotAvailable) return readFailed(ui, m_orders);
    return true;
}

int ProductAnalysisJob::columnOf(std::int32_t ordNum) const {
    if (ordNum <= 0) return -1;
    const auto n = static_cast<std::size_t>(ordNum);
    if (n < m_columns.size()) return m_columns[n];
    if (n < kDenseOrders) return -1;
    const auto found = m_farColumns.find(ordNum);
    return found == m_farColumns.end() ? -1 : found->second;
}

std::string ProductAnalysisJob::partKey(std::string_view part) {
    while (!part.empty() && part.back() == ' ') part.remove_suffix(1);
    std::string k(part);
    for (char& ch : k)
        if (ch >= 'A' && ch <= 'Z') ch = static_cast<char>(ch + 32);
    return k;
}

bool ProductAnalysisJob::sumLines(core::UiPort& ui) {
    m_sales.clear();
    if (m_columns.empty() && m_farColumns.empty()) return true;  // no invoice in the range: every cell is zero
    m_items.send("QUICKSCAN=on");
    ErrorCode e = m_items.setFileOrder();
    while (e == ErrorCode::None) {
        e = m_items.next();
        if (e != ErrorCode::None) break;
        const core::ItemsOrd& line = m_items.rec;
        const int column = columnOf(line.OrdNum);
        if (column < 0) continue;  // a quote, out of the range, of a customer not picked, or gone
        Cells& cells = m_sales[partKey(line.PartNum.view())];
        if (!add(cells, column, m_quantity ? line.QTY : line.TOTAL)) {
            m_items.send("QUICKSCAN=off");
            ui.inform("Report Error", "The totals are too large to print.", core::Icon::Error);
            return false;
        }
    }
    m_items.send("QUICKSCAN=off");
    if (e != ErrorCode::RecordNotAvailable) return readFailed(ui, m_items);
    return true;
}

bool ProductAnalysisJob::start(core::UiPort& ui, ReportRun& run) {
    const std::int32_t low = glo.LowDate1, high = glo.HiDate1;
    const std::optional<std::int32_t> first = core::firstOfMonth(low);
    if (!first || high == 0 || high < low) {
        ui.inform("ERROR", "End Date must be equal to or greater than Beginning Date");
        return false;
    }
    m_quantity = glo.Dollars == "Q";
    m_inStockOnly = glo.InStockItems != 0;
    m_picks = ProductPicks::fromLists();
    const bool customers = core::pick::Cust::Queue.size() > 0;
    run.setText("company", company().COMPANYNAME.str());
    run.setText("subtitle", subtitle(low, high, m_quantity, m_picks, customers));
    stampRun(run);
    const core::CivilDate c = *core::civilFromDate(*first);
    for (int i = 0; i < 12; ++i) {
        const std::optional<std::int32_t> month = core::addMonths(*first, i);
        run.setText(cellName("label", i), month ? core::formatPicture("@d14", *month) : std::string());
    }
    if (!loadInvoices(ui, low, high, c.year * 12 + c.month - 1) || !sumLines(ui)) return false;
    setRecords(m_products, core::Products::byPartNum).keepIf([this] {
        const core::Products& p = m_products.rec;
        if (m_inStockOnly && p.OnHand.isZero()) return false;
        return m_picks.accepts(p, m_venProds);
    });
    return true;
}

bool ProductAnalysisJob::add(Cells& cells, int column, const core::Decimal<13, 2>& value) {
    Cells c = cells;
    if ((c[static_cast<std::size_t>(column)] += value) != core::DecimalStatus::Ok ||
        (c[12] += value) != core::DecimalStatus::Ok)
        return false;
    cells = c;
    return true;
}

bool ProductAnalysisJob::printRecord(core::UiPort& ui, ReportRun& run) {
    if (m_picks.readFailed()) return readFailed(ui, m_venProds);
    const core::Products& p = m_products.rec;
    static const Cells kNone{};
    const auto found = m_sales.find(partKey(p.PartNum.view()));
    const Cells& cells = found == m_sales.end() ? kNone : found->second;
    Cells grand = m_grand;
    for (std::size_t i = 0; i < grand.size(); ++i) {
        if ((grand[i] += cells[i]) != core::DecimalStatus::Ok) {
            ui.inform("Report Error", "The totals are too large to print.", core::Icon::Error);
            return false;
        }
    }
    m_grand = grand;
    run.setText("part", p.PartNum.str());
    run.setText("description", p.DESCRIPTION.str());
    run.setText("group", p.Group.str());
    for (int i = 0; i < 12; ++i) run.setValue(cellName("m", i), cells[static_cast<std::size_t>(i)]);
    run.setValue("total", cells[12]);
    run.print(kProductRow);
    ++m_printed;
    return true;
}

bool ProductAnalysisJob::endOfRecords(core::UiPort& ui, ReportRun&) {
    if (m_picks.readFailed()) return readFailed(ui, m_venProds);
    return true;
}

void ProductAnalysisJob::finish(core::UiPort&, ReportRun& run) {
    if (m_printed == 0) return;
    for (int i = 0; i < 12; ++i) run.setValue(cellName("g", i), m_grand[static_cast<std::size_t>(i)]);
    run.setValue("grandTotal", m_grand[12]);
    run.print(kGrand);
}

}  // namespace quay::reports::detail
