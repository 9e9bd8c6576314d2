// WindowName: the typed handle by which window logic opens another window through the UI
// port (ui.runWindow("CustomerForm", request)). A handle is made at compile time from a name
// of the program's window catalogue below, so a misspelt or unknown window does not compile;
// a name known only at run time (a menu entry, a settings value) is looked up with find().
// The program checks at start-up, and a test checks before that, that every window of the
// catalogue is registered, so no handle leads nowhere.
#pragma once

#include <array>
#include <optional>
#include <ostream>
#include <string_view>

#include "quay/export.h"

namespace quay::core {

// Every window that window logic opens by name: the documented procedure names and the
// window names the program registers them under.
inline constexpr std::array<std::string_view, 75> kWindowCatalogue = {
    // small tools, the company and the first start
    "DATESELECT",
    "DefaultsForm",
    "DEFAULTSFORM",
    "EnterDefaultAreaCode",
    "PICKCUSTOMERS",
    "PICKPRODUCTS",
    "PICKVENDORS",
    "PICKSALESMEN",
    "PICKGROUPS",
    "PICKMANUFACTURERS",
    // master lists and forms
    "CustomerBrowse",
    "CUSTOMERBROWSE",
    "CustomerForm",
    "CustCommentsRecord",
    "CustRefBrowse",
    "ProductBrowse",
    "PRODUCTBROWSE",
    "ProductForm",
    "VendorPartForm",
    "VendorBrowse",
    "VENDORBROWSE",
    "VendorForm",
    "SalespeopleBrowse",
    "SALESPEOPLEBROWSE",
    "SalespersonForm",
    "TermsBrowse",
    "TERMSBROWSE",
    "TermsForm",
    "ManufactBrowse",
    "MANUFACTBROWSE",
    "ManufactForm",
    "GroupsBrowse",
    "GROUPSBROWSE",
    "GroupForm",
    "BrowseShipVia",
    "BROWSESHIPVIA",
    "ShipViaForm",
    // order entry
    "QuoteBrowse",
    "InvoiceBrowse",
    "QuoteForm1",
    "InvoiceForm1",
    "CopyOrder",
    "InvoiceSerialBrowse",
    "SaveInvoiceForm",
    "PostInvoicePayment",
    "QuoteDetails",
    "ProfitMarginWindow",
    "QuoteComments",
    "InvoiceComments",
    // accounts receivable
    "ARBrowse",
    "BrwsCustAccount",
    "EditPayments",
    "EditCharges",
    "VERIFYARFILES",
    // stock upkeep
    "BrowseProdCounts",
    "ProdCountsForm",
    // purchasing
    "NEWPOFORM",
    "NewPOForm",
    "BROWSENEWPOS",
    "BrowseNewPOs",
    "BROWSEPOS",
    "BrowsePOs",
    "POForm",
    "UpdatePOItems",
    "POItemLookup",
    "VendorProductForm",
    "ReceivePOItems",
    "PrintPO",
    // the schedule and the frame's timer stages
    "SCHEDULEFORM",
    "ScheduleForm",
    "SCHEDULEBROWSE",
    "ScheduleBrowse",
    "LOADALARMQUEUE",
    "DISPLAYTIPOFDAY",
    "ALARMWINDOW",
};

class WindowName {
public:
    // No window (a list without a form, a look-up without a list).
    constexpr WindowName() = default;

    // REQUIRES (checked at compile time): `name` is in kWindowCatalogue.
    consteval WindowName(const char* name) : m_name(name) {  // NOLINT: implicit by design
        if (!isCatalogued(m_name)) throw "not a window of the program's catalogue";
    }

    // The catalogued window named `name` (exactly as catalogued), or nothing.
    static constexpr std::optional<WindowName> find(std::string_view name) {
        for (std::string_view n : kWindowCatalogue)
            if (n == name) return WindowName(Checked{}, n);
        return std::nullopt;
    }

    constexpr std::string_view name() const { return m_name; }
    constexpr bool empty() const { return m_name.empty(); }
    // Compares with a name as text ("VendorForm"), as tests and the registry hold them.
    friend constexpr bool operator==(const WindowName& a, std::string_view b) { return a.m_name == b; }
    friend std::ostream& operator<<(std::ostream& out, const WindowName& w) { return out << w.m_name; }

    static constexpr bool isCatalogued(std::string_view name) {
        for (std::string_view n : kWindowCatalogue)
            if (n == name) return true;
        return false;
    }

private:
    struct Checked {};
    constexpr WindowName(Checked, std::string_view name) : m_name(name) {}

    std::string_view m_name;
};

}  // namespace quay::core
