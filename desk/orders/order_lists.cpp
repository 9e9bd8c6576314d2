// Both lists read Orders through the keys that begin with the status, limited to
// their status, so opening a list and positioning it by a typed number reads only the
// rows shown, however many orders of the other status are stored.
#include "orders/order_lists.h"

#include <string>

#include "quay/app/globals.h"
#include "quay/tables/orders.h"

namespace quay::desk {

using core::ListColumn;
using core::ListWindow;
using core::Orders;

const OrderListNames& orderListNames(OrderListKind kind) {
    static const OrderListNames quotes{"QuoteBrowse", "Quote List", "Quotations", "QuoteList", "Q"};
    static const OrderListNames invoices{"InvoiceBrowse", "Invoice List", "Invoices", "InvoiceList", "I"};
    return kind == OrderListKind::Quotes ? quotes : invoices;
}

namespace {

// F4: the highlighted order copied into a new quote; the quote list then stands on it.
void copyOrder(ListWindow& w, OrderListKind kind) {
    const Orders* o = w.currentRecord<Orders>();
    if (o == nullptr) return;
    core::glo.OrdNum = o->OrdNum;
    core::WindowRequest r;
    r.number = o->OrdNum;
    const core::WindowResponse copied = w.ui().runWindow("CopyOrder", r);
    if (copied.response == core::Response::Completed && copied.number != 0 && kind == OrderListKind::Quotes) {
        w.selectTab(1);
        w.setLocatorText(std::to_string(copied.number));
        w.clearLocator();
        return;
    }
    w.refresh();
}

void findBySerial(ListWindow& w) {
    w.ui().runWindow("InvoiceSerialBrowse", core::WindowRequest{});
    w.refresh();
}

}  // namespace

core::ListSpec orderListSpec(OrderListKind kind) {
    const bool quotes = kind == OrderListKind::Quotes;
    const OrderListNames& names = orderListNames(kind);
    const core::TableDesc& d = Orders::desc();
    core::ListSpec s;
    s.procedure = names.procedure;
    s.title = names.caption;
    s.formProcedure = quotes ? core::WindowName("QuoteForm1") : core::WindowName("InvoiceForm1");
    s.changeCaption = quotes ? "&Change" : "&View";
    if (!quotes) s.columns.push_back(ListColumn{"Invoice#", 8, true});
    s.columns.push_back(ListColumn{"Quote#", 8, true});
    s.columns.push_back(core::pictureColumn("Date", "@d2"));
    s.columns.push_back(ListColumn{"Customer Name", 35, false});
    s.columns.push_back(ListColumn{"Reference", 30, false});
    s.columns.push_back(core::pictureColumn("Total", core::kMoneyPicture));
    s.format = core::rowCells<Orders>([quotes](const Orders& o) {
        static const auto date = *core::Picture::parse("@d2");
        std::vector<std::string> cells;
        if (!quotes) cells.push_back(std::to_string(o.InvoiceNum));
        cells.push_back(std::to_string(o.OrdNum));
        cells.push_back(core::cellText(date, static_cast<std::int64_t>(o.OrdDate)));
        cells.push_back(o.CustName.str());
        cells.push_back(o.REFERENCE.str());
        cells.push_back(core::cellText(core::moneyPicture(), o.TOTAL));
        return cells;
    });
    s.tabs = {{"by Customer &Name", Orders::byStatCustName, core::listField(d, "CustName")},
              quotes ? core::ListTab{"by &Quote Number", Orders::byStatOrdNum, core::listField(d, "OrdNum")}
                     : core::ListTab{"by &Invoice Number", Orders::byStatInvNum, core::listField(d, "InvoiceNum")}};
    s.limit = core::ListRange{core::listField(d, "Status"), names.status};
    const std::string status = names.status;
    s.prepareInsert = core::recordSetter<Orders>([status](Orders& o) { o.Status = status; });
    s.commands.push_back(
        {quotes ? "F4 - Copy Q&uote" : "F4 - Copy I&nvoice", 4, [kind](ListWindow& w) { copyOrder(w, kind); }});
    if (!quotes) s.commands.push_back({"&Find Invoice by Serial Number", 0, findBySerial});
    return s;
}

}  // namespace quay::desk
