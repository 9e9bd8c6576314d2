// The small master tables' list windows and forms: vendors (the fullest member),
// salespeople, payment terms, manufacturers, product groups and shipping methods.
// Each list shows its table in the orders of its tabs with the "Active" box where
// the table has an active flag; each form is a MasterListForm: phone numbers
// brought into the house form as they are accepted (a rejected one beeps and keeps
// the cursor), e-mail and web addresses opened by double-click, the salesperson's
// name built from the last and first names, and every change and delete through
// the master-record rules.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "quay/app/ui_port.h"
#include "quay/export.h"
#include "quay/ui/form_window.h"
#include "quay/store/database.h"
#include "quay/types/fixed_string.h"
#include "quay/ui/list_window.h"

namespace quay::core {

struct MasterListFormConfig {
    FormSpec spec;
    FormLayout layout;
    std::vector<int> phoneFields;  // brought into the house form when accepted
    int emailField = -1;           // double-click: SENDEMAIL
    int webField = -1;             // double-click: OPENURL
    // A name built from first and last names whenever either is accepted (-1: none).
    int firstNameField = -1;
    int lastNameField = -1;
    int builtNameField = -1;
    int activeField = -1;  // set to 1 for a new record
};

class QUAY_EXPORT MasterListForm : public FormWindow {
public:
    MasterListForm(Database& db, UiPort& ui, Table& table, MasterListFormConfig config, const WindowRequest& request);

    bool accept(int field) override;
    void doubleClick(int field) override;

    // The company's area code read at open (for seven-digit numbers).
    const FixedString<3>& areaCode() const { return m_areaCode; }

protected:
    bool mayOpen() override;
    bool primeInsert() override;

private:
    MasterListFormConfig m_config;
    FixedString<3> m_areaCode;
};

// One member of the family: its list, its form and the names they are run under.
struct MasterListMember {
    std::string browseProcedure;  // "VendorBrowse" (settings section)
    std::string exportedName;     // "VENDORBROWSE"
    std::string formProcedure;    // "VendorForm"
    const TableDesc* table = nullptr;
    ListSpec (*browse)() = nullptr;
    MasterListFormConfig (*form)() = nullptr;
};

QUAY_EXPORT ListSpec vendorBrowseSpec();
QUAY_EXPORT ListSpec salespeopleBrowseSpec();
QUAY_EXPORT ListSpec termsBrowseSpec();
QUAY_EXPORT ListSpec manufactBrowseSpec();
QUAY_EXPORT ListSpec groupsBrowseSpec();
QUAY_EXPORT ListSpec shipViaBrowseSpec();

QUAY_EXPORT MasterListFormConfig vendorFormConfig();
QUAY_EXPORT MasterListFormConfig salespersonFormConfig();
QUAY_EXPORT MasterListFormConfig termsFormConfig();
QUAY_EXPORT MasterListFormConfig manufactFormConfig();
QUAY_EXPORT MasterListFormConfig groupFormConfig();
QUAY_EXPORT MasterListFormConfig shipViaFormConfig();

// The six members, vendors first.
QUAY_EXPORT const std::vector<MasterListMember>& masterListMembers();

}  // namespace quay::core
