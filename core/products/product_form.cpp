// The product form. The derived defaults start from the product's own class prices,
// so a class whose method is blank shows (and on "Set Price Classes to &Default"
// keeps) the price it has.
#include "quay/products/product_form.h"

#include "quay/app/last_error.h"
#include "quay/app/standard_messages.h"
#include "quay/defaults/company_defaults.h"
#include "quay/ui/field_lookup.h"
#include "quay/tables/defaults.h"
#include "quay/types/picture.h"

namespace quay::core {
namespace {

FormSpec productSpec() {
    FormSpec s;
    s.procedure = "ProductForm";
    s.title = "Product Form";
    return s;
}

ClassPrices classesOf(const Products& p) {
    return {p.PRICECLASS1, p.PRICECLASS2, p.PRICECLASS3, p.PRICECLASS4, p.PRICECLASS5, p.PRICECLASS6};
}

}  // namespace

int ProductForm::field(const char* name) { return Products::desc().fieldIndex(name); }

ProductForm::ProductForm(Database& db, UiPort& ui, Table& products, const WindowRequest& request)
    : FormWindow(db, ui, products, productSpec(), request),
      m_venProds(db),
      m_venProdsAccess(ui, m_venProds),
      m_groups(db),
      m_groupsAccess(ui, m_groups),
      m_manufact(db),
      m_manufactAccess(ui, m_manufact) {
    RelatedListSpec v;
    v.formProcedure = "VendorPartForm";
    v.headings = {"Vendor", "Ven.Part#"};
    v.key = VenProds::byPartNum;
    v.start = recordSetter<VenProds>([this](VenProds& p) { p.PartNum = owner(); });
    v.belongs = rowsWhere<VenProds>([this](const VenProds& p) { return p.PartNum.equalsNoCase(owner()); });
    v.format = rowCells<VenProds>([](const VenProds& p) {
        return std::vector<std::string>{p.Vendor.str(), p.VENPARTNUM.str()};
    });
    m_vendors = std::make_unique<RelatedList>(ui, m_venProds, v);
    m_vendors->setFormListener([this](Request req, Response resp) {
        if (this->request() == Request::Insert && req == Request::Insert && resp == Response::Completed)
            m_pairsOfInsert.push_back(m_venProds.rec.VPRID);
    });
}

ProductForm::~ProductForm() = default;

std::string ProductForm::owner() const {
    if (request() == Request::Change && !original().empty())
        return static_cast<const Products*>(static_cast<const void*>(original().data()))->PartNum.str();
    return static_cast<const Products*>(const_cast<ProductForm*>(this)->table().buffer())->PartNum.str();
}

bool ProductForm::mayOpen() {
    HeldTable<Defaults> defaults(database(), ui());
    if (!defaults.isOpen() || GETCOMPANYDEFAULTS(defaults.handle, 1) != 0) {
        ui().message("ERROR", "Error reading Defaults.  Please run Utilities - Defaults to set system defaults.",
                     Icon::Warning, Button::Ok, Button::Ok);
        return false;
    }
    m_rules = PriceClassRules::fromDefaults(defaults.rec());
    if (defaults.rec().ROUNDPC.equalsNoCase("C")) m_pricePicture = "@n$-11.2";
    if (!m_venProdsAccess.isOpen() || !m_groupsAccess.isOpen() || !m_manufactAccess.isOpen()) return false;
    buildLayout();
    if (request() != Request::Delete) {
        deriveDefaults();
        m_vendors->load();
    }
    return true;
}

bool ProductForm::primeInsert() {
    Products& p = rec();
    p.Active = 1;
    p.ADJUSTSTOCK = 1;
    p.SALESTAXABLE1 = 1;
    p.SALESTAXABLE2 = 1;
    p.TRACKSERIAL = "OPT";
    deriveDefaults();
    m_vendors->load();
    return true;
}

void ProductForm::buildLayout() {
    FormLayout& l = mutableLayout();
    l = FormLayout{};
    const std::string main = "&General";
    l.tabs = {main, "&Vendors", "Co&mments"};
    auto add = [&](const char* label, const char* name, FieldKind kind = FieldKind::Entry, std::string picture = {},
                   bool beside = false, const std::string& tab = "&General") {
        FormField f;
        f.label = label;
        f.field = field(name);
        f.kind = kind;
        f.picture = std::move(picture);
        f.besideLast = beside;
        f.tab = tab;
        l.fields.push_back(f);
    };
    const bool cents = m_pricePicture == "@n$-11.2";
    add("Part#:", "PartNum");
    add("Active", "Active", FieldKind::Check, {}, true);
    add("Group:", "Group", FieldKind::Lookup);
    add("Description:", "DESCRIPTION");
    add("Manufacturer:", "MANUFACTURER", FieldKind::Lookup);
    add("MSRP:", "MSRP", FieldKind::Entry, cents ? m_pricePicture : "@n$-14.4");
    add("Cost:", "COST", FieldKind::Entry, cents ? m_pricePicture : "@n$-13.4", true);
    add("Adjust Stock when Sold", "ADJUSTSTOCK", FieldKind::Check);
    add("Min Qty:", "MinQty", FieldKind::Entry, "@n-13.2", true);
    add("On Hand:", "OnHand", FieldKind::Entry, "@n-13.2");
    add("On Order:", "OnOrder", FieldKind::Entry, "@n-13.2", true);
    add("On Backorder:", "ONBKORD", FieldKind::Entry, "@n-13.2", true);
    add("Taxable 1", "SALESTAXABLE1", FieldKind::Check);
    add("Taxable 2", "SALESTAXABLE2", FieldKind::Check, {}, true);
    add("Track S/N's:", "TRACKSERIAL", FieldKind::Choice, {}, true);
    l.fields.back().choices = "YES|NO|OPT";
    static const char* const kClasses[] = {"PRICECLASS1", "PRICECLASS2", "PRICECLASS3",
                                           "PRICECLASS4", "PRICECLASS5", "PRICECLASS6"};
    for (int i = 0; i < 6; ++i) {
        const std::string label = std::to_string(i + 1) + ":";
        add("", kClasses[i], FieldKind::Entry, m_pricePicture);
        l.fields.back().label = label;
        FormField d;
        d.label = "Default:";
        d.kind = FieldKind::Display;
        d.picture = m_pricePicture;
        d.tab = main;
        d.besideLast = true;
        d.text = [this, i] {
            const auto p = Picture::parse(m_pricePicture);
            return p ? p->format(m_defaults[static_cast<std::size_t>(i)])
                     : m_defaults[static_cast<std::size_t>(i)].toString();
        };
        l.fields.push_back(d);
    }
    l.buttons.push_back({"Set Price Classes to &Default", main, [this] { setPriceClassesToDefault(); }});
    l.lists.push_back({"&Vendors", m_vendors.get(), true, {}});
    add("Comments:", "Comments", FieldKind::Memo, {}, false, "Co&mments");
    l.fields.back().note = "These comments will be printed on all Quotes and Invoices.";
    add("Remarks:", "Remarks", FieldKind::Memo, {}, false, "Co&mments");
    l.fields.back().note =
        "These comments are for internal information only.  They are NOT printed on Quotes and Invoices.";
}

void ProductForm::deriveDefaults() {
    const Products& p = rec();
    ClassPrices prices = classesOf(p);
    if (derivePriceClasses(m_rules, p.COST, p.MSRP, prices) == DecimalStatus::Ok)
        m_defaults = prices;
    else
        m_defaults = classesOf(p);
}

void ProductForm::setPriceClassesToDefault() {
    Products& p = rec();
    ClassPrices prices = classesOf(p);
    const DecimalStatus s = derivePriceClasses(m_rules, p.COST, p.MSRP, prices);
    if (s != DecimalStatus::Ok) {
        // Nothing is copied: a product never gets some classes derived and others not.
        ui().message("Range Error", std::string(decimalStatusText(s)), Icon::Warning, Button::Ok, Button::Ok);
        return;
    }
    m_defaults = prices;
    p.PRICECLASS1 = prices[0];
    p.PRICECLASS2 = prices[1];
    p.PRICECLASS3 = prices[2];
    p.PRICECLASS4 = prices[3];
    p.PRICECLASS5 = prices[4];
    p.PRICECLASS6 = prices[5];
    reloaded();
}

bool ProductForm::accept(int f) {
    if (f == field("COST") || f == field("MSRP")) {
        deriveDefaults();
        return true;
    }
    if (f == field("PartNum")) {
        if (request() == Request::Insert) m_vendors->load();
        return true;
    }
    if (f == field("Group") || f == field("MANUFACTURER")) return pick(f, false);
    return true;
}

bool ProductForm::lookup(int f) {
    if (f == field("Group") || f == field("MANUFACTURER")) return pick(f, true);
    return false;
}

bool ProductForm::pick(int f, bool browse) {
    Products& p = rec();
    const bool group = f == field("Group");
    FieldLookup lookup =
        group ? FieldLookup(ui(), m_groups,
                            LookupSpec{Groups::byGroup, fieldOf(&Groups::GROUP), "GROUPSBROWSE", {}, true})
              : FieldLookup(ui(), m_manufact,
                            LookupSpec{Manufact::byName, fieldOf(&Manufact::NAME), "MANUFACTBROWSE", {}, true});
    const LookupResult r = browse ? lookup.browse() : lookup.check(group ? p.Group.view() : p.MANUFACTURER.view());
    if (!r.accepted()) {
        if (!browse) requestFocus(f);
        return false;
    }
    if (group)
        p.Group = r.value;
    else
        p.MANUFACTURER = r.value;
    return true;
}

void ProductForm::afterWrite() {
    if (request() != Request::Insert) return;
    // Pairings added while the part number was still being typed name an earlier text.
    for (const std::int32_t id : m_pairsOfInsert) {
        m_venProds.clear();
        m_venProds.rec.VPRID = id;
        if (m_venProds.get(VenProds::byVPRId) != ErrorCode::None) continue;
        if (m_venProds.rec.PartNum == rec().PartNum) continue;
        m_venProds.rec.PartNum = rec().PartNum.view();
        m_venProds.put();
    }
    m_pairsOfInsert.clear();
}

void ProductForm::afterCancelledInsert() {
    for (const std::int32_t id : m_pairsOfInsert) {
        m_venProds.clear();
        m_venProds.rec.VPRID = id;
        if (m_venProds.get(VenProds::byVPRId) == ErrorCode::None && m_venProds.erase() != ErrorCode::None) {
            saveError(m_venProds);
            showStandardMessage(ui(), StandardMessage::DeleteError, {"VenProds"});
        }
    }
    m_pairsOfInsert.clear();
}

}  // namespace quay::core
