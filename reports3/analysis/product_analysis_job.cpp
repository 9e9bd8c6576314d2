// The product sales analysis: one row per product with its invoiced sales in each of
// twelve months from the first of the begin date's month, and the total; money (ITE:TOTAL)
// or quantity (ITE:QTY) as the window chose.
//
// Keys read, each in one pass:
//   - ORD:byStatOrdDate over the invoices dated in the range, once at the start: each
//     invoice of a picked customer is kept as its number and the month column it falls
//     in (eight bytes an invoice), so no order is read again per line;
//   - PRD:byPartNum over the products, each tested against the in-stock flag and the
//     pick lists of groups, products, vendors and manufacturers;
//   - ITE:byPartNum over the lines, in step with the products: the lines of products the
//     report leaves out are read past while few, and sought past when many.
#include "analysis_jobs.h"

#include <algorithm>

#include "quay/app/globals.h"
#include "quay/app/last_error.h"
#include "quay/app/standard_messages.h"
#include "quay/reports/run/house_layout.h"
#include "quay/tools/pick_queues.h"
#include "quay/types/date.h"
#include "quay/types/picture.h"
#include "../accounts/age_buckets.h"

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

// Lines of products the report leaves out are read past up to this many; beyond, the
// lines key is sought at the next product instead.
constexpr int kReadPast = 32;

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
    grand.add(fieldControl(cellName("g", i), kFirstMonthX + i * kMonthW, 100, kMonthW - kGap, kRow, kCell, kCellBold,
                           Alignment::Right));
  grand.add(fieldControl("grandTotal", kTotalX, 100, kEndX - kTotalX - kGap, kRow, kCell, kCellBold, Alignment::Right));
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
  m_invoices.clear();
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
    if (!customers.accepts(o.CustName.view())) continue;
    const std::optional<core::CivilDate> c = core::civilFromDate(o.OrdDate);
    if (!c) continue;
    // A date in the range whose month has no column (a range over twelve months) adds nothing.
    const int column = c->year * 12 + c->month - 1 - firstMonth;
    if (column >= 0 && column < 12) m_invoices.push_back({o.OrdNum, column});
  }
  m_orders.send("QUICKSCAN=off");
  if (e != ErrorCode::None && e != ErrorCode::RecordNotAvailable) return readFailed(ui, m_orders);
  std::sort(m_invoices.begin(), m_invoices.end(),
            [](const Invoice& a, const Invoice& b) { return a.ordNum < b.ordNum; });
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
  if (!loadInvoices(ui, low, high, c.year * 12 + c.month - 1)) return false;
  m_items.send("QUICKSCAN=on");
  m_linePositioned = false;
  setRecords(m_products, core::Products::byPartNum).keepIf([this] {
    const core::Products& p = m_products.rec;
    if (m_inStockOnly && p.OnHand.isZero()) return false;
    return m_picks.accepts(p, m_venProds);
  });
  return true;
}

int ProductAnalysisJob::columnOf(std::int32_t ordNum) const {
  auto it = std::lower_bound(m_invoices.begin(), m_invoices.end(), ordNum,
                             [](const Invoice& a, std::int32_t n) { return a.ordNum < n; });
  return it != m_invoices.end() && it->ordNum == ordNum ? it->column : -1;
}

ErrorCode ProductAnalysisJob::readLine() {
  const ErrorCode e = m_items.next();
  m_haveLine = e == ErrorCode::None;
  return e;
}

ErrorCode ProductAnalysisJob::seekLines(std::string_view part) {
  m_items.clear();
  m_items.rec.PartNum = part;
  const ErrorCode e = m_items.setAtKey(core::ItemsOrd::byPartNum);
  m_linePositioned = true;
  return e != ErrorCode::None ? e : readLine();
}

bool ProductAnalysisJob::addLines(core::UiPort& ui, Cells& cells) {
  const std::string_view part = m_products.rec.PartNum.view();
  ErrorCode e = ErrorCode::None;
  if (!m_linePositioned) {
    e = seekLines(part);
  } else if (m_haveLine && compareNames(m_items.rec.PartNum.view(), part) < 0) {
    for (int i = 0; i < kReadPast && e == ErrorCode::None && compareNames(m_items.rec.PartNum.view(), part) < 0; ++i)
      e = readLine();
    if (e == ErrorCode::None && compareNames(m_items.rec.PartNum.view(), part) < 0) e = seekLines(part);
  }
  while (e == ErrorCode::None && m_haveLine && sameName(m_items.rec.PartNum.view(), part)) {
    const core::ItemsOrd& line = m_items.rec;
    const int column = columnOf(line.OrdNum);
    if (column >= 0) {
      const core::Decimal<13, 2>& value = m_quantity ? line.QTY : line.TOTAL;
      if (!add(cells, column, value) || !add(m_grand, column, value)) {
        ui.inform("Report Error", "The totals are too large to print.", core::Icon::Error);
        return false;
      }
    }
    e = readLine();
  }
  if (e != ErrorCode::None && e != ErrorCode::RecordNotAvailable) return readFailed(ui, m_items);
  return true;
}

bool ProductAnalysisJob::add(Cells& cells, int column, const core::Decimal<13, 2>& value) {
  Cells c = cells;
  if ((c[static_cast<std::size_t>(column)] += value) != core::DecimalStatus::Ok || (c[12] += value) != core::DecimalStatus::Ok)
    return false;
  cells = c;
  return true;
}

bool ProductAnalysisJob::printRecord(core::UiPort& ui, ReportRun& run) {
  if (m_picks.readFailed()) return readFailed(ui, m_venProds);
  Cells cells{};
  if (!addLines(ui, cells)) return false;
  const core::Products& p = m_products.rec;
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
  m_items.send("QUICKSCAN=off");
  if (m_printed == 0) return;
  for (int i = 0; i < 12; ++i) run.setValue(cellName("g", i), m_grand[static_cast<std::size_t>(i)]);
  run.setValue("grandTotal", m_grand[12]);
  run.print(kGrand);
}

}  // namespace quay::reports::detail
