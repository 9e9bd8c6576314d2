// BrwsCustAccount ("Customer Account Status Window"): one customer's account. The
// header names the customer; "C&redits and Payments" and "&Invoices and Charges"
// list its payments and charges as the Display option says (Current: open ones,
// Cleared: settled ones, All), each with its total; "Balance Due:" is the charges
// total less the payments total. New payments and charges are posted from here and
// listed ones opened for change or deletion (EditPayments, EditCharges); after a
// form returns both lists are read again.
//
// Close stores the customer's current balance in CUS:BALANCEDUE, computed afresh
// from the open charges and payments whatever the display shows.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "accounts/ar_ledger.h"
#include "quay/app/ui_port.h"
#include "quay/masterlists/related_list.h"

namespace quay::desk {

class BrwsCustAccount {
public:
    static constexpr const char* kProcedure = "BrwsCustAccount";
    static constexpr const char* kTitle = "Customer Account Status Window";
    enum class Display { Current, Cleared, All };
    enum class Focus { None, Payments, Charges };

    // The customer is the one named by Glo:CustName (request.text when given).
    BrwsCustAccount(core::Database& db, core::UiPort& ui, const core::WindowRequest& request);
    ~BrwsCustAccount();

    // Reads the customer and both lists; false (after its message) when the window
    // cannot open.
    bool open();
    const core::Customer& customer() const { return m_cus.handle.rec; }
    // "Lee, Ann"; one name alone when the other is blank; "(none)" when both are.
    std::string personName() const;

    Display display() const { return m_display; }
    void setDisplay(Display d);
    core::RelatedList& payments() { return *m_payments; }
    core::RelatedList& charges() { return *m_charges; }
    std::int64_t paymentsTotal() const { return m_paymentsTotal; }
    std::int64_t chargesTotal() const { return m_chargesTotal; }
    std::int64_t balanceDue() const { return m_chargesTotal - m_paymentsTotal; }

    void postPayment();
    void postCharge();
    void changePayment();
    void deletePayment();
    void changeCharge();
    void deleteCharge();
    // "Close": stores the balance; the window is then over.
    void close();
    bool isClosed() const { return m_closed; }
    Focus takeFocus();

private:
    void reload();
    std::string name() const { return m_cus.handle.rec.Name.str(); }

    core::Database& m_db;
    core::UiPort& m_ui;
    std::string m_name;
    core::HeldTable<core::Customer> m_cus;
    core::HeldTable<core::Payments> m_pay;
    core::HeldTable<core::Charges> m_chg;
    core::RelatedListSpec m_paySpec;
    std::unique_ptr<core::RelatedList> m_payments;
    std::unique_ptr<core::RelatedList> m_charges;
    Display m_display = Display::Current;
    std::int64_t m_paymentsTotal = 0;
    std::int64_t m_chargesTotal = 0;
    bool m_closed = false;
    Focus m_focus = Focus::None;
};

}  // namespace quay::desk
