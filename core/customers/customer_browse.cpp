// Columns and tabs of the customer list and the bill-to chooser.
#include "quay/customers/customer_browse.h"

#include "quay/tables/cust_ref.h"
#include "quay/tables/customer.h"

namespace quay::core {
namespace {

std::vector<std::string> customerCells(const Customer& c) {
    return {c.Name.str(), c.FNAME.str(), c.LNAME.str(), c.CITY.str(), c.STATE.str(), c.ZipCode.str()};
}

// The chooser runs over CustRef, a second handle with the same records.
template <class R>
ListSpec customerColumns() {
    ListSpec s;
    s.columns = {{"Name / Company", 35, false}, {"First Name", 15, false}, {"Last Name", 20, false},
                 {"City", 20, false},           {"ST", 3, false},          {"Zip Code", 10, false}};
    s.format = rowCells<R>([](const R& c) { return customerCells(c); });
    s.tabs = {{"by &Name / Company", Customer::byActiveName, fieldOf(&Customer::Name)},
              {"by &First Name", Customer::byActiveFName, fieldOf(&Customer::FNAME)},
              {"by &Last Name", Customer::byActiveLName, fieldOf(&Customer::LNAME)}};
    s.activeField = fieldOf(&Customer::Active);
    s.activeCaption = "&Active";
    s.activeTip = "Active Customers Only";
    return s;
}

}  // namespace

ListSpec customerBrowseSpec() {
    ListSpec s = customerColumns<Customer>();
    s.procedure = "CustomerBrowse";
    s.title = "Customer List";
    s.formProcedure = "CustomerForm";
    return s;
}

ListSpec custRefBrowseSpec() {
    ListSpec s = customerColumns<CustRef>();
    s.procedure = "CustRefBrowse";
    s.title = "Select Customer to Bill To";
    s.allowInsert = false;
    s.allowChange = false;
    s.allowDelete = false;
    return s;
}

}  // namespace quay::core
