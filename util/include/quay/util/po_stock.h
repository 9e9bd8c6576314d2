// The stock rules of purchasing: how entering, changing, deleting, receiving and
// un-receiving a purchase-order line moves a product's quantity on order and on
// hand. Each rule works on the two stock figures alone; the ledger applies it inside
// the transaction that writes the line. A result that does not fit the field is
// refused (DecimalStatus other than Ok) and nothing is stored.
#pragma once

#include "quay/export.h"
#include "quay/types/decimal.h"

namespace quay::util {

using Quantity = core::Decimal<13, 2>;

struct StockFigures {
    Quantity onHand;
    Quantity onOrder;
};

// A new line: on order rises by the line's quantity; a negative figure is taken as
// wrong and replaced by the line's quantity.
QUAY_EXPORT core::DecimalStatus raiseOnOrder(StockFigures& s, const Quantity& qty);
// A line that goes (deleted, or its PO cancelled): on order falls by its quantity,
// not below 0.
QUAY_EXPORT core::DecimalStatus lowerOnOrder(StockFigures& s, const Quantity& qty);
// A line's quantity changed from `before` to `after` on the same product: on order
// moves by the difference and stays at least `after`.
QUAY_EXPORT core::DecimalStatus changeOnOrder(StockFigures& s, const Quantity& before, const Quantity& after);
// Received: on hand rises by the quantity, on order falls by it (not below 0).
QUAY_EXPORT core::DecimalStatus receiveStock(StockFigures& s, const Quantity& qty);
// Un-received: on hand falls by the quantity, on order rises by it and stays at
// least the quantity.
QUAY_EXPORT core::DecimalStatus unreceiveStock(StockFigures& s, const Quantity& qty);

}  // namespace quay::util
