// EditCharges ("Charges Form"): enters, changes or deletes one charge or credit of a
// customer and lists the payments applied to it ("&Payments").
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
#include <functional>
#include <memory>
#include <string>

#include "accounts/ar_ledger.h"
#include "quay/app/ui_port.h"
#include "quay/masterlists/related_list.h"
#include "quay/store/table.h"

namespace quay::desk {

class EditCharges {
public:
    static constexpr const char* kProcedure = "EditCharges";
    static constexpr const char* kTitle = "Charges Form";

    // REQUIRES: `charges` is a Charges handle on `db`, open, holding the charge for
    // change and delete; for insert request.text (else Glo:CustName) names the customer.
    EditCharges(core::Database& db, core::UiPort& ui, core::Table& charges, const core::WindowRequest& request);
    ~EditCharges();

    bool open();  // false when the form is already over
    core::Charges& rec() { return *static_cast<core::Charges*>(m_table.buffer()); }
    core::Request request() const { return m_request; }
    const char* statusText() const;

    core::RelatedList& payments() { return *m_payments; }
    std::int64_t totalApplied() const { return m_totalApplied; }

    bool dateEnabled() const { return m_dateEnabled; }
    bool reasonEnabled() const { return m_reasonEnabled; }
    bool amountEnabled() const { return m_amountEnabled; }

    void dateKey(bool f2);
    void afterEvent();
    bool ok();
    bool cancel();
    bool takeFirstFieldRequest();
    void setReloadListener(std::function<void()> l) { m_onReload = std::move(l); }

    bool isClosed() const { return m_closed; }
    core::WindowResponse response() const { return m_response; }

private:
    void finish(core::Response r);
    bool writeChange();
    bool writeInsert();
    bool eraseNow();

    core::Database& m_db;
    core::UiPort& m_ui;
    core::Table& m_table;
    core::Request m_request;
    std::string m_owner;
    ArTables m_ledger;
    core::HeldTable<core::Applied> m_listApp;
    core::HeldTable<core::Payments> m_joinPay;
    std::unique_ptr<core::RelatedList> m_payments;
    core::Charges m_snapshot{};
    std::int64_t m_totalApplied = 0;
    bool m_dateEnabled = true;
    bool m_reasonEnabled = true;
    bool m_amountEnabled = true;
    bool m_closed = false;
    bool m_firstField = false;
    core::WindowResponse m_response;
    std::function<void()> m_onReload;
};

}  // namespace quay::desk
