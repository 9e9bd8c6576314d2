// The order detail ticket and the packing list. The heading is filled when the first line
// is read, before its band prints, so the page header of every page shows it. Only reads:
// nothing is written.
#include "order_ticket_job.h"

#include "quay/types/picture.h"

namespace quay::reports::detail {

using core::ErrorCode;

OrderTicketJob::OrderTicketJob(core::Database& db, std::int32_t ordNum, TicketKind kind)
    : OrderPrintReport(db, ordNum),
      m_kind(kind),
      m_products(db),
      m_customer(db),
      m_salesmen(db),
      m_venProds(db),
      m_vendors(db) {}

std::vector<core::Table*> OrderTicketJob::printTables() {
    if (isTicket()) return {&m_products, &m_customer, &m_salesmen, &m_venProds, &m_vendors};
    return {&m_products, &m_customer, &m_salesmen};
}

bool OrderTicketJob::beginOrder(core::UiPort&, ReportRun& run) {
    const core::Orders& ord = order();
    // The customer and the salesperson are looked up, not required: a ticket still goes to
    // the workshop when either has been removed meanwhile.
    m_customer.clear();
    m_customer.rec.Name = ord.CustName;
    if (m_customer.get(core::Customer::byName) != ErrorCode::None) m_customer.clear();
    m_salesmen.clear();
    m_salesmen.rec.Initials = ord.Salesperson;
    if (ord.Salesperson.isBlank() || m_salesmen.get(core::Salesmen::byInitials) != ErrorCode::None) m_salesmen.clear();

    stampRun(run);
    run.setText("customer", m_customer.rec.Name.str());
    run.setText("phone", m_customer.rec.PHONE1.str());
    run.setText("fax", m_customer.rec.FAX.str());
    run.setText("salesperson", m_salesmen.rec.NAME.str());
    run.setText("orderDate", core::formatPicture("@d2", ord.OrdDate));
    run.setText("docLabel", isInvoice() ? "Invoice#:" : "Quote#:");
    run.setText("docNumber", std::to_string(isInvoice() ? ord.InvoiceNum : ord.OrdNum));
    if (isTicket()) {
        run.setText("poNum", ord.PONUM.str());
        run.setText("reference", ord.REFERENCE.str());
        (void)m_soldFor.assign(ord.LISTSUB - ord.DISCOUNT);
        m_estimatedCost.clear();
    }
    return true;
}

bool OrderTicketJob::printLine(core::UiPort&, ReportRun& run) {
    const core::ItemsOrd& line = this->line();
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
    return true;
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

void OrderTicketJob::endOrder(ReportRun& run) {
    if (isTicket()) {
        core::Decimal<18, 2> profit;
        (void)profit.assign(m_soldFor - m_estimatedCost);
        run.setValue("estimatedCost", m_estimatedCost);
        run.setValue("soldFor", m_soldFor);
        run.setValue("profit", profit);
    }
    run.setText("notes", order().Notes.str());
    run.print(kTicketTotals);
}

}  // namespace quay::reports::detail
