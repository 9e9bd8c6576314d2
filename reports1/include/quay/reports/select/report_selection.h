// ReportSelection: the logic of a report's selection window, the window asked before a
// report runs. Every selection window of the program is one SelectionSpec over this
// class, shown by the one SelectionWindow view:
//   - the date range "Begin Date:" / "End Date:" (glo.LowDate1, glo.HiDate1), or the end
//     date alone ("Invoice End Date:"): F2 or the "..." button opens the calendar
//     (DATESELECT) under the selection's calendar title, an empty field being set to today first; the
//     presets MTD, YTD, This Month, This Year, Last Month and Last Year set both dates;
//   - the pick-list buttons (PICKCUSTOMERS, PICKSALESMEN, ...), each with its
//     check mark shown while its list holds entries;
//   - flags (check boxes on globals such as GLO:UseDiscount) and choices (radio groups
//     on globals such as Glo:CustType), set to their defaults when the window opens,
//     and any further globals the window sets on opening (SelectionSpec::atOpen);
//   - a note explaining the report, shown above the commands;
//   - "P&rint" runs the report and leaves the window open; the run asks "Do you wish to
//     PREVIEW this Report?" first for reports that may print directly; "Cancel" (or
//     "Close") closes the window.
// The date range is checked before the report runs: a missing date (when both are
// required, or the end date of a window that asks for it alone) keeps the cursor in
// that field, an end before the begin shows the selection's
// message (caption "ERROR"); neither runs the report or changes anything.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "quay/app/globals.h"
#include "quay/app/ui_port.h"
#include "quay/export.h"
#include "quay/reports/run/report_runner.h"

namespace quay::reports {

enum class PickKind { Customers, Salesmen, Vendors, Products, Groups, Manufacturers };

// The caption of a pick-list button ("Pick C&ustomers", "Pick &Salesmen", ...).
QUAY_EXPORT const char* pickCaption(PickKind kind);

enum class DatePreset { MonthToDate, YearToDate, ThisMonth, ThisYear, LastMonth, LastYear };

// The preset's button caption ("MTD", "YTD", "This Month", ...).
QUAY_EXPORT const char* presetCaption(DatePreset preset);
// The first and last day a preset gives, counted from `today`; nullopt for an invalid day.
struct DateRange {
    std::int32_t begin = 0;
    std::int32_t end = 0;
    friend bool operator==(const DateRange&, const DateRange&) = default;
};
QUAY_EXPORT std::optional<DateRange> presetRange(DatePreset preset, std::int32_t today);

struct SelectionDates {
    std::string beginCalendarTitle{};  // "Select Sales Begin Date"
    std::string endCalendarTitle{};    // "Select Sales End Date"
    // Shown when the end date is before the begin date.
    std::string rangeError = "End Date must be equal to or greater than Beginning Date";
    bool presets = true;
    bool requireBoth = false;        // Print needs both dates
    bool openAtMonthToDate = false;  // the window opens at the first of this month and today
    // One date only, the end of the period (glo.HiDate1), under its own caption; Print
    // needs it. The begin date is neither shown nor checked.
    bool endOnly = false;
    std::string endCaption{};           // "Invoice End Date:"; empty: "&End Date:"
    bool openAtEndOfLastMonth = false;  // the end date opens at the last day of the previous month
};

struct SelectionFlag {
    std::string caption{};                          // "Include Order Discount"
    std::uint8_t core::Globals::*global = nullptr;  // &core::Globals::UseDiscount
    bool onAtOpen = false;                          // its value when the window opens
};

struct SelectionChoice {
    std::string caption{};  // "Cu&stomer Type"
    struct Option {
        std::string caption;  // "Inactive"
        std::string value;    // "DEAD"
    };
    std::vector<Option> options{};
    std::string atOpen{};  // the value chosen when the window opens
    // Stores a chosen value where the report reads it (a global).
    std::function<void(const std::string& value)> store{};
};

struct SelectionSpec {
    std::string procedure{};  // the window's name and settings section: "SalesByCustSelect"
    std::string title{};      // "Sales Report by Customer Selection"
    std::optional<SelectionDates> dates{};
    std::vector<PickKind> picks{};
    std::vector<SelectionFlag> flags{};
    std::vector<SelectionChoice> choices{};
    bool clearPicksOnOpen = false;   // opening the window empties every pick list
    bool clearPicksOnClose = false;  // closing it discards its own pick lists
    bool askPreview = false;         // the report may go straight to the printer
    // Globals the window sets each time it opens, besides its flags and choices
    // (Glo:CustType = "ACTIVE" for the pick list of customers).
    std::function<void()> atOpen{};
    std::string note{};  // a sentence shown above the commands; empty: none
    std::string printCaption = "P&rint";
    std::string closeCaption = "Cancel";
};

// Runs the report the selection is for (the desktop's way or a test's).
using SelectionReport = std::function<RunResult(core::UiPort& ui, const RunOptions& options)>;

class QUAY_EXPORT ReportSelection {
public:
    enum class Field { None, BeginDate, EndDate };

    // REQUIRES: report is set.
    ReportSelection(core::UiPort& ui, SelectionSpec spec, SelectionReport report);

    const SelectionSpec& spec() const { return m_spec; }

    // The window opens: flags and choices to their opening values, the dates to this
    // month when the selection asks for it, the pick lists emptied when it asks for that.
    void open();

    // --- the date range ---
    std::int32_t beginDate() const { return core::glo.LowDate1; }
    std::int32_t endDate() const { return core::glo.HiDate1; }
    void setBeginDate(std::int32_t date) { core::glo.LowDate1 = date; }
    void setEndDate(std::int32_t date) { core::glo.HiDate1 = date; }
    // A typed date, read through "@d2" (blank for no date). The sentence saying why the
    // text is refused (the field keeps its date), or empty when it was taken.
    std::string enterDate(Field field, std::string_view text);
    // A date as the fields show it ("@d2"; blank for none).
    static std::string dateText(std::int32_t date);
    // F2 or "...": the calendar, opened at the field's date (today when empty).
    void calendar(Field field);
    // Sets both dates; the cursor goes back to the begin date.
    void applyPreset(DatePreset preset);

    // --- pick lists, flags and choices ---
    core::Response pick(PickKind kind);
    // True while the kind's list holds entries: its button shows the check mark.
    static bool isPicked(PickKind kind);
    bool flag(std::size_t index) const;
    void setFlag(std::size_t index, bool on);
    const std::string& choice(std::size_t index) const { return m_choices.at(index); }
    void setChoice(std::size_t index, const std::string& value);

    // --- commands ---
    // "P&rint": checks the dates and runs the report; the window stays open. nullopt
    // when the dates stopped it (see focusRequest()).
    std::optional<RunResult> print();
    // "Cancel" / "Close" and the close box.
    void close();
    bool isClosed() const { return m_closed; }

    // The field the cursor is to go to (after a preset or a missing date); the view
    // reads and clears it.
    Field takeFocusRequest();

private:
    bool datesAllowPrint();

    core::UiPort& m_ui;
    SelectionSpec m_spec;
    SelectionReport m_report;
    std::vector<std::string> m_choices;
    Field m_focus = Field::None;
    bool m_closed = false;
};

}  // namespace quay::reports
