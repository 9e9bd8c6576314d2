// The lists and forms of vendors, salespeople, terms, manufacturers, groups and
// shipping methods: columns, tabs over the active keys, labels and pictures.
#include "quay/masterlists/master_lists.h"

#include "quay/tables/groups.h"
#include "quay/tables/manufact.h"
#include "quay/tables/salesmen.h"
#include "quay/tables/ship_mthd.h"
#include "quay/tables/terms.h"
#include "quay/tables/vendors.h"
#include "quay/ui/record_fields.h"

namespace quay::core {
namespace {

template <class R>
int fieldOf(const char* name) {
    return R::desc().fieldIndex(name);
}

// A formatter showing the named fields' plain text.
template <class R>
RowFormatter columnsOf(std::vector<const char*> names) {
    std::vector<int> fields;
    for (const char* n : names) fields.push_back(fieldOf<R>(n));
    return rowCells<R>([fields](const R& rec) {
        std::vector<std::string> cells;
        cells.reserve(fields.size());
        for (const int f : fields) cells.push_back(fieldText(R::desc(), f, &rec));
        return cells;
    });
}

template <class R>
FormField entry(const char* label, const char* field, const std::string& tab = {}, bool beside = false) {
    FormField f;
    f.label = label;
    f.field = fieldOf<R>(field);
    f.tab = tab;
    f.besideLast = beside;
    return f;
}

template <class R>
FormField check(const char* label, const char* field, const std::string& tab = {}, bool beside = false) {
    FormField f = entry<R>(label, field, tab, beside);
    f.kind = FieldKind::Check;
    return f;
}

// The address block every person-or-company record has.
template <class R>
void addressFields(std::vector<FormField>& out, const char* add1, const char* add2, const char* city, const char* state,
                   const char* zip, const std::string& tab) {
    out.push_back(entry<R>("Address:", add1, tab));
    out.push_back(entry<R>("", add2, tab));
    out.push_back(entry<R>("City:", city, tab));
    out.push_back(entry<R>("St/Country:", state, tab, true));
    out.push_back(entry<R>("Zip/Postal Code:", zip, tab, true));
}

}  // namespace

ListSpec vendorBrowseSpec() {
    ListSpec s;
    s.procedure = "VendorBrowse";
    s.title = "Vendor List";
    s.formProcedure = "VendorForm";
    s.columns = {{"Name / Company", 35, false}, {"First Name", 15, false}, {"Last Name", 20, false},
                 {"City", 20, false},           {"ST", 3, false},          {"Zip Code", 10, false}};
    s.format = columnsOf<Vendors>({"NAME", "FIRSTNAME", "LASTNAME", "CITY", "STATE", "ZIPCODE"});
    s.tabs = {{"by &Vendor Name", Vendors::byActiveName, fieldOf<Vendors>("NAME")},
              {"by &First Name", Vendors::byActiveFirstName, fieldOf<Vendors>("FIRSTNAME")},
              {"by &Last Name", Vendors::byActiveLastName, fieldOf<Vendors>("LASTNAME")}};
    s.activeField = fieldOf<Vendors>("Active");
    s.activeTip = "Active Vendors Only";
    return s;
}

ListSpec salespeopleBrowseSpec() {
    ListSpec s;
    s.procedure = "SalespeopleBrowse";
    s.title = "Salesperson List";
    s.formProcedure = "SalespersonForm";
    s.columns = {{"Initials", 5, false}, {"Name", 35, false}, {"First Name", 15, false}, {"Last Name", 20, false}};
    s.format = columnsOf<Salesmen>({"Initials", "NAME", "FIRSTNAME", "LASTNAME"});
    s.tabs = {{"by Salesperson &Initials", Salesmen::ByActiveInitials, fieldOf<Salesmen>("Initials")},
              {"by Salesperson &Name", Salesmen::ByActiveName, fieldOf<Salesmen>("NAME")},
              {"by &First Name of Salesperson", Salesmen::ByActiveFirst, fieldOf<Salesmen>("FIRSTNAME")}};
    s.activeField = fieldOf<Salesmen>("ACTIVE");
    s.activeTip = "Active Salespeople Only";
    return s;
}

ListSpec termsBrowseSpec() {
    ListSpec s;
    s.procedure = "TermsBrowse";
    s.title = "Terms List";
    s.formProcedure = "TermsForm";
    s.columns = {{"Terms", 15, false}};
    s.format = columnsOf<Terms>({"TERMS"});
    s.tabs = {{"by &Terms", Terms::byTerms, fieldOf<Terms>("TERMS")}};
    return s;
}

ListSpec manufactBrowseSpec() {
    ListSpec s;
    s.procedure = "ManufactBrowse";
    s.title = "Manufacturer List";
    s.formProcedure = "ManufactForm";
    s.columns = {
        {"Name", 35, false}, {"Contact", 25, false}, {"City", 20, false}, {"ST", 3, false}, {"Phone 1", 13, false}};
    s.format = columnsOf<Manufact>({"NAME", "CONTACT", "CITY", "STATE", "PHONE1"});
    s.tabs = {{"by &Name", Manufact::ByActiveName, fieldOf<Manufact>("NAME")}};
    s.activeField = fieldOf<Manufact>("ACTIVE");
    s.activeTip = "Active Manufacturers Only";
    return s;
}

ListSpec groupsBrowseSpec() {
    ListSpec s;
    s.procedure = "GroupsBrowse";
    s.title = "Group List";
    s.formProcedure = "GroupForm";
    s.columns = {{"Group", 15, false}};
    s.format = columnsOf<Groups>({"GROUP"});
    s.tabs = {{"by &Group", Groups::ByActiveGroup, fieldOf<Groups>("GROUP")}};
    s.activeField = fieldOf<Groups>("ACTIVE");
    s.activeTip = "Active Groups Only";
    return s;
}

ListSpec shipViaBrowseSpec() {
    ListSpec s;
    s.procedure = "BrowseShipVia";
    s.title = "Ship Method List";
    s.formProcedure = "ShipViaForm";
    s.columns = {{"Ship Via", 20, false}};
    s.format = columnsOf<ShipMthd>({"SHIPVIA"});
    s.tabs = {{"by Ship Via", ShipMthd::byShipVia, fieldOf<ShipMthd>("SHIPVIA")}};
    return s;
}

MasterListFormConfig vendorFormConfig() {
    MasterListFormConfig c;
    c.spec.procedure = "VendorForm";
    c.spec.title = "Vendor Form";
    const std::string g = "&General";
    c.layout.tabs = {g, "Co&mments"};
    auto& f = c.layout.fields;
    f.push_back(check<Vendors>("Active", "Active", g));
    f.push_back(check<Vendors>("Company", "COMPANY", g, true));
    f.push_back(entry<Vendors>("Name:", "NAME", g));
    f.push_back(entry<Vendors>("First Name:", "FIRSTNAME", g));
    f.push_back(entry<Vendors>("Last Name:", "LASTNAME", g, true));
    addressFields<Vendors>(f, "ADD1", "ADD2", "CITY", "STATE", "ZIPCODE", g);
    f.push_back(entry<Vendors>("Phone 1:", "PHONE1", g));
    f.push_back(entry<Vendors>("Ext:", "EXTENSION", g, true));
    f.push_back(entry<Vendors>("Phone 2:", "PHONE2", g));
    f.push_back(entry<Vendors>("Fax:", "FAX", g, true));
    f.push_back(entry<Vendors>("Mobile:", "MOBILE", g));
    f.push_back(entry<Vendors>("Pager:", "PAGER", g, true));
    f.push_back(entry<Vendors>("Terms:", "TERMS", g));
    f.push_back(entry<Vendors>("eMail:", "EMAIL", g));
    f.push_back(entry<Vendors>("WWW:", "WEBADR", g));
    FormField memo = entry<Vendors>("", "Comments", "Co&mments");
    memo.kind = FieldKind::Memo;
    f.push_back(memo);
    for (const char* p : {"PHONE1", "PHONE2", "FAX", "MOBILE", "PAGER"}) c.phoneFields.push_back(fieldOf<Vendors>(p));
    c.emailField = fieldOf<Vendors>("EMAIL");
    c.webField = fieldOf<Vendors>("WEBADR");
    c.activeField = fieldOf<Vendors>("Active");
    return c;
}

MasterListFormConfig salespersonFormConfig() {
    MasterListFormConfig c;
    c.spec.procedure = "SalespersonForm";
    c.spec.title = "Salesperson Form";
    auto& f = c.layout.fields;
    f.push_back(check<Salesmen>("Active", "ACTIVE"));
    f.push_back(entry<Salesmen>("Initials:", "Initials"));
    f.push_back(entry<Salesmen>("Name:", "NAME"));
    f.push_back(entry<Salesmen>("First Name:", "FIRSTNAME"));
    f.push_back(entry<Salesmen>("Last Name:", "LASTNAME"));
    c.firstNameField = fieldOf<Salesmen>("FIRSTNAME");
    c.lastNameField = fieldOf<Salesmen>("LASTNAME");
    c.builtNameField = fieldOf<Salesmen>("NAME");
    c.activeField = fieldOf<Salesmen>("ACTIVE");
    return c;
}

MasterListFormConfig termsFormConfig() {
    MasterListFormConfig c;
    c.spec.procedure = "TermsForm";
    c.spec.title = "Terms Form";
    c.layout.fields.push_back(entry<Terms>("Terms:", "TERMS"));
    return c;
}

MasterListFormConfig manufactFormConfig() {
    MasterListFormConfig c;
    c.spec.procedure = "ManufactForm";
    c.spec.title = "Manufacturer Form";
    auto& f = c.layout.fields;
    f.push_back(check<Manufact>("Active", "ACTIVE"));
    f.push_back(entry<Manufact>("Name:", "NAME"));
    addressFields<Manufact>(f, "ADDRESS1", "ADDRESS2", "CITY", "STATE", "ZIPCODE", {});
    f.push_back(entry<Manufact>("Phone 1:", "PHONE1"));
    f.push_back(entry<Manufact>("Phone 2:", "PHONE2", {}, true));
    f.push_back(entry<Manufact>("Fax:", "FAX"));
    f.push_back(entry<Manufact>("Contact:", "CONTACT"));
    f.push_back(entry<Manufact>("eMail:", "EMAIL"));
    f.push_back(entry<Manufact>("Web Address:", "WEBADR"));
    for (const char* p : {"PHONE1", "PHONE2", "FAX"}) c.phoneFields.push_back(fieldOf<Manufact>(p));
    c.emailField = fieldOf<Manufact>("EMAIL");
    c.webField = fieldOf<Manufact>("WEBADR");
    c.activeField = fieldOf<Manufact>("ACTIVE");
    return c;
}

MasterListFormConfig groupFormConfig() {
    MasterListFormConfig c;
    c.spec.procedure = "GroupForm";
    c.spec.title = "Group Form";
    c.layout.fields.push_back(check<Groups>("Active", "ACTIVE"));
    c.layout.fields.push_back(entry<Groups>("Group:", "GROUP"));
    c.activeField = fieldOf<Groups>("ACTIVE");
    return c;
}

MasterListFormConfig shipViaFormConfig() {
    MasterListFormConfig c;
    c.spec.procedure = "ShipViaForm";
    c.spec.title = "Shipping Method Form";
    c.layout.fields.push_back(entry<ShipMthd>("Ship Via:", "SHIPVIA"));
    return c;
}

const std::vector<MasterListMember>& masterListMembers() {
    static const std::vector<MasterListMember> members = {
        {"VendorBrowse", "VENDORBROWSE", "VendorForm", &Vendors::desc(), vendorBrowseSpec, vendorFormConfig},
        {"SalespeopleBrowse", "SALESPEOPLEBROWSE", "SalespersonForm", &Salesmen::desc(), salespeopleBrowseSpec,
         salespersonFormConfig},
        {"TermsBrowse", "TERMSBROWSE", "TermsForm", &Terms::desc(), termsBrowseSpec, termsFormConfig},
        {"ManufactBrowse", "MANUFACTBROWSE", "ManufactForm", &Manufact::desc(), manufactBrowseSpec, manufactFormConfig},
        {"GroupsBrowse", "GROUPSBROWSE", "GroupForm", &Groups::desc(), groupsBrowseSpec, groupFormConfig},
        {"BrowseShipVia", "BROWSESHIPVIA", "ShipViaForm", &ShipMthd::desc(), shipViaBrowseSpec, shipViaFormConfig},
    };
    return members;
}

}  // namespace quay::core
