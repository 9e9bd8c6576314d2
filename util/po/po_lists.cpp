// The purchase-order lists. Every tab limited to one status is a range on the first
// component of its key (POH:byStatVendor, POH:byStatusDate), so the open orders are
// sought, not scanned, however many closed ones the data set holds.
#include "quay/util/po_lists.h"

#include "quay/types/picture.h"
#include "quay/ui/record_fields.h"

namespace quay::util {

using namespace core;

namespace {

const Picture& datePicture() {
    static const Picture p = *Picture::parse("@d2");
    return p;
}

ListRange statusIs(const char* status) { return ListRange{fieldOf(&PO::Status), status}; }

}  // namespace

ListSpec browseNewPOsSpec() {
    ListSpec s;
    s.procedure = "BrowseNewPOs";
    s.title = "Browse PO's";
    s.formProcedure = "POForm";
    s.columns = {pictureColumn("PO#", "@n7"),
                 {"Status", 6, false},
                 {"Vendor", 35, false},
                 pictureColumn("PO Date", "@d2"),
                 pictureColumn("Ship Date", "@d2"),
                 pictureColumn("Total", kMoneyPicture)};
    s.format = rowCells<PO>([](const PO& p) {
        return std::vector<std::string>{std::to_string(p.PoNum),
                                        p.Status.str(),
                                        p.Vendor.str(),
                                        cellText(datePicture(), p.PODATE),
                                        cellText(datePicture(), p.SHIPDATE),
                                        cellText(moneyPicture(), p.ORDERTOTAL)};
    });
    s.filter = rowsWhere<PO>([](const PO& p) { return p.Status.view() == "Open"; });
    s.tabs = {{"by &PO#", PO::byPoNum, fieldOf(&PO::PoNum), std::nullopt},
              {"by &Vendor", PO::byStatVendor, fieldOf(&PO::Vendor), statusIs("Open")},
              {"by &Date", PO::byStatusDate, -1, statusIs("Open")}};
    return s;
}

BrowsePOs::BrowsePOs(Database& db, UiPort& ui) : m_ui(ui), m_po(db, ui), m_empty(db, ui), m_ledger(db, ui) {}

bool BrowsePOs::isOpen() const { return m_po.isOpen() && m_empty.isOpen() && m_ledger.isOpen(); }

ListSpec BrowsePOs::spec() {
    ListSpec s;
    s.procedure = "BrowsePOs";
    s.title = kTitle;
    s.columns = {pictureColumn("PO#", "@n7"),
                 {"Status", 6, false},
                 {"Vendor", 35, false},
                 pictureColumn("PO Date", "@d2"),
                 pictureColumn("Ship Date", "@d2"),
                 pictureColumn("Shipping", kMoneyPicture),
                 pictureColumn("Total", kMoneyPicture)};
    s.format = rowCells<PO>([](const PO& p) {
        return std::vector<std::string>{std::to_string(p.PoNum),
                                        p.Status.str(),
                                        p.Vendor.str(),
                                        cellText(datePicture(), p.PODATE),
                                        cellText(datePicture(), p.SHIPDATE),
                                        cellText(moneyPicture(), p.SHIPAMT),
                                        cellText(moneyPicture(), p.ORDERTOTAL)};
    });
    const int vendor = fieldOf(&PO::Vendor);
    s.tabs = {{"Open by Vendor", PO::byStatVendor, vendor, statusIs("Open")},
              {"Closed by Vendor", PO::byStatVendor, vendor, statusIs("Closed")},
              {"Open by Date", PO::byStatusDate, -1, statusIs("Open")},
              {"Closed by Date", PO::byStatusDate, -1, statusIs("Closed")},
              {"All by Vendor", PO::byVendor, vendor, std::nullopt},
              {"by PO#", PO::byPoNum, fieldOf(&PO::PoNum), std::nullopt}};
    // New POs are written through "&New PO" and "&Modify New PO's"; this list receives.
    s.allowInsert = false;
    s.allowChange = false;
    s.allowDelete = false;
    s.formButtons = false;
    s.commands = {{"Re&ceive Individual Items or Change Dates", 0, [this](ListWindow& w) { receiveItems(w, false); }},
                  {"&Insert", 0, [this](ListWindow& w) { receiveItems(w, true); }},
                  {"&Delete", 0, [this](ListWindow& w) { receiveItems(w, false); }},
                  {"&Print PO", 0, [this](ListWindow& w) { print(w); }},
                  {"&Receive Entire Order into Inventory", 0, [this](ListWindow& w) { receiveEntireOrder(w); }}};
    s.activateCommand = ReceiveItems;
    return s;
}

void BrowsePOs::receiveItems(ListWindow& list, bool emptyOrder) {
    WindowRequest r;
    r.request = Request::Change;
    if (emptyOrder) {
        // Nothing is created: the window shows an order without lines.
        m_empty.handle.clear();
        r.table = &m_empty.handle;
    } else {
        if (list.currentRecord<PO>() == nullptr) return;
        r.table = &list.table();
    }
    m_ui.runWindow("ReceivePOItems", r);
    list.refresh();
}

void BrowsePOs::print(ListWindow& list) {
    const PO* po = list.currentRecord<PO>();
    if (po == nullptr) return;
    WindowRequest r;
    r.number = po->PoNum;
    m_ui.runWindow("PrintPO", r);
}

void BrowsePOs::receiveEntireOrder(ListWindow& list) {
    const PO* po = list.currentRecord<PO>();
    if (po == nullptr) return;
    const std::int32_t number = po->PoNum;
    if (m_ui.message("ARE YOU SURE", kReceiveQuestion, Icon::Question, Button::Yes | Button::No, Button::No) !=
        Button::Yes)
        return;
    m_ui.setBusy(true);
    m_ledger.receiveOrder(number);
    m_ui.setBusy(false);
    list.refresh();
}

}  // namespace quay::util
