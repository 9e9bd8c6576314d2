// FieldLookup: the field look-up service of forms. A typed value is checked
// against a key of a table (under a filter when one is given); when no record
// matches, the table's list window opens in select mode so the user can pick one,
// and the picked record's key value is copied into the field. The "..." button
// beside a field opens the same list directly.
//
// The list window is run by name through the UI port with Request::Select and the
// look-up's own table handle; the request's text is the value typed (empty for the
// button), where the list opens. It answers Completed with the picked record in
// that handle's buffer, or Cancelled.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "quay/app/ui_port.h"
#include "quay/export.h"
#include "quay/store/table.h"
#include "quay/ui/list_pager.h"

namespace quay::core {

// A record filter over the look-up's buffer; true keeps the record.
using RecordFilter = std::function<bool(const void* record)>;

struct LookupSpec {
    KeyId key{0};              // the key the value is sought in
    int field = -1;            // the table's field holding the value (the key's field)
    WindowName listProcedure;  // the list opened for picking: "VendorBrowse"
    RecordFilter filter;       // records that may be chosen, or empty for all
    bool allowBlank = true;    // a blank value is accepted without a look-up
};

enum class LookupOutcome {
    Found,    // the typed value names a record (in the table buffer)
    Picked,   // the user picked a record from the list; value holds its key value
    Blank,    // a blank value, accepted without a look-up
    Refused,  // nothing matched and nothing was picked: the field is refused
};

struct LookupResult {
    LookupOutcome outcome = LookupOutcome::Refused;
    std::string value;  // the value for the field (the record's own spelling)

    bool accepted() const { return outcome != LookupOutcome::Refused; }
};

class QUAY_EXPORT FieldLookup {
public:
    // REQUIRES: `table` is open and outlives the look-up; spec.field >= 0.
    FieldLookup(UiPort& ui, Table& table, LookupSpec spec);

    // Checks a typed value; opens the list when nothing matches. A read error is
    // reported ("Record Retrieval Error") and refuses the value without the list.
    LookupResult check(std::string_view typed);
    // The "..." button: the list in select mode.
    LookupResult browse();

private:
    bool matches(std::string_view typed);
    LookupResult pick(std::string_view typed);

    UiPort& m_ui;
    Table& m_table;
    LookupSpec m_spec;
    bool m_readFailed = false;
};

}  // namespace quay::core
