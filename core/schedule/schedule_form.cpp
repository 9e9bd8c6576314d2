// The schedule form. Its saves are its own rather than the master pattern's: an
// entry is numbered when it is added at OK (a number taken at open would be lost by
// a crash or a cancel), an add is tried four times before it is given up, and the
// messages name the event.
#include "quay/schedule/schedule_form.h"

#include <string>

#include "quay/app/globals.h"
#include "quay/schedule/schedule_queue.h"
#include "quay/types/clock.h"
#include "quay/types/date.h"

namespace quay::core {
namespace {

FormSpec scheduleSpec() {
    FormSpec s;
    s.procedure = "ScheduleForm";
    s.title = "Schedule Form";
    return s;
}

std::string codeText(ErrorCode ec) { return std::to_string(static_cast<int>(ec)); }

std::int32_t requestedId(Table& schedule, const WindowRequest& request) {
    if (request.number != 0) return request.number;
    return static_cast<const Schedule*>(schedule.buffer())->SCHID;
}

}  // namespace

int ScheduleForm::field(const char* name) { return Schedule::desc().fieldIndex(name); }

ScheduleForm::ScheduleForm(Database& db, UiPort& ui, Table& schedule, const WindowRequest& request)
    : FormWindow(db, ui, schedule, scheduleSpec(), request),
      m_customerText(request.text),
      m_customers(db, ui),
      m_vendors(db, ui),
      m_products(db, ui) {
    buildLayout();
}

ScheduleForm::~ScheduleForm() = default;

std::optional<WindowResponse> ScheduleForm::answerWithoutWindow(UiPort& ui, Table& schedule,
                                                                const WindowRequest& request) {
    const auto cancelled = [] {
        glo.GlobalResponse = Response::Cancelled;
        return WindowResponse{Response::Cancelled, 0, {}};
    };
    if (request.request == Request::Insert) return std::nullopt;
    if (request.request != Request::Change && request.request != Request::Delete) return cancelled();
    const std::int32_t id = requestedId(schedule, request);
    if (id == 0) {
        ui.message("ERROR", "Invalid event passed", Icon::Error, Button::Ok, Button::Ok);
        return cancelled();
    }
    auto& rec = *static_cast<Schedule*>(schedule.buffer());
    if (request.request == Request::Delete &&
        ui.message("Delete Event", "Are you sure you want to delete the highlighted event?", Icon::Question,
                   Button::Yes | Button::No, Button::No) != Button::Yes)
        return cancelled();

    // The entry is read afresh: another station may have changed or deleted it.
    schedule.clear();
    rec.SCHID = id;
    if (const ErrorCode ec = schedule.get(Schedule::bySchID); ec != ErrorCode::None) {
        ui.message("ERROR", "Error " + codeText(ec) + " getting schedule record.", Icon::Error, Button::Ok, Button::Ok);
        return cancelled();
    }
    if (request.request == Request::Change) return std::nullopt;

    if (const ErrorCode ec = schedule.erase(); ec != ErrorCode::None) {
        ui.message("ERROR", "Error " + codeText(ec) + " deleting schedule record.", Icon::Error, Button::Ok,
                   Button::Ok);
        return cancelled();
    }
    UPDATESCHEDULEQUEUE(id, ScheduleChange::Deleted, rec);
    glo.GlobalResponse = Response::Completed;
    return WindowResponse{Response::Completed, id, {}};
}

void ScheduleForm::buildLayout() {
    FormLayout& l = mutableLayout();
    auto display = [](const char* label, const char* name, const char* picture, bool beside = false) {
        FormField f = formField(label, field(name), FieldKind::Display, picture);
        f.besideLast = beside;
        return f;
    };
    l.fields.push_back(display("Entered:", "ENTEREDDATE", "@d2b"));
    l.fields.push_back(display("", "ENTEREDTIME", "@t7b", true));
    l.fields.push_back(display("User:", "UserID", ""));
    l.fields.push_back(formField("Customer:", field("Customer"), FieldKind::Lookup));
    l.fields.push_back(formField("Vendor:", field("VENDOR"), FieldKind::Lookup));
    l.fields.push_back(formField("Part#:", field("PRODUCT"), FieldKind::Lookup));
    l.fields.push_back(formField("Action:", field("ACTION")));
    l.fields.push_back(formField("Comments:", field("Comments"), FieldKind::Memo));
    l.fields.push_back(formField("Alarm Date:", field("ALARMDATE"), FieldKind::Entry, "@d2b"));
    FormField time = formField("Time:", field("ALARMTIME"), FieldKind::Entry, "@t7b");
    time.besideLast = true;
    l.fields.push_back(time);
    l.fields.push_back(formField("Completed", field("Completed"), FieldKind::Check));
    l.fields.push_back(display("", "COMPLETEDDATE", "@d2b", true));
    l.fields.push_back(display("", "COMPLETEDTIME", "@t7b", true));
}

int ScheduleForm::firstField() const { return field("Customer"); }

bool ScheduleForm::mayOpen() {
    if (!m_customers.isOpen() || !m_vendors.isOpen() || !m_products.isOpen()) return false;
    // The calendar of the alarm date carries its own title.
    glo.CalendarTitle = "Select Alarm Date";
    return true;
}

bool ScheduleForm::primeInsert() {
    Schedule& r = rec();
    r.ENTEREDDATE = today();
    r.ENTEREDTIME = now();
    r.UserID = glo.UserID.str();
    if (!m_customerText.empty()) r.Customer = m_customerText;
    return true;
}

std::optional<FieldLookup> ScheduleForm::lookupFor(int f) {
    if (f == field("Customer"))
        return FieldLookup(ui(), m_customers.handle,
                           LookupSpec{Customer::byName, fieldOf(&Customer::Name), "CustomerBrowse", {}, true});
    if (f == field("VENDOR"))
        return FieldLookup(ui(), m_vendors.handle,
                           LookupSpec{Vendors::byName, fieldOf(&Vendors::NAME), "VendorBrowse", {}, true});
    if (f == field("PRODUCT"))
        return FieldLookup(ui(), m_products.handle,
                           LookupSpec{Products::byPartNum, fieldOf(&Products::PartNum), "ProductBrowse", {}, true});
    return std::nullopt;
}

namespace {
void setText(Schedule& r, int f, const std::string& value) {
    if (f == ScheduleForm::field("Customer"))
        r.Customer = value;
    else if (f == ScheduleForm::field("VENDOR"))
        r.VENDOR = value;
    else if (f == ScheduleForm::field("PRODUCT"))
        r.PRODUCT = value;
}
std::string textOf(const Schedule& r, int f) {
    if (f == ScheduleForm::field("Customer")) return r.Customer.str();
    if (f == ScheduleForm::field("VENDOR")) return r.VENDOR.str();
    if (f == ScheduleForm::field("PRODUCT")) return r.PRODUCT.str();
    return {};
}
}  // namespace

bool ScheduleForm::accept(int f) {
    std::optional<FieldLookup> l = lookupFor(f);
    if (!l) return true;
    const LookupResult r = l->check(textOf(rec(), f));
    if (!r.accepted()) {
        requestFocus(f);
        return false;
    }
    setText(rec(), f, r.value);
    return true;
}

bool ScheduleForm::lookup(int f) {
    std::optional<FieldLookup> l = lookupFor(f);
    if (!l) return false;
    const LookupResult r = l->browse();
    if (!r.accepted()) return false;
    setText(rec(), f, r.value);
    return true;
}

bool ScheduleForm::checkBeforeSave() {
    Schedule& r = rec();
    if (r.Completed != 0) {
        r.Completed = 1;
        if (r.COMPLETEDDATE == 0 && r.COMPLETEDTIME == 0) {
            r.COMPLETEDDATE = today();
            r.COMPLETEDTIME = now();
        }
        r.ALARMDATE = 0;
        r.ALARMTIME = 0;
        return true;
    }
    r.COMPLETEDDATE = 0;
    r.COMPLETEDTIME = 0;
    const std::int32_t day = today();
    if (r.ALARMDATE != 0 && (r.ALARMDATE < day || (r.ALARMDATE == day && r.ALARMTIME < now()))) {
        ui().beep(kBeepFrequency, kBeepDuration);
        ui().message("Invalid Alarm Date / Time", "Alarm can not be in the past", Icon::Warning, Button::Ok,
                     Button::Ok);
        requestFocus(field("ALARMDATE"));
        return false;
    }
    return true;
}

std::optional<Response> ScheduleForm::writeRecord() {
    return request() == Request::Insert ? insertEntry() : changeEntry();
}

std::optional<Response> ScheduleForm::insertEntry() {
    Handle<Schedule> last(database());
    ErrorCode ec = last.open();
    if (ec == ErrorCode::AlreadyOpen) ec = ErrorCode::None;
    for (int attempt = 0; attempt < kAddAttempts && ec == ErrorCode::None; ++attempt) {
        // Highest stored number + 1, read afresh each time: another station may
        // have taken the number meanwhile.
        std::int32_t id = 1;
        if (last.setEnd(Schedule::bySchID) == ErrorCode::None && last.previous() == ErrorCode::None)
            id = last.rec.SCHID + 1;
        rec().SCHID = id;
        const ErrorCode added = table().add();
        if (added == ErrorCode::None) {
            UPDATESCHEDULEQUEUE(id, ScheduleChange::Added, rec());
            return Response::Completed;
        }
        if (attempt + 1 == kAddAttempts) ec = added;
    }
    rec().SCHID = 0;
    ui().message("Error Adding Event", "A new Schedule Record could not be added due to Error " + codeText(ec),
                 Icon::Error, Button::Ok, Button::Ok);
    return Response::Cancelled;
}

std::optional<Response> ScheduleForm::changeEntry() {
    if (!isChanged()) return Response::Completed;
    if (const ErrorCode ec = table().put(); ec != ErrorCode::None) {
        ui().message("Error Updating Event", "The schedule record could not be updated due to Error " + codeText(ec),
                     Icon::Error, Button::Ok, Button::Ok);
        return Response::Cancelled;
    }
    UPDATESCHEDULEQUEUE(rec().SCHID, ScheduleChange::Changed, rec());
    return Response::Completed;
}

}  // namespace quay::core
