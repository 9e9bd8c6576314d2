// ListView: the widget of every list window, over a ListWindow. Tabs above the
// list choose the key order, the "Active" box and the locator sit above it, the
// buttons below ("&Select" only when choosing a record, "&Insert", "&Change" or
// "&View", "&Delete", the list's own commands, "Close"). The window opens with the
// focus on the list. Keys in the list: Insert inserts, Delete deletes, Enter changes
// (picks when choosing), double-click likewise; Ctrl+Home and Ctrl+End go to the
// first and last record; the list's function keys (F4) run their commands when
// pressed alone, Ctrl+F4 closes the window; typed characters build the locator
// (Backspace takes one back) while the focus stays on the list, and Enter in the
// locator opens (or picks) the record it found.
//
// The window is as wide as its columns, which are as wide as what they show (their
// heading, the rows first read), within the room the frame or the screen gives.
//
// openListWindow() is what a list's factory calls: it opens the table through the
// open routine, builds the logic and the view, and shows it as a child window of
// the frame or, for Request::Select, as a modal dialog answering the pick.
#pragma once

#include <functional>
#include <memory>

#include <QWidget>

#include "quay/export.h"
#include "quay/ui/list_window.h"
#include "quay/views/window_registry.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabBar;
class QTableView;

namespace quay::core {

class ListModel;

class QUAY_EXPORT ListView : public QWidget {
    Q_OBJECT
public:
    // REQUIRES: `window` outlives the view (keep() hands the view its owner).
    explicit ListView(ListWindow& window, QWidget* parent = nullptr);
    ~ListView() override;

    // Keeps `owner` (the logic and its tables) alive as long as the view.
    void keep(std::shared_ptr<void> owner) { m_owner = std::move(owner); }

    ListWindow& window() { return m_window; }
    QTableView* table() const { return m_table; }
    ListModel* model() const { return m_model; }
    QLineEdit* locator() const { return m_locator; }
    // Reads the rows again around the highlighted record (also done whenever the
    // list's child window comes back to the front).
    void refresh();
    // As wide as the columns, as high as a page of rows (before any room is applied).
    QSize sizeHint() const override;
    // Sizes the columns to their heading and what the rows read so far show.
    void fitColumns();

signals:
    // The window closed itself (Close, or a pick in select mode).
    void finished();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void build();
    void showCurrent(int row);
    void showLocator();
    void syncCurrent();
    void showDetail(int row);  // the highlighted record's detail texts
    void command(const std::function<void()>& what);
    void onScroll(int value);

    ListWindow& m_window;
    std::shared_ptr<void> m_owner;
    ListModel* m_model = nullptr;
    QTabBar* m_tabs = nullptr;
    QTableView* m_table = nullptr;
    QCheckBox* m_active = nullptr;
    QLineEdit* m_locator = nullptr;
    QLabel* m_detail = nullptr;
    QPushButton* m_select = nullptr;
    bool m_fetchingBefore = false;
    bool m_finished = false;
};

// Opens a list window over `table` (held open by `tables`, which the view keeps).
// Select requests run modally and answer Completed with the picked record copied
// into request.table's buffer when that is a handle on the same table, and its
// position in the response's text. A list whose first read failed is not shown
// (the user was told) and answers Cancelled.
QUAY_EXPORT WindowResponse openListWindow(WindowContext& context, const WindowRequest& request,
                                          std::shared_ptr<void> tables, Table& table, ListSpec spec);

// The same, opening the table itself through the open routine.
template <class R>
WindowResponse openListWindow(WindowContext& context, const WindowRequest& request, ListSpec spec);

}  // namespace quay::core

#include "quay/app/table_access.h"

template <class R>
quay::core::WindowResponse quay::core::openListWindow(WindowContext& context, const WindowRequest& request,
                                                      ListSpec spec) {
    if (context.database == nullptr) return WindowResponse{};
    auto held = std::make_shared<HeldTable<R>>(*context.database, context.ui);
    if (!held->isOpen()) return WindowResponse{};
    Table& table = held->handle;
    return openListWindow(context, request, held, table, std::move(spec));
}
