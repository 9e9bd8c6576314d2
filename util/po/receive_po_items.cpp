// The receive window: a list of one PO's lines (a range on POI:byPoNum) whose only
// command moves the highlighted line in or out of stock through the ledger.
#include "quay/util/receive_po_items.h"

#include "quay/types/picture.h"
#include "quay/ui/record_fields.h"

namespace quay::util {

using namespace core;

namespace {
constexpr std::size_t kMarkColumn = 1;
}  // namespace

ReceivePOItems::ReceivePOItems(Database& db, UiPort& ui, const PO& po)
    : m_ui(ui), m_po(po), m_lines(db, ui), m_ledger(db, ui) {}

bool ReceivePOItems::isOpen() const { return m_lines.isOpen() && m_ledger.isOpen(); }

ListSpec ReceivePOItems::spec() {
    ListSpec s;
    s.procedure = "ReceivePOItems";
    s.title = kTitle;
    const ListColumn mark{"Rcvd", 4, false, true};
    s.columns = {{"Part#", 20, false},
                 mark,
                 {"Vendor Part#", 20, false},
                 pictureColumn("Qty", "@n-10.2"),
                 pictureColumn("Cost", kMoneyPicture),
                 pictureColumn("Line Cost", kMoneyPicture)};
    s.format = rowCells<POItems>([](const POItems& l) {
        static const Picture qty = *Picture::parse("@n-10.2");
        return std::vector<std::string>{
            l.PartNum.str(),      l.RECEIVED != 0 ? "1" : "",       l.VenPartNum.str(),
            cellText(qty, l.QTY), cellText(moneyPicture(), l.COST), cellText(moneyPicture(), l.LINECOST)};
    });
    // The order's header above the list.
    static const Picture date = *Picture::parse("@d2");
    s.heading = "PO#: " + std::to_string(m_po.PoNum) + "    Vendor: " + m_po.Vendor.str() +
                "    PO Date: " + cellText(date, m_po.PODATE) +
                "    Order Total: " + cellText(moneyPicture(), m_po.ORDERTOTAL);
    s.tabs = {{"by &Line", POItems::byPoNum, -1, std::nullopt}};
    s.limit = ListRange{fieldOf(&POItems::PoNum), std::to_string(m_po.PoNum)};
    s.allowInsert = false;
    s.allowChange = false;
    s.allowDelete = false;
    s.formButtons = false;
    s.commands = {{"&Mark / UnMark", 0, [this](ListWindow& w) { markCurrent(w); }}};
    s.activateCommand = 0;
    s.modal = true;
    s.onClose = [this](ListWindow&) { closing(); };
    return s;
}

void ReceivePOItems::markCurrent(ListWindow& list) {
    const auto index = list.current();
    if (!index) return;
    // The user asks for the opposite of the mark the row shows; the ledger leaves a
    // line another station has already moved that way as it is.
    const bool receive = list.row(*index).cells[kMarkColumn].empty();
    const POItems* line = list.currentRecord<POItems>();
    if (line == nullptr) return;
    m_ledger.markLine(line->POINUM, receive);
    list.refresh();
}

void ReceivePOItems::closing() { m_ledger.followLines(m_po.PoNum); }

}  // namespace quay::util
