// The views of the small tools: the calendar (DATESELECT), the report pick lists
// (PICKCUSTOMERS ... PICKMANUFACTURERS) and the desktop launcher behind SENDEMAIL
// and OPENURL, and registerFrameworkWindows(), which enters these windows and the
// company defaults window in the window registry.
#pragma once

#include <cstdint>
#include <memory>

#include <QDialog>

#include "quay/export.h"
#include "quay/tools/date_select.h"
#include "quay/tools/mail_launch.h"
#include "quay/tools/pick_list.h"

class QLabel;
class QProgressBar;
class QPushButton;
class QTableWidget;
class QLineEdit;
class QTimer;

namespace quay::core {

class WindowRegistry;

class QUAY_EXPORT DateSelectView : public QDialog {
    Q_OBJECT
public:
    explicit DateSelectView(std::int32_t date, QWidget* parent = nullptr);
    // The date chosen, or the date passed in when cancelled.
    std::int32_t chosen() const { return m_chosen; }
    DateSelect& calendar() { return m_calendar; }
    void refresh();

private:
    DateSelect m_calendar;
    std::int32_t m_chosen;
    QLabel* m_month = nullptr;
    QLabel* m_year = nullptr;
    QPushButton* m_days[DateSelect::kCells] = {};
};

class QUAY_EXPORT PickListView : public QDialog {
    Q_OBJECT
public:
    // REQUIRES: `list` outlives the view.
    explicit PickListView(PickList& list, QWidget* parent = nullptr);
    PickList& list() { return m_list; }
    QTableWidget* table() const { return m_table; }
    // One timer tick (the timer calls it; tests call it directly).
    void tick();
    // Draws the marks again (after the list was changed outside the view).
    void refreshMarks();

private:
    void rebuild();
    void showMarks();

    PickList& m_list;
    QTableWidget* m_table = nullptr;
    QProgressBar* m_progress = nullptr;
    QLineEdit* m_locator = nullptr;
    QTimer* m_timer = nullptr;
    int m_shown = 0;
};

// Opens targets with the desktop's default program (QDesktopServices). Web
// addresses without a scheme are taken as http; only mail and web schemes are
// opened, so an address field can never start a program or open a local file.
class QUAY_EXPORT DesktopLauncher : public Launcher {
public:
    void open(const std::string& target) override;
    // What would be opened for `target`: empty when it is refused.
    static std::string resolve(const std::string& target);
};

// Registers DefaultsForm, DATESELECT and the six pick windows, and makes the
// desktop launcher the program's launcher.
QUAY_EXPORT void registerFrameworkWindows(WindowRegistry& registry);

}  // namespace quay::core
