// The tip of the day's logic.
#include "quay/util/tip_of_day.h"

#include "quay/app/globals.h"

namespace quay::util {

using core::ErrorCode;
using core::glo;

TipOfDayWindow::TipOfDayWindow(core::Database& db, core::UiPort& ui, core::Settings& settings)
    : m_ui(ui), m_settings(settings), m_tips(db, ui) {
    if (m_tips.isOpen()) storeHouseTips(db, m_tips.handle);
}

bool TipOfDayWindow::open() {
    if (!m_tips.isOpen()) {
        m_closed = true;
        return false;
    }
    return show();
}

bool TipOfDayWindow::next() {
    if (m_closed) return false;
    return show();
}

bool TipOfDayWindow::read(std::int32_t id) {
    m_tips.handle.clear();
    m_tips.rec().TIPID = id;
    if (m_tips.handle.get(core::TipOfDay::ByTipID) != ErrorCode::None) return false;
    m_text = m_tips.rec().Comment.str();
    m_shown = id;
    return true;
}

bool TipOfDayWindow::show() {
    if (glo.MODPosition <= 0) glo.MODPosition = 1;
    if (!read(glo.MODPosition)) {
        // Past the last tip: round again from the first.
        if (!read(1)) {
            m_closed = true;
            return false;
        }
        glo.MODPosition = 1;
    }
    ++glo.MODPosition;
    glo.MODDone = 1;
    return true;
}

bool TipOfDayWindow::displayNextTime() const { return glo.MessageOfDay == 1; }

void TipOfDayWindow::setDisplayNextTime(bool on) { glo.MessageOfDay = on ? 1 : 0; }

void TipOfDayWindow::close() {
    m_closed = true;
    const bool ok = m_settings.write("Defaults", "TipOfDay", glo.MessageOfDay == 1 ? "True" : "False") ==
                        core::SettingsStatus::Ok &&
                    m_settings.writeNumber("Defaults", "MODPosition", glo.MODPosition) == core::SettingsStatus::Ok;
    if (!ok)
        m_ui.message("Tip Of The Day",
                     "The tip of the day settings could not be written to " + m_settings.path().string() + ": " +
                         m_settings.lastErrorText(),
                     core::Icon::Warning, core::Button::Ok, core::Button::Ok);
}

}  // namespace quay::util
