// OrderListView: the quote list ("Quote List") and the invoice list ("Invoice List").
// Two tabs with their keys, a locator fed by typed keys, pages of rows read from the
// locator's position, and the list's commands, which open the order form, the
// closed-invoice window, the copy window and the search by serial number.
#pragma once
#include <vector>

#include <QWidget>

#include "orders/order_lists.h"

class QLabel;
class QTabBar;
class QTableWidget;

namespace quay::desk {

class OrderListView : public QWidget {
public:
    OrderListView(core::Database& db, core::UiPort& ui, OrderListKind kind, QWidget* parent = nullptr);

    void reload();
    // Reads the rows again from the locator's position, keeping the highlighted
    // order when it is still in the list.
    void refresh();
    OrderLocator& locator() { return m_locator; }
    const std::vector<core::Orders>& rows() const { return m_rows; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    const core::Orders* current() const;
    void insert();
    void change(core::Request request);
    void copy();
    void findBySerial();
    void more();

    core::Database& m_db;
    core::UiPort& m_ui;
    OrderList m_list;
    OrderLocator m_locator{OrderListTab::ByName};
    std::vector<core::Orders> m_rows;
    QTabBar* m_tabs = nullptr;
    QTableWidget* m_table = nullptr;
    QLabel* m_locatorLabel = nullptr;
    bool m_watchesArea = false;
};

}  // namespace quay::desk
