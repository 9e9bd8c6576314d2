// The menu table. Status-bar texts of the frame's standard commands are the
// program's documented ones; the others say in a few words what the entry opens.
#include "frame/menu_table.h"

namespace quay::desk {

namespace {
using K = CommandKind;
}

const std::vector<MenuEntry>& menuTable() {
    static const std::vector<MenuEntry> table = {
        {"&File", "P&rint Setup...", K::PrintSetup, {}, {}, "Setup Printer", {}},
        {"&File", "E&xit", K::Exit, {}, {}, "Exit this application", {}},

        {"&Edit", "Cu&t", K::Cut, {}, {}, "Remove item to Windows Clipboard", "Ctrl+X"},
        {"&Edit", "&Copy", K::Copy, {}, {}, "Copy item to Windows Clipboard", "Ctrl+C"},
        {"&Edit", "&Paste", K::Paste, {}, {}, "Paste contents of Windows Clipboard", "Ctrl+V"},

        {"&Orders", "&Quotes", K::SingleList, "QuoteBrowse", "QuoteList", "View, change and add quotes", {}},
        {"&Orders", "&Invoices", K::SingleList, "InvoiceBrowse", "InvoiceList", "View, change and add invoices", {}},
        {"&Orders", "&New PO", K::Procedure, "NEWPOFORM", {}, "Write a new purchase order", {}},
        {"&Orders", "&Modify New PO's", K::Procedure, "BROWSENEWPOS", {}, "Change purchase orders not yet sent", {}},
        {"&Orders",
         "View / Receive &POs",
         K::Procedure,
         "BROWSEPOS",
         {},
         "View purchase orders and receive them into stock",
         {}},

        {"&Master Lists",
         "&Customers",
         K::SingleList,
         "CUSTOMERBROWSE",
         "CustomerList",
         "View, change and add customers",
         {}},
        {"&Master Lists", "&A/R", K::Procedure, "ARBrowse", {}, "Customer balances, charges and payments", {}},
        {"&Master Lists",
         "&Inventory",
         K::SingleList,
         "PRODUCTBROWSE",
         "ProductList",
         "View, change and add products",
         {}},
        {"&Master Lists", "&Product Counts", K::Procedure, "BrowseProdCounts", {}, "Enter physical stock counts", {}},
        {"&Master Lists", "&Vendors", K::SingleList, "VENDORBROWSE", "VendorList", "View, change and add vendors", {}},
        {"&Master Lists",
         "&Manufacturers",
         K::SingleList,
         "MANUFACTBROWSE",
         "ManufacturerList",
         "View, change and add manufacturers",
         {}},
        {"&Master Lists",
         "Product &Groups",
         K::SingleList,
         "GROUPSBROWSE",
         "GroupsList",
         "View, change and add product groups",
         {}},
        {"&Master Lists",
         "&Salespeople",
         K::SingleList,
         "SALESPEOPLEBROWSE",
         "SalespeopleList",
         "View, change and add salespeople",
         {}},
        {"&Master Lists",
         "S&hipping Methods",
         K::SingleList,
         "BROWSESHIPVIA",
         "ShipViaList",
         "View, change and add shipping methods",
         {}},
        {"&Master Lists",
         "&Terms",
         K::SingleList,
         "TERMSBROWSE",
         "TermsList",
         "View, change and add payment terms",
         {}},

        {"&Schedule",
         "&Schedule List",
         K::SingleList,
         "SCHEDULEBROWSE",
         "ScheduleList",
         "Your scheduled follow-ups and alarms",
         {}},

        {"&Reports > &Customer", "&List", K::Procedure, "CUSTLISTRPTSELECT", {}, "Print the customer list", {}},
        {"&Reports > &Customer",
         "&Mailing Labels",
         K::Procedure,
         "CUSTMAILLBLRPTSELECT",
         {},
         "Print customer mailing labels",
         {}},
        {"&Reports > &Customer",
         "1-Line L&ist",
         K::Procedure,
         "CUST1LINESELECT",
         {},
         "Print the one-line customer list",
         {}},
        {"&Reports > &Inventory",
         "Inventory &Level Reports",
         K::Procedure,
         "INVENTORYLEVELSSELECT",
         {},
         "Print stock levels",
         {}},
        {"&Reports > &Inventory", "C&atalogs", K::Procedure, "PRDCATSELECT", {}, "Print the product catalogue", {}},
        {"&Reports > &Inventory", "&Price Lists", K::Procedure, "PRICELISTSELECT", {}, "Print price lists", {}},
        {"&Reports > &Inventory",
         "Product &Analysis Report",
         K::Procedure,
         "PRODANALYSISSELECT",
         {},
         "Print the product sales analysis",
         {}},
        {"&Reports > &Vendor", "&List", K::Procedure, "VENDORLISTSELECT", {}, "Print the vendor list", {}},
        {"&Reports > &A/R", "&Billing", K::Procedure, "CUSTBILLSELECT", {}, "Print customer statements", {}},
        {"&Reports > &A/R", "&Aging Report", K::Procedure, "PRINTAGINGSELECT", {}, "Print the aging report", {}},
        {"&Reports > &A/R",
         "&Cash Flow Report",
         K::Procedure,
         "PAYMENTSRECEIVEDSELECT",
         {},
         "Print the payments received",
         {}},
        {"&Reports > &Sales and Tax",
         "Sales &Tax Collected",
         K::Procedure,
         "SALESTAXCOLLRPTSELECT",
         {},
         "Print the sales tax collected",
         {}},
        {"&Reports > &Sales and Tax",
         "Sales by &Date",
         K::Procedure,
         "SALESBYDATESELECT",
         {},
         "Print sales by date",
         {}},
        {"&Reports > &Sales and Tax",
         "Sales by &Customer",
         K::Procedure,
         "SALESBYCUSTSELECT",
         {},
         "Print sales by customer",
         {}},
        {"&Reports > &Sales and Tax",
         "Sales by &Salesperson",
         K::Procedure,
         "SALESBYSPSELECT",
         {},
         "Print sales by salesperson",
         {}},
        {"&Reports", "&Quotes by Date", K::Procedure, "QUOTESBYDATESELECT", {}, "Print quotes by date", {}},
        {"&Reports", "Q&uotes by Customer", K::Procedure, "QUOTESBYCUSTSELECT", {}, "Print quotes by customer", {}},
        {"&Reports", "Qu&otes by Salesperson", K::Procedure, "QUOTESBYSPSELECT", {}, "Print quotes by salesperson", {}},

        {"&Utilities", "&Defaults", K::SingleList, "DEFAULTSFORM", "DefaultsForm", "Change the company defaults", {}},
        {"&Utilities",
         "Delete &All Data",
         K::Procedure,
         "DELETEALLDATA",
         {},
         "Delete every record of the data set",
         {}},
        {"&Utilities",
         "&Mass Update Product Price Classes",
         K::Procedure,
         "MASSUPDATEPRICECLASSES",
         {},
         "Derive every product's class prices again",
         {}},
        {"&Utilities",
         "M&ass Update Customer Sales Taxes",
         K::Procedure,
         "UPDATECUSTSALESTAXES",
         {},
         "Set the sales tax rates of many customers",
         {}},
        {"&Utilities",
         "&Verify AR Data Files",
         K::Procedure,
         "VERIFYARFILES",
         {},
         "Check and repair the accounts receivable files",
         {}},
        {"&Utilities", "&Tip Of The Day", K::TipOfDay, {}, {}, "Show a tip when Billquay starts", {}},
        {"&Utilities", "&Backup Data", K::Backup, {}, {}, "Make a backup copy of the data", {}},
        {"&Utilities", "&Restore Data", K::Restore, {}, {}, "Replace the data with a backup copy", {}},

        {"&Window", "T&ile", K::Tile, {}, {}, "Make all open windows visible", {}},
        {"&Window", "&Cascade", K::Cascade, {}, {}, "Stack all open windows", {}},
        {"&Window", "&Arrange Icons", K::ArrangeIcons, {}, {}, "Align all window icons", {}},

        {"&Help", "&Contents", K::HelpContents, {}, {}, "View the contents of the help file", "F1"},
        {"&Help", "&Search for Help On...", K::HelpSearch, {}, {}, "Search for help on a subject", {}},
        {"&Help", "&How to Use Help", K::HelpHowTo, {}, {}, "How to use Windows Help", {}},
        {"&Help", "&About.....", K::About, {}, {}, "Program version", {}},
    };
    return table;
}

const std::vector<MenuTip>& menuTips() {
    static const std::vector<MenuTip> tips = {
        {"&Window", "Create and Arrange windows"},
        {"&Help", "Windows Help"},
    };
    return tips;
}

const MenuEntry* findMenuEntry(std::string_view procedure) {
    for (const MenuEntry& e : menuTable())
        if (!e.procedure.empty() && e.procedure == procedure) return &e;
    return nullptr;
}

const MenuEntry* menuEntryForToolbarEvent(int event) {
    switch (event) {
    case 1025: return findMenuEntry("QuoteBrowse");
    case 1026: return findMenuEntry("InvoiceBrowse");
    case 1027: return findMenuEntry("CUSTOMERBROWSE");
    case 1028: return findMenuEntry("PRODUCTBROWSE");
    case 1029: return findMenuEntry("ARBrowse");
    case 1031: return findMenuEntry("SCHEDULEBROWSE");
    case 1032: return findMenuEntry("DEFAULTSFORM");
    default: return nullptr;
    }
}

}  // namespace quay::desk
