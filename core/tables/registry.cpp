// The registry of table descriptions, built once on first use.
#include "quay/tables/registry.h"

#include <cctype>

#include "quay/tables/all_tables.h"

namespace quay::core {

const std::vector<const TableDesc*>& fileTables() {
    static const std::vector<const TableDesc*> kTables = {
        &Customer::desc(), &Products::desc(), &Vendors::desc(),  &VenProds::desc(), &Salesmen::desc(), &Terms::desc(),
        &ShipMthd::desc(), &Groups::desc(),   &Manufact::desc(), &Comments::desc(), &TipOfDay::desc(), &Orders::desc(),
        &ItemsOrd::desc(), &Serials::desc(),  &Charges::desc(),  &Payments::desc(), &Applied::desc(),  &PO::desc(),
        &POItems::desc(),  &Schedule::desc(), &Defaults::desc(),
    };
    return kTables;
}

const std::vector<const TableDesc*>& secondHandles() {
    static const std::vector<const TableDesc*> kHandles = {&CustRef::desc(), &IteRef::desc(), &OrderRef::desc(),
                                                           &ProdRef::desc()};
    return kHandles;
}

const TableDesc* findTable(std::string_view name) {
    const auto sameName = [name](const std::string& candidate) {
        if (candidate.size() != name.size()) return false;
        for (std::size_t i = 0; i < name.size(); ++i) {
            if (std::toupper(static_cast<unsigned char>(candidate[i])) !=
                std::toupper(static_cast<unsigned char>(name[i])))
                return false;
        }
        return true;
    };
    for (const auto* list : {&fileTables(), &secondHandles()}) {
        for (const TableDesc* desc : *list) {
            if (sameName(desc->name)) return desc;
        }
    }
    return nullptr;
}

}  // namespace quay::core
