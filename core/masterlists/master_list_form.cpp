// The form of the small master tables: defaults at insert, phone numbers, built
// names and address double-clicks.
#include "quay/app/table_access.h"
#include "quay/defaults/company_defaults.h"
#include "quay/tools/format_phone.h"
#include "quay/tools/mail_launch.h"
#include "quay/masterlists/master_lists.h"
#include "quay/masterlists/person_name.h"
#include "quay/ui/record_fields.h"

#include <algorithm>

namespace quay::core {

MasterListForm::MasterListForm(Database& db, UiPort& ui, Table& table, MasterListFormConfig config,
                               const WindowRequest& request)
    : FormWindow(db, ui, table, config.spec, request), m_config(std::move(config)) {
    mutableLayout() = m_config.layout;
}

bool MasterListForm::mayOpen() {
    if (m_config.phoneFields.empty()) return true;
    // The area code put in front of seven-digit numbers; without a company record
    // such numbers simply get an empty one.
    HeldTable<Defaults> defaults(database(), ui());
    if (defaults.isOpen() && GETCOMPANYDEFAULTS(defaults.handle, 1) == 0) m_areaCode = defaults.rec().DEFAREACODE;
    return true;
}

bool MasterListForm::primeInsert() {
    if (m_config.activeField >= 0) setFieldNumber(table().desc(), m_config.activeField, table().buffer(), 1);
    return true;
}

bool MasterListForm::accept(int field) {
    const TableDesc& desc = table().desc();
    void* rec = table().buffer();
    if (std::find(m_config.phoneFields.begin(), m_config.phoneFields.end(), field) != m_config.phoneFields.end()) {
        const PhoneResult formatted = formatPhone(fieldText(desc, field, rec), m_areaCode);
        if (!formatted.accepted) {
            setFieldText(desc, field, rec, "");
            return refuse(field, "A phone number has 7 or 10 digits, such as 555-0199 or 212-555-0199.");
        }
        setFieldText(desc, field, rec, formatted.text.view());
    }
    if (m_config.builtNameField >= 0 && (field == m_config.firstNameField || field == m_config.lastNameField)) {
        setFieldText(
            desc, m_config.builtNameField, rec,
            personName(fieldText(desc, m_config.firstNameField, rec), fieldText(desc, m_config.lastNameField, rec)));
    }
    return true;
}

void MasterListForm::doubleClick(int field) {
    Launcher* launcher = programLauncher();
    if (field < 0 || launcher == nullptr) return;
    const std::string address = fieldText(table().desc(), field, table().buffer());
    if (field == m_config.emailField)
        SENDEMAIL(ui(), *launcher, 0, address);
    else if (field == m_config.webField)
        OPENURL(ui(), *launcher, 0, address);
}

}  // namespace quay::core
