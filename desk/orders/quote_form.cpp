// The order form's commands. Every command ends by recomputing the line sums and
// totals, so what is shown and what the next save stores are always the same. A
// change to a line that would make a sum too large for its field is refused and
// the line stays as it was.
#include "orders/quote_form.h"

#include <algorithm>

#include "quay/app/globals.h"
#include "quay/defaults/company_defaults.h"
#include "quay/store/transaction.h"
#include "quay/types/date.h"

namespace quay::desk {

using core::Button;
using core::ErrorCode;
using core::Icon;
using core::Request;
using core::Response;

namespace {
constexpr const char* kTooLarge = "The order's totals would be too large for their fields.  The line was not kept.";
}

QuoteForm1::QuoteForm1(core::Database& db, core::UiPort& ui, Request request, const core::Orders& order,
                       OrderFormHooks hooks)
    : m_db(db), m_ui(ui), m_request(request), m_given(order), m_hooks(std::move(hooks)) {}

QuoteForm1::~QuoteForm1() = default;

bool QuoteForm1::open() {
    m_tables = std::make_unique<OrderTables>(m_db, m_ui);
    if (!m_tables->isOpen()) {
        close(Response::Cancelled);
        return false;
    }
    if (core::GETCOMPANYDEFAULTS(m_tables->def.handle, 1) != 0) {
        m_ui.message("ERROR", "Company Defaults not set.  Please set company defaults before continuing", Icon::Error,
                     Button::Ok, Button::Ok);
        close(Response::Cancelled);
        return false;
    }
    core::glo.PrintPackList = 0;
    m_work.clear();
    core::Orders& o = order();
    switch (m_request) {
    case Request::Insert:
        m_tables->ord.handle.clear();
        o.Status = "Q";
        o.ENTRYDATE = o.OrdDate = core::today();
        break;
    case Request::Change:
        o = m_given;
        m_tables->ord.handle.rec.OrdNum = m_given.OrdNum;
        if (m_tables->ord.handle.get(core::Orders::byOrdNum) != ErrorCode::None) o = m_given;
        core::glo.OrdNum = o.OrdNum;
        core::glo.PriceClass = o.PRICECLASS.view();
        loadLines();
        break;
    case Request::Delete: deleteQuote(); return false;
    default: close(Response::Cancelled); return false;
    }
    m_snapshot = o;
    recompute();
    m_selected = m_work.lines.empty() ? -1 : 0;
    return true;
}

void QuoteForm1::loadLines() {
    auto& ite = m_tables->ite.handle;
    auto& ser = m_tables->ser.handle;
    const std::int32_t ordNum = core::glo.OrdNum;
    std::vector<core::ItemsOrd> stored;
    ite.send("QUICKSCAN=on");
    ite.clear();
    ite.rec.OrdNum = ordNum;
    ite.setAtKey(core::ItemsOrd::byOrdNum);
    while (ite.next() == ErrorCode::None && ite.rec.OrdNum == ordNum) stored.push_back(ite.rec);
    ite.send("QUICKSCAN=off");
    std::int32_t position = 0;
    for (const core::ItemsOrd& line : stored) {
        LineEntry entry;
        OrderWork::fromStored(line, ++position, entry);
        m_work.lines.push_back(entry);
        ser.clear();
        ser.rec.ITENUM = line.IteNum;
        ser.setAtKey(core::Serials::byIteNum);
        while (ser.next() == ErrorCode::None && ser.rec.ITENUM == line.IteNum)
            m_work.serials.push_back({line.IteNum, ser.rec.SERIALNUMBER, position});
    }
}

void QuoteForm1::deleteQuote() {
    if (m_ui.message("Delete Highlighted Record", "Are you sure?", Icon::Question, Button::Ok | Button::Cancel,
                     Button::Cancel) != Button::Ok) {
        close(Response::Cancelled);
        return;
    }
    m_ui.setBusy(true);
    OrderTables& t = *m_tables;
    core::Transaction tx(m_db, {&t.ord.handle, &t.ite.handle, &t.ser.handle});
    auto failed = [&](const std::string& text) {
        tx.rollback();
        m_ui.setBusy(false);
        m_ui.message("Error", text, Icon::Error, Button::Ok, Button::Ok);
        close(Response::Cancelled);
    };
    if (tx.begin() != ErrorCode::None)
        return failed("The quote could not be deleted: the files are in use at another station.");
    t.ord.handle.rec.OrdNum = m_given.OrdNum;
    if (t.ord.handle.get(core::Orders::byOrdNum) != ErrorCode::None || t.ord.handle.erase() != ErrorCode::None)
        return failed("The quote could not be deleted: it is no longer on file.");
    for (;;) {
        t.ite.handle.clear();
        t.ite.handle.rec.OrdNum = m_given.OrdNum;
        t.ite.handle.setAtKey(core::ItemsOrd::byOrdNum);
        if (t.ite.handle.next() != ErrorCode::None || t.ite.handle.rec.OrdNum != m_given.OrdNum) break;
        const core::ItemsOrd line = t.ite.handle.rec;
        for (;;) {
            t.ser.handle.clear();
            t.ser.handle.rec.ITENUM = line.IteNum;
            t.ser.handle.setAtKey(core::Serials::byIteNum);
            if (t.ser.handle.next() != ErrorCode::None || t.ser.handle.rec.ITENUM != line.IteNum) break;
            if (t.ser.handle.erase() != ErrorCode::None)
                return failed("The quote's serial numbers could not be deleted.");
        }
        t.ite.handle.rec = line;
        if (t.ite.handle.get(core::ItemsOrd::byIteNum) != ErrorCode::None || t.ite.handle.erase() != ErrorCode::None)
            return failed("The quote's lines could not be deleted.");
    }
    if (tx.commit() != ErrorCode::None) return failed("The quote could not be deleted.");
    m_ui.setBusy(false);
    close(Response::Completed);
}

void QuoteForm1::firstTick() {
    if (m_request != Request::Insert || m_closed) return;
    if (!m_hooks.details || m_hooks.details(order()) != Response::Completed) {
        close(Response::Cancelled);
        return;
    }
    core::glo.PriceClass = order().PRICECLASS.view();
    recompute();
    insertLine();
}

void QuoteForm1::select(int index) {
    m_selected = (index >= 0 && index < static_cast<int>(m_work.lines.size())) ? index : -1;
}

SerialMark QuoteForm1::serialMark() const {
    if (m_selected < 0) return SerialMark::Hidden;
    const LineEntry& l = m_work.lines[static_cast<std::size_t>(m_selected)];
    if (l.TRACKSERIAL.view() == "NO") return SerialMark::Hidden;
    return m_work.serialCount(l.POSITION) > 0 ? SerialMark::Check : SerialMark::Cross;
}

bool QuoteForm1::canInsert() const { return !m_tables->ord.handle.rec.CustName.isBlank(); }

bool QuoteForm1::canUseLines() const { return !m_work.lines.empty() && !m_tables->ord.handle.rec.CustName.isBlank(); }

bool QuoteForm1::recompute() {
    core::Orders& o = order();
    LineSums sums;
    core::Orders probe = o;
    if (computeLineSums(probe, m_work.lines, sums) != core::DecimalStatus::Ok ||
        computeOrderTotals(probe, sums) != core::DecimalStatus::Ok)
        return false;
    o = probe;
    m_sums = sums;
    return true;
}

void QuoteForm1::details() {
    if (m_hooks.details) m_hooks.details(order());
    core::glo.PriceClass = order().PRICECLASS.view();
    recompute();
}

void QuoteForm1::insertLine() {
    if (!canInsert() || !m_hooks.editLine) return;
    core::glo.PriceClass = order().PRICECLASS.view();
    LineEntry entry;
    if (m_hooks.editLine(Request::Insert, entry) != Response::Completed) {
        recompute();
        return;
    }
    entry.POSITION = m_work.nextPosition();
    entry.ITENUM = 0;
    entry.MARK = 0;
    m_work.lines.push_back(entry);
    if (!recompute()) {
        m_work.lines.pop_back();
        m_ui.message("Error", kTooLarge, Icon::Error, Button::Ok, Button::Ok);
        return;
    }
    m_selected = static_cast<int>(m_work.lines.size()) - 1;
}

void QuoteForm1::changeLine() {
    if (!canUseLines() || m_selected < 0 || !m_hooks.editLine) return;
    core::glo.PriceClass = order().PRICECLASS.view();
    LineEntry& line = m_work.lines[static_cast<std::size_t>(m_selected)];
    LineEntry entry = line;
    if (m_hooks.editLine(Request::Change, entry) != Response::Completed) {
        recompute();
        return;
    }
    const LineEntry before = line;
    line = entry;
    line.POSITION = before.POSITION;
    if (!recompute()) {
        line = before;
        m_ui.message("Error", kTooLarge, Icon::Error, Button::Ok, Button::Ok);
    }
}

void QuoteForm1::deleteLine() {
    if (!canUseLines() || m_selected < 0) return;
    if (m_ui.message("Delete Line ITem", "Highlighted Line Item will be deleted.  Do you wish to continue?",
                     Icon::Question, Button::Ok | Button::Cancel, Button::Cancel) != Button::Ok) {
        recompute();
        return;
    }
    const int index = m_selected;
    m_work.removeLine(m_work.lines[static_cast<std::size_t>(index)].POSITION);
    m_selected = m_work.lines.empty() ? -1 : std::max(0, index - 1);
    recompute();
}

void QuoteForm1::serialNumbers() {
    if (!canUseLines() || m_selected < 0 || !m_hooks.editSerials) return;
    const LineEntry& line = m_work.lines[static_cast<std::size_t>(m_selected)];
    m_work.scratch.clear();
    std::int32_t iteNum = 0;
    for (const SerialEntry& s : m_work.serials) {
        if (s.ITEQNUM != line.POSITION) continue;
        m_work.scratch.push_back(s.SERIALNUMBER);
        iteNum = s.ITENUM;
    }
    std::sort(m_work.scratch.begin(), m_work.scratch.end());
    core::glo.PartNum = line.PARTNUM.view();
    std::vector<core::FixedString<20>> edited = m_work.scratch;
    if (m_hooks.editSerials(edited) == Response::Completed) {
        std::erase_if(m_work.serials, [&](const SerialEntry& s) { return s.ITEQNUM == line.POSITION; });
        for (const auto& number : edited) m_work.serials.push_back({iteNum, number, line.POSITION});
    }
    m_work.scratch.clear();
    recompute();
}

void QuoteForm1::notes() {
    if (m_hooks.notes) m_hooks.notes(order());
    recompute();
}

void QuoteForm1::profitMargin() {
    recompute();
    const core::Orders& o = order();
    core::glo.OrdCost = m_sums.cost;
    core::glo.ListSubTotal = o.LISTSUB;
    (void)core::glo.DiscountAmt.assign(o.SURCHARGE - o.DISCOUNT);
    // A cost total of 0 shows a margin of 0.00 instead of failing.
    if (core::glo.OrdCost.isZero() ||
        core::glo.ProfitMargin.assign((core::glo.ListSubTotal + core::glo.DiscountAmt - core::glo.OrdCost) /
                                      core::glo.OrdCost * 100) != core::DecimalStatus::Ok)
        core::glo.ProfitMargin.clear();
    if (m_hooks.profit) m_hooks.profit();
}

bool QuoteForm1::runSave(bool invoicing, bool print, bool stayOpen, OrderPrint printed) {
    if (!canUseLines()) return false;
    if (!recompute()) {
        m_ui.message("Error", kTooLarge, Icon::Error, Button::Ok, Button::Ok);
        return false;
    }
    OrderSave saver(m_ui, *m_tables, m_work, m_snapshot);
    saver.setStatusSink(m_hooks.status);
    if (saver.run(invoicing, m_request == Request::Insert) != Response::Completed) {
        recompute();
        return false;
    }
    m_request = Request::Change;
    m_snapshot = order();
    // The form shows the order as stored (its number, its invoice number) before each
    // print and goes on with it afterwards.
    auto refetch = [this] {
        m_tables->ord.handle.rec.OrdNum = core::glo.OrdNum;
        if (m_tables->ord.handle.get(core::Orders::byOrdNum) == ErrorCode::None) m_snapshot = order();
        recompute();
    };
    if (print && m_hooks.print) {
        refetch();
        m_hooks.print(printed, core::glo.OrdNum);
        if (invoicing && core::glo.PrintPackList == 1) {
            refetch();
            m_hooks.print(OrderPrint::PackingList, core::glo.OrdNum);
        }
    }
    refetch();
    if (!stayOpen) close(Response::Completed);
    return true;
}

void QuoteForm1::saveDetailTicket() { runSave(false, true, true, OrderPrint::DetailTicket); }
void QuoteForm1::saveQuote() { runSave(false, true, true, OrderPrint::QuoteOrInvoice); }
void QuoteForm1::invoice() { runSave(true, true, false, OrderPrint::QuoteOrInvoice); }
void QuoteForm1::save() { runSave(false, false, true); }
void QuoteForm1::saveAndClose() { runSave(false, false, false); }

void QuoteForm1::saveAs() {
    if (!canUseLines()) return;
    if (m_ui.message("WARNING",
                     "Are you sure?  If you continue, this order will have a new order number.  The old order will not "
                     "be changed unless you have already saved it.",
                     Icon::Warning, Button::Yes | Button::No, Button::No) != Button::Yes)
        return;
    order().OrdNum = 0;
    core::glo.OrdNum = 0;
    order().InvoiceNum = 0;
    m_request = Request::Insert;
    for (LineEntry& l : m_work.lines) {
        l.ITENUM = 0;
        l.ORDNUM = 0;
    }
    m_work.serials.clear();
    m_work.scratch.clear();
    recompute();
}

void QuoteForm1::cancel() { close(Response::Cancelled); }

void QuoteForm1::close(Response response) {
    m_closed = true;
    m_response = response;
}

}  // namespace quay::desk
