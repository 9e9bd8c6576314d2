// The customer form. Order of a save (OK):
//   1. bill-to equal to the own name: beep, cursor on "Bill To:", nothing saved;
//   2. (form pattern) a blank or taken name is refused before anything is written;
//   3. a typed comment becomes a note: for a change it is written under the name the
//      customer is stored under, so that a rename in step 4 carries it with the
//      other notes in one transaction, and a failed rename leaves it with its
//      customer; for an insert under the new name;
//   4. the customer is added, or changed through the master-record rules;
//   5. after an insert the notes written on the History tab while the name was still
//      being typed are brought to the name the customer was stored under.
#include "quay/customers/customer_form.h"

#include <algorithm>
#include <cstring>

#include "quay/app/globals.h"
#include "quay/app/last_error.h"
#include "quay/app/standard_messages.h"
#include "quay/customers/cust_comments_record.h"
#include "quay/defaults/company_defaults.h"
#include "quay/tools/format_phone.h"
#include "quay/ui/field_lookup.h"
#include "quay/masterlists/person_name.h"
#include "quay/masters/numbered_insert.h"
#include "quay/tables/defaults.h"
#include "quay/types/date.h"
#include "quay/types/picture.h"
#include "quay/ui/field_entry.h"

namespace quay::core {
namespace {

constexpr int kBeepFrequency = 150;
constexpr int kBeepDuration = 16;

FormSpec customerSpec() {
    FormSpec s;
    s.procedure = "CustomerForm";
    s.title = "Update Customer";
    s.insertTitle = "Adding a Customer Record";
    s.changeTitle = "Changing a Customer Record";
    return s;
}

std::string cell(const char* picture, std::int32_t value) {
    if (value == 0) return {};
    const auto p = Picture::parse(picture);
    return p ? p->format(value) : std::to_string(value);
}

}  // namespace

int CustomerForm::field(const char* name) { return Customer::desc().fieldIndex(name); }

CustomerForm::CustomerForm(Database& db, UiPort& ui, Table& customers, const WindowRequest& request)
    : FormWindow(db, ui, customers, customerSpec(), request),
      m_comments(db),
      m_commentsAccess(ui, m_comments),
      m_scheduleTable(db),
      m_scheduleAccess(ui, m_scheduleTable),
      m_custRef(db),
      m_custRefAccess(ui, m_custRef) {
    RelatedListSpec h;
    h.formProcedure = "CustCommentsRecord";
    h.headings = {"Date", "Time", "Subject"};
    h.key = Comments::ByCustomer;
    h.start = recordSetter<Comments>([this](Comments& n) {
        n.Customer = owner();
        // Date and time descend: their highest values come first, at the newest note.
        n.CMTDATE = INT32_MAX;
        n.CMTTIME = INT32_MAX;
    });
    h.belongs = rowsWhere<Comments>([this](const Comments& n) { return n.Customer.equalsNoCase(owner()); });
    h.format = rowCells<Comments>([](const Comments& n) {
        return std::vector<std::string>{cell("@d2", n.CMTDATE), cell("@t7", n.CMTTIME), n.SUBJECT.str()};
    });
    m_history = std::make_unique<RelatedList>(ui, m_comments, h);
    m_history->setFormListener([this](Request req, Response resp) {
        if (req == Request::Insert && resp == Response::Completed) noteAdded(m_comments.rec.CMTID);
    });

    RelatedListSpec s;
    s.headings = {"Date", "Time", "Action"};
    s.key = Schedule::ByCustomerComp;
    s.start = recordSetter<Schedule>([this](Schedule& e) {
        e.Customer = owner();
        e.Completed = 0;
    });
    s.belongs =
        rowsWhere<Schedule>([this](const Schedule& e) { return e.Customer.equalsNoCase(owner()) && e.Completed == 0; });
    s.format = rowCells<Schedule>([](const Schedule& e) {
        return std::vector<std::string>{cell("@d2", e.ALARMDATE), cell("@t7", e.ALARMTIME), e.ACTION.str()};
    });
    m_schedule = std::make_unique<RelatedList>(ui, m_scheduleTable, s);
    buildLayout();
}

CustomerForm::~CustomerForm() = default;

void CustomerForm::buildLayout() {
    FormLayout& l = mutableLayout();
    const std::string info = "Customer &Information";
    l.tabs = {info, "&Comments", "&History", "&Schedule"};
    auto add = [&](const char* label, const char* name, FieldKind kind = FieldKind::Entry, const char* picture = "",
                   bool beside = false, const std::string& tab = "Customer &Information") {
        FormField f;
        f.label = label;
        f.field = field(name);
        f.kind = kind;
        f.picture = picture;
        f.besideLast = beside;
        f.tab = tab;
        l.fields.push_back(f);
    };
    add("Acti&ve", "Active", FieldKind::Check);
    add("Co&mpany", "COMPANY", FieldKind::Check, "", true);
    add("Compan&y:", "Name");
    add("First &Name:", "FNAME");
    add("&Last Name:", "LNAME", FieldKind::Entry, "", true);
    add("&Address:", "ADDRESS1");
    add("", "ADDRESS2");
    add("Ci&ty:", "CITY");
    add("St/Co&untry:", "STATE", FieldKind::Entry, "", true);
    add("&Zip/Postal Code:", "ZipCode", FieldKind::Entry, "", true);
    add("&Phone:", "PHONE1");
    add("Ext:", "EXTENSION", FieldKind::Entry, "", true);
    add("Phone &2:", "PHONE2");
    add("&Fax:", "FAX", FieldKind::Entry, "", true);
    add("Cre&dit Limit:", "CREDITLIMIT", FieldKind::Entry, "@n$-15.2");
    add("Balance Due:", "BALANCEDUE", FieldKind::Display, "@n$-15.2", true);
    add("P&rice Class:", "PRICECLASS", FieldKind::Choice);
    l.fields.back().choices = "1|2|3|4|5|6|C|R";
    add("&Bill To:", "BILLTO", FieldKind::Lookup, "", true);
    add("Tax &1 Exempt", "TAX1EXEMPT", FieldKind::Check);
    add("Tax#:", "TAXLIC1", FieldKind::Entry, "", true);
    add("Sales Tax #1 %", "SALESTAX1", FieldKind::Entry, "@n7.4", true);
    add("Ta&x 2 Exempt", "TAX2EXEMPT", FieldKind::Check);
    add("Tax#2:", "TAXLIC2", FieldKind::Entry, "", true);
    add("Sales Tax #2 %", "SALESTAX2", FieldKind::Entry, "@n7.4", true);
    add("&eMail:", "EMAIL");
    add("", "Comments", FieldKind::Memo, "", false, "&Comments");
    l.fields.back().note = "A comment typed here is kept in the contact log, dated, when the customer is saved.";
    l.lists.push_back({"&History", m_history.get(), true, {}});
    l.lists.push_back({"&Schedule", m_schedule.get(), false, {}});
    l.buttons.push_back({"&New Schedule Entry", "&Schedule", [this] { newScheduleEntry(); }});
}

FieldLookup CustomerForm::billToLookup() {
    return FieldLookup(ui(), m_custRef, LookupSpec{CustRef::byName, field("Name"), "CustRefBrowse", {}, true});
}

int CustomerForm::firstField() const { return field("Name"); }

std::string CustomerForm::owner() const {
    // While a stored customer is changed its notes and entries stay under the stored
    // name until the save carries them; a new customer's are under the name typed.
    if (request() == Request::Change && !original().empty())
        return static_cast<const Customer*>(static_cast<const void*>(original().data()))->Name.str();
    return static_cast<const Customer*>(const_cast<CustomerForm*>(this)->table().buffer())->Name.str();
}

bool CustomerForm::mayOpen() {
    HeldTable<Defaults> defaults(database(), ui());
    if (!defaults.isOpen() || GETCOMPANYDEFAULTS(defaults.handle, 1) != 0) {
        ui().beep(kBeepFrequency, kBeepDuration);
        ui().message("Update Customer", "Please set company defaults first", Icon::Warning, Button::Ok, Button::Ok);
        return false;
    }
    m_salesTax1 = Decimal<13, 4>::fromScaled(defaults.rec().SALESTAX1.scaled());
    m_salesTax2 = Decimal<13, 4>::fromScaled(defaults.rec().SALESTAX2.scaled());
    m_areaCode = defaults.rec().DEFAREACODE;
    if (!m_commentsAccess.isOpen() || !m_scheduleAccess.isOpen() || !m_custRefAccess.isOpen()) return false;
    if (request() != Request::Delete) reloadLists();
    return true;
}

bool CustomerForm::primeInsert() {
    Customer& c = rec();
    c.Active = 1;
    c.SALESTAX1 = m_salesTax1;
    c.SALESTAX2 = m_salesTax2;
    c.BALANCEDUE = Decimal<13, 2>();
    return true;
}

void CustomerForm::reloadLists() {
    m_history->load();
    m_schedule->load();
}

bool CustomerForm::accept(int f) {
    Customer& c = rec();
    if (f == field("FNAME") || f == field("LNAME")) {
        if (c.COMPANY == 0) {
            c.Name = personName(c.FNAME.view(), c.LNAME.view());
            reloadLists();
        }
        return true;
    }
    if (f == field("Name")) {
        reloadLists();
        return true;
    }
    if (f == field("PHONE1") || f == field("PHONE2") || f == field("FAX")) {
        FixedString<13>& phone = f == field("PHONE1") ? c.PHONE1 : f == field("PHONE2") ? c.PHONE2 : c.FAX;
        const PhoneResult formatted = formatPhone(phone.view(), m_areaCode);
        if (!formatted.accepted) {
            phone.clear();
            return refuse(f, kPhoneRefused);
        }
        phone = formatted.text;
        return true;
    }
    if (f == field("PRICECLASS")) {
        if (c.PRICECLASS.isBlank()) return refuse(f, kPriceClassRequired);
        return true;
    }
    if (f == field("BILLTO")) {
        const LookupResult r = billToLookup().check(c.BILLTO.view());
        if (!r.accepted()) {
            requestFocus(f);
            return false;
        }
        rec().BILLTO = r.value;
        return true;
    }
    return true;
}

bool CustomerForm::lookup(int f) {
    if (f != field("BILLTO")) return false;
    const LookupResult r = billToLookup().browse();
    if (!r.accepted()) return false;
    rec().BILLTO = r.value;
    return true;
}

bool CustomerForm::checkBeforeSave() {
    Customer& c = rec();
    // A customer without a price class would give every order written for it no class
    // to price its lines from; the field is required at OK as when it is left.
    if (c.PRICECLASS.isBlank()) return refuse(field("PRICECLASS"), kPriceClassRequired);
    if (!c.BILLTO.isBlank() && c.BILLTO.equalsNoCase(c.Name.view())) return refuse(field("BILLTO"), kBillToSelf);
    return true;
}

void CustomerForm::noteAdded(std::int32_t id) {
    if (request() == Request::Insert) m_notesOfInsert.push_back(id);
}

bool CustomerForm::beforeWrite() {
    Customer& c = rec();
    if (c.Comments.view().find_first_not_of(" \t\r\n") == std::string_view::npos) return true;
    std::string owner = c.Name.str();
    if (request() == Request::Change)
        owner = static_cast<const Customer*>(static_cast<const void*>(original().data()))->Name.str();
    m_comments.clear();
    primeCustomerNote(&m_comments.rec, owner, c.Comments.view());
    if (addNumbered(database(), ui(), m_comments, Comments::ByCmtID, "CMTID") == NumberedInsert::Added) {
        noteAdded(m_comments.rec.CMTID);
        c.Comments.clear();
    }
    return true;
}

void CustomerForm::afterWrite() {
    if (request() == Request::Insert) {
        // Notes written while the name was still being typed name an earlier text.
        for (const std::int32_t id : m_notesOfInsert) {
            m_comments.clear();
            m_comments.rec.CMTID = id;
            if (m_comments.get(Comments::ByCmtID) != ErrorCode::None) continue;
            if (m_comments.rec.Customer == rec().Name) continue;
            m_comments.rec.Customer = rec().Name.view();
            m_comments.put();
        }
        m_notesOfInsert.clear();
    }
}

void CustomerForm::afterCancelledInsert() {
    const std::string name = rec().Name.str();
    for (const std::int32_t id : m_notesOfInsert) {
        m_comments.clear();
        m_comments.rec.CMTID = id;
        if (m_comments.get(Comments::ByCmtID) == ErrorCode::None && m_comments.erase() != ErrorCode::None) {
            saveError(m_comments);
            showStandardMessage(ui(), StandardMessage::DeleteError, {"Comments"});
        }
    }
    m_notesOfInsert.clear();
    if (name.empty()) return;
    // Entries naming a customer that is stored belong to that customer, not to this
    // cancelled insert.
    m_custRef.clear();
    m_custRef.rec.Name = name;
    if (m_custRef.get(CustRef::byName) == ErrorCode::None) return;
    std::vector<std::string> positions;
    m_scheduleTable.clear();
    m_scheduleTable.rec.Customer = name;
    m_scheduleTable.rec.Completed = 0;
    if (m_scheduleTable.setAtKey(Schedule::ByCustomerComp) == ErrorCode::None) {
        while (m_scheduleTable.next() == ErrorCode::None && m_scheduleTable.rec.Customer.equalsNoCase(name))
            positions.push_back(m_scheduleTable.position());
    }
    for (const std::string& p : positions) {
        if (m_scheduleTable.reget(p) == ErrorCode::None && m_scheduleTable.erase() != ErrorCode::None) {
            saveError(m_scheduleTable);
            showStandardMessage(ui(), StandardMessage::DeleteError, {"Schedule"});
        }
    }
}

void CustomerForm::newScheduleEntry() {
    glo.SchGroup.clear();
    glo.SchGroup.SCHCUSTOMER = owner();
    WindowRequest r;
    r.request = Request::Insert;
    r.number = 0;
    r.text = owner();
    glo.GlobalRequest = Request::Insert;
    ui().runWindow("SCHEDULEFORM", r);
    m_schedule->load();
}

}  // namespace quay::core
