// The quote and invoice lists' logic: the two tabs of each list with their keys, the
// locator that builds a number or a customer-name prefix from typed keys, and pages
// of rows read from the locator's position within the list's status.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "quay/app/ui_port.h"
#include "quay/app/use_counters.h"
#include "quay/store/database.h"
#include "quay/tables/orders.h"

namespace quay::desk {

enum class OrderListKind { Quotes, Invoices };
enum class OrderListTab { ByName, ByNumber };

// Typed keys to locator text: printable characters are added (up to 30), Backspace
// removes the last one, on the number tab only digits count.
class OrderLocator {
public:
    static constexpr std::size_t kMaxLength = 30;
    explicit OrderLocator(OrderListTab tab) : m_tab(tab) {}
    // A typed character; false when it changed nothing.
    bool type(char c);
    bool backspace();
    void clear() { m_text.clear(); }
    const std::string& text() const { return m_text; }
    OrderListTab tab() const { return m_tab; }
    void setTab(OrderListTab tab);

private:
    OrderListTab m_tab;
    std::string m_text;
};

class OrderList {
public:
    OrderList(core::Database& db, core::UiPort& ui, OrderListKind kind);

    static const char* caption(OrderListKind kind) { return kind == OrderListKind::Quotes ? "Quote List" : "Invoice List"; }
    static const char* loadingTitle(OrderListKind kind) { return kind == OrderListKind::Quotes ? "Quotations" : "Invoices"; }
    static const char* listName(OrderListKind kind) { return kind == OrderListKind::Quotes ? "QuoteList" : "InvoiceList"; }
    const char* status() const { return m_kind == OrderListKind::Quotes ? "Q" : "I"; }
    OrderListKind kind() const { return m_kind; }

    // Up to `count` orders of the list's status at or after the locator on `tab`.
    // A locator past the last order gives the last orders of the list instead, and
    // `pastEnd` (when given) says so, so the list can highlight the last one.
    std::vector<core::Orders> page(OrderListTab tab, const std::string& locator, std::size_t count,
                                   bool* pastEnd = nullptr);
    // The rows after `last` (a row of the previous page) on `tab`.
    std::vector<core::Orders> pageAfter(OrderListTab tab, const core::Orders& last, std::size_t count);

private:
    core::Database& m_db;
    core::UiPort& m_ui;
    OrderListKind m_kind;
    // The list reads Orders a page at a time; while it is open the table counts as held.
    core::UseHold m_holdsOrders{"Orders"};
};

}  // namespace quay::desk
