// QuoteDetails: the order's header window (customer, dates, terms, taxes, charges,
// ship-to). Choosing a customer other than the one last applied copies the
// customer's bill-to, price class, tax exemptions, licences and rates into the order;
// choosing the same customer again copies nothing, so edited rates survive. Cancel
// restores the header as it was when the window opened, after asking when
// something was changed. The window runs on the form pattern over the caller's
// Orders buffer.
//
// OrderLookups checks the header's master-data fields (customer, salesperson,
// terms, ship-via) against their tables; the invoice dialog uses it for its terms
// and ship-via too.
#pragma once
#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "quay/app/table_access.h"
#include "quay/app/ui_port.h"
#include "quay/store/database.h"
#include "quay/tables/customer.h"
#include "quay/tables/orders.h"
#include "quay/tables/salesmen.h"
#include "quay/tables/ship_mthd.h"
#include "quay/tables/terms.h"
#include "quay/ui/field_lookup.h"
#include "quay/ui/form_window.h"

namespace quay::desk {

// The header fields that name a master record.
enum class HeaderField { CustName, Salesperson, TERMS, SHIPVIA };

// Look-ups of the header fields: a typed value is sought in its table (customers
// among the active ones only, by CUS:byName); when nothing matches, the table's
// list window opens in select mode. Each table is opened on first use and held
// until the look-ups go.
class OrderLookups {
public:
    OrderLookups(core::Database& db, core::UiPort& ui);

    // The list window each field's look-up opens, as registered in the program.
    static const char* listProcedure(HeaderField field);

    // Checks `typed`, opening the list when it names no record. The customer found or
    // picked stays in customer() for the copy rule.
    core::LookupResult check(HeaderField field, std::string_view typed);
    // The "..." button: the field's list in select mode.
    core::LookupResult browse(HeaderField field);
    const core::Customer& customer() const { return m_cus->handle.rec; }

private:
    core::Table* table(HeaderField field);
    core::LookupSpec spec(HeaderField field) const;
    core::LookupResult refuseInactivePick(HeaderField field, core::LookupResult r);

    core::Database& m_db;
    core::UiPort& m_ui;
    std::optional<core::HeldTable<core::Customer>> m_cus;
    std::optional<core::HeldTable<core::Salesmen>> m_sp;
    std::optional<core::HeldTable<core::Terms>> m_ter;
    std::optional<core::HeldTable<core::ShipMthd>> m_shm;
};

class QuoteDetails : public core::FormWindow {
public:
    static constexpr const char* kProcedure = "QuoteDetails";
    static constexpr const char* kCaption = "Quote Details";
    static constexpr const char* kPriceClasses = "1|2|3|4|5|6|C|R";
    static constexpr const char* kCalendarTitle = "Select Order Date";
    static constexpr const char* kCustomerRequired = "Choose the customer this order is for.";
    static constexpr const char* kNotLookedUp = "This value names no record: choose one from the list (...).";

    QuoteDetails(core::Database& db, core::UiPort& ui, core::Orders& order);

    // Keeps the copy for cancel; a customer named by the order that no longer exists
    // clears the name.
    bool open();
    core::Orders& order() { return m_order; }

    // The customer typed or picked: looked up among active customers by name; false
    // when none matches. Applies the copy rule on a match.
    bool chooseCustomer(std::string_view name);
    // Accepting a look-up field with the value now in the order: checked against its
    // table (the list opens when nothing matches and `mayOpenList`); a refused value
    // is left for the user to correct and keeps the window from completing.
    bool acceptField(HeaderField field, bool mayOpenList = true);
    // The field's "..." button; false when nothing was picked (the field is kept).
    bool browseField(HeaderField field);
    // Entering the date field with no date: today (the calendar opens in the view).
    // True when the date was set.
    bool enterDate();
    // "&Ok" (FormWindow::ok): completes when a customer is named and every look-up
    // field was accepted, else beeps and says why; focus() says where the cursor goes.
    HeaderField focus() const { return m_focus; }
    static int fieldOf(HeaderField field);

protected:
    bool checkBeforeSave() override;

private:
    void applyCustomer(const core::Customer& c);
    bool refuseAt(HeaderField field, const char* reason);
    std::string& accepted(HeaderField field) { return m_accepted[static_cast<std::size_t>(field)]; }

    core::Database& m_db;
    core::UiPort& m_ui;
    core::Orders& m_order;
    OrderLookups m_lookups;
    std::string m_appliedName;
    // The value each look-up field last accepted (what Ok may complete with).
    std::array<std::string, 4> m_accepted;
    HeaderField m_focus = HeaderField::CustName;
};

// The index of the field `name` (case-insensitive, without prefix) in `desc`, or -1.
int fieldIndexOf(const core::TableDesc& desc, std::string_view name);

// The text of a header look-up field in the order, and writing a looked-up value back.
std::string_view headerText(const core::Orders& order, HeaderField field);
void setHeaderText(core::Orders& order, HeaderField field, std::string_view value);

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
