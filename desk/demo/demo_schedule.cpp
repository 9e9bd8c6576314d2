// The demo schedule entries.
#include "demo/demo_schedule.h"

#include "demo/demo_catalogue.h"
#include "quay/types/clock.h"
#include "quay/types/date.h"

namespace quay::desk::detail {

namespace {
struct DemoEntry {
    const char* action;
    const char* comments;
    int customer;  // index into the demo customers, -1 for none
    int vendor;    // index into the demo vendors, -1 for none
    int product;   // index into the demo products, -1 for none
    int minutes;   // alarm this many minutes from now; 0 for no alarm
    bool completed;
};

const DemoEntry kEntries[] = {
    {"Call back about the spring haul-out order", "Wants the bottom paint and zincs on one invoice.", 0, -1, -1, 1,
     false},
    {"Confirm delivery date of the varnish order", "Back-ordered last week; ask for a firm date.", -1, 0, 0, 3, false},
    {"Send the winter price list", "", 1, -1, -1, 60 * 24, false},
    {"Count the mooring line on the shelf", "The last count and the books disagreed.", -1, -1, 1, 60 * 24 * 3, false},
    {"Ask about the new line of deck hardware", "No hurry; next time they call.", 2, -1, -1, 0, false},
    {"Return the damaged bilge pump", "Credit note received.", -1, 1, 2, 0, true},
};
}  // namespace

int addDemoSchedule(core::Handle<core::Schedule>& schedule, const std::string& userId) {
    const std::int32_t day = core::today();
    const std::int32_t time = core::now();
    std::int32_t id = 0;
    for (const DemoEntry& e : kEntries) {
        schedule.clear();
        core::Schedule& r = schedule.rec;
        r.SCHID = ++id;
        r.UserID = userId;
        r.ACTION = e.action;
        r.Comments = e.comments;
        if (e.customer >= 0) r.Customer = demoCustomers()[static_cast<std::size_t>(e.customer)].name;
        if (e.vendor >= 0) r.VENDOR = demoVendors()[static_cast<std::size_t>(e.vendor)].name;
        if (e.product >= 0) r.PRODUCT = demoProducts()[static_cast<std::size_t>(e.product)].partNum;
        const auto entered = core::addToDateTime(day, time, -2LL * core::kHundredthsPerDay);
        r.ENTEREDDATE = entered ? entered->date : day;
        r.ENTEREDTIME = entered ? entered->time : time;
        if (e.completed) {
            r.Completed = 1;
            r.COMPLETEDDATE = r.ENTEREDDATE + 1;
            r.COMPLETEDTIME = r.ENTEREDTIME;
        } else if (e.minutes > 0) {
            const auto alarm =
                core::addToDateTime(day, time, static_cast<std::int64_t>(e.minutes) * core::kHundredthsPerMinute);
            if (alarm) {
                r.ALARMDATE = alarm->date;
                r.ALARMTIME = alarm->time;
            }
        }
        if (schedule.add() != core::ErrorCode::None) return -1;
    }
    return id;
}

}  // namespace quay::desk::detail
