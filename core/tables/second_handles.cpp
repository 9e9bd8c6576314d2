// Descriptions of the second handles: copies of the first table's description under
// their own table name and prefix, so that a Handle<CustRef> reads and writes the same
// records as a Handle<Customer>.
#include "desc_builder.h"
#include "quay/tables/cust_ref.h"
#include "quay/tables/ite_ref.h"
#include "quay/tables/order_ref.h"
#include "quay/tables/prod_ref.h"

namespace quay::core {

// The handles add no members: the first table's offsets describe them exactly.
static_assert(sizeof(CustRef) == sizeof(Customer));
static_assert(sizeof(IteRef) == sizeof(ItemsOrd));
static_assert(sizeof(OrderRef) == sizeof(Orders));
static_assert(sizeof(ProdRef) == sizeof(Products));

const TableDesc& CustRef::desc() {
    static const TableDesc kDesc = detail::secondHandleDesc(Customer::desc(), "CustRef", "CSR");
    return kDesc;
}

const TableDesc& IteRef::desc() {
    static const TableDesc kDesc = detail::secondHandleDesc(ItemsOrd::desc(), "IteRef", "ITR");
    return kDesc;
}

const TableDesc& OrderRef::desc() {
    static const TableDesc kDesc = detail::secondHandleDesc(Orders::desc(), "OrderRef", "ODR");
    return kDesc;
}

const TableDesc& ProdRef::desc() {
    static const TableDesc kDesc = detail::secondHandleDesc(Products::desc(), "ProdRef", "PRR");
    return kDesc;
}

}  // namespace quay::core
