// The description of Orders: its fields in record order and its keys with their
// components, attributes and the labels "Duplicate Key Error" shows.
#include "quay/tables/orders.h"

#include "desc_builder.h"

namespace quay::core {

const TableDesc& Orders::desc() {
    static const TableDesc kDesc = [] {
        using detail::KeyFlag;
        detail::DescBuilder b("Orders", "ORD", "Orders.tps", sizeof(Orders));
        QUAY_FIELD(b, Orders, OrdNum);
        QUAY_FIELD(b, Orders, InvoiceNum);
        QUAY_FIELD(b, Orders, Status);
        QUAY_FIELD(b, Orders, ENTRYDATE);
        QUAY_FIELD(b, Orders, LASTMODDATE);
        QUAY_FIELD(b, Orders, OrdDate);
        QUAY_FIELD(b, Orders, PONUM);
        QUAY_FIELD(b, Orders, CustName);
        QUAY_FIELD(b, Orders, BILLTO);
        QUAY_FIELD(b, Orders, Salesperson);
        QUAY_FIELD(b, Orders, TERMS);
        QUAY_FIELD(b, Orders, REFERENCE);
        QUAY_FIELD(b, Orders, PRICECLASS);
        QUAY_FIELD(b, Orders, SHIPVIA);
        QUAY_FIELD(b, Orders, SHIPTRAK);
        QUAY_FIELD(b, Orders, SLSTAXRATE1);
        QUAY_FIELD(b, Orders, SLSTAXRATE2);
        QUAY_FIELD(b, Orders, SLSTAXABLE1);
        QUAY_FIELD(b, Orders, SLSTAXABLE2);
        QUAY_FIELD(b, Orders, NONTAXABLE1);
        QUAY_FIELD(b, Orders, NONTAXABLE2);
        QUAY_FIELD(b, Orders, EXEMPT1);
        QUAY_FIELD(b, Orders, EXEMPT2);
        QUAY_FIELD(b, Orders, SALESTAX1);
        QUAY_FIELD(b, Orders, SALESTAX2);
        QUAY_FIELD(b, Orders, TAX1EXEMPT);
        QUAY_FIELD(b, Orders, TAX2EXEMPT);
        QUAY_FIELD(b, Orders, TAXLIC1);
        QUAY_FIELD(b, Orders, TAXLIC2);
        QUAY_FIELD(b, Orders, LISTSUB);
        QUAY_FIELD(b, Orders, SUBTOTAL);
        QUAY_FIELD(b, Orders, SHIPPING);
        QUAY_FIELD(b, Orders, HANDLING);
        QUAY_FIELD(b, Orders, COD);
        QUAY_FIELD(b, Orders, DISCOUNTPCT);
        QUAY_FIELD(b, Orders, DISCOUNT);
        QUAY_FIELD(b, Orders, SURCHARGEPCT);
        QUAY_FIELD(b, Orders, SURCHARGE);
        QUAY_FIELD(b, Orders, TOTAL);
        QUAY_FIELD(b, Orders, PROFIT);
        QUAY_FIELD(b, Orders, DOWNPAYMENT);
        QUAY_FIELD(b, Orders, ST_NAME);
        QUAY_FIELD(b, Orders, ST_ADD1);
        QUAY_FIELD(b, Orders, ST_ADD2);
        QUAY_FIELD(b, Orders, ST_CITY);
        QUAY_FIELD(b, Orders, ST_STATE);
        QUAY_FIELD(b, Orders, ST_ZIP);
        QUAY_FIELD(b, Orders, ST_ATTN);
        QUAY_FIELD(b, Orders, ST_PHONE);
        QUAY_FIELD(b, Orders, FLAG1);
        QUAY_FIELD(b, Orders, FLAG2);
        QUAY_FIELD(b, Orders, FLAG3);
        QUAY_FIELD(b, Orders, FLAG4);
        QUAY_FIELD(b, Orders, VALUE1);
        QUAY_FIELD(b, Orders, VALUE2);
        QUAY_FIELD(b, Orders, MARKED);
        QUAY_FIELD(b, Orders, Notes);
        QUAY_KEY(b, Orders, byOrdNum, {"OrdNum"}, KeyFlag::Unique | KeyFlag::NoCase | KeyFlag::Primary);
        QUAY_KEY(b, Orders, byInvoiceNum, {"InvoiceNum"}, KeyFlag::Unique | KeyFlag::Optional | KeyFlag::NoCase);
        QUAY_KEY(b, Orders, byStatus, {"Status"}, KeyFlag::Dup | KeyFlag::NoCase);
        QUAY_KEY(b, Orders, byCustName, {"CustName"}, KeyFlag::Dup | KeyFlag::NoCase);
        QUAY_KEY(b, Orders, byOrdDate, {"OrdDate"}, KeyFlag::Dup | KeyFlag::NoCase);
        QUAY_KEY(b, Orders, byCustNameOrdDate, {"CustName", "OrdDate"}, KeyFlag::Dup | KeyFlag::NoCase);
        QUAY_KEY(b, Orders, byStatCustName, {"Status", "CustName"}, KeyFlag::Dup | KeyFlag::NoCase);
        QUAY_KEY(b, Orders, byStatOrdNum, {"Status", "OrdNum"}, KeyFlag::Dup | KeyFlag::NoCase);
        QUAY_KEY(b, Orders, byStatInvNum, {"Status", "InvoiceNum"}, KeyFlag::Dup | KeyFlag::NoCase);
        QUAY_KEY(b, Orders, byStatOrdDate, {"Status", "OrdDate"}, KeyFlag::Dup | KeyFlag::NoCase);
        return b.build();
    }();
    return kDesc;
}

}  // namespace quay::core
