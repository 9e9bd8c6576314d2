// SelectionWindow: the one view of every report's selection window, built from the
// window logic's spec (report_selection.h): the date fields with their calendar buttons
// (F2 opens the calendar too) and presets, the pick-list buttons with their check marks,
// the flags, the choices, and "P&rint" and "Cancel". It keeps its placement in
// tallvane.ini under the section named by its procedure ("CustBillSelect",
// "SalesBySpSelect", ...): Maximize, XPosit, YPosit, Width and Height, restored when it
// opens and saved when it closes. It holds no rule of its own: every command goes to the
// logic and the window shows the result.
#pragma once

#include <QDialog>
#include <QString>
#include <vector>

#include "quay/app/settings.h"
#include "quay/export.h"
#include "quay/reports/select/report_selection.h"

class QCheckBox;
class QGridLayout;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace quay::reports {

class QUAY_EXPORT SelectionWindow : public QDialog {
public:
    // Placement kept in the program's settings file. REQUIRES: logic outlives the window.
    explicit SelectionWindow(ReportSelection& logic, QWidget* parent = nullptr);
    // Placement kept in `settings`, which must outlive the window (tests, other set-ups).
    SelectionWindow(ReportSelection& logic, core::Settings& settings, QWidget* parent = nullptr);

    ReportSelection& logic() { return m_logic; }
    QLineEdit* beginDateEdit() const { return m_begin; }
    QLineEdit* endDateEdit() const { return m_end; }
    // The pick-list buttons in the order the selection lists them.
    const std::vector<QPushButton*>& pickButtons() const { return m_picks; }
    const std::vector<QCheckBox*>& flagBoxes() const { return m_flags; }
    QPushButton* printButton() const { return m_print; }

    // Shows the logic's state again: dates, check marks, flags and choices.
    void refresh();
    // "Cancel", Escape and the close box: the window closes through the logic.
    void reject() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void build();
    QLineEdit* addDateField(QGridLayout* grid, int row, const char* caption, ReportSelection::Field field);
    bool storeDate(QLineEdit* edit, ReportSelection::Field field);
    void followFocusRequest();
    void print();

    ReportSelection& m_logic;
    QLineEdit* m_begin = nullptr;
    QLineEdit* m_end = nullptr;
    std::vector<QPushButton*> m_picks;
    std::vector<QCheckBox*> m_flags;
    std::vector<std::vector<QRadioButton*>> m_choices;
    QPushButton* m_print = nullptr;
};

}  // namespace quay::reports
