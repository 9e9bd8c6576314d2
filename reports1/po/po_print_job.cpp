// The purchase-order print. Reading order: the company record, the PO and its vendor
// before anything prints; per line its product's description. Only reads.
#include "po_print_job.h"

#include "po_print_layout.h"
#include "quay/app/last_error.h"
#include "quay/app/standard_messages.h"
#include "quay/reports/run/house_layout.h"

namespace quay::reports::detail {

using core::Button;
using core::ErrorCode;
using core::Icon;

PoPrintJob::PoPrintJob(core::Database& db, std::int32_t poNum)
    : HouseReport(db), m_poNum(poNum), m_po(db), m_lines(db), m_products(db), m_vendors(db) {}

ReportLayout PoPrintJob::layout() const { return poLayout(); }

std::vector<core::Table*> PoPrintJob::tables() { return {&m_po, &m_lines, &m_products, &m_vendors}; }

bool PoPrintJob::start(core::UiPort& ui, ReportRun& run) {
    m_po.clear();
    m_po.rec.PoNum = m_poNum;
    if (m_poNum <= 0 || m_po.get(core::PO::byPoNum) != ErrorCode::None) {
        core::saveError(m_po);
        core::showStandardMessage(ui, core::StandardMessage::RecordRetrievalError, {"PO"});
        return false;
    }
    const core::PO& po = m_po.rec;
    m_vendors.clear();
    m_vendors.rec.NAME = po.Vendor.view();
    if (m_vendors.get(core::Vendors::byName) != ErrorCode::None) {
        ui.message("Error", "Referential Integrity error finding Vendor Information", Icon::Error, Button::Ok,
                   Button::Ok);
        return false;
    }
    m_title = "Purchase Order# " + std::to_string(po.PoNum);

    // The company: its name and address, then the fax, modem and e-mail lines it has.
    const core::Defaults& def = company();
    std::array<std::string, kPoHeadingLines> head;
    house::BlockFiller<kPoHeadingLines> heading(head);
    heading.put(house::trimmed(def.COMPANYNAME.view()));
    heading.putIfAny(house::trimmed(def.ADD1.view()));
    heading.putIfAny(house::trimmed(def.ADD2.view()));
    heading.putIfAny(house::cityLine(def.CITY.view(), def.STATE.view(), def.ZIPCODE.view()));
    if (!def.FAX.isBlank()) heading.put("FAX: " + def.FAX.str());
    if (!def.MODEM.isBlank()) heading.put("MODEM: " + def.MODEM.str());
    if (!def.EMAIL.isBlank()) heading.put("eMail: " + def.EMAIL.str());
    for (std::size_t i = 0; i < head.size(); ++i) run.setText("head" + std::to_string(i + 1), head[i]);
    run.setText("poNum", std::to_string(po.PoNum));
    run.setValue("poDate", static_cast<std::int64_t>(po.PODATE));
    run.setValue("shipDate", static_cast<std::int64_t>(po.SHIPDATE));

    // The vendor: each line moves up when the one before it is blank.
    const core::Vendors& ven = m_vendors.rec;
    std::array<std::string, kVendorLines> block;
    house::BlockFiller<kVendorLines> vendor(block);
    vendor.putIfAny(house::trimmed(ven.NAME.view()));
    vendor.putIfAny(house::trimmed(ven.ADD1.view()));
    vendor.putIfAny(house::trimmed(ven.ADD2.view()));
    vendor.putIfAny(ven.CITY.str() + ", " + ven.STATE.str() + " " + ven.ZIPCODE.str());
    if (ven.COMPANY != 0) vendor.putIfAny("ATTN: " + house::joined({ven.FIRSTNAME.view(), ven.LASTNAME.view()}, " "));
    std::string phones = ven.PHONE1.str();
    if (!ven.PHONE2.isBlank())
        phones = phones + std::string(phones.size() < 22 ? 22 - phones.size() : 1, ' ') + ven.PHONE2.str();
    vendor.putIfAny(house::trimmed(phones));
    for (std::size_t i = 0; i < block.size(); ++i) run.setText("vendor" + std::to_string(i + 1), block[i]);
    run.setText("shipTo1", po.SHIPTO.str());
    run.setText("shipTo2", po.ADDRESS.str());
    run.setText("shipTo3", po.CITYSTZIP.str());

    stampRun(run);
    setRecords(m_lines, core::POItems::byPoNum).startAt([this] { m_lines.rec.PoNum = m_poNum; }).whileTrue([this] {
        return m_lines.rec.PoNum == m_poNum;
    });
    return true;
}

bool PoPrintJob::printRecord(core::UiPort&, ReportRun& run) {
    if (!m_headed) {
        run.print(kPoHeading);
        m_headed = true;
    }
    const core::POItems& line = m_lines.rec;
    m_products.clear();
    m_products.rec.PartNum = line.PartNum.view();
    const bool found = !line.PartNum.isBlank() && m_products.get(core::Products::byPartNum) == ErrorCode::None;
    run.setValue("qty", line.QTY);
    run.setText("venPartNum", line.VenPartNum.str());
    run.setText("description", found ? m_products.rec.DESCRIPTION.str() : std::string());
    run.setValue("unitPrice", line.COST);
    run.setValue("extension", line.LINECOST);
    (void)m_subTotal.assign(m_subTotal + line.LINECOST);
    run.print(kPoLine);
    return true;
}

void PoPrintJob::finish(core::UiPort&, ReportRun& run) {
    // A PO without lines still prints its heading and totals.
    if (!m_headed) {
        run.print(kPoHeading);
        m_headed = true;
    }
    const core::PO& po = m_po.rec;
    run.setValue("subTotal", m_subTotal);
    run.setValue("shipping", po.SHIPAMT);
    run.setValue("orderTotal", po.ORDERTOTAL);
    run.setText("comments", po.Comments.str());
    run.setText("poComment", company().POComment.str());
    run.print(kPoTotals);
}

}  // namespace quay::reports::detail
