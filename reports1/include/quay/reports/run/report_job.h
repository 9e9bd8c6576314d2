// What a report gives the report run: its layout, its tables, its company check, and its
// record walk one record at a time. The run (ReportRunner) owns everything the user sees
// around it: the printer warning, the progress and its cancel questions, the empty-report
// note, the preview and the copies; a job only prints its bands and shows the messages
// that belong to its own data (a missing order, a missing customer).
#pragma once

#include <cstdint>

#include "quay/app/ui_port.h"
#include "quay/export.h"
#include "quay/reports/engine/report_layout.h"
#include "quay/reports/engine/report_run.h"

namespace quay::reports {

// The outcome of one step of a record walk.
enum class JobStep {
    Record,  // one record was read (and its bands printed); the walk goes on
    End,     // no record left: the run prints the closing bands through finish()
    Failed,  // the report ended with its own message shown; nothing is shown
};

class QUAY_EXPORT ReportJob {
public:
    virtual ~ReportJob();

    // The report's title (the preview window's caption and the printed document's name).
    virtual std::string title() const = 0;
    // The bands of the report, built afresh for each run.
    virtual ReportLayout layout() const = 0;

    // Opens the tables the report reads. False when the open routine ended the program.
    virtual bool open(core::UiPort& ui) = 0;
    // GETCOMPANYDEFAULTS: false when there is no company record. The run then shows
    // "Please set company defaults first" and ends.
    virtual bool loadCompany() = 0;
    // The report's own start: checks that need its data and settings of controls that hold
    // for the whole run. False ends the run (the job has shown its message).
    virtual bool begin(core::UiPort& ui, ReportRun& run) = 0;
    // The number of records the walk will read, for the percentage shown; 0 when unknown.
    // Asked once, before the first record, and only when a progress window shows it.
    virtual std::int64_t recordCount() = 0;
    // Reads the next record and prints what it brings.
    virtual JobStep next(core::UiPort& ui, ReportRun& run) = 0;
    // After the last record: the closing bands (totals of the last group, the report's end).
    // Not called when the user cancelled and previews what was generated so far.
    virtual void finish(core::UiPort& ui, ReportRun& run) = 0;
    // Closes the tables; called once after open() whatever the outcome.
    virtual void close() = 0;
};

}  // namespace quay::reports
