// DATESELECT: the calendar date picker. It opens on the month of the date passed
// in (today for 0), shows the month name and year over a grid of 6 rows of 7 day
// buttons with the first of the month under its weekday (Sunday first), steps a
// month or a year at a time keeping the day of the month, and returns the day
// pressed, or the date passed in (today for 0) when cancelled.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "quay/app/ui_port.h"
#include "quay/export.h"

namespace quay::core {

class QUAY_EXPORT DateSelect {
public:
    static constexpr int kRows = 6;
    static constexpr int kColumns = 7;
    static constexpr int kCells = kRows * kColumns;

    // `date` 0 (or not a valid date) means today.
    explicit DateSelect(std::int32_t date);

    // The window's title (GLO:CalendarTitle).
    std::string title() const;
    // "January" ... "December".
    std::string monthName() const;
    static std::string monthName(int month);
    int month() const { return m_month; }
    int year() const { return m_year; }
    // The day of the month kept while stepping.
    int day() const { return m_day; }
    std::int32_t passedDate() const { return m_passed; }

    // The day of the month on each button, row by row; 0 for a hidden button.
    std::array<int, kCells> grid() const;
    // The button of the kept day in the shown month (clamped to its last day).
    int highlightedCell() const;

    // "<<" / ">>" beside the month, and the pair beside the year. Stepping past the
    // first or last year the calendar knows does nothing.
    void previousMonth();
    void nextMonth();
    void previousYear();
    void nextYear();

    // The date of a pressed button, or 0 for a hidden one (the window stays open).
    std::int32_t pick(int cell) const;
    // "&Cancel": the date passed in, today when 0 was passed.
    std::int32_t cancel() const { return m_passed; }

private:
    std::int32_t m_passed;
    int m_year;
    int m_month;
    int m_day;
};

// DATESELECT as windows call it: runs the calendar through the UI port (window
// "DATESELECT", the date in the request's number) and returns the chosen date.
QUAY_EXPORT std::int32_t DATESELECT(UiPort& ui, std::int32_t date);

}  // namespace quay::core
