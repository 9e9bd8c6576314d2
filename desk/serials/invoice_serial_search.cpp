// Each serial number's line and order are fetched by their unique keys; a serial
// whose line or order is gone is skipped like one on a quote. A following page
// re-reads the last row by its position and goes on from there in key order, so
// two lines selling the same serial number are never shown twice or skipped.
#include "serials/invoice_serial_search.h"

#include "quay/app/table_access.h"
#include "quay/tables/all_tables.h"

namespace quay::desk {

using core::ErrorCode;

namespace {

struct SerialTables {
    SerialTables(core::Database& db, core::UiPort& ui) : ite(db, ui), ord(db, ui), ser(db, ui) {}
    bool isOpen() const { return ite.isOpen() && ord.isOpen() && ser.isOpen(); }
    core::HeldTable<core::ItemsOrd> ite;
    core::HeldTable<core::Orders> ord;
    core::HeldTable<core::Serials> ser;
};

// Reads on from the Serials cursor until `count` invoice rows or the end.
std::vector<InvoiceSerialRow> readRows(SerialTables& t, std::size_t count) {
    std::vector<InvoiceSerialRow> rows;
    while (rows.size() < count && t.ser.handle.next() == ErrorCode::None) {
        t.ite.handle.clear();
        t.ite.handle.rec.IteNum = t.ser.handle.rec.ITENUM;
        if (t.ite.handle.get(core::ItemsOrd::byIteNum) != ErrorCode::None) continue;
        t.ord.handle.clear();
        t.ord.handle.rec.OrdNum = t.ite.handle.rec.OrdNum;
        if (t.ord.handle.get(core::Orders::byOrdNum) != ErrorCode::None) continue;
        if (t.ord.handle.rec.Status.view() != "I") continue;
        InvoiceSerialRow r;
        r.serial = t.ser.handle.rec.SERIALNUMBER.view();
        r.partNum = t.ite.handle.rec.PartNum.view();
        r.description = t.ite.handle.rec.DESCRIPTION.view();
        r.invoiceNum = t.ord.handle.rec.InvoiceNum;
        r.ordDate = t.ord.handle.rec.OrdDate;
        r.custName = t.ord.handle.rec.CustName.view();
        r.ordNum = t.ord.handle.rec.OrdNum;
        r.iteNum = t.ite.handle.rec.IteNum;
        r.position = t.ser.handle.position();
        rows.push_back(std::move(r));
    }
    return rows;
}

}  // namespace

std::vector<InvoiceSerialRow> invoiceSerialRows(core::Database& db, core::UiPort& ui, std::string_view from,
                                                std::size_t count) {
    SerialTables t(db, ui);
    if (!t.isOpen()) return {};
    t.ser.handle.send("QUICKSCAN=on");
    t.ser.handle.clear();
    t.ser.handle.rec.SERIALNUMBER = from;
    t.ser.handle.setAtKey(core::Serials::bySerialIte);
    auto rows = readRows(t, count);
    t.ser.handle.send("QUICKSCAN=off");
    return rows;
}

std::vector<InvoiceSerialRow> invoiceSerialRowsAfter(core::Database& db, core::UiPort& ui,
                                                     const std::string& position, std::size_t count) {
    SerialTables t(db, ui);
    if (!t.isOpen() || position.empty()) return {};
    t.ser.handle.send("QUICKSCAN=on");
    std::vector<InvoiceSerialRow> rows;
    if (t.ser.handle.set(core::Serials::bySerialIte) == ErrorCode::None &&
        t.ser.handle.reget(position) == ErrorCode::None)
        rows = readRows(t, count);
    t.ser.handle.send("QUICKSCAN=off");
    return rows;
}

}  // namespace quay::desk
