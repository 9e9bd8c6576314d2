// The frame's tick: the alarm count first, then the start-up stage, as the frame has
// always done them, so the third tick's reset also cancels any count made meanwhile.
#include "frame/frame_timer.h"

#include <string>

#include "quay/app/globals.h"
#include "quay/types/clock.h"
#include "quay/types/date.h"

namespace quay::desk {

FrameTimer::FrameTimer(core::UiPort& ui, core::AlarmQueue& queue, Actions actions)
    : m_ui(ui), m_queue(queue), m_actions(std::move(actions)) {}

void FrameTimer::tick() {
    ++m_ticks;
    if (m_ticks > kTicksPerCheck) {
        m_ticks = 0;
        checkAlarm();
    }
    switch (m_stage) {
    case Stage::NothingStarted:
        if (m_actions.loadAlarmQueue) m_actions.loadAlarmQueue();
        m_stage = Stage::AlarmListLoading;
        break;
    case Stage::AlarmListLoading:
        if (core::glo.MessageOfDay == 1 && m_actions.displayTipOfDay) m_actions.displayTipOfDay();
        m_stage = Stage::TipStarted;
        break;
    case Stage::TipStarted:
        m_ticks = 0;
        m_stage = Stage::Finished;
        break;
    case Stage::Finished: break;
    }
}

bool FrameTimer::isDue(const core::NextAlarm& next) const {
    const std::int32_t day = core::today();
    if (day == next.NextEventDay && core::now() >= next.NextEventTime) return true;
    return next.NextEventDay < day;
}

void FrameTimer::checkAlarm() {
    const core::NextAlarm next = core::glo.nextAlarm();
    if (next.AlarmActive == 0 || !isDue(next)) return;

    if (!m_queue.find(next.AlarmActive)) {
        m_ui.inform(core::glo.ProgramTitle.str(), "Error " + std::to_string(kEntryNotFound) + " reading Alarm Queue");
        if (m_actions.loadAlarmQueue) m_actions.loadAlarmQueue();
        return;
    }
    m_queue.markDone(next.AlarmActive);
    core::glo.CurrentAlarmID = next.AlarmActive;
    if (m_actions.alarmWindow) m_actions.alarmWindow();

    core::glo.setNextAlarm(core::NextAlarm{});
    if (m_queue.count() > 0) core::glo.setNextAlarm(m_queue.nextPending());
}

}  // namespace quay::desk
