// The Qt windows of the accounts: the payment form, the charge form, a customer's
// account window and the receivables list. Each is a thin view over its window
// logic: it binds the fields, forwards clicks and keys, and shows the logic's state.
#pragma once

#include <QDialog>
#include <QWidget>

#include "accounts/ar_browse.h"
#include "accounts/brws_cust_account.h"
#include "accounts/edit_charges.h"
#include "accounts/edit_payments.h"

class QLabel;
class QPushButton;
class QTableWidget;
class QLineEdit;
class QComboBox;

namespace quay::core {
class FieldBinder;
class ListView;
}  // namespace quay::core

namespace quay::desk {

// Fills a table widget from a related list, keeping its highlighted row.
void showRelatedList(QTableWidget* table, core::RelatedList& list);
QTableWidget* makeRelatedTable(const std::vector<std::string>& headings, QWidget* parent);

class EditPaymentsDialog : public QDialog {
public:
    EditPaymentsDialog(EditPayments& form, core::UiPort& ui, QWidget* parent = nullptr);
    void accept() override;
    void reject() override;

private:
    void showState();
    void load();
    EditPayments& m_form;
    bool m_loading = false;
    core::FieldBinder* m_binder = nullptr;
    QTableWidget* m_outstanding = nullptr;
    QTableWidget* m_applied = nullptr;
    QLabel* m_total = nullptr;
    QLabel* m_balance = nullptr;
    QPushButton* m_ok = nullptr;
    QPushButton* m_cancel = nullptr;
    QLineEdit* m_amount = nullptr;
    std::vector<QWidget*> m_checkFields;
    std::vector<QWidget*> m_cardFields;
};

class EditChargesDialog : public QDialog {
public:
    EditChargesDialog(EditCharges& form, core::UiPort& ui, QWidget* parent = nullptr);
    void accept() override;
    void reject() override;

private:
    EditCharges& m_form;
    core::FieldBinder* m_binder = nullptr;
    QTableWidget* m_payments = nullptr;
    QLabel* m_unpaid = nullptr;
    QWidget* m_first = nullptr;
};

class BrwsCustAccountDialog : public QDialog {
public:
    BrwsCustAccountDialog(BrwsCustAccount& window, QWidget* parent = nullptr);

private:
    void showLists();
    BrwsCustAccount& m_window;
    QTableWidget* m_payments = nullptr;
    QTableWidget* m_charges = nullptr;
    QLabel* m_paymentsTotal = nullptr;
    QLabel* m_chargesTotal = nullptr;
    QLabel* m_balance = nullptr;
};

class ARBrowseView : public QWidget {
public:
    ARBrowseView(std::shared_ptr<ARBrowse> logic, QWidget* parent = nullptr);
    core::ListView* list() const { return m_list; }

private:
    std::shared_ptr<ARBrowse> m_logic;
    core::ListView* m_list = nullptr;
    QLabel* m_outstanding = nullptr;
};

}  // namespace quay::desk
