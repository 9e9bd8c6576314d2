// QuoteDetails: the order's header window (customer, dates, terms, taxes, charges,
// ship-to). Choosing a customer other than the one last applied copies the
// customer's bill-to, price class, tax exemptions, licences and rates into the order;
// choosing the same customer again copies nothing, so edited rates survive. Cancel
// restores the header as it was when the window opened.
#pragma once
#include <string>
#include <string_view>

#include "quay/app/ui_port.h"
#include "quay/store/database.h"
#include "quay/tables/orders.h"

namespace quay::desk {

class QuoteDetails {
public:
    static constexpr const char* kPriceClasses = "1|2|3|4|5|6|C|R";

    QuoteDetails(core::Database& db, core::UiPort& ui, core::Orders& order);

    // Keeps the copy for cancel; a customer named by the order that no longer exists
    // clears the name.
    bool open();
    core::Orders& order() { return m_order; }

    // The customer typed or picked: looked up among active customers by name; false
    // when none matches (the view then opens the customer list).
    bool chooseCustomer(std::string_view name);
    // Entering the date field with no date: today (the calendar opens in the view).
    void enterDate();
    // "&Ok": completes when a customer is named, else beeps (cursor to the customer).
    bool ok();
    void cancel();
    core::Response response() const { return m_response; }

private:
    core::Database& m_db;
    core::UiPort& m_ui;
    core::Orders& m_order;
    core::Orders m_copy;
    std::string m_appliedName;
    core::Response m_response = core::Response::Cancelled;
};

// What the profit window shows, each to two places; 0.00 when its divisor is 0.
struct ProfitFigures {
    core::Decimal<13, 2> netSales;
    core::Decimal<13, 2> profit;
    core::Decimal<13, 2> markup;
    core::Decimal<13, 2> margin;
};
// ProfitMarginWindow's figures from glo.OrdCost, glo.ListSubTotal and glo.DiscountAmt.
ProfitFigures profitFigures();

}  // namespace quay::desk
