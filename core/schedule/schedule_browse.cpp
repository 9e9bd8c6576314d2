// Columns, tab and user filter of the schedule list.
#include "quay/schedule/schedule_browse.h"

#include "quay/tables/schedule.h"
#include "quay/types/picture.h"

namespace quay::core {

ListSpec scheduleBrowseSpec(const std::string& userId) {
    ListSpec s;
    s.procedure = "ScheduleBrowse";
    s.title = "Schedule List";
    s.formProcedure = "ScheduleForm";
    s.columns = {{"ID", 7, true},    {"Action", 40, false},         {"Alarm Date", 10, false},
                 {"Time", 8, false}, {"Completed Date", 10, false}, {"Time", 8, false}};
    s.detailLabels = {"Customer:", "Vendor:", "Product:"};
    s.format = rowCells<Schedule>([](const Schedule& e) {
        return std::vector<std::string>{std::to_string(e.SCHID),
                                        e.ACTION.str(),
                                        formatPicture("@d2b", e.ALARMDATE),
                                        formatPicture("@t7b", e.ALARMTIME),
                                        formatPicture("@d2b", e.COMPLETEDDATE),
                                        formatPicture("@t7b", e.COMPLETEDTIME),
                                        e.Customer.str(),
                                        e.VENDOR.str(),
                                        e.PRODUCT.str()};
    });
    s.tabs = {{"By &Date / Time", Schedule::ByUsrAlarmDtTm, -1}};
    s.filter = rowsWhere<Schedule>([userId](const Schedule& e) { return e.UserID.equalsNoCase(userId); });
    return s;
}

}  // namespace quay::core
