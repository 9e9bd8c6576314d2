// The house report job. The company record opens last, after the report's own tables, and
// is read before the report starts; the record set is positioned after the report's start
// so that a report that ends in its own check (an unknown order, a date range the wrong
// way round) never scans its table.
#include "quay/reports/run/house_report.h"

#include "quay/defaults/company_defaults.h"
#include "quay/types/clock.h"

namespace quay::reports {

using core::Button;
using core::ErrorCode;
using core::Icon;

HouseReport::HouseReport(core::Database& db) : m_defaults(db) {}

HouseReport::~HouseReport() = default;

bool HouseReport::open(core::UiPort& ui) {
    std::vector<core::Table*> all = tables();
    all.push_back(&m_defaults);
    return m_tables.open(ui, all);
}

bool HouseReport::loadCompany() { return core::GETCOMPANYDEFAULTS(m_defaults, 1) == 0; }

bool HouseReport::begin(core::UiPort& ui, ReportRun& run) {
    if (!start(ui, run)) return false;
    return !m_records || m_records->position(ui);
}

std::int64_t HouseReport::recordCount() { return m_records ? m_records->count() : 0; }

JobStep HouseReport::next(core::UiPort& ui, ReportRun& run) {
    if (!m_records) return endOfRecords(ui, run) ? JobStep::End : JobStep::Failed;
    switch (m_records->next(ui)) {
    case RecordSet::Read::End: return endOfRecords(ui, run) ? JobStep::End : JobStep::Failed;
    case RecordSet::Read::Failed: return JobStep::Failed;
    case RecordSet::Read::Record: break;
    }
    return printRecord(ui, run) ? JobStep::Record : JobStep::Failed;
}

void HouseReport::finish(core::UiPort&, ReportRun&) {}

void HouseReport::close() {
    if (m_records) m_records->close();
    m_tables.close();
}

RecordSet& HouseReport::setRecords(core::Table& table, core::KeyId key) {
    m_records = std::make_unique<RecordSet>(table, key);
    return *m_records;
}

void HouseReport::stampRun(ReportRun& run) {
    run.setValue("runDate", core::today());
    run.setValue("runTime", core::now());
}

OrderPrintReport::OrderPrintReport(core::Database& db, std::int32_t ordNum)
    : HouseReport(db), m_ordNum(ordNum), m_order(db), m_items(db) {}

std::vector<core::Table*> OrderPrintReport::tables() {
    std::vector<core::Table*> all{&m_order, &m_items};
    for (core::Table* t : printTables()) all.push_back(t);
    return all;
}

bool OrderPrintReport::start(core::UiPort& ui, ReportRun& run) {
    m_order.clear();
    m_order.rec.OrdNum = m_ordNum;
    if (m_ordNum <= 0 || m_order.get(core::OrderRef::byOrdNum) != ErrorCode::None) {
        ui.message("ERROR", "Invalid Global Order Number", Icon::Error, Button::Ok, Button::Ok);
        return false;
    }
    startPrint(run);
    setRecords(m_items, core::ItemsOrd::byOrdNum).startAt([this] { m_items.rec.OrdNum = m_ordNum; }).whileTrue([this] {
        return m_items.rec.OrdNum == m_ordNum;
    });
    return true;
}

bool OrderPrintReport::printRecord(core::UiPort& ui, ReportRun& run) {
    if (!m_begun) {
        if (!beginOrder(ui, run)) return false;
        m_begun = true;
    }
    return printLine(ui, run);
}

void OrderPrintReport::finish(core::UiPort&, ReportRun& run) {
    if (m_begun) endOrder(run);
}

}  // namespace quay::reports
