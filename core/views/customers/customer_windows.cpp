// Factories of the customer windows: the list, the bill-to chooser over CustRef,
// the customer form and the contact-log note form.
#include <memory>

#include "quay/app/table_access.h"
#include "quay/customers/cust_comments_record.h"
#include "quay/customers/customer_browse.h"
#include "quay/customers/customer_form.h"
#include "quay/tables/comments.h"
#include "quay/tables/cust_ref.h"
#include "quay/tables/customer.h"
#include "quay/views/list_view.h"
#include "quay/views/masterlists/master_form_view.h"
#include "quay/views/masterlists/master_windows.h"
#include "../masterlists/master_window_support.h"

namespace quay::core {

void registerCustomerWindows(WindowRegistry& registry) {
    auto list = [](WindowContext& c, const WindowRequest& r) {
        return openListWindow<Customer>(c, r, customerBrowseSpec());
    };
    registry.add("CustomerBrowse", list);
    registry.add("CUSTOMERBROWSE", list);
    registry.add("CustRefBrowse", [](WindowContext& c, const WindowRequest& r) {
        return openListWindow<CustRef>(c, r, custRefBrowseSpec());
    });
    registry.add("CustomerForm", [](WindowContext& c, const WindowRequest& r) {
        std::unique_ptr<detail::OwnTable> own;
        Table* t = detail::formTable(c, r, Customer::desc(), own);
        if (t == nullptr) return WindowResponse{};
        CustomerForm form(*c.database, c.ui, *t, r);
        return runMasterForm(c, form);
    });
    registry.add("CustCommentsRecord", [](WindowContext& c, const WindowRequest& r) {
        std::unique_ptr<detail::OwnTable> own;
        Table* t = detail::formTable(c, r, Comments::desc(), own);
        if (t == nullptr) return WindowResponse{};
        CustCommentsRecord form(*c.database, c.ui, *t, r);
        return runMasterForm(c, form);
    });
}

}  // namespace quay::core
