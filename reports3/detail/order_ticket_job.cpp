// The order detail ticket and the packing list. The heading is filled when the first line
// is read, before its band prints, so the page header of every page shows it. Only reads:
// nothing is written.
#include "order_ticket_job.h"

#include "quay/app/last_error.h"
#include "quay/app/standard_messages.h"
#include "quay/defaults/company_defaults.h"
#include "quay/types/clock.h"
#include "quay/types/date.h"
#include "quay/types/picture.h"

namespace quay::reports::detail {
namespace {

using core::Button;
using core::ErrorCode;
using core::Icon;

void readFailed(core::UiPort& ui, const core::Table& table, const char* name) {
  core::saveError(table);
  core::showStandardMessage(ui, core::StandardMessage::RecordRetrievalError, {name});
}

}  // namespace

OrderTicketJob::OrderTicketJob(core::Database& db, std::int32_t ordNum, TicketKind kind)
    : m_ordNum(ordNum),
      m_kind(kind),
      m_order(db),
      m_items(db),
      m_products(db),
      m_customer(db),
      m_salesmen(db),
      m_venProds(db),
      m_vendors(db),
      m_defaults(db) {}

bool OrderTicketJob::open(core::UiPort& ui) {
  if (!m_tables.open(ui, {&m_order, &m_items, &m_products, &m_customer, &m_salesmen, &m_defaults})) return false;
  return !isTicket() || m_tables.open(ui, {&m_venProds, &m_vendors});
}

bool OrderTicketJob::loadCompany() { return core::GETCOMPANYDEFAULTS(m_defaults, 1) == 0; }

bool OrderTicketJob::begin(core::UiPort& ui, ReportRun&) {
  m_order.clear();
  m_order.rec.OrdNum = m_ordNum;
  if (m_ordNum <= 0 || m_order.get(core::Orders::byOrdNum) != ErrorCode::None) {
    ui.message("ERROR", "Invalid Global Order Number", Icon::Error, Button::Ok, Button::Ok);
    return false;
  }
  m_items.send("QUICKSCAN=on");
  m_items.clear();
  m_items.rec.OrdNum = m_ordNum;
  if (m_items.setAtKey(core::ItemsOrd::byOrdNum) != ErrorCode::None) {
    readFailed(ui, m_items, "ItemsOrd");
    return false;
  }
  while (m_items.next() == ErrorCode::None && m_items.rec.OrdNum == m_ordNum) ++m_lineCount;
  m_items.clear();
  m_items.rec.OrdNum = m_ordNum;
  if (m_items.setAtKey(core::ItemsOrd::byOrdNum) != ErrorCode::None) {
    readFailed(ui, m_items, "ItemsOrd");
    return false;
  }
  return true;
}

void OrderTicketJob::setHeading(ReportRun& run) {
  const core::Orders& ord = m_order.rec;
  // The customer and the salesperson are looked up, not required: a ticket still goes to
  // the workshop when either has been removed meanwhile.
  m_customer.clear();
  m_customer.rec.Name = ord.CustName;
  if (m_customer.get(core::Customer::byName) != ErrorCode::None) m_customer.clear();
  m_salesmen.clear();
  m_salesmen.rec.Initials = ord.Salesperson;
  if (ord.Salesperson.isBlank() || m_salesmen.get(core::Salesmen::byInitials) != ErrorCode::None) m_salesmen.clear();

  run.setValue("runDate", core::today());
  run.setValue("runTime", core::now());
  run.setText("customer", m_customer.rec.Name.str());
  run.setText("phone", m_customer.rec.PHONE1.str());
  run.setText("fax", m_customer.rec.FAX.str());
  run.setText("salesperson", m_salesmen.rec.NAME.str());
  run.setText("orderDate", core::formatPicture("@d2", ord.OrdDate));
  const bool invoice = ord.Status == "I";
  run.setText("docLabel", invoice ? "Invoice#:" : "Quote#:");
  run.setText("docNumber", std::to_string(invoice ? ord.InvoiceNum : ord.OrdNum));
  if (isTicket()) {
    run.setText("poNum", ord.PONUM.str());
    run.setText("reference", ord.REFERENCE.str());
    (void)m_soldFor.assign(ord.LISTSUB - ord.DISCOUNT);
    m_estimatedCost.clear();
  }
  m_headed = true;
}

JobStep OrderTicketJob::next(core::UiPort& ui, ReportRun& run) {
  const ErrorCode e = m_items.next();
  if (e == ErrorCode::RecordNotAvailable) return JobStep::End;
  if (e != ErrorCode::None) {
    readFailed(ui, m_items, "ItemsOrd");
    return JobStep::Failed;
  }
  const core::ItemsOrd& line = m_items.rec;
  if (line.OrdNum != m_ordNum) return JobStep::End;
  if (!m_headed) setHeading(run);

  m_products.clear();
  m_products.rec.PartNum = line.PartNum;
  const bool haveProduct = m_products.get(core::Products::byPartNum) == ErrorCode::None;

  run.setValue("qty", line.QTY);
  run.setText("partNum", line.PartNum.str());
  run.setText("description", line.DESCRIPTION.str());
  if (isTicket()) {
    run.setValue("cost", line.COST);
    // Each product of cost and quantity is stored to cents as it is added.
    core::Decimal<18, 2> extended;
    (void)extended.assign(line.COST * line.QTY);
    (void)(m_estimatedCost += extended);
  }
  run.print(kTicketLine);
  if (isTicket() && haveProduct) printVendors(run);
  run.print(kTicketLineEnd);
  return JobStep::Record;
}

void OrderTicketJob::printVendors(ReportRun& run) {
  const core::FixedString<20> partNum = m_products.rec.PartNum;
  m_venProds.clear();
  m_venProds.rec.PartNum = partNum;
  if (m_venProds.setAtKey(core::VenProds::byPartNum) != ErrorCode::None) return;
  while (m_venProds.next() == ErrorCode::None && m_venProds.rec.PartNum == partNum) {
    m_vendors.clear();
    m_vendors.rec.NAME = m_venProds.rec.Vendor;
    if (m_vendors.get(core::Vendors::byName) != ErrorCode::None) break;
    run.setText("vendorName", m_vendors.rec.NAME.str());
    run.setText("vendorPhone", m_vendors.rec.PHONE1.str());
    run.setText("vendorExt", m_vendors.rec.EXTENSION.str());
    run.setText("vendorPartNum", m_venProds.rec.VENPARTNUM.str());
    run.print(kTicketVendor);
  }
}

void OrderTicketJob::finish(core::UiPort&, ReportRun& run) {
  if (!m_headed) return;
  if (isTicket()) {
    core::Decimal<18, 2> profit;
    (void)profit.assign(m_soldFor - m_estimatedCost);
    run.setValue("estimatedCost", m_estimatedCost);
    run.setValue("soldFor", m_soldFor);
    run.setValue("profit", profit);
  }
  run.setText("notes", m_order.rec.Notes.str());
  run.print(kTicketTotals);
}

}  // namespace quay::reports::detail
