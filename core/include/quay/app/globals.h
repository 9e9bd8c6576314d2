// The process-wide global values that windows, procedures and reports share: the
// form protocol (GlobalRequest, GlobalResponse), procedure arguments and results
// (rcLong, GLO:BalanceDue), order entry, the frame and the tip of the day, the
// alarm schedule, file names for export and import, and the report selections.
// There is one object, `glo`, alive for the whole process; names follow the
// documented ones (GLO:UserID is glo.UserID).
//
// Thread safety: windows run their logic on the main thread and use the fields
// freely. The one set of values that a worker thread also writes is the next
// pending alarm (the alarm-list loader runs on its own thread while the frame's
// timer reads it): AlarmActive, NextEventDay and NextEventTime are atomics, and
// the three are set together and read together through setNextAlarm() and
// nextAlarm(), which hold a lock so the timer never sees one alarm's day with
// another's time. CurrentAlarmID is handed to the alarm window's thread and is an
// atomic as well.
#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>

#include "quay/app/ui_port.h"
#include "quay/export.h"
#include "quay/types/decimal.h"
#include "quay/types/fixed_string.h"

namespace quay::core {

// GLO:SchGroup: what the alarm window hands the schedule form about an entry.
struct SchGroup {
    std::int32_t SCHEVENTID = 0;
    FixedString<35> SCHCUSTOMER;
    FixedString<35> SCHVENDOR;
    FixedString<20> SCHPARTNUM;
    std::int32_t SCHORDNUM = 0;
    std::int32_t SCHINVNUM = 0;
    std::int32_t SCHPONUM = 0;
    std::int32_t SCHREPAIRNUM = 0;

    void clear() { *this = SchGroup{}; }
};

// The next pending alarm as one consistent triple.
struct NextAlarm {
    std::int32_t AlarmActive = 0;    // SCHQ:EVENTID of the alarm, 0 = none pending
    std::int32_t NextEventDay = 0;   // its date
    std::int32_t NextEventTime = 0;  // its time
};

class QUAY_EXPORT Globals {
public:
    Globals() = default;
    Globals(const Globals&) = delete;
    Globals& operator=(const Globals&) = delete;

    // Every value back to its start-of-process state (blank, zero); for tests and
    // for a fresh start of the frame.
    void reset();

    // --- the form protocol ---
    Request GlobalRequest = Request::None;     // what the called form is to do
    Response GlobalResponse = Response::None;  // what the form answered

    // --- procedure arguments and results ---
    std::int32_t rcLong = 0;    // argument of GETCOMPANYDEFAULTS
    Decimal<13, 2> BalanceDue;  // GLO:BalanceDue, result of GETCUSTBALANCE

    // --- order entry ---
    FixedString<35> CustName;     // Glo:CustName, the customer an account window shows
    FixedString<1> PriceClass;    // Glo:PriceClass: "1"-"6", "C", "R"; "A" in list selections
    FixedString<20> PartNum;      // Glo:PartNum, the line whose serials are edited
    std::int32_t OrdNum = 0;      // Glo:OrdNum, the order being edited or printed
    std::int32_t InvoiceNum = 0;  // Glo:InvoiceNum
    Decimal<13, 2> ProfitMargin;  // Glo:ProfitMargin, percent to two places
    Decimal<13, 2> DiscountAmt;   // Glo:DiscountAmt, surcharge minus discount
    Decimal<13, 2> ListSubTotal;  // Glo:ListSubTotal
    Decimal<13, 2> OrdCost;       // Glo:OrdCost, the order's cost total

    // --- the frame and the tip of the day ---
    FixedString<64> ProgramTitle;  // "Billquay"
    FixedString<20> UserID;        // log-in name, upper-cased; "DEFAULT" when none
    std::int32_t FrameX = 0;
    std::int32_t FrameY = 0;
    std::int32_t FrameW = 0;
    std::int32_t FrameH = 0;
    std::uint8_t MessageOfDay = 0;  // 1 when the tip of the day shows at start
    std::uint8_t MODDone = 0;       // 1 once tips are done for this run
    std::int32_t MODPosition = 0;   // the tip to show next

    // --- the schedule's alarms ---
    std::atomic<std::int32_t> AlarmActive{0};  // read with nextAlarm(), set with setNextAlarm()
    std::atomic<std::int32_t> NextEventDay{0};
    std::atomic<std::int32_t> NextEventTime{0};
    std::atomic<std::int32_t> CurrentAlarmID{0};  // the alarm the alarm window is to show
    struct SchGroup SchGroup;                     // GLO:SchGroup

    void setNextAlarm(const NextAlarm& next);
    NextAlarm nextAlarm() const;

    // --- calendar, export and import ---
    FixedString<50> CalendarTitle;   // title of the DATESELECT window
    FixedString<99> ExportFileName;  // the ExportFile text file's name
    FixedString<99> ImportFileName;  // the ImportFile text file's name

    // --- report selections ---
    std::int32_t LowDate1 = 0;  // first date of the range
    std::int32_t HiDate1 = 0;   // last date of the range
    FixedString<6> CustType;    // Glo:CustType: "ACTIVE", "DEAD" or "ALL"
    std::uint8_t PrintComments = 0;
    std::uint8_t PrintPackList = 0;
    std::uint8_t UseDiscount = 0;
    std::uint8_t UseSurcharge = 0;
    std::uint8_t OneLiner = 0;
    std::uint8_t Landscape = 0;
    std::uint8_t InStockItems = 0;
    FixedString<1> Dollars;  // "D" dollars or "Q" quantity sold

private:
    mutable std::mutex m_alarmMutex;
};

// The one Globals object of the process.
QUAY_EXPORT extern Globals glo;

}  // namespace quay::core
