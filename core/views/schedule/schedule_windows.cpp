// Factories of the schedule's windows.
#include "quay/views/schedule/schedule_windows.h"

#include <memory>

#include "../masterlists/master_window_support.h"
#include "alarm_load_view.h"
#include "quay/app/globals.h"
#include "quay/schedule/schedule_browse.h"
#include "quay/schedule/schedule_form.h"
#include "quay/store/database.h"
#include "quay/tables/schedule.h"
#include "quay/views/list_view.h"
#include "quay/views/masterlists/master_form_view.h"

namespace quay::core {

void registerScheduleWindows(WindowRegistry& registry) {
    auto list = [](WindowContext& c, const WindowRequest& r) {
        return openListWindow<Schedule>(c, r, scheduleBrowseSpec(glo.UserID.str()));
    };
    registry.add("ScheduleBrowse", list);
    registry.add("SCHEDULEBROWSE", list);

    auto form = [](WindowContext& c, const WindowRequest& r) {
        std::unique_ptr<detail::OwnTable> own;
        Table* t = detail::formTable(c, r, Schedule::desc(), own);
        if (t == nullptr) return WindowResponse{};
        WindowRequest request = r;
        // SCHEDULEFORM takes its request from GlobalRequest when the caller left none.
        if (request.request == Request::None) request.request = glo.GlobalRequest;
        if (auto answered = ScheduleForm::answerWithoutWindow(c.ui, *t, request)) return *answered;
        ScheduleForm f(*c.database, c.ui, *t, request);
        return runMasterForm(c, f);
    };
    registry.add("ScheduleForm", form);
    registry.add("SCHEDULEFORM", form);

    auto loader = [](WindowContext& c, const WindowRequest&) {
        if (c.database == nullptr) return WindowResponse{};
        auto* view = new AlarmLoadView(c.ui, c.database->directory(), glo.UserID.str(), c.parent);
        view->start();
        return WindowResponse{Response::Completed, 0, {}};
    };
    registry.add("LoadAlarmQueue", loader);
    registry.add("LOADALARMQUEUE", loader);
}

}  // namespace quay::core
