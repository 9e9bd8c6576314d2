// POForm ("Add New PO"): one purchase order with its lines. An insert adds the PO at
// once with the next POH:PoNum, primed from the company defaults (today's date, the
// company as ship-to, status "Open"); its lines are entered on the "&POItems" tab
// through UpdatePOItems, each stored with its on-order change as it is entered. The
// order total is the lines' costs plus shipping, recomputed after every entry.
// "Save and Print" writes the PO and prints it; cancelling a new PO removes it with
// its lines and their on-order quantities in one transaction; deleting a PO removes
// its lines and schedule entries likewise. Cancelling a change after lines were stored
// keeps the lines (they are stored) and stores the order total they make.
//
// Ctrl+' (and the "Ditto" button) copies into the focused field the value that field
// had in the last PO saved by a PO form since the program started.
//
// NewPOForm is the same form, always inserting, kept under its own settings section.
#pragma once

#include <memory>
#include <string>

#include "quay/app/table_access.h"
#include "quay/export.h"
#include "quay/masterlists/related_list.h"
#include "quay/tables/defaults.h"
#include "quay/tables/po.h"
#include "quay/tables/po_items.h"
#include "quay/tables/vendors.h"
#include "quay/ui/form_window.h"
#include "quay/util/po_ledger.h"

namespace quay::util {

class QUAY_EXPORT POForm : public core::FormWindow {
public:
    static constexpr const char* kTitle = "Add New PO";
    static constexpr const char* kNoDefaultsText = "Please set company defaults first";

    // REQUIRES: `po` is a PO handle open on `db`, holding the PO for change and delete.
    POForm(core::Database& db, core::UiPort& ui, core::Table& po, const core::WindowRequest& request);
    ~POForm() override;

    bool accept(int field) override;
    bool lookup(int field) override;
    void recallField(int field) override;
    std::string owner() const override;
    std::int32_t ownerNumber() const override;

    core::PO& rec() { return *static_cast<core::PO*>(buffer()); }
    const core::PO& rec() const { return *static_cast<const core::PO*>(buffer()); }
    // The PO's lines as the "&POItems" tab lists them.
    core::RelatedList& lines() { return *m_list; }
    // Sets POH:ORDERTOTAL to the stored lines' costs plus shipping.
    void recomputeTotal();

    // Forgets the last saved PO (the ditto buffer is empty again), for tests.
    static void clearDitto();

protected:
    POForm(core::Database& db, core::UiPort& ui, core::Table& po, const core::WindowRequest& request,
           const char* procedure);

    bool mayOpen() override;
    bool primeInsert() override;
    bool checkBeforeSave() override;
    void afterWrite() override;
    bool removeRecord() override;
    bool eraseAdded() override;
    void afterCancelledChange() override;
    int firstField() const override;

private:
    void build();
    bool pickVendor(bool browse);

    core::HeldTable<core::Defaults> m_defaults;
    core::HeldTable<core::Vendors> m_vendors;
    core::HeldTable<core::POItems> m_lineTable;  // the tab's list and its forms
    core::HeldTable<core::POItems> m_lineScan;   // the total's reads
    std::unique_ptr<core::RelatedList> m_list;
    PoLedger m_ledger;
    bool m_linesChanged = false;  // a line was stored or removed while the form was open
};

class QUAY_EXPORT NewPOForm : public POForm {
public:
    // Always an insert, whatever the request says.
    NewPOForm(core::Database& db, core::UiPort& ui, core::Table& po);
};

}  // namespace quay::util
