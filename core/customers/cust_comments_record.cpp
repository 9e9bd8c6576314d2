// The contact-log note form of a customer.
#include "quay/customers/cust_comments_record.h"

#include "quay/tables/comments.h"
#include "quay/types/clock.h"
#include "quay/types/date.h"

namespace quay::core {
namespace {

FormSpec notesSpec() {
    FormSpec s;
    s.procedure = "CustCommentsRecord";
    s.title = "Customer Comments";
    s.numberField = fieldOf(&Comments::CMTID);
    s.numberKey = Comments::ByCmtID;
    s.cancelQuestion = StandardMessage::SaveOnCancel;
    return s;
}

}  // namespace

void primeCustomerNote(void* comments, std::string_view customer, std::string_view text) {
    auto& n = *static_cast<Comments*>(comments);
    n.Customer = customer;
    n.VENDOR.clear();
    n.MANUFACTURER.clear();
    n.CMTDATE = today();
    n.CMTTIME = now();
    n.SUBJECT = text.substr(0, std::min<std::size_t>(text.size(), 65));
    n.Notes = text;
}

CustCommentsRecord::CustCommentsRecord(Database& db, UiPort& ui, Table& comments, const WindowRequest& request)
    : FormWindow(db, ui, comments, notesSpec(), request), m_customer(request.text) {
    FormLayout& l = mutableLayout();
    FormField customer = formField("Customer:", fieldOf(&Comments::Customer), FieldKind::Display);
    FormField date = formField("Date:", fieldOf(&Comments::CMTDATE), FieldKind::Entry, "@d2");
    FormField time = formField("", fieldOf(&Comments::CMTTIME), FieldKind::Entry, "@t7");
    time.besideLast = true;
    FormField subject = formField("Subject:", fieldOf(&Comments::SUBJECT));
    FormField notes = formField("Notes:", fieldOf(&Comments::Notes), FieldKind::Memo);
    l.fields = {customer, date, time, subject, notes};
}

bool CustCommentsRecord::primeInsert() {
    primeCustomerNote(table().buffer(), m_customer, {});
    return true;
}

}  // namespace quay::core
