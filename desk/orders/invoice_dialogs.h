// The two dialogs of invoicing: SaveInvoiceForm (caption "Save As Invoice"), where the
// user confirms the invoice, its date and the amount paid at once, and
// PostInvoicePayment (caption "Post Invoice Initial Payment"), which records how
// that amount was paid. Both only fill buffers: the save routine stores them. Both
// run on the form pattern: a refusal says which field and why, and Cancel asks
// before it throws typed changes away.
#pragma once
#include <array>
#include <string>

#include "orders/quote_details.h"
#include "quay/app/ui_port.h"
#include "quay/store/database.h"
#include "quay/tables/defaults.h"
#include "quay/tables/orders.h"
#include "quay/tables/payments.h"
#include "quay/ui/form_window.h"

namespace quay::desk {

class SaveInvoiceForm : public core::FormWindow {
public:
    static constexpr const char* kProcedure = "SaveInvoiceForm";
    static constexpr const char* kCaption = "Save As Invoice";
    static constexpr const char* kCalendarTitle = "Date Of Invoice";
    static constexpr const char* kNumberRequired = "The invoice number must be above 0.";
    static constexpr const char* kDateRequired = "Enter the invoice date: the customer's charge is dated by it.";
    static constexpr const char* kPaymentRange = "The initial payment must lie between 0 and the invoice total.";
    static constexpr const char* kNotLookedUp = "This value names no record: choose one from the list (...).";

    // REQUIRES: `order` is the caller's Orders buffer and outlives the form.
    SaveInvoiceForm(core::Database& db, core::UiPort& ui, core::Orders& order);

    // Reads the company record and prepares the buffer (packing-list switch, initial
    // payment, date). False (after "Set Company Defaults First") when there is none.
    bool open();

    core::Orders& order() { return m_order; }
    // Total less the initial payment, recomputed after every event.
    core::Decimal<13, 2> balanceDue() const;
    // Whether the initial payment in the buffer may be kept for the total.
    static bool isValidPayment(const core::Decimal<13, 2>& total, const core::Decimal<13, 2>& amount);
    // Accepting the payment field: false (with a beep) when it is outside the range.
    bool acceptPayment();
    // Accepting a typed amount: kept as the initial payment when it is in range;
    // otherwise beeps and leaves the buffer as it was.
    bool acceptPayment(const core::Decimal<13, 2>& amount);
    // "Terms:" and "Ship Via:" checked against their tables as in the header window
    // (HeaderField::TERMS or SHIPVIA); a refused value keeps the dialog from completing.
    bool acceptField(HeaderField field, bool mayOpenList = true);
    bool browseField(HeaderField field);
    // Entering the date field with no date: today. True when it was set.
    bool enterDate();
    // Accepting the invoice number the user confirmed or typed: a number above 0.
    // A number another invoice already has is settled by the save, which offers
    // the retry with the next free number.
    bool acceptInvoiceNumber();
    // Where the cursor goes when Ok refuses.
    enum class Focus { None, InvoiceNum, Date, Payment, TERMS, SHIPVIA };

    // "Ok" (FormWindow::ok): completes when the invoice has a number above 0 and a
    // date, the payment is valid and terms and ship-via were accepted; otherwise
    // beeps, says why, and focus() says where.
    Focus focus() const { return m_focus; }

protected:
    bool checkBeforeSave() override;

private:
    bool refuseAt(Focus where, const char* reason);

    core::Database& m_db;
    core::UiPort& m_ui;
    core::Orders& m_order;
    OrderLookups m_lookups;
    std::array<std::string, 2> m_accepted;  // terms and ship-via as last accepted
    Focus m_focus = Focus::None;
};

class PostInvoicePayment : public core::FormWindow {
public:
    static constexpr const char* kProcedure = "PostInvoicePayment";
    static constexpr const char* kCaption = "Post Invoice Initial Payment";
    static constexpr const char* kMethods = "Cash|Check|Credit|Accounting|Other";
    static constexpr const char* kCalendarTitle = "Date of Payment";
    static constexpr const char* kMethodRequired = "Choose how the payment was made.";
    static constexpr const char* kDateRequired = "Enter the date of the payment.";

    enum class Focus { None, Method, Date };

    explicit PostInvoicePayment(core::UiPort& ui, core::Payments& payment);

    core::Payments& payment() { return m_pay; }
    // Check number and bank can be entered for "Check"; card fields for "Credit".
    bool checkFieldsEnabled() const;
    bool cardFieldsEnabled() const;
    // "&Ok" (FormWindow::ok): completes when a method and a date are given;
    // otherwise beeps, says why and where the cursor goes.
    Focus focus() const { return m_focus; }

protected:
    bool checkBeforeSave() override;

private:
    core::Payments& m_pay;
    Focus m_focus = Focus::None;
};

}  // namespace quay::desk
