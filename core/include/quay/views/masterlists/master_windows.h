// The master-data windows registered by procedure name: the customer list and form
// (CUSTOMERBROWSE, "CustomerBrowse", "CustomerForm", "CustRefBrowse",
// "CustCommentsRecord"), the product list and form (PRODUCTBROWSE, "ProductBrowse",
// "ProductForm", "VendorPartForm"), and the lists and forms of vendors,
// salespeople, terms, manufacturers, groups and shipping methods (VENDORBROWSE,
// SALESPEOPLEBROWSE, TERMSBROWSE, MANUFACTBROWSE, GROUPSBROWSE, BROWSESHIPVIA, each
// also under its window name, and their forms).
#pragma once

#include "quay/export.h"
#include "quay/views/window_registry.h"

namespace quay::core {

QUAY_EXPORT void registerMasterWindows(WindowRegistry& registry);

// The parts, for programs and tests that want only some of them.
QUAY_EXPORT void registerCustomerWindows(WindowRegistry& registry);
QUAY_EXPORT void registerProductWindows(WindowRegistry& registry);
QUAY_EXPORT void registerMasterListWindows(WindowRegistry& registry);

}  // namespace quay::core
