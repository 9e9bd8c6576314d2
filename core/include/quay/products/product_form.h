// ProductForm ("Product Form"): a product with its group and manufacturer (looked
// up in their tables), cost, MSRP, stock, tax flags, serial-number tracking, the
// six class prices each with the default the company's class methods derive
// beside it, the "&Vendors" tab with the product's vendor part numbers and the
// "Co&mments" tab with the printed comments and the internal remarks.
//
// The derived defaults are shown only, never stored: computed at open and again
// whenever the cost or the MSRP is accepted. "Set Price Classes to &Default" copies
// them into the class prices; nothing else changes the class prices. With
// DEF:ROUNDPC "C" the prices show two places, otherwise the four they are kept with.
//
// A new part number is carried to the schedule and the vendor part numbers in the
// same transaction as the product; a delete takes them with it. Vendor part numbers
// added while a new product is being entered go when its insert is cancelled.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "quay/app/table_access.h"
#include "quay/defaults/price_classes.h"
#include "quay/export.h"
#include "quay/ui/form_window.h"
#include "quay/masterlists/related_list.h"
#include "quay/tables/groups.h"
#include "quay/tables/manufact.h"
#include "quay/tables/products.h"
#include "quay/tables/ven_prods.h"

namespace quay::core {

class QUAY_EXPORT ProductForm : public FormWindow {
public:
    ProductForm(Database& db, UiPort& ui, Table& products, const WindowRequest& request);
    ~ProductForm() override;

    Products& rec() { return *static_cast<Products*>(table().buffer()); }

    bool accept(int field) override;
    bool lookup(int field) override;
    std::string owner() const override;

    // The six derived defaults beside the class prices (element 0 is class 1).
    const ClassPrices& defaultPrices() const { return m_defaults; }
    // "Set Price Classes to &Default".
    void setPriceClassesToDefault();
    // The picture of the price fields: "@n$-11.2" with DEF:ROUNDPC "C", else 4 places.
    const std::string& pricePicture() const { return m_pricePicture; }
    RelatedList& vendors() { return *m_vendors; }

    static int field(const char* name);

protected:
    bool mayOpen() override;
    bool primeInsert() override;
    void afterWrite() override;
    void afterCancelledInsert() override;

private:
    void buildLayout();
    void deriveDefaults();
    bool pick(int field, bool browse);

    Handle<VenProds> m_venProds;
    TableAccess m_venProdsAccess;
    Handle<Groups> m_groups;
    TableAccess m_groupsAccess;
    Handle<Manufact> m_manufact;
    TableAccess m_manufactAccess;
    std::unique_ptr<RelatedList> m_vendors;
    PriceClassRules m_rules;
    ClassPrices m_defaults{};
    std::string m_pricePicture = "@n$-13.4";
    std::vector<std::int32_t> m_pairsOfInsert;  // VPR:VPRID added during an insert
};

}  // namespace quay::core
