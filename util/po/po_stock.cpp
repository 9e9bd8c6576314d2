// The stock rules of purchasing. Every rule computes both figures first and stores
// them only when both fit, so a refused result leaves the product as it was.
#include "quay/util/po_stock.h"

namespace quay::util {

using core::DecimalStatus;

namespace {

DecimalStatus store(StockFigures& s, const StockFigures& next) {
    s = next;
    return DecimalStatus::Ok;
}

}  // namespace

DecimalStatus raiseOnOrder(StockFigures& s, const Quantity& qty) {
    StockFigures next = s;
    if (s.onOrder.isNegative()) {
        next.onOrder = qty;
        return store(s, next);
    }
    if (const DecimalStatus st = next.onOrder.assign(s.onOrder + qty); st != DecimalStatus::Ok) return st;
    return store(s, next);
}

DecimalStatus lowerOnOrder(StockFigures& s, const Quantity& qty) {
    StockFigures next = s;
    if (const DecimalStatus st = next.onOrder.assign(s.onOrder - qty); st != DecimalStatus::Ok) return st;
    if (next.onOrder.isNegative()) next.onOrder.clear();
    return store(s, next);
}

DecimalStatus changeOnOrder(StockFigures& s, const Quantity& before, const Quantity& after) {
    StockFigures next = s;
    if (const DecimalStatus st = next.onOrder.assign(s.onOrder - before + after); st != DecimalStatus::Ok) return st;
    if (next.onOrder < after) next.onOrder = after;
    return store(s, next);
}

DecimalStatus receiveStock(StockFigures& s, const Quantity& qty) {
    StockFigures next = s;
    if (const DecimalStatus st = next.onHand.assign(s.onHand + qty); st != DecimalStatus::Ok) return st;
    if (const DecimalStatus st = next.onOrder.assign(s.onOrder - qty); st != DecimalStatus::Ok) return st;
    if (next.onOrder.isNegative()) next.onOrder.clear();
    return store(s, next);
}

DecimalStatus unreceiveStock(StockFigures& s, const Quantity& qty) {
    StockFigures next = s;
    if (const DecimalStatus st = next.onHand.assign(s.onHand - qty); st != DecimalStatus::Ok) return st;
    if (const DecimalStatus st = next.onOrder.assign(s.onOrder + qty); st != DecimalStatus::Ok) return st;
    if (next.onOrder < qty) next.onOrder = qty;
    return store(s, next);
}

}  // namespace quay::util
