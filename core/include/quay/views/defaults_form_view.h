// DefaultsFormView: the "Company Defaults" dialog over DefaultsForm, with the tabs
// Company Information, Defaults, Taxes, Price Classes, Invoices, Billing Comments,
// Past Due Comments and PO Comments. OK writes through the logic; Cancel, Escape
// and the close box cancel through it. Placement is kept under "DefaultsForm".
#pragma once

#include <QDialog>

#include "quay/app/ui_port.h"
#include "quay/company/defaults_form.h"
#include "quay/export.h"

class QLabel;
class QLineEdit;
class QTabWidget;

namespace quay::core {

class FieldBinder;
class WindowRegistry;

class QUAY_EXPORT DefaultsFormView : public QDialog {
    Q_OBJECT
public:
    // REQUIRES: form.open() returned true; `form` outlives the view.
    DefaultsFormView(DefaultsForm& form, UiPort& ui, QWidget* parent = nullptr);

    QTabWidget* tabs() const { return m_tabs; }
    FieldBinder* binder() const { return m_binder; }

    void accept() override;
    void reject() override;

private:
    QWidget* companyTab();
    QWidget* defaultsTab();
    QWidget* taxesTab();
    QWidget* priceClassesTab();
    QWidget* invoicesTab();
    QWidget* memoTab(const char* field, const QString& label);
    QWidget* pastDueTab();
    QLineEdit* text(const char* field, int chars, const char* picture = nullptr);

    DefaultsForm& m_form;
    UiPort& m_ui;
    FieldBinder* m_binder = nullptr;
    QTabWidget* m_tabs = nullptr;
    QLabel* m_status = nullptr;
    QLineEdit* m_firstField = nullptr;
};

// Registers "DefaultsForm": opens the logic on the registry's data set and runs the
// dialog modally.
QUAY_EXPORT void registerDefaultsForm(WindowRegistry& registry);

}  // namespace quay::core
