// QuoteSerialList (caption "Serial Numbers"): edits one order line's serial numbers,
// a working copy kept sorted on the number. Nothing reaches the stored serial numbers
// before the order is saved; cancelling leaves the line's numbers as they were.
#pragma once
#include <string_view>
#include <vector>

#include "quay/app/ui_port.h"
#include "quay/types/fixed_string.h"
#include "quay/ui/form_window.h"

namespace quay::desk {

class QuoteSerialList {
public:
    using Number = core::FixedString<20>;

    QuoteSerialList(core::UiPort& ui, std::vector<Number>& numbers);

    const std::vector<Number>& numbers() const { return m_numbers; }
    int selected() const { return m_selected; }
    void select(int row);

    // Adds the number SerialNumberForm completed; the new entry becomes selected.
    void insert(std::string_view number);
    // Replaces the selected entry; the same row stays selected.
    void change(std::string_view number);
    // Asks "Delete Serial Number" and removes the selected entry on OK; the row
    // before it becomes selected.
    void remove();
    void save() { m_response = core::Response::Completed; }
    void cancel() { m_response = core::Response::Cancelled; }
    core::Response response() const { return m_response; }

private:
    void sort();

    core::UiPort& m_ui;
    std::vector<Number>& m_numbers;
    int m_selected = -1;
    core::Response m_response = core::Response::Cancelled;
};

// SerialNumberForm ("Serial Number Form"): one serial number of the line on the
// form pattern, over a copy of it; "&Save" puts the copy back. Part# shows
// glo.PartNum.
class SerialNumberForm : public core::FormWindow {
public:
    static constexpr const char* kCaption = "Serial Number Form";
    struct Entry {
        QuoteSerialList::Number SERIALNUMBER;
        static const core::TableDesc& desc();
    };

    // REQUIRES: `number` outlives the form. An insert starts blank.
    SerialNumberForm(core::UiPort& ui, core::Request request, QuoteSerialList::Number& number);
    Entry& entry() { return m_entry; }

protected:
    bool primeInsert() override;
    void afterWrite() override { m_number = m_entry.SERIALNUMBER; }

private:
    QuoteSerialList::Number& m_number;
    Entry m_entry;
};

}  // namespace quay::desk
