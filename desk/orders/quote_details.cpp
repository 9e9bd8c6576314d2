// The header window's customer copy rule, and the profit window's arithmetic.
#include "orders/quote_details.h"

#include "quay/app/globals.h"
#include "quay/app/table_access.h"
#include "quay/tables/customer.h"
#include "quay/types/date.h"

namespace quay::desk {

using core::ErrorCode;

QuoteDetails::QuoteDetails(core::Database& db, core::UiPort& ui, core::Orders& order)
    : m_db(db), m_ui(ui), m_order(order) {}

bool QuoteDetails::open() {
    m_copy = m_order;
    m_appliedName = std::string(m_order.CustName.view());
    if (m_order.CustName.isBlank()) return true;
    core::HeldTable<core::Customer> cus(m_db, m_ui);
    if (!cus.isOpen()) return false;
    cus.handle.rec.Name = m_order.CustName.view();
    if (cus.handle.get(core::Customer::byName) != ErrorCode::None) m_order.CustName = "";
    return true;
}

bool QuoteDetails::chooseCustomer(std::string_view name) {
    core::HeldTable<core::Customer> cus(m_db, m_ui);
    if (!cus.isOpen()) return false;
    cus.handle.rec.Name = name;
    if (cus.handle.get(core::Customer::byName) != ErrorCode::None || cus.handle.rec.Active != 1) return false;
    const core::Customer& c = cus.handle.rec;
    m_order.CustName = c.Name.view();
    if (core::detail::compareTexts(c.Name.view(), m_appliedName, true) != 0) {
        m_order.BILLTO = c.BILLTO.view();
        m_order.PRICECLASS = c.PRICECLASS.view();
        m_order.TAX1EXEMPT = c.TAX1EXEMPT;
        m_order.TAX2EXEMPT = c.TAX2EXEMPT;
        m_order.TAXLIC1 = c.TAXLIC1.view();
        m_order.TAXLIC2 = c.TAXLIC2.view();
        m_order.SLSTAXRATE1 = c.SALESTAX1;
        m_order.SLSTAXRATE2 = c.SALESTAX2;
        m_appliedName = std::string(c.Name.view());
    }
    return true;
}

void QuoteDetails::enterDate() {
    if (m_order.OrdDate == 0) m_order.OrdDate = core::today();
}

bool QuoteDetails::ok() {
    if (m_order.CustName.isBlank()) {
        m_ui.beep(0, 0);
        return false;
    }
    m_response = core::Response::Completed;
    return true;
}

void QuoteDetails::cancel() {
    m_order = m_copy;
    m_response = core::Response::Cancelled;
}

ProfitFigures profitFigures() {
    ProfitFigures f;
    const auto& cost = core::glo.OrdCost;
    if (f.netSales.assign(core::glo.ListSubTotal + core::glo.DiscountAmt) != core::DecimalStatus::Ok) return f;
    (void)f.profit.assign(f.netSales - cost);
    if (!cost.isZero()) (void)f.markup.assign((f.netSales - cost) / cost * 100);
    if (!f.netSales.isZero()) (void)f.margin.assign((f.netSales - cost) / f.netSales * 100);
    return f;
}

}  // namespace quay::desk
