// The field look-up: a keyed get, then the list in select mode.
#include "quay/ui/field_lookup.h"

#include "quay/app/globals.h"
#include "quay/app/last_error.h"
#include "quay/ui/list_errors.h"
#include "quay/types/fixed_string.h"
#include "quay/ui/record_fields.h"

namespace quay::core {

FieldLookup::FieldLookup(UiPort& ui, Table& table, LookupSpec spec)
    : m_ui(ui), m_table(table), m_spec(std::move(spec)) {}

bool FieldLookup::matches(std::string_view typed) {
    m_readFailed = false;
    m_table.clear();
    if (!setFieldText(m_table.desc(), m_spec.field, m_table.buffer(), typed)) return false;
    if (const ErrorCode e = m_table.get(m_spec.key); e != ErrorCode::None) {
        if (e != ErrorCode::RecordNotFound) {
            // A table that cannot be read is no reason to offer the list.
            saveError(m_table);
            reportReadError(m_ui, m_table.desc().name);
            m_readFailed = true;
        }
        return false;
    }
    return !m_spec.filter || m_spec.filter(m_table.buffer());
}

LookupResult FieldLookup::check(std::string_view typed) {
    const std::string_view value = detail::trimTrailingBlanks(typed);
    if (value.empty() && m_spec.allowBlank) return {LookupOutcome::Blank, {}};
    if (matches(value)) return {LookupOutcome::Found, fieldText(m_table.desc(), m_spec.field, m_table.buffer())};
    if (m_readFailed) return {LookupOutcome::Refused, {}};
    return pick(value);
}

LookupResult FieldLookup::browse() { return pick({}); }

LookupResult FieldLookup::pick(std::string_view typed) {
    WindowRequest r;
    r.request = Request::Select;
    r.table = &m_table;
    // The list opens at the first record at or after what was typed, so the user
    // picks from the records nearest to it ("Bradley" shows "Bradley, Anne").
    r.text = std::string(typed);
    glo.GlobalRequest = Request::Select;
    const WindowResponse response = m_ui.runWindow(m_spec.listProcedure, r);
    glo.GlobalResponse = response.response;
    if (response.response != Response::Completed) return {LookupOutcome::Refused, {}};
    // A pick outside the filter (the list shows more than the field allows) is refused.
    if (m_spec.filter && !m_spec.filter(m_table.buffer())) return {LookupOutcome::Refused, {}};
    return {LookupOutcome::Picked, fieldText(m_table.desc(), m_spec.field, m_table.buffer())};
}

}  // namespace quay::core
