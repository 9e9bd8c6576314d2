// Serial numbers are not checked for uniqueness, blanks or the line's quantity: the
// business records what is on the units it ships.
#include "serials/quote_serial_list.h"

#include <algorithm>
#include <cstddef>

namespace quay::desk {

using core::Button;

QuoteSerialList::QuoteSerialList(core::UiPort& ui, std::vector<Number>& numbers) : m_ui(ui), m_numbers(numbers) {
    sort();
    m_selected = m_numbers.empty() ? -1 : 0;
}

void QuoteSerialList::select(int row) {
    m_selected = (row >= 0 && row < static_cast<int>(m_numbers.size())) ? row : -1;
}

void QuoteSerialList::sort() { std::stable_sort(m_numbers.begin(), m_numbers.end()); }

void QuoteSerialList::insert(std::string_view number) {
    const Number n(number);
    m_numbers.push_back(n);
    sort();
    const auto it = std::find(m_numbers.begin(), m_numbers.end(), n);
    m_selected = static_cast<int>(it - m_numbers.begin());
}

void QuoteSerialList::change(std::string_view number) {
    if (m_selected < 0) return;
    m_numbers[static_cast<std::size_t>(m_selected)] = Number(number);
    sort();
}

void QuoteSerialList::remove() {
    if (m_numbers.empty() || m_selected < 0) return;
    if (m_ui.message("Delete Serial Number", "Delete Highlighted Serial Number?", core::Icon::Question,
                     Button::Ok | Button::Cancel, Button::Cancel) != Button::Ok)
        return;
    m_numbers.erase(m_numbers.begin() + m_selected);
    m_selected = m_numbers.empty() ? -1 : std::max(0, m_selected - 1);
}

const core::TableDesc& SerialNumberForm::Entry::desc() {
    static const core::TableDesc kDesc = [] {
        core::TableDesc d;
        d.name = "SERQ1";
        d.prefix = "SERQ1";
        d.recordSize = sizeof(Entry);
        d.fields = {{"SERIALNUMBER", core::FieldType::String, offsetof(Entry, SERIALNUMBER), 20, 0}};
        return d;
    }();
    return kDesc;
}

SerialNumberForm::SerialNumberForm(core::UiPort& ui, core::Request request, QuoteSerialList::Number& number)
    : FormWindow(
          ui, Entry::desc(), &m_entry,
          [] {
              core::FormSpec s;
              s.procedure = "SerialNumberForm";
              s.title = kCaption;
              return s;
          }(),
          core::WindowRequest{request, nullptr, 0, {}}),
      m_number(number) {
    m_entry.SERIALNUMBER = number;
}

bool SerialNumberForm::primeInsert() {
    m_entry.SERIALNUMBER = QuoteSerialList::Number();
    return true;
}

}  // namespace quay::desk
