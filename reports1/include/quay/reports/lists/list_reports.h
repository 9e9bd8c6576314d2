// The customer and vendor lists and the customer mailing labels. Each lists the records
// of its table that the type ("ACTIVE", "DEAD", "ALL" in Glo:CustType), the pick list
// and, for customers, the price class (Glo:PriceClass, "A" for all) let through:
//   "Customer List"         by CUS:byName (CUS:byActiveName for one type): the name,
//                           phones and address, then a detail line for each tax licence,
//                           the price class, a credit limit and a bill-to account, and
//                           with GLO:PrintComments the customer's notes, newest first;
//   mailing labels          by CUS:byZip, three across on a sheet of 30 (see
//                           mailingLabelSheet());
//   "Customer 1-Line List"  by CUS:byName, wide or narrow, with "Total Customers:";
//   "Vendor List"           by VEN:byName (VEN:byActiveName for one type), wide when
//                           GLO:Landscape, with terms and comments unless GLO:OneLiner,
//                           and "Vendor Count:".
// Nothing is written.
#pragma once

#include "quay/export.h"
#include "quay/reports/engine/page_geometry.h"
#include "quay/reports/run/report_window.h"

namespace quay::reports {

QUAY_EXPORT ReportWindow customerListWindow();
QUAY_EXPORT ReportWindow customerLabelsWindow();
QUAY_EXPORT ReportWindow customerOneLineWindow();
QUAY_EXPORT ReportWindow vendorListWindow();

// The label sheet the mailing labels are laid out for: letter paper of 30 labels,
// 2 5/8" x 1" in three columns and ten rows, 1/8" between the columns, 1/2" top and
// bottom margins and 3/16" side margins (the common "5160" sheet).
struct LabelSheet {
    PageGeometry page;
    int across = 3;
    int down = 10;
    Units labelWidth = 2625;
    Units labelHeight = 1000;
    Units columnPitch = 2750;
};
QUAY_EXPORT LabelSheet mailingLabelSheet();

}  // namespace quay::reports
