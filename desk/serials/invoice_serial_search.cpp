// Each serial number's line and order are fetched by their unique keys; a serial
// whose line or order is gone is skipped like one on a quote.
#include "serials/invoice_serial_search.h"

#include "quay/app/table_access.h"
#include "quay/tables/all_tables.h"

namespace quay::desk {

using core::ErrorCode;

std::vector<InvoiceSerialRow> invoiceSerialRows(core::Database& db, core::UiPort& ui, std::string_view from,
                                                std::size_t count) {
    std::vector<InvoiceSerialRow> rows;
    core::HeldTable<core::ItemsOrd> ite(db, ui);
    core::HeldTable<core::Orders> ord(db, ui);
    core::HeldTable<core::Serials> ser(db, ui);
    if (!ite.isOpen() || !ord.isOpen() || !ser.isOpen()) return rows;
    ser.handle.send("QUICKSCAN=on");
    ser.handle.clear();
    ser.handle.rec.SERIALNUMBER = from;
    ser.handle.setAtKey(core::Serials::bySerialIte);
    while (rows.size() < count && ser.handle.next() == ErrorCode::None) {
        ite.handle.clear();
        ite.handle.rec.IteNum = ser.handle.rec.ITENUM;
        if (ite.handle.get(core::ItemsOrd::byIteNum) != ErrorCode::None) continue;
        ord.handle.clear();
        ord.handle.rec.OrdNum = ite.handle.rec.OrdNum;
        if (ord.handle.get(core::Orders::byOrdNum) != ErrorCode::None) continue;
        if (ord.handle.rec.Status.view() != "I") continue;
        InvoiceSerialRow r;
        r.serial = ser.handle.rec.SERIALNUMBER.view();
        r.partNum = ite.handle.rec.PartNum.view();
        r.description = ite.handle.rec.DESCRIPTION.view();
        r.invoiceNum = ord.handle.rec.InvoiceNum;
        r.ordDate = ord.handle.rec.OrdDate;
        r.custName = ord.handle.rec.CustName.view();
        r.ordNum = ord.handle.rec.OrdNum;
        r.iteNum = ite.handle.rec.IteNum;
        rows.push_back(r);
    }
    ser.handle.send("QUICKSCAN=off");
    return rows;
}

}  // namespace quay::desk
