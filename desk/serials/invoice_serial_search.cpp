// The filter joins each serial number to its line and order and leaves them in the
// line and order handles, where the formatter that runs right after it reads them;
// the closed-invoice window is run on the order handle after the same join.
#include "serials/invoice_serial_search.h"

namespace quay::desk {

using core::ErrorCode;

bool InvoiceSerialTables::join(const core::Serials& serial) {
    ite.handle.clear();
    ite.handle.rec.IteNum = serial.ITENUM;
    if (ite.handle.get(core::ItemsOrd::byIteNum) != ErrorCode::None) return false;
    ord.handle.clear();
    ord.handle.rec.OrdNum = ite.handle.rec.OrdNum;
    if (ord.handle.get(core::Orders::byOrdNum) != ErrorCode::None) return false;
    return ord.handle.rec.Status.view() == "I";
}

core::ListSpec invoiceSerialSpec(const std::shared_ptr<InvoiceSerialTables>& tables) {
    InvoiceSerialTables* t = tables.get();
    core::ListSpec s;
    s.procedure = "InvoiceSerialBrowse";
    s.title = "Invoice Search by Serial Number";
    s.heading = "Find Invoice Serial Number";
    s.formProcedure = "InvoiceForm1";
    s.changeCaption = "&View";
    s.columns = {{"Serial#", 20, false},
                 {"Part#", 20, false},
                 {"Description", 35, false},
                 {"Invoice#", 8, true},
                 core::pictureColumn("Date", "@d2"),
                 {"Cust Name", 35, false}};
    s.filter = core::rowsWhere<core::Serials>([t](const core::Serials& serial) { return t->join(serial); });
    s.format = core::rowCells<core::Serials>([t](const core::Serials& serial) {
        static const auto date = *core::Picture::parse("@d2");
        const core::ItemsOrd& line = t->ite.handle.rec;
        const core::Orders& order = t->ord.handle.rec;
        return std::vector<std::string>{serial.SERIALNUMBER.str(),
                                        line.PartNum.str(),
                                        line.DESCRIPTION.str(),
                                        std::to_string(order.InvoiceNum),
                                        core::cellText(date, static_cast<std::int64_t>(order.OrdDate)),
                                        order.CustName.str()};
    });
    s.tabs = {{"", core::Serials::bySerialIte, core::listField(core::Serials::desc(), "SERIALNUMBER")}};
    s.formRecord = core::RecordFunction<core::Table*>::of<core::Serials>(
        [t](const core::Serials& serial) -> core::Table* { return t->join(serial) ? &t->ord.handle : nullptr; });
    return s;
}

}  // namespace quay::desk
