// Line sums and order totals of an open order. The totals follow one rule: each
// result is stored to its field's places (rounded half away from zero) before a
// later step uses it, so the total adds the amounts exactly as they are shown and
// printed. A sum that does not fit its field refuses the whole computation and
// leaves the order as it was, so a total is never wrapped or cut.
#include "orders/order_work.h"

#include <algorithm>

namespace quay::desk {

const char* orderPrintProcedure(OrderPrint print) {
    switch (print) {
    case OrderPrint::QuoteOrInvoice: return "QUOTEPRINT";
    case OrderPrint::DetailTicket: return "QUOTEPRINTDETAIL";
    case OrderPrint::PackingList: return "QUOTEPACKINGLIST";
    }
    return "";
}

using core::DecimalStatus;

void OrderWork::clear() {
    lines.clear();
    serials.clear();
    scratch.clear();
}

std::int32_t OrderWork::nextPosition() const {
    std::int32_t highest = 0;
    for (const LineEntry& l : lines) highest = std::max(highest, l.POSITION);
    return highest + 1;
}

int OrderWork::indexOf(std::int32_t position) const {
    for (std::size_t i = 0; i < lines.size(); ++i)
        if (lines[i].POSITION == position) return static_cast<int>(i);
    return -1;
}

int OrderWork::serialCount(std::int32_t position) const {
    return static_cast<int>(
        std::count_if(serials.begin(), serials.end(), [&](const SerialEntry& s) { return s.ITEQNUM == position; }));
}

void OrderWork::removeLine(std::int32_t position) {
    std::erase_if(lines, [&](const LineEntry& l) { return l.POSITION == position; });
    std::erase_if(serials, [&](const SerialEntry& s) { return s.ITEQNUM == position; });
}

void OrderWork::fromStored(const core::ItemsOrd& ite, std::int32_t position, LineEntry& line) {
    line = LineEntry{};
    line.PARTNUM = ite.PartNum.view();
    line.DESCRIPTION = ite.DESCRIPTION.view();
    line.QTY = ite.QTY;
    line.PRICE = ite.PRICE;
    line.TOTAL = ite.TOTAL;
    line.ITENUM = ite.IteNum;
    line.ORDNUM = ite.OrdNum;
    line.GROUP = ite.GROUP.view();
    line.COST = ite.COST;
    line.QTYDELIVERED = ite.QTYDELIVERED;
    line.SALESTAXABLE1 = ite.SALESTAXABLE1;
    line.SALESTAXABLE2 = ite.SALESTAXABLE2;
    line.BACKORDDATE = ite.BACKORDDATE;
    line.DUEDATE = ite.DUEDATE;
    line.DELIVERYDATE = ite.DELIVERYDATE;
    line.TRACKSERIAL = ite.TRACKSERIAL.view();
    line.MARKED = ite.MARKED;
    line.COMMENTS = std::string(ite.Comments.view().substr(0, LineEntry::kCommentsLength));
    line.POSITION = position;
}

DecimalStatus computeLineSums(core::Orders& order, const std::vector<LineEntry>& lines, LineSums& sums) {
    core::Orders o = order;
    LineSums s;
    o.SLSTAXABLE1.clear();
    o.SLSTAXABLE2.clear();
    o.NONTAXABLE1.clear();
    o.NONTAXABLE2.clear();
    o.EXEMPT1.clear();
    o.EXEMPT2.clear();
    o.LISTSUB.clear();
    std::vector<const LineEntry*> ordered;
    for (const LineEntry& l : lines) ordered.push_back(&l);
    std::stable_sort(ordered.begin(), ordered.end(),
                     [](const LineEntry* a, const LineEntry* b) { return a->POSITION < b->POSITION; });
    for (const LineEntry* l : ordered) {
        auto& bucket1 = l->SALESTAXABLE1 ? (o.TAX1EXEMPT ? o.EXEMPT1 : o.SLSTAXABLE1) : o.NONTAXABLE1;
        auto& bucket2 = l->SALESTAXABLE2 ? (o.TAX2EXEMPT ? o.EXEMPT2 : o.SLSTAXABLE2) : o.NONTAXABLE2;
        if (DecimalStatus st = (bucket1 += l->TOTAL); st != DecimalStatus::Ok) return st;
        if (DecimalStatus st = (bucket2 += l->TOTAL); st != DecimalStatus::Ok) return st;
        if (DecimalStatus st = (o.LISTSUB += l->TOTAL); st != DecimalStatus::Ok) return st;
        if (DecimalStatus st = s.cost.assign(s.cost + l->QTY * l->COST); st != DecimalStatus::Ok) return st;
    }
    order = o;
    sums = s;
    return DecimalStatus::Ok;
}

DecimalStatus computeOrderTotals(core::Orders& order, const LineSums& sums) {
    core::Orders o = order;
    DecimalStatus st = DecimalStatus::Ok;
    auto step = [&st](DecimalStatus s) {
        if (st == DecimalStatus::Ok) st = s;
    };
    step(o.SUBTOTAL.assign(o.LISTSUB));
    step(o.SALESTAX1.assign(o.SLSTAXABLE1 * o.SLSTAXRATE1 / 100));
    step(o.SALESTAX2.assign(o.SLSTAXABLE2 * o.SLSTAXRATE2 / 100));
    step(o.DISCOUNT.assign(o.SUBTOTAL * o.DISCOUNTPCT / 100));
    step(o.SURCHARGE.assign(o.SUBTOTAL * o.SURCHARGEPCT / 100));
    step(o.TOTAL.assign(o.SUBTOTAL - o.DISCOUNT + o.SURCHARGE + o.SALESTAX1 + o.SALESTAX2 + o.SHIPPING + o.HANDLING +
                        o.COD));
    step(o.PROFIT.assign(o.SUBTOTAL - o.DISCOUNT + o.SURCHARGE - sums.cost));
    if (st != DecimalStatus::Ok) return st;
    order = o;
    return DecimalStatus::Ok;
}

core::Decimal<15, 2> shippingLine(const core::Orders& order) {
    core::Decimal<15, 2> v;
    (void)v.assign(order.SHIPPING + order.HANDLING + order.COD);  // three 13-digit amounts fit 15 digits
    return v;
}

DecimalStatus computeLineTotal(LineEntry& line) { return line.TOTAL.assign(line.QTY * line.PRICE); }

}  // namespace quay::desk
