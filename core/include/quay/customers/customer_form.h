// CustomerForm ("Update Customer"; "Adding a Customer Record" / "Changing a
// Customer Record"): a customer with its tabs "Customer &Information",
// "&Comments", "&History" (the contact log, newest first) and "&Schedule" (open
// schedule entries).
//
// On opening the company record must exist ("Please set company defaults first").
// A new customer starts active with the company's tax rates. For a person (Company
// clear) the name is built from the last and first names as either is accepted.
// Phone numbers are brought into the house form; a rejected one beeps. An empty
// price class beeps. "Bill To:" names another customer, checked against CustRef
// and picked through CustRefBrowse.
//
// Saving: a bill-to equal to the customer's own name beeps and saves nothing. A
// comment typed into the "&Comments" box becomes a dated contact-log note (the box
// is emptied once the note is stored). A new name is carried to the contact log,
// orders and schedule in the same transaction as the customer itself.
//
// Cancelling an insert removes the notes written during it, and the schedule
// entries naming the new name while no stored customer has that name.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "quay/app/table_access.h"
#include "quay/export.h"
#include "quay/ui/form_window.h"
#include "quay/masterlists/related_list.h"
#include "quay/tables/comments.h"
#include "quay/tables/cust_ref.h"
#include "quay/tables/customer.h"
#include "quay/tables/schedule.h"
#include "quay/ui/field_lookup.h"

namespace quay::core {

class QUAY_EXPORT CustomerForm : public FormWindow {
public:
    // Why OK or an entry was refused, as the status line says it.
    static constexpr const char* kPriceClassRequired =
        "Choose the customer's price class: 1 to 6, C (cost) or R (retail).";
    static constexpr const char* kBillToSelf =
        "A customer cannot be billed to itself: leave Bill To blank or name another customer.";
    static constexpr const char* kPhoneRefused = "A phone number has 7 or 10 digits, such as 555-0199 or 212-555-0199.";

    // REQUIRES: `customers` is a Customer handle open on `db`, holding the record for
    // change and delete.
    CustomerForm(Database& db, UiPort& ui, Table& customers, const WindowRequest& request);
    ~CustomerForm() override;

    Customer& rec() { return *static_cast<Customer*>(table().buffer()); }

    bool accept(int field) override;
    bool lookup(int field) override;
    std::string owner() const override;

    RelatedList& history() { return *m_history; }
    RelatedList& schedule() { return *m_schedule; }
    // The "&Schedule" tab's button: the schedule form for a new entry about the customer.
    void newScheduleEntry();
    // Reads both tabs' lists again for the name now in the form.
    void reloadLists();

    // Field indices, for the view and tests.
    static int field(const char* name);

protected:
    bool mayOpen() override;
    bool primeInsert() override;
    bool checkBeforeSave() override;
    bool beforeWrite() override;
    void afterWrite() override;
    void afterCancelledInsert() override;
    int firstField() const override;

private:
    void buildLayout();
    void noteAdded(std::int32_t id);
    FieldLookup billToLookup();

    Handle<Comments> m_comments;
    TableAccess m_commentsAccess;
    Handle<Schedule> m_scheduleTable;
    TableAccess m_scheduleAccess;
    Handle<CustRef> m_custRef;
    TableAccess m_custRefAccess;
    std::unique_ptr<RelatedList> m_history;
    std::unique_ptr<RelatedList> m_schedule;
    Decimal<13, 4> m_salesTax1;
    Decimal<13, 4> m_salesTax2;
    FixedString<3> m_areaCode;
    std::vector<std::int32_t> m_notesOfInsert;  // CMT:CMTID of notes written during an insert
};

}  // namespace quay::core
