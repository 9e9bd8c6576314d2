// The demo accounts: for the first customers with invoices, a freight charge, a
// credit for returned goods, a cheque applied to the oldest charges and, for one, a
// payment on account left unapplied; for another an old storage charge and a cheque
// applied to it alone, so part of the cheque is left to apply. Each customer's stored
// balance is then brought up to date as the account window's Close does. With the
// year of invoices, the statements and the aging report show every age.
#include "demo/demo_accounts.h"

#include <set>
#include <vector>

#include "accounts/ar_ledger.h"
#include "accounts/edit_charges.h"
#include "accounts/edit_payments.h"
#include "quay/app/scripted_ui.h"
#include "quay/types/date.h"

namespace quay::desk {

namespace {

Money amount(const char* text) {
    Money m;
    (void)m.parse(text);
    return m;
}

bool postCharge(core::Database& db, core::UiPort& ui, const std::string& who, const char* reason, const char* value,
                int daysAgo) {
    core::HeldTable<core::Charges> t(db, ui);
    core::WindowRequest r;
    r.request = core::Request::Insert;
    r.table = &t.handle;
    r.text = who;
    EditCharges form(db, ui, t.handle, r);
    if (!form.open()) return false;
    form.rec().REASON = reason;
    form.rec().AMOUNT = amount(value);
    form.rec().Date = core::today() - daysAgo;
    form.afterEvent();
    return form.ok();
}

enum class Apply { None, Oldest, OldestChargeOnly };

bool postPayment(core::Database& db, core::UiPort& ui, const std::string& who, const char* value, const char* check,
                 Apply apply, int daysAgo) {
    core::HeldTable<core::Payments> t(db, ui);
    core::WindowRequest r;
    r.request = core::Request::Insert;
    r.table = &t.handle;
    r.text = who;
    EditPayments form(db, ui, t.handle, r);
    if (!form.open()) return false;
    form.rec().Method = "Check";
    form.methodSelected();
    form.rec().CHECKNUM = check;
    form.rec().BANKID = "FNB";
    form.rec().Date = core::today() - daysAgo;
    form.rec().COMMENTS = apply == Apply::None ? "Payment on account" : "Thank you";
    form.rec().AMOUNT = amount(value);
    form.amountAccepted();
    if (apply == Apply::Oldest) form.applyToOldest();
    if (apply == Apply::OldestChargeOnly) form.applyHighlighted();  // the list opens on the oldest charge
    return form.ok();
}

}  // namespace

std::string addDemoAccounts(core::Database& db, DemoAccountsSummary* summary) {
    core::ScriptedUi ui;
    ui.setDefaultAnswer(core::Button::Yes);  // "Save Payment?" for the payment on account
    std::vector<std::string> customers;
    {
        core::HeldTable<core::Charges> chg(db, ui);
        if (!chg.isOpen()) return "The charges could not be opened.";
        std::set<std::string> seen;
        chg.handle.set(core::Charges::byCustomer);
        while (customers.size() < 4 && chg.handle.next() == core::ErrorCode::None)
            if (seen.insert(chg.rec().Customer.str()).second) customers.push_back(chg.rec().Customer.str());
    }
    if (customers.empty()) return "The demo has no invoices to build accounts on.";
    DemoAccountsSummary s;
    const char* checks[] = {"2041", "3317", "1188", "5502"};
    for (std::size_t i = 0; i < customers.size(); ++i) {
        const std::string& who = customers[i];
        if (!postCharge(db, ui, who, "Freight and handling", i % 2 ? "38.75" : "45.00", 40 - static_cast<int>(i)))
            return "A demo charge could not be posted.";
        ++s.charges;
        if (i % 2 == 0) {
            if (!postCharge(db, ui, who, "Credit for returned goods", "-18.50", 12))
                return "A demo credit could not be posted.";
            ++s.credits;
        }
        if (!postPayment(db, ui, who, i % 2 ? "150.00" : "220.00", checks[i], Apply::Oldest, 8))
            return "A demo payment failed.";
        ++s.payments;
        if (i == 1) {
            if (!postPayment(db, ui, who, "60.00", "3320", Apply::None, 2)) return "A demo payment failed.";
            ++s.payments;
        }
        if (i == 3) {
            // Older than every invoice: the first charge the payment form lists.
            if (!postCharge(db, ui, who, "Winter storage", "45.00", 400)) return "A demo charge could not be posted.";
            ++s.charges;
            if (!postPayment(db, ui, who, "120.00", "5519", Apply::OldestChargeOnly, 3))
                return "A demo payment failed.";
            ++s.payments;
        }
        storeCustomerBalance(db, ui, who);
    }
    if (summary) *summary = s;
    return {};
}

}  // namespace quay::desk
