// The purchase-order print as a house report: its tables, the heading once the PO and
// its vendor are read, one band per line of the PO, and the totals with the comments.
#pragma once

#include <cstdint>
#include <string>

#include "quay/reports/run/house_report.h"
#include "quay/tables/po.h"
#include "quay/tables/po_items.h"
#include "quay/tables/products.h"
#include "quay/tables/vendors.h"

namespace quay::reports::detail {

class PoPrintJob final : public HouseReport {
public:
    // REQUIRES: db outlives the job.
    PoPrintJob(core::Database& db, std::int32_t poNum);

    std::string title() const override { return m_title; }
    ReportLayout layout() const override;

private:
    std::vector<core::Table*> tables() override;
    bool start(core::UiPort& ui, ReportRun& run) override;
    bool printRecord(core::UiPort& ui, ReportRun& run) override;
    void finish(core::UiPort& ui, ReportRun& run) override;

    std::int32_t m_poNum;
    std::string m_title = "Purchase Order";
    bool m_headed = false;
    core::Decimal<13, 2> m_subTotal;
    core::Handle<core::PO> m_po;
    core::Handle<core::POItems> m_lines;
    core::Handle<core::Products> m_products;
    core::Handle<core::Vendors> m_vendors;
};

}  // namespace quay::reports::detail
