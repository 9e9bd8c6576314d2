// CustCommentsRecord ("Customer Comments"): one contact-log note about a customer.
// An insert adds the note at once with the next CMT:CMTID, the customer's name (the
// request's text), blank vendor and manufacturer, today's date and the time now;
// OK writes the entered values; cancelling an insert deletes the note again, and
// cancelling after changes asks "Do you want to save the changes to this record?"
// (Yes saves, No discards, Cancel returns to the form).
#pragma once

#include <string>

#include "quay/export.h"
#include "quay/ui/form_window.h"

namespace quay::core {

class QUAY_EXPORT CustCommentsRecord : public FormWindow {
public:
    // REQUIRES: `comments` is a Comments handle open on `db`; request.text names the
    // customer for an insert.
    CustCommentsRecord(Database& db, UiPort& ui, Table& comments, const WindowRequest& request);

protected:
    bool primeInsert() override;

private:
    std::string m_customer;
};

// Fills a cleared note about `customer` written now: date today, time now,
// subject the first 65 characters of `text`, notes `text`.
QUAY_EXPORT void primeCustomerNote(void* comments, std::string_view customer, std::string_view text);

}  // namespace quay::core
