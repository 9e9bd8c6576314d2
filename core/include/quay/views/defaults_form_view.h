// DefaultsFormView: the "Company Defaults" dialog over DefaultsForm, with the tabs
// Company Information, Defaults, Taxes, Price Classes, Invoices, Billing Comments,
// Past Due Comments and PO Comments, on the form dialog every record form uses.
#pragma once

#include "quay/app/ui_port.h"
#include "quay/company/defaults_form.h"
#include "quay/export.h"
#include "quay/views/form_dialog.h"

class QLabel;
class QLineEdit;
class QTabWidget;

namespace quay::core {

class FieldBinder;
class WindowRegistry;

class QUAY_EXPORT DefaultsFormView : public FormDialog {
    Q_OBJECT
public:
    // REQUIRES: form.open() returned true; `form` outlives the view.
    DefaultsFormView(DefaultsForm& form, UiPort& ui, QWidget* parent = nullptr);

    QTabWidget* tabs() const { return m_tabs; }

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
    QLineEdit* m_firstField = nullptr;
};

// Registers "DefaultsForm": opens the logic on the registry's data set and runs the
// dialog modally.
QUAY_EXPORT void registerDefaultsForm(WindowRegistry& registry);

}  // namespace quay::core
