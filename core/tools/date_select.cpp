// The calendar's month arithmetic. Day numbers are kept so that day mod 7 is the
// weekday with 0 = Sunday, which places the first of the month in the grid.
#include "quay/tools/date_select.h"

#include "quay/app/globals.h"
#include "quay/types/clock.h"
#include "quay/types/date.h"

namespace quay::core {

namespace {

constexpr const char* kMonths[12] = {"January", "February", "March",     "April",   "May",      "June",
                                     "July",    "August",   "September", "October", "November", "December"};

}  // namespace

DateSelect::DateSelect(std::int32_t date) {
    if (!isValidDate(date)) date = today();
    m_passed = date;
    const auto c = civilFromDate(date);
    m_year = c->year;
    m_month = c->month;
    m_day = c->day;
}

std::string DateSelect::title() const { return glo.CalendarTitle.str(); }

std::string DateSelect::monthName(int month) { return month >= 1 && month <= 12 ? kMonths[month - 1] : ""; }

std::string DateSelect::monthName() const { return monthName(m_month); }

std::array<int, DateSelect::kCells> DateSelect::grid() const {
    std::array<int, kCells> cells{};
    const std::int32_t first = *dateFromCivil(m_year, m_month, 1);
    const int column = first % 7;
    const int days = daysInMonth(m_year, m_month);
    for (int d = 1; d <= days; ++d) cells[static_cast<std::size_t>(column + d - 1)] = d;
    return cells;
}

int DateSelect::highlightedCell() const {
    const std::int32_t first = *dateFromCivil(m_year, m_month, 1);
    const int last = daysInMonth(m_year, m_month);
    return first % 7 + (m_day < last ? m_day : last) - 1;
}

void DateSelect::previousMonth() {
    if (m_month == 1) {
        if (m_year <= kFirstYear) return;
        m_month = 12;
        --m_year;
    } else {
        --m_month;
    }
}

void DateSelect::nextMonth() {
    if (m_month == 12) {
        if (m_year >= kLastYear) return;
        m_month = 1;
        ++m_year;
    } else {
        ++m_month;
    }
}

void DateSelect::previousYear() {
    if (m_year > kFirstYear) --m_year;
}

void DateSelect::nextYear() {
    if (m_year < kLastYear) ++m_year;
}

std::int32_t DateSelect::pick(int cell) const {
    if (cell < 0 || cell >= kCells) return 0;
    const int d = grid()[static_cast<std::size_t>(cell)];
    if (d == 0) return 0;
    return *dateFromCivil(m_year, m_month, d);
}

std::int32_t DATESELECT(UiPort& ui, std::int32_t date) {
    WindowRequest r;
    r.number = date;
    const WindowResponse response = ui.runWindow("DATESELECT", r);
    if (response.number != 0) return response.number;
    return DateSelect(date).cancel();
}

}  // namespace quay::core
