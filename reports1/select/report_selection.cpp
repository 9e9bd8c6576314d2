// The selection window's logic. The dates live in glo.LowDate1 and glo.HiDate1 from the
// moment they are typed, as the reports read them there; flags and choices likewise write
// their globals at once, so the report run sees exactly what the window shows.
#include "quay/reports/select/report_selection.h"

#include <cassert>

#include "quay/tools/date_select.h"
#include "quay/tools/pick_list.h"
#include "quay/tools/pick_queues.h"
#include "quay/types/clock.h"
#include "quay/types/date.h"
#include "quay/types/picture.h"

namespace quay::reports {
namespace {

core::PickSource& listOf(PickKind kind) {
    switch (kind) {
    case PickKind::Customers: return core::pick::Cust::Queue;
    case PickKind::Salesmen: return core::pick::SP::Queue;
    case PickKind::Vendors: return core::pick::Ven::Queue;
    case PickKind::Products: return core::pick::Prd::Queue;
    case PickKind::Groups: return core::pick::Groups::Queue;
    case PickKind::Manufacturers: return core::pick::Mfr::Queue;
    }
    return core::pick::Cust::Queue;
}

constexpr PickKind kEveryPick[] = {PickKind::Customers, PickKind::Salesmen, PickKind::Vendors,
                                   PickKind::Products,  PickKind::Groups,   PickKind::Manufacturers};

}  // namespace

const char* pickCaption(PickKind kind) {
    switch (kind) {
    case PickKind::Customers: return "Pick C&ustomers";
    case PickKind::Salesmen: return "Pick &Salesmen";
    case PickKind::Vendors: return "Pick &Vendors";
    case PickKind::Products: return "Pick &Products";
    case PickKind::Groups: return "Pick &Groups";
    case PickKind::Manufacturers: return "Pick &Manufacturers";
    }
    return "";
}

const char* presetCaption(DatePreset preset) {
    switch (preset) {
    case DatePreset::MonthToDate: return "MTD";
    case DatePreset::YearToDate: return "YTD";
    case DatePreset::ThisMonth: return "This Month";
    case DatePreset::ThisYear: return "This Year";
    case DatePreset::LastMonth: return "Last Month";
    case DatePreset::LastYear: return "Last Year";
    }
    return "";
}

std::optional<DateRange> presetRange(DatePreset preset, std::int32_t today) {
    const std::optional<core::CivilDate> t = core::civilFromDate(today);
    if (!t) return std::nullopt;
    std::optional<std::int32_t> begin;
    std::optional<std::int32_t> end;
    switch (preset) {
    case DatePreset::MonthToDate:
        begin = core::firstOfMonth(today);
        end = today;
        break;
    case DatePreset::YearToDate:
        begin = core::dateFromCivil(t->year, 1, 1);
        end = today;
        break;
    case DatePreset::ThisMonth:
        begin = core::firstOfMonth(today);
        end = core::lastOfMonth(today);
        break;
    case DatePreset::ThisYear:
        begin = core::dateFromCivil(t->year, 1, 1);
        end = core::dateFromCivil(t->year, 12, 31);
        break;
    case DatePreset::LastMonth: {
        const std::optional<std::int32_t> first = core::firstOfMonth(today);
        const std::optional<std::int32_t> previous = first ? core::addMonths(*first, -1) : std::nullopt;
        if (previous) {
            begin = previous;
            end = core::lastOfMonth(*previous);
        }
        break;
    }
    case DatePreset::LastYear:
        begin = core::dateFromCivil(t->year - 1, 1, 1);
        end = core::dateFromCivil(t->year - 1, 12, 31);
        break;
    }
    if (!begin || !end) return std::nullopt;
    return DateRange{*begin, *end};
}

ReportSelection::ReportSelection(core::UiPort& ui, SelectionSpec spec, SelectionReport report)
    : m_ui(ui), m_spec(std::move(spec)), m_report(std::move(report)) {
    // REQUIRES: a report to run.
    assert(m_report);
    for (const SelectionChoice& c : m_spec.choices) m_choices.push_back(c.atOpen);
}

void ReportSelection::open() {
    m_closed = false;
    for (const SelectionFlag& f : m_spec.flags) core::glo.*f.global = f.onAtOpen ? 1 : 0;
    for (std::size_t i = 0; i < m_spec.choices.size(); ++i) setChoice(i, m_spec.choices[i].atOpen);
    if (m_spec.clearPicksOnOpen)
        for (PickKind k : kEveryPick) listOf(k).clear();
    if (m_spec.dates && m_spec.dates->openAtMonthToDate) {
        if (std::optional<DateRange> r = presetRange(DatePreset::MonthToDate, core::today())) {
            setBeginDate(r->begin);
            setEndDate(r->end);
        }
    }
    if (m_spec.dates && m_spec.dates->openAtEndOfLastMonth) {
        if (std::optional<DateRange> r = presetRange(DatePreset::LastMonth, core::today())) setEndDate(r->end);
    }
    if (m_spec.atOpen) m_spec.atOpen();
}

std::string ReportSelection::enterDate(Field field, std::string_view text) {
    static const core::Picture picture = *core::Picture::parse("@d2");
    std::int32_t date = 0;
    const core::EntryStatus status = picture.read(text, date);
    if (status != core::EntryStatus::Ok) return picture.reason(status);
    if (field == Field::BeginDate) setBeginDate(date);
    if (field == Field::EndDate) setEndDate(date);
    return {};
}

std::string ReportSelection::dateText(std::int32_t date) {
    return date == 0 ? std::string() : core::formatPicture("@d2", date);
}

void ReportSelection::calendar(Field field) {
    if (!m_spec.dates || field == Field::None || (field == Field::BeginDate && m_spec.dates->endOnly)) return;
    const bool begin = field == Field::BeginDate;
    std::int32_t date = begin ? beginDate() : endDate();
    if (date == 0) date = core::today();
    core::glo.CalendarTitle = begin ? m_spec.dates->beginCalendarTitle : m_spec.dates->endCalendarTitle;
    date = core::DATESELECT(m_ui, date);
    if (begin)
        setBeginDate(date);
    else
        setEndDate(date);
}

void ReportSelection::applyPreset(DatePreset preset) {
    if (std::optional<DateRange> r = presetRange(preset, core::today())) {
        setBeginDate(r->begin);
        setEndDate(r->end);
    }
    m_focus = Field::BeginDate;
}

core::Response ReportSelection::pick(PickKind kind) {
    switch (kind) {
    case PickKind::Customers: return core::PICKCUSTOMERS(m_ui);
    case PickKind::Salesmen: return core::PICKSALESMEN(m_ui);
    case PickKind::Vendors: return core::PICKVENDORS(m_ui);
    case PickKind::Products: return core::PICKPRODUCTS(m_ui);
    case PickKind::Groups: return core::PICKGROUPS(m_ui);
    case PickKind::Manufacturers: return core::PICKMANUFACTURERS(m_ui);
    }
    return core::Response::Cancelled;
}

bool ReportSelection::isPicked(PickKind kind) { return listOf(kind).size() > 0; }

bool ReportSelection::flag(std::size_t index) const { return core::glo.*m_spec.flags.at(index).global != 0; }

void ReportSelection::setFlag(std::size_t index, bool on) { core::glo.*m_spec.flags.at(index).global = on ? 1 : 0; }

void ReportSelection::setChoice(std::size_t index, const std::string& value) {
    const SelectionChoice& c = m_spec.choices.at(index);
    bool known = false;
    for (const SelectionChoice::Option& o : c.options) known = known || o.value == value;
    if (!known) return;  // a value the window does not offer never reaches the report
    m_choices[index] = value;
    if (c.store) c.store(value);
}

bool ReportSelection::datesAllowPrint() {
    if (!m_spec.dates) return true;
    if (m_spec.dates->endOnly) {
        if (endDate() != 0) return true;
        m_focus = Field::EndDate;
        return false;
    }
    if (m_spec.dates->requireBoth && (beginDate() == 0 || endDate() == 0)) {
        m_focus = beginDate() == 0 ? Field::BeginDate : Field::EndDate;
        return false;
    }
    if (endDate() < beginDate()) {
        m_ui.message("ERROR", m_spec.dates->rangeError, core::Icon::Error, core::Button::Ok, core::Button::Ok);
        m_focus = Field::EndDate;
        return false;
    }
    return true;
}

std::optional<RunResult> ReportSelection::print() {
    if (!datesAllowPrint()) return std::nullopt;
    return m_report(m_ui, RunOptions{.askPreview = m_spec.askPreview});
}

void ReportSelection::close() {
    if (m_spec.clearPicksOnClose)
        for (PickKind k : m_spec.picks) listOf(k).clear();
    m_closed = true;
}

ReportSelection::Field ReportSelection::takeFocusRequest() {
    const Field f = m_focus;
    m_focus = Field::None;
    return f;
}

}  // namespace quay::reports
