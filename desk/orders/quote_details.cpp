// The header window's look-ups and customer copy rule, and the profit window's
// arithmetic. A look-up field remembers the value it last accepted: the window
// completes only with accepted values, and Ok re-checks a field without opening its
// list a second time for the keystroke that already opened it.
#include "orders/quote_details.h"

#include "quay/app/globals.h"
#include "quay/types/date.h"

namespace quay::desk {

using core::ErrorCode;
using core::LookupOutcome;
using core::LookupResult;

// --- OrderLookups -------------------------------------------------------------------

OrderLookups::OrderLookups(core::Database& db, core::UiPort& ui) : m_db(db), m_ui(ui) {}

core::WindowName OrderLookups::listProcedure(HeaderField field) {
    switch (field) {
    case HeaderField::CustName: return "CUSTOMERBROWSE";
    case HeaderField::Salesperson: return "SALESPEOPLEBROWSE";
    case HeaderField::TERMS: return "TERMSBROWSE";
    case HeaderField::SHIPVIA: return "BROWSESHIPVIA";
    }
    return {};
}

core::Table* OrderLookups::table(HeaderField field) {
    auto held = [this](auto& slot) -> core::Table* {
        if (!slot) slot.emplace(m_db, m_ui);
        return slot->isOpen() ? &slot->handle : nullptr;
    };
    switch (field) {
    case HeaderField::CustName: return held(m_cus);
    case HeaderField::Salesperson: return held(m_sp);
    case HeaderField::TERMS: return held(m_ter);
    case HeaderField::SHIPVIA: return held(m_shm);
    }
    return nullptr;
}

core::LookupSpec OrderLookups::spec(HeaderField field) const {
    core::LookupSpec s;
    s.listProcedure = listProcedure(field);
    s.allowBlank = true;
    switch (field) {
    case HeaderField::CustName:
        s.key = core::Customer::byName;
        s.field = fieldIndexOf(core::Customer::desc(), "Name");
        // Only active customers may be put on an order.
        s.filter = [](const void* r) { return static_cast<const core::Customer*>(r)->Active == 1; };
        break;
    case HeaderField::Salesperson:
        s.key = core::Salesmen::byInitials;
        s.field = fieldIndexOf(core::Salesmen::desc(), "Initials");
        break;
    case HeaderField::TERMS:
        s.key = core::Terms::byTerms;
        s.field = fieldIndexOf(core::Terms::desc(), "TERMS");
        break;
    case HeaderField::SHIPVIA:
        s.key = core::ShipMthd::byShipVia;
        s.field = fieldIndexOf(core::ShipMthd::desc(), "SHIPVIA");
        break;
    }
    return s;
}

LookupResult OrderLookups::check(HeaderField field, std::string_view typed) {
    core::Table* t = table(field);
    if (t == nullptr) return {};
    core::FieldLookup lookup(m_ui, *t, spec(field));
    core::glo.GlobalResponse = core::Response::None;
    return refuseInactivePick(field, lookup.check(typed));
}

LookupResult OrderLookups::browse(HeaderField field) {
    core::Table* t = table(field);
    if (t == nullptr) return {};
    core::FieldLookup lookup(m_ui, *t, spec(field));
    core::glo.GlobalResponse = core::Response::None;
    return refuseInactivePick(field, lookup.browse());
}

LookupResult OrderLookups::refuseInactivePick(HeaderField field, LookupResult r) {
    // The list shows inactive customers too; one picked there is refused with a
    // word to the user instead of silently.
    if (field == HeaderField::CustName && !r.accepted() && core::glo.GlobalResponse == core::Response::Completed)
        m_ui.message("Customer Not Active",
                     "This customer is not active.  Only active customers can be put on an order.", core::Icon::Warning,
                     core::Button::Ok, core::Button::Ok);
    return r;
}

int fieldIndexOf(const core::TableDesc& desc, std::string_view name) {
    for (std::size_t i = 0; i < desc.fields.size(); ++i)
        if (core::detail::compareTexts(desc.fields[i].name, name, true) == 0) return static_cast<int>(i);
    return -1;
}

std::string_view headerText(const core::Orders& order, HeaderField field) {
    switch (field) {
    case HeaderField::CustName: return order.CustName.view();
    case HeaderField::Salesperson: return order.Salesperson.view();
    case HeaderField::TERMS: return order.TERMS.view();
    case HeaderField::SHIPVIA: return order.SHIPVIA.view();
    }
    return {};
}

void setHeaderText(core::Orders& order, HeaderField field, std::string_view value) {
    switch (field) {
    case HeaderField::CustName: order.CustName = value; break;
    case HeaderField::Salesperson: order.Salesperson = value; break;
    case HeaderField::TERMS: order.TERMS = value; break;
    case HeaderField::SHIPVIA: order.SHIPVIA = value; break;
    }
}

// --- QuoteDetails -------------------------------------------------------------------

namespace {

core::FormSpec detailsSpec() {
    core::FormSpec s;
    s.procedure = QuoteDetails::kProcedure;
    s.title = QuoteDetails::kCaption;
    return s;
}

core::WindowRequest changeRequest() {
    core::WindowRequest r;
    r.request = core::Request::Change;
    return r;
}

}  // namespace

QuoteDetails::QuoteDetails(core::Database& db, core::UiPort& ui, core::Orders& order)
    : FormWindow(ui, core::Orders::desc(), &order, detailsSpec(), changeRequest()),
      m_db(db),
      m_ui(ui),
      m_order(order),
      m_lookups(db, ui) {}

int QuoteDetails::fieldOf(HeaderField field) {
    switch (field) {
    case HeaderField::CustName: return fieldIndexOf(core::Orders::desc(), "CustName");
    case HeaderField::Salesperson: return fieldIndexOf(core::Orders::desc(), "Salesperson");
    case HeaderField::TERMS: return fieldIndexOf(core::Orders::desc(), "TERMS");
    case HeaderField::SHIPVIA: return fieldIndexOf(core::Orders::desc(), "SHIPVIA");
    }
    return -1;
}

bool QuoteDetails::refuseAt(HeaderField field, const char* reason) {
    m_focus = field;
    return refuse(fieldOf(field), reason);
}

bool QuoteDetails::open() {
    if (!FormWindow::open()) return false;
    m_appliedName = std::string(m_order.CustName.view());
    if (!m_order.CustName.isBlank()) {
        core::HeldTable<core::Customer> cus(m_db, m_ui);
        if (!cus.isOpen()) return false;
        cus.handle.rec.Name = m_order.CustName.view();
        if (cus.handle.get(core::Customer::byName) != ErrorCode::None) m_order.CustName = "";
    }
    for (HeaderField f : {HeaderField::CustName, HeaderField::Salesperson, HeaderField::TERMS, HeaderField::SHIPVIA})
        accepted(f) = std::string(headerText(m_order, f));
    return true;
}

void QuoteDetails::applyCustomer(const core::Customer& c) {
    m_order.CustName = c.Name.view();
    accepted(HeaderField::CustName) = std::string(c.Name.view());
    if (core::detail::compareTexts(c.Name.view(), m_appliedName, true) == 0) return;
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

bool QuoteDetails::chooseCustomer(std::string_view name) {
    core::HeldTable<core::Customer> cus(m_db, m_ui);
    if (!cus.isOpen()) return false;
    cus.handle.rec.Name = name;
    if (cus.handle.get(core::Customer::byName) != ErrorCode::None || cus.handle.rec.Active != 1) return false;
    applyCustomer(cus.handle.rec);
    return true;
}

bool QuoteDetails::acceptField(HeaderField field, bool mayOpenList) {
    const std::string typed(headerText(m_order, field));
    if (typed == accepted(field)) return true;
    if (!mayOpenList) {
        // Ok after a refusal: the value was already offered to the list and refused.
        return refuseAt(field, kNotLookedUp);
    }
    const LookupResult r = m_lookups.check(field, typed);
    if (!r.accepted()) {
        m_focus = field;
        return false;
    }
    if (field == HeaderField::CustName && r.outcome != LookupOutcome::Blank)
        applyCustomer(m_lookups.customer());
    else {
        setHeaderText(m_order, field, r.value);
        accepted(field) = r.value;
    }
    return true;
}

bool QuoteDetails::browseField(HeaderField field) {
    const LookupResult r = m_lookups.browse(field);
    if (!r.accepted()) return false;
    if (field == HeaderField::CustName)
        applyCustomer(m_lookups.customer());
    else {
        setHeaderText(m_order, field, r.value);
        accepted(field) = r.value;
    }
    return true;
}

bool QuoteDetails::enterDate() {
    if (m_order.OrdDate != 0) return false;
    m_order.OrdDate = core::today();
    return true;
}

bool QuoteDetails::checkBeforeSave() {
    for (HeaderField f : {HeaderField::CustName, HeaderField::Salesperson, HeaderField::TERMS, HeaderField::SHIPVIA}) {
        if (std::string(headerText(m_order, f)) != accepted(f)) return refuseAt(f, kNotLookedUp);
    }
    if (m_order.CustName.isBlank()) return refuseAt(HeaderField::CustName, kCustomerRequired);
    return true;
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
