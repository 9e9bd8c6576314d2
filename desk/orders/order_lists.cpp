// Positioning is a keyset seek on the tab's key (status first, then the number or
// the name), so opening a list and positioning it by a typed number reads only the
// rows shown, however many orders are stored.
#include "orders/order_lists.h"

#include <cctype>
#include <cstdlib>

#include "quay/app/table_access.h"

namespace quay::desk {

using core::ErrorCode;

bool OrderLocator::type(char c) {
    if (m_text.size() >= kMaxLength) return false;
    if (m_tab == OrderListTab::ByNumber) {
        if (!std::isdigit(static_cast<unsigned char>(c))) return false;
    } else if (!std::isprint(static_cast<unsigned char>(c))) {
        return false;
    }
    m_text.push_back(c);
    return true;
}

bool OrderLocator::backspace() {
    if (m_text.empty()) return false;
    m_text.pop_back();
    return true;
}

void OrderLocator::setTab(OrderListTab tab) {
    if (tab != m_tab) m_text.clear();
    m_tab = tab;
}

OrderList::OrderList(core::Database& db, core::UiPort& ui, OrderListKind kind) : m_db(db), m_ui(ui), m_kind(kind) {}

std::vector<core::Orders> OrderList::page(OrderListTab tab, const std::string& locator, std::size_t count,
                                          bool* pastEnd) {
    if (pastEnd != nullptr) *pastEnd = false;
    core::Orders start;
    start.Status = status();
    if (tab == OrderListTab::ByName) {
        start.CustName = locator;
    } else {
        // Beyond the range of an order number the locator positions after every order.
        const long long n = locator.empty() ? 0 : std::strtoll(locator.substr(0, 18).c_str(), nullptr, 10);
        const std::int32_t v = n > 2147483647LL ? 2147483647 : static_cast<std::int32_t>(n);
        if (m_kind == OrderListKind::Quotes)
            start.OrdNum = v;
        else
            start.InvoiceNum = v;
    }
    core::HeldTable<core::Orders> ord(m_db, m_ui);
    if (!ord.isOpen()) return {};
    ord.handle.rec = start;
    const core::KeyId key = tab == OrderListTab::ByName ? core::Orders::byStatCustName
                            : m_kind == OrderListKind::Quotes ? core::Orders::byStatOrdNum
                                                              : core::Orders::byStatInvNum;
    std::vector<core::Orders> rows;
    ord.handle.send("QUICKSCAN=on");
    ord.handle.setAtKey(key);
    while (rows.size() < count && ord.handle.next() == ErrorCode::None) {
        if (ord.handle.rec.Status.view() != status()) break;
        rows.push_back(ord.handle.rec);
    }
    if (rows.empty() && !locator.empty()) {
        // Typed past the last order: the list shows its last orders rather than
        // nothing, read backwards from the locator's place.
        ord.handle.rec = start;
        ord.handle.setAtKey(key);
        while (rows.size() < count && ord.handle.previous() == ErrorCode::None) {
            if (ord.handle.rec.Status.view() != status()) break;
            rows.insert(rows.begin(), ord.handle.rec);
        }
        if (pastEnd != nullptr) *pastEnd = !rows.empty();
    }
    ord.handle.send("QUICKSCAN=off");
    return rows;
}

std::vector<core::Orders> OrderList::pageAfter(OrderListTab tab, const core::Orders& last, std::size_t count) {
    core::HeldTable<core::Orders> ord(m_db, m_ui);
    if (!ord.isOpen()) return {};
    const core::KeyId key = tab == OrderListTab::ByName ? core::Orders::byStatCustName
                            : m_kind == OrderListKind::Quotes ? core::Orders::byStatOrdNum
                                                              : core::Orders::byStatInvNum;
    // The last row is found again by its identity, and the key order goes on right
    // after it, however many orders share its customer name.
    ord.handle.rec.OrdNum = last.OrdNum;
    if (ord.handle.get(core::Orders::byOrdNum) != ErrorCode::None) return {};
    const std::string at = ord.handle.position();
    if (ord.handle.set(key) != ErrorCode::None || ord.handle.reget(at) != ErrorCode::None) return {};
    std::vector<core::Orders> rows;
    ord.handle.send("QUICKSCAN=on");
    while (rows.size() < count && ord.handle.next() == ErrorCode::None) {
        if (ord.handle.rec.Status.view() != status()) break;
        rows.push_back(ord.handle.rec);
    }
    ord.handle.send("QUICKSCAN=off");
    return rows;
}

}  // namespace quay::desk
