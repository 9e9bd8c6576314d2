// The two dialogs of invoicing over their logic: SaveInvoiceView ("Save As
// Invoice") and PostInvoicePaymentView ("Post Invoice Initial Payment"). The
// invoice dialog shows the quote and invoice numbers, takes the date with its
// calendar ("Date Of Invoice"), terms and ship-via with their look-ups, checks the
// initial payment when it is accepted and keeps the balance due beside it. The
// payment dialog enables the check and card fields by the method. Placement
// sections "SaveInvoiceForm" and "PostInvoicePayment".
#pragma once
#include "orders/invoice_dialogs.h"
#include "quay/views/form_dialog.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;

namespace quay::core {
class FieldBinder;
}

namespace quay::desk {

class SaveInvoiceView : private core::detail::OwnedLogic<SaveInvoiceForm>, public core::FormDialog {
public:
    // REQUIRES: `order` outlives the view; the view edits it in place.
    SaveInvoiceView(core::Database& db, core::UiPort& ui, core::Orders& order, QWidget* parent = nullptr);

    // False when there is no company record (the user has been told).
    bool opened() const { return m_opened; }
    SaveInvoiceForm& logic() { return m_logic; }

protected:
    bool storeUnbound() override { return acceptPayment(); }
    QWidget* unboundWidget(int field) const override;
    bool hasUnboundEntry() const override;

private:
    // Reads the typed initial payment; false (cursor kept there) when it is refused.
    bool acceptPayment();
    void showBalance();

    core::Orders& m_order;
    core::FieldBinder* m_binder = nullptr;
    QLineEdit* m_invoice = nullptr;
    QLineEdit* m_date = nullptr;
    QLineEdit* m_payment = nullptr;
    QLineEdit* m_terms = nullptr;
    QLineEdit* m_shipVia = nullptr;
    QCheckBox* m_packList = nullptr;
    QLabel* m_balance = nullptr;
    bool m_opened = false;
};

class PostInvoicePaymentView : private core::detail::OwnedLogic<PostInvoicePayment>, public core::FormDialog {
public:
    // REQUIRES: `payment` outlives the view; the view edits it in place.
    PostInvoicePaymentView(core::UiPort& ui, core::Payments& payment, QWidget* parent = nullptr);

    PostInvoicePayment& logic() { return m_logic; }

private:
    void enableDetails();

    core::Payments& m_pay;
    core::FieldBinder* m_binder = nullptr;
    QComboBox* m_method = nullptr;
    QLineEdit* m_date = nullptr;
    QWidget* m_checkFields[2] = {nullptr, nullptr};
    QWidget* m_cardFields[4] = {nullptr, nullptr, nullptr, nullptr};
};

}  // namespace quay::desk
