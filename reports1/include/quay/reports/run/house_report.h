// HouseReport: the report job every report of the program is built on. It opens the
// report's tables together with the company record, loads the company (the run says
// "Please set company defaults first" when there is none), walks the report's record
// set with its progress and read errors, and closes everything at the end. A report
// then only gives its layout, its tables, its start (checks and settings that hold for
// the whole run, and the record set) and what it prints for each record and at the end.
//
// OrderPrintReport goes one step further for the prints of one order (the quote or
// invoice, the detail ticket, the packing list): it reads the order by its number
// ("Invalid Global Order Number", caption "ERROR", when there is none) through the second
// handle OrderRef, so the order form's own buffer is never touched, and walks the order's
// lines in ITE:byOrdNum order.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "quay/export.h"
#include "quay/reports/run/record_set.h"
#include "quay/reports/run/report_job.h"
#include "quay/reports/run/report_tables.h"
#include "quay/store/database.h"
#include "quay/tables/defaults.h"
#include "quay/tables/items_ord.h"
#include "quay/tables/order_ref.h"

namespace quay::reports {

class QUAY_EXPORT HouseReport : public ReportJob {
public:
    // REQUIRES: db outlives the report.
    explicit HouseReport(core::Database& db);
    ~HouseReport() override;

    bool open(core::UiPort& ui) final;
    bool loadCompany() final;
    bool begin(core::UiPort& ui, ReportRun& run) final;
    std::int64_t recordCount() final;
    JobStep next(core::UiPort& ui, ReportRun& run) final;
    void finish(core::UiPort& ui, ReportRun& run) override;
    void close() final;

protected:
    // The tables the report reads besides the company record, in the order they open.
    virtual std::vector<core::Table*> tables() = 0;
    // The report's start, after the company is loaded: its own checks, the controls that
    // hold for the whole run, and its record set (setRecords()). False ends the run; the
    // report has shown its message.
    virtual bool start(core::UiPort& ui, ReportRun& run) = 0;
    // One record of the set, in its table's buffer: print its bands. False ends the run;
    // the report has shown its message.
    virtual bool printRecord(core::UiPort& ui, ReportRun& run) = 0;
    // The set is read to its end, before finish(): closing work that still reads and may
    // fail (the last customer's payments). False ends the run; the report has shown its
    // message.
    virtual bool endOfRecords(core::UiPort& ui, ReportRun& run) {
        (void)ui;
        (void)run;
        return true;
    }

    // The record set start() chose; positioned by the run after start().
    RecordSet& setRecords(core::Table& table, core::KeyId key);
    const core::Defaults& company() const { return m_defaults.rec; }
    // Fills the run stamp's date and time (house::addRunStamp) with this moment.
    static void stampRun(ReportRun& run);

private:
    core::Handle<core::Defaults> m_defaults;
    ReportTables m_tables;
    std::unique_ptr<RecordSet> m_records;
};

class QUAY_EXPORT OrderPrintReport : public HouseReport {
public:
    // REQUIRES: db outlives the report.
    OrderPrintReport(core::Database& db, std::int32_t ordNum);

    void finish(core::UiPort& ui, ReportRun& run) final;

protected:
    // The tables the print reads besides the order and its lines.
    virtual std::vector<core::Table*> printTables() = 0;
    // Once the order is read, before any line: controls that hold for the whole print.
    virtual void startPrint(ReportRun& run) { (void)run; }
    // When the first line is read: the order's heading. False ends the print (its message
    // shown).
    virtual bool beginOrder(core::UiPort& ui, ReportRun& run) = 0;
    // Each line, in line(): its bands. False ends the print (its message shown).
    virtual bool printLine(core::UiPort& ui, ReportRun& run) = 0;
    // After the last line of an order that had lines: its closing bands.
    virtual void endOrder(ReportRun& run) = 0;

    std::int32_t ordNum() const { return m_ordNum; }
    const core::Orders& order() const { return m_order.rec; }
    const core::ItemsOrd& line() const { return m_items.rec; }
    // ORD:Status "I": an invoice, numbered by its invoice number.
    bool isInvoice() const { return m_order.rec.Status == "I"; }

private:
    std::vector<core::Table*> tables() final;
    bool start(core::UiPort& ui, ReportRun& run) final;
    bool printRecord(core::UiPort& ui, ReportRun& run) final;

    std::int32_t m_ordNum;
    bool m_begun = false;
    core::Handle<core::OrderRef> m_order;
    core::Handle<core::ItemsOrd> m_items;
};

}  // namespace quay::reports
