// RelatedList: the records that belong to the record of a form, listed on one of
// its tabs (a customer's contact log and open schedule entries, a product's vendor
// part numbers). The list is read through a key from the first record that names
// the owner for as long as records still name it, so it costs what the owner's own
// records cost, however large the table. Insert, Change and Delete run the list's
// form by procedure name with the list's handle; the list is read again afterwards
// with the record the form left current highlighted.
//
// Not thread-safe: it lives on its form's thread.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "quay/app/ui_port.h"
#include "quay/export.h"
#include "quay/store/table.h"
#include "quay/ui/list_pager.h"

namespace quay::core {

struct RelatedListSpec {
    WindowName formProcedure;           // "CustCommentsRecord"; empty for a list without a form
    std::vector<std::string> headings;  // column headings
    KeyId key{0};
    // Writes the owner's key values into the cleared buffer, where reading starts.
    RecordSetter start;
    // True while a record read in key order still belongs to the owner.
    RowFilter belongs;
    RowFormatter format;
    std::size_t maxRows = 5000;  // the most rows one owner's list holds
};

class QUAY_EXPORT RelatedList {
public:
    // REQUIRES: `table` is open and outlives the list; its record functions
    // fit the table.
    RelatedList(UiPort& ui, Table& table, RelatedListSpec spec);

    // Reads the rows again; keeps the highlight on `position` when given and listed.
    // A read that fails shows "Record Retrieval Error" for the table (and says so
    // when the data set is damaged) and returns its code with the rows read so far.
    ErrorCode load(const std::string& position = {});
    const std::vector<ListRow>& rows() const { return m_rows; }
    std::size_t rowCount() const { return m_rows.size(); }
    const RelatedListSpec& spec() const { return m_spec; }
    Table& table() { return m_table; }
    // Called after each form the list ran, with its request and response; the form's
    // record is then in the list's buffer.
    void setFormListener(std::function<void(Request, Response)> l) { m_onForm = std::move(l); }

    std::optional<std::size_t> current() const { return m_current; }
    void setCurrent(std::size_t index);

    // The form commands; each returns the form's response (Cancelled when nothing
    // was highlighted). `request.text` carries the owner to the form, and
    // `request.number` the owner's number where it has one.
    Response insert(const std::string& owner = {}, std::int32_t number = 0);
    Response change(const std::string& owner = {}, std::int32_t number = 0);
    Response remove(const std::string& owner = {}, std::int32_t number = 0);

private:
    Response run(Request request, const std::string& owner, std::int32_t number);

    UiPort& m_ui;
    Table& m_table;
    RelatedListSpec m_spec;
    std::vector<ListRow> m_rows;
    std::optional<std::size_t> m_current;
    std::function<void(Request, Response)> m_onForm;
};

}  // namespace quay::core
