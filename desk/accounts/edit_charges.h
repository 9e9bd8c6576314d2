// EditCharges ("Charges Form"): enters, changes or deletes one charge or credit of a
// customer and lists the payments applied to it ("&Payments"). It runs on the form
// pattern (numbering, the copy taken at open, the Cancel question, focus and reload).
//
// A charge posted from an invoice is protected: its date, reason and amount cannot
// be changed here and it cannot be deleted here ("re-open ticket"). A charge with
// payments applied keeps its date and amount and cannot be deleted. The unpaid
// balance always follows the amount less what is applied; raising the amount of a
// paid charge makes it unpaid again.
//
//   insert: numbered and added when the form opens; Cancel removes it again.
//   change: written at OK when it differs from the copy taken at open, in one
//           transaction that re-reads the stored charge: another station's change of
//           it is shown and the form stays open; the unpaid balance is recomputed from
//           the applications stored at that moment.
//   delete: the form shows "Record will be Deleted"; OK removes the charge and its
//           applications in one transaction.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "accounts/ar_ledger.h"
#include "quay/app/ui_port.h"
#include "quay/masterlists/related_list.h"
#include "quay/store/table.h"
#include "quay/ui/form_window.h"

namespace quay::desk {

class EditCharges : public core::FormWindow {
public:
    static constexpr const char* kProcedure = "EditCharges";
    static constexpr const char* kTitle = "Charges Form";

    // REQUIRES: `charges` is a Charges handle on `db`, open, holding the charge for
    // change and delete; for insert request.text (else Glo:CustName) names the customer.
    EditCharges(core::Database& db, core::UiPort& ui, core::Table& charges, const core::WindowRequest& request);
    ~EditCharges() override;

    core::Charges& rec() { return *static_cast<core::Charges*>(buffer()); }
    std::string statusText() const override;

    core::RelatedList& payments() { return *m_payments; }
    std::int64_t totalApplied() const { return m_totalApplied; }

    bool dateEnabled() const { return m_dateEnabled; }
    bool reasonEnabled() const { return m_reasonEnabled; }
    bool amountEnabled() const { return m_amountEnabled; }

    // The alerted key on Date: the calendar ("Select Charge Date"), F2 always, other
    // keys only on an empty date.
    void dateKey(bool f2);
    // After every event: the unpaid balance follows the amount less what is applied.
    void afterEvent();

protected:
    bool mayOpen() override;
    bool primeInsert() override;
    bool beforeWrite() override;
    std::optional<core::Response> writeRecord() override;
    bool removeRecord() override;
    bool eraseAdded() override;

private:
    std::optional<core::Response> writeChange();

    core::Table& m_table;
    std::string m_owner;
    ArTables m_ledger;
    core::HeldTable<core::Applied> m_listApp;
    core::HeldTable<core::Payments> m_joinPay;
    std::unique_ptr<core::RelatedList> m_payments;
    std::int64_t m_totalApplied = 0;
    bool m_dateEnabled = true;
    bool m_reasonEnabled = true;
    bool m_amountEnabled = true;
};

}  // namespace quay::desk
