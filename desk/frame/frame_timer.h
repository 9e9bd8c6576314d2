// FrameTimer: the work of the frame's timer. Every tick counts; each time the count
// passes 40 it goes back to 0 and the alarm check runs, so an alarm is looked at every
// 41 ticks. Independently, the first three ticks after the frame opens run the
// start-up stages:
//
//   NothingStarted --tick--> AlarmListLoading   (the alarm list loader is started)
//   AlarmListLoading --tick--> TipStarted       (the tip of the day, when switched on)
//   TipStarted --tick--> Finished               (the tick count starts again at 0)
//
// The alarm check: with an alarm pending (GLO:AlarmActive) that is due (today is
// its day and the clock at or past its time, or its day has passed), its entry is
// marked shown, GLO:CurrentAlarmID is set and the alarm window started; then the
// earliest entry not yet shown becomes the pending alarm. An entry missing from the
// list is reported ("Error 30 reading Alarm Queue") and the list is loaded again.
//
// No Qt here: the frame calls tick() from its QTimer and supplies the procedures.
#pragma once

#include <functional>

#include "quay/app/alarm_queue.h"
#include "quay/app/ui_port.h"

namespace quay::desk {

class FrameTimer {
public:
    enum class Stage { NothingStarted, AlarmListLoading, TipStarted, Finished };

    // The work the ticks start. Each may be empty.
    struct Actions {
        std::function<void()> loadAlarmQueue;   // LOADALARMQUEUE
        std::function<void()> displayTipOfDay;  // DISPLAYTIPOFDAY
        std::function<void()> alarmWindow;      // ALARMWINDOW, for GLO:CurrentAlarmID
    };

    // The ticks between alarm checks: the count is reset when it passes this.
    static constexpr int kTicksPerCheck = 40;
    // Error number shown when the pending alarm is not in the list (entry not found).
    static constexpr int kEntryNotFound = 30;

    FrameTimer(core::UiPort& ui, core::AlarmQueue& queue, Actions actions);

    void tick();
    // The alarm check on its own (also run by tick()).
    void checkAlarm();

    int tickCount() const { return m_ticks; }
    Stage stage() const { return m_stage; }

private:
    bool isDue(const core::NextAlarm& next) const;

    core::UiPort& m_ui;
    core::AlarmQueue& m_queue;
    Actions m_actions;
    int m_ticks = 0;
    Stage m_stage = Stage::NothingStarted;
};

}  // namespace quay::desk
