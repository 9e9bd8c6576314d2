// ARBrowse ("Accounts Receivable"): every customer with the balance due stored for
// it, in one of four orders (company, last name, first name, bill-to) with a locator
// on each, and the business's outstanding balance. "&View" opens the highlighted
// customer's account (BrwsCustAccount); afterwards the outstanding balance is
// computed again and the list read again.
//
// The window is the list pattern over Customer; the account window is the list's
// form, run through this object's port, which recomputes the outstanding balance
// whenever the account window returns.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>

#include "quay/app/table_access.h"
#include "quay/app/ui_port.h"
#include "quay/store/database.h"
#include "quay/tables/customer.h"
#include "quay/ui/list_window.h"

namespace quay::desk {

class ARBrowse : public core::UiPort {
public:
    static constexpr const char* kProcedure = "ARBrowse";
    static constexpr const char* kTitle = "Accounts Receivable";

    ARBrowse(core::Database& db, core::UiPort& ui, const core::WindowRequest& request);
    ~ARBrowse() override;

    static core::ListSpec spec();

    bool isOpen() const { return m_cus.isOpen(); }
    // Reads the first page and computes the outstanding balance.
    void open();
    core::ListWindow& list() { return *m_list; }
    // "&View" (also Enter and double-click).
    void view();
    // The business's outstanding balance, in cents, as last computed.
    std::int64_t outstanding() const { return m_outstanding; }
    // Computes it again, inside the "Calculating Totals" wait window.
    void computeOutstanding();
    // The view shows "Calculating Totals" while `on`.
    void setCalculatingListener(std::function<void(bool on)> l) { m_onCalculating = std::move(l); }

    // --- the port the list runs its form through ---
    core::Button message(std::string_view caption, std::string_view text, core::Icon icon, core::ButtonSet buttons,
                         core::Button defaultButton) override;
    void beep(int frequency, int duration) override;
    void setBusy(bool on) override;
    void endProgram(std::string_view text) override;
    core::WindowResponse runWindow(core::WindowName window, const core::WindowRequest& request) override;

private:
    core::Database& m_db;
    core::UiPort& m_ui;
    core::HeldTable<core::Customer> m_cus;
    std::unique_ptr<core::ListWindow> m_list;
    std::int64_t m_outstanding = 0;
    std::function<void(bool)> m_onCalculating;
};

}  // namespace quay::desk
