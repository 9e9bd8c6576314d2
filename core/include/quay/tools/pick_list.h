// PickList: the logic of the report pick windows PICKCUSTOMERS, PICKPRODUCTS,
// PICKVENDORS, PICKSALESMEN, PICKGROUPS and PICKMANUFACTURERS. The window shows its
// shared list (pick_queues.h): entries left by an earlier OK come back with their
// marks; an empty list is filled from the table in key order, 25 records per timer
// tick, with a progress bar that is redrawn only when the whole percentage changes
// and hidden when the table ends.
//
// Selection: a plain click marks one entry and clears the others; Shift marks
// every entry from the anchor to the clicked one and clears the rest; Ctrl toggles
// one entry. "&Ok" closes with GlobalResponse 1 and the marks kept; "Cancel"
// empties the list and closes with 2, so the next opening reads the table again.
// The products and salespeople windows have a locator.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "quay/app/ui_port.h"
#include "quay/export.h"
#include "quay/store/table.h"
#include "quay/tools/pick_queues.h"

namespace quay::core {

struct PickSpec {
    std::string procedure;              // "PICKPRODUCTS"
    std::string title;                  // "Pick Products"
    std::vector<std::string> headings;  // "Part#", "Description"
    const TableDesc* table = nullptr;   // the table the list is filled from
    KeyId key{0};                       // in the order of
    bool hasLocator = false;
    PickSource* source = nullptr;  // the shared list
};

// The six pick windows, by procedure name; null for another name.
QUAY_EXPORT const PickSpec* pickSpec(std::string_view procedure);
QUAY_EXPORT const std::vector<PickSpec>& pickSpecs();

enum class PickClick { Plain, Shift, Ctrl };

class QUAY_EXPORT PickList {
public:
    static constexpr int kRecordsPerTick = 25;

    // REQUIRES: `table` is open on spec.table and outlives the list; spec.source set.
    PickList(UiPort& ui, Table& table, const PickSpec& spec);

    const PickSpec& spec() const { return m_spec; }

    // Shows the earlier entries, or starts filling the list.
    void open();
    bool isLoading() const { return m_loading; }
    // One timer tick: up to 25 more records. Returns true while more are to come.
    bool tick();
    // The progress bar: its whole percentage, whether it shows, and whether it must
    // be redrawn since the last call.
    int progress() const { return m_progress; }
    bool progressVisible() const { return m_loading; }
    bool takeProgressChanged();

    std::size_t size() const { return m_spec.source->size(); }
    std::vector<std::string> cells(std::size_t i) const { return m_spec.source->cells(i); }
    bool marked(std::size_t i) const { return m_spec.source->marked(i); }
    std::optional<std::size_t> current() const { return m_current; }

    void click(std::size_t index, PickClick how);
    // Accepting the locator: highlights the first entry whose key, compared over the
    // typed length without regard to case, is at or after the text. Marks stay.
    void locate(std::string_view text);

    // "&Ok": reads the rest of the table when still filling, so the list kept is
    // whole; returns the number of marked entries; GlobalResponse 1.
    std::size_t ok();
    // "Cancel": empties the list; GlobalResponse 2.
    void cancel();
    bool isClosed() const { return m_closed; }
    Response response() const { return m_response; }

private:
    UiPort& m_ui;
    Table& m_table;
    PickSpec m_spec;
    bool m_loading = false;
    std::int64_t m_records = 0;
    std::size_t m_read = 0;
    int m_progress = 0;
    bool m_progressChanged = false;
    std::optional<std::size_t> m_current;
    std::size_t m_anchor = 0;
    bool m_closed = false;
    Response m_response = Response::None;
};

// The pick procedures: run their window through the UI port and answer its response.
QUAY_EXPORT Response PICKCUSTOMERS(UiPort& ui);
QUAY_EXPORT Response PICKPRODUCTS(UiPort& ui);
QUAY_EXPORT Response PICKVENDORS(UiPort& ui);
QUAY_EXPORT Response PICKSALESMEN(UiPort& ui);
QUAY_EXPORT Response PICKGROUPS(UiPort& ui);
QUAY_EXPORT Response PICKMANUFACTURERS(UiPort& ui);

}  // namespace quay::core
