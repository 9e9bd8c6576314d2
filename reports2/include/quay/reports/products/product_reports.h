// The product lists: count sheets, products below their minimum level and the inventory
// cost ("Count Sheets Report Selection"), the product catalogue at one price ("Product
// Catalog Selection") and the price list at one price or all of them ("Price List
// Selection"). Every one lists the products that the vendor, manufacturer, group and
// product pick lists let through (in that order), with "In Stock Items Only" leaving out
// products with nothing on hand. The keys read: PRD:byPartNum for the part-number forms,
// PRD:byGroup for the group forms and for the inventory cost. Nothing is written.
#pragma once

#include "quay/export.h"
#include "quay/reports/run/report_window.h"

namespace quay::reports {

QUAY_EXPORT ReportWindow inventoryLevelsWindow();
QUAY_EXPORT ReportWindow productCatalogWindow();
QUAY_EXPORT ReportWindow priceListWindow();

}  // namespace quay::reports
