// TipOfDayWindow ("Tip Of The Day"): one tip of the TipOfDay table at start-up,
// stepping through the tips in turn from one start of the program to the next.
//
// GLO:MODPosition is the tip to show next: showing a tip reads that one (position 0
// counts as 1; past the last tip it starts again at tip 1) and moves the position
// on by one. "Display Next Time" is GLO:MessageOfDay. "&Close" writes both to the
// settings file (section Defaults: TipOfDay "True"/"False", MODPosition), so the
// next start shows the following tip, or none.
//
// A data set without any tips (a new data directory) is given the house tips first.
// Not thread-safe: the window lives on the GUI thread.
#pragma once

#include <string>

#include "quay/app/settings.h"
#include "quay/app/table_access.h"
#include "quay/app/ui_port.h"
#include "quay/export.h"
#include "quay/store/database.h"
#include "quay/tables/tip_of_day.h"

namespace quay::util {

class QUAY_EXPORT TipOfDayWindow {
public:
    TipOfDayWindow(core::Database& db, core::UiPort& ui, core::Settings& settings);

    // Shows the first tip. False when there is none to show (the window ends).
    bool open();
    // "&Next >>>". False when no tip could be read (the window ends).
    bool next();
    // "&Close": writes the switch and the position.
    void close();

    const std::string& text() const { return m_text; }
    std::int32_t shownTip() const { return m_shown; }
    bool displayNextTime() const;
    void setDisplayNextTime(bool on);
    bool isClosed() const { return m_closed; }

private:
    bool show();
    bool read(std::int32_t id);

    core::UiPort& m_ui;
    core::Settings& m_settings;
    core::HeldTable<core::TipOfDay> m_tips;
    std::string m_text;
    std::int32_t m_shown = 0;
    bool m_closed = false;
};

// The program's own tips, in order.
QUAY_EXPORT const std::vector<std::string>& houseTips();
// Stores the house tips as tips 1, 2, ... when the TipOfDay table holds none. The
// table must be open in `tips`. Returns the store's code of a failed add (None when
// stored or when tips were there already); a failed add stores none of them.
QUAY_EXPORT core::ErrorCode storeHouseTips(core::Database& db, core::Table& tips);

}  // namespace quay::util
