// ScheduleForm ("Schedule Form"): one schedule entry of the user, what is to be done
// (Action, Comments), about whom (Customer, Vendor, Part#, each checked against its
// list and picked with "..."), and when to be reminded (Alarm Date with the calendar
// "Select Alarm Date" on F2, and Time). "Completed" closes the entry.
//
// SCHEDULEFORM is called with the entry's SCH:SCHID (0 to insert) and the request:
//   change or delete without an id: "Invalid event passed" and the form ends cancelled;
//   delete: "Delete Event" asks, then the entry goes without any window being shown;
//   insert: a new entry for GLO:UserID entered now; OK numbers it (highest + 1, four
//           attempts) and adds it;
//   change: OK writes it when something differs.
// At OK a completed entry gets its completion moment (when it has none yet) and
// loses its alarm; an open one loses any completion moment, and an alarm before now
// is refused ("Alarm can not be in the past"). After a save the alarm list is told
// (UPDATESCHEDULEQUEUE) and the form ends completed with the entry current in the
// caller's handle.
#pragma once

#include <optional>

#include "quay/app/table_access.h"
#include "quay/export.h"
#include "quay/ui/form_window.h"
#include "quay/tables/customer.h"
#include "quay/tables/products.h"
#include "quay/tables/schedule.h"
#include "quay/tables/vendors.h"
#include "quay/ui/field_lookup.h"

namespace quay::core {

class QUAY_EXPORT ScheduleForm : public FormWindow {
public:
    static constexpr int kAddAttempts = 4;

    // REQUIRES: `schedule` is a Schedule handle open on `db`; for a change it holds
    // the entry (answerWithoutWindow() reads it).
    ScheduleForm(Database& db, UiPort& ui, Table& schedule, const WindowRequest& request);
    ~ScheduleForm() override;

    // What SCHEDULEFORM settles before any window opens: a missing id, a delete, an
    // entry to change that cannot be read. nullopt: the form is to be shown, and for
    // a change the entry is then current in `schedule`. The id is request.number, or
    // when that is 0 the SCH:SCHID of the record in `schedule`'s buffer.
    static std::optional<WindowResponse> answerWithoutWindow(UiPort& ui, Table& schedule, const WindowRequest& request);

    Schedule& rec() { return *static_cast<Schedule*>(table().buffer()); }

    bool accept(int field) override;
    bool lookup(int field) override;

    static int field(const char* name);

protected:
    bool mayOpen() override;
    bool primeInsert() override;
    bool checkBeforeSave() override;
    std::optional<Response> writeRecord() override;
    int firstField() const override;

private:
    void buildLayout();
    std::optional<FieldLookup> lookupFor(int field);
    std::optional<Response> insertEntry();
    std::optional<Response> changeEntry();

    std::string m_customerText;  // the customer an insert starts with (request text)
    HeldTable<Customer> m_customers;
    HeldTable<Vendors> m_vendors;
    HeldTable<Products> m_products;
};

}  // namespace quay::core
