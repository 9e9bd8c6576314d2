// The product lists. One job prints them all: the report chosen decides the title, the
// record set and its order, the line and the groups and totals. A product passes the
// pick lists as every product report tests them (product_picks.h).
#include <memory>

#include "quay/app/globals.h"
#include "quay/app/last_error.h"
#include "quay/app/standard_messages.h"
#include "quay/reports/engine/group_break.h"
#include "quay/reports/products/product_reports.h"
#include "quay/reports/run/house_layout.h"
#include "quay/reports/run/house_report.h"
#include "quay/reports/select/product_picks.h"
#include "quay/tables/products.h"
#include "quay/tables/ven_prods.h"
#include "quay/tools/pick_queues.h"

namespace quay::reports {

using core::glo;

namespace {

enum class ProductList { CountSheet, BelowMinimum, InventoryCost, Catalog, PriceList, AllPrices };
enum ProductBand { kHeading = 1, kGroupHeader, kLine, kComments, kGroupTotal, kGrandTotal };

using Money = core::Decimal<18, 2>;

struct ProductChoice {
    ProductList list = ProductList::CountSheet;
    bool byGroup = false;
    std::string priceClass = "R";  // "1" to "6", "C", "R"; "A" all prices
};

std::string titleOf(const ProductChoice& c) {
    switch (c.list) {
    case ProductList::CountSheet: return c.byGroup ? "Product Count Sheets by Group" : "Product Count Sheets by Part#";
    case ProductList::BelowMinimum:
        return c.byGroup ? "Inventory Below Minimum Qty by Group" : "Inventory Below Minimum Qty";
    case ProductList::InventoryCost: return c.byGroup ? "Inventory Cost by Group" : "Inventory Cost";
    case ProductList::Catalog: return c.byGroup ? "Product Catalog by Group" : "Product Catalog";
    case ProductList::PriceList: return "Price List";
    case ProductList::AllPrices: return "Price List - All Classes (Confidential)";
    }
    return {};
}

std::string priceHeading(const std::string& cls) {
    if (cls.size() == 1 && cls[0] >= '1' && cls[0] <= '6') return "Price Class " + cls;
    return cls == "C" ? "Cost" : "MSRP";
}

const core::Decimal<13, 4>& chosenPrice(const core::Products& p, const std::string& cls) {
    const core::Decimal<13, 4>* classes[] = {&p.PRICECLASS1, &p.PRICECLASS2, &p.PRICECLASS3,
                                             &p.PRICECLASS4, &p.PRICECLASS5, &p.PRICECLASS6};
    if (cls.size() == 1 && cls[0] >= '1' && cls[0] <= '6') return *classes[cls[0] - '1'];
    return cls == "C" ? p.COST : p.MSRP;
}

constexpr const char* kQty = "@n-12.2";
constexpr const char* kPrice = "@n$-13.2";

class ProductReportJob final : public HouseReport {
public:
    ProductReportJob(core::Database& db, ProductChoice choice)
        : HouseReport(db), m_choice(std::move(choice)), m_products(db), m_venProds(db) {}

    std::string title() const override { return titleOf(m_choice); }

    ReportLayout layout() const override {
        using namespace house;
        ReportLayout l = house::layout(title());
        const bool all = m_choice.list == ProductList::AllPrices;
        if (all) l.setPage(l.page().landscape());
        const Units body = l.page().bodyWidth();
        Band& head = l.addBand(kHeading, BandKind::PageHeader, 980);
        head.add(textControl("company", 0, 0, 5000, kRow, "", kBold));
        head.add(textControl("", 0, 200, 5200, 320, title(), kTitle));
        head.add(textControl("subtitle", 0, 540, 5200, kRow, "", kText));
        addRunStamp(head);
        head.add(lineControl("", 0, 970, body, 0));
        // name, caption, x, width, picture ("" a text; "box" an empty column to write in)
        struct Col {
            const char* name;
            std::string caption;
            Units x, w;
            const char* picture;
        };
        std::vector<Col> cols;
        switch (m_choice.list) {
        case ProductList::CountSheet:
        case ProductList::BelowMinimum: {
            const bool below = m_choice.list == ProductList::BelowMinimum;
            cols = {{"", "Count", 0, 700, "box"},
                    {"part", "Part#", 800, 1300, ""},
                    {"description", "Description", 2100, 2000, ""},
                    {"group", "Group", 4100, 900, ""},
                    {"min", "Min Qty", 5000, 600, kQty},
                    {"msrp", "MSRP", 5600, 750, kPrice},
                    {"onHand", "On Hand", 6350, 600, kQty},
                    {"onOrder", "On Order", 6950, 550, kQty}};
            if (below) {
                cols[3].w = 600, cols[4].x = 4700, cols[5].x = 5300, cols[6].x = 6050, cols[7].x = 6600;
                cols.push_back({"", "Order", 7150, 350, "box"});
            }
            break;
        }
        case ProductList::InventoryCost:
            cols = {{"onHand", "Qty On Hand", 0, 900, kQty},          {"part", "Part#", 1000, 1300, ""},
                    {"description", "Description", 2300, 2300, ""},   {"group", "Group", 4600, 1000, ""},
                    {"costEach", "Cost Each", 5600, 950, "@n$-13.4"}, {"cost", "Cost", 6550, 950, kPrice}};
            break;
        case ProductList::Catalog:
            cols = {{"part", "Part#", 0, 1400, ""},
                    {"description", "Description", 1400, 2700, ""},
                    {"group", "Group", 4100, 1200, ""},
                    {"price", "Sale Price", 5300, 1100, kPrice},
                    {"msrp", "MSRP", 6400, 1100, kPrice}};
            break;
        case ProductList::PriceList:
            cols = {{"part", "Part#", 0, 1400, ""},
                    {"description", "Description", 1400, 2700, ""},
                    {"group", "Group", 4100, 1200, ""},
                    {"msrp", "MSRP", 5300, 1100, kPrice},
                    {"price", priceHeading(m_choice.priceClass), 6400, 1100, kPrice}};
            break;
        case ProductList::AllPrices: {
            cols = {{"part", "Part#", 0, 1300, ""}, {"description", "Description", 1300, 2200, ""}};
            static const char* names[] = {"class1", "class2", "class3", "class4", "class5", "class6", "cost", "msrp"};
            static const char* captions[] = {"Class 1", "Class 2", "Class 3", "Class 4",
                                             "Class 5", "Class 6", "Cost",    "MSRP"};
            for (int i = 0; i < 8; ++i) cols.push_back({names[i], captions[i], 3500 + i * 812, 812, "@n-12.4"});
            break;
        }
        }
        for (const Col& c : cols)
            head.add(textControl("", c.x, 780, c.w - 40, kRow, c.caption, kBold,
                                 c.picture[0] == '@' ? Alignment::Right : Alignment::Left));
        Band& line = l.addBand(kLine, BandKind::Detail, kRow + 40);
        for (const Col& c : cols) {
            const bool figure = c.picture[0] == '@';
            if (std::string_view(c.picture) == "box")
                line.add(lineControl("", c.x + 40, kRow, c.w - 120, 0, 5));
            else if (figure)
                line.add(fieldControl(c.name, c.x, 20, c.w - 40, kRow, c.picture, kText, Alignment::Right));
            else
                line.add(textControl(c.name, c.x, 20, c.w - 60, kRow, "", kText));
        }
        if (hasGroups()) {
            Band& group = l.addBand(kGroupHeader, BandKind::GroupHeader, 280);
            group.keepWithNext = true;
            group.add(textControl("", 0, 80, 700, kRow, "Group:", kBold));
            group.add(textControl("groupName", 700, 80, 3000, kRow, "", kBold));
        }
        if (m_choice.list == ProductList::Catalog) {
            Band& comments = l.addBand(kComments, BandKind::Detail, kRow);
            comments.add(wrappedText("comments", 1400, 0, body - 1400, kRow, "", kSmall));
        }
        if (m_choice.list == ProductList::InventoryCost) {
            Band& groupTotal = l.addBand(kGroupTotal, BandKind::GroupFooter, 300);
            groupTotal.add(lineControl("", 6550, 20, 950, 0));
            groupTotal.add(textControl("", 4600, 60, 1900, kRow, "Group Total:", kBold, Alignment::Right));
            groupTotal.add(fieldControl("groupTotal", 6550, 60, 910, kRow, kPrice, kBold, Alignment::Right));
            Band& grand = l.addBand(kGrandTotal, BandKind::Totals, 360);
            grand.add(lineControl("", 6550, 30, 950, 0));
            grand.add(textControl("", 4600, 100, 1900, kRow, "Grand Total:", kBold, Alignment::Right));
            grand.add(fieldControl("grandTotal", 6550, 100, 910, kRow, kPrice, kBold, Alignment::Right));
        }
        return l;
    }

private:
    bool hasGroups() const {
        return m_choice.list == ProductList::InventoryCost ||
               (m_choice.byGroup &&
                (m_choice.list == ProductList::CountSheet || m_choice.list == ProductList::BelowMinimum ||
                 m_choice.list == ProductList::Catalog));
    }
    bool readsByGroup() const { return hasGroups(); }

    std::vector<core::Table*> tables() override { return {&m_products, &m_venProds}; }

    bool start(core::UiPort&, ReportRun& run) override {
        run.setText("company", company().COMPANYNAME.str());
        stampRun(run);
        m_picks = ProductPicks::fromLists();
        std::string subtitle;
        for (auto [inUse, word] : {std::pair{m_picks.parts.inUse(), " Products,"},
                                   {m_picks.groups.inUse(), " Groups,"},
                                   {m_picks.makers.inUse(), " Manufacturers,"},
                                   {m_picks.vendors.inUse(), " Vendors,"}})
            if (inUse) subtitle += word;
        if (!subtitle.empty()) subtitle = "Filters: " + subtitle.substr(0, subtitle.size() - 1);
        run.setText("subtitle", subtitle.substr(0, 80));
        m_inStockOnly = glo.InStockItems != 0;
        setRecords(m_products, readsByGroup() ? core::Products::byGroup : core::Products::byPartNum).keepIf([this] {
            return kept();
        });
        return true;
    }

    bool kept() {
        const core::Products& p = m_products.rec;
        switch (m_choice.list) {
        case ProductList::InventoryCost:
            if (p.OnHand <= core::Decimal<13, 2>()) return false;
            break;
        case ProductList::BelowMinimum:
            if (!(p.MinQty > p.OnHand + p.OnOrder)) return false;
            [[fallthrough]];
        default:
            if (m_inStockOnly && p.OnHand.isZero()) return false;
        }
        // A vendor part number that cannot be read is said at the end of the walk.
        return m_picks.accepts(p, m_venProds);
    }

    bool printRecord(core::UiPort& ui, ReportRun& run) override {
        if (m_picks.readFailed()) {
            core::saveError(m_venProds);
            core::showStandardMessage(ui, core::StandardMessage::RecordRetrievalError, {m_venProds.desc().name});
            return false;
        }
        const core::Products& p = m_products.rec;
        if (hasGroups() && m_group.changed(p.Group.str())) {
            if (m_group.hadPrevious()) closeGroup(run);
            run.setText("groupName", p.Group.str());
            run.print(kGroupHeader);
        }
        run.setText("part", p.PartNum.str());
        run.setText("description", p.DESCRIPTION.str());
        run.setText("group", p.Group.str());
        switch (m_choice.list) {
        case ProductList::CountSheet:
        case ProductList::BelowMinimum:
            run.setValue("min", p.MinQty);
            run.setValue("msrp", p.MSRP);
            run.setValue("onHand", p.OnHand);
            run.setValue("onOrder", p.OnOrder);
            break;
        case ProductList::InventoryCost: {
            Money cost;
            if (cost.assign(p.COST * p.OnHand) != core::DecimalStatus::Ok ||
                (m_groupTotal += cost) != core::DecimalStatus::Ok ||
                (m_grandTotal += cost) != core::DecimalStatus::Ok) {
                ui.inform("Report Error", "The totals are too large to print.", core::Icon::Error);
                return false;
            }
            run.setValue("onHand", p.OnHand);
            run.setValue("costEach", p.COST);
            run.setValue("cost", cost);
            break;
        }
        case ProductList::Catalog:
        case ProductList::PriceList: {
            core::Decimal<13, 2> price;
            (void)price.assign(chosenPrice(p, m_choice.priceClass));
            run.setValue("price", price);
            run.setValue("msrp", p.MSRP);
            break;
        }
        case ProductList::AllPrices:
            run.setValue("class1", p.PRICECLASS1);
            run.setValue("class2", p.PRICECLASS2);
            run.setValue("class3", p.PRICECLASS3);
            run.setValue("class4", p.PRICECLASS4);
            run.setValue("class5", p.PRICECLASS5);
            run.setValue("class6", p.PRICECLASS6);
            run.setValue("cost", p.COST);
            run.setValue("msrp", p.MSRP);
            break;
        }
        run.print(kLine);
        if (m_choice.list == ProductList::Catalog && glo.PrintComments && !house::trimmed(p.Comments.view()).empty()) {
            run.setText("comments", p.Comments.str());
            run.print(kComments);
        }
        ++m_printed;
        return true;
    }

    void closeGroup(ReportRun& run) {
        if (m_choice.list != ProductList::InventoryCost) return;
        run.setValue("groupTotal", m_groupTotal);
        run.print(kGroupTotal);
        m_groupTotal.clear();
    }

    void finish(core::UiPort& ui, ReportRun& run) override {
        if (m_picks.readFailed()) {
            core::saveError(m_venProds);
            core::showStandardMessage(ui, core::StandardMessage::RecordRetrievalError, {m_venProds.desc().name});
            return;
        }
        if (m_printed == 0) return;
        if (m_group.isOpen()) closeGroup(run);
        if (m_choice.list == ProductList::InventoryCost) {
            run.setValue("grandTotal", m_grandTotal);
            run.print(kGrandTotal);
        }
    }

    ProductChoice m_choice;
    core::Handle<core::Products> m_products;
    core::Handle<core::VenProds> m_venProds;
    ProductPicks m_picks;
    bool m_inStockOnly = false;
    GroupBreak<std::string> m_group;
    Money m_groupTotal, m_grandTotal;
    long m_printed = 0;
};

SelectionSpec productSpec(const char* procedure, const char* title) {
    return SelectionSpec{.procedure = procedure,
                         .title = title,
                         .picks = {PickKind::Products, PickKind::Groups, PickKind::Vendors, PickKind::Manufacturers},
                         .flags = {{.caption = "In Stock Items Only", .global = &core::Globals::InStockItems}},
                         .clearPicksOnOpen = true};
}

SelectionChoice sortChoice(const char* partCaption, const std::shared_ptr<ProductChoice>& choice) {
    return {.caption = "Sort Order",
            .options = {{partCaption, "P"}, {"Group", "G"}},
            .atOpen = "P",
            .store = [choice](const std::string& v) { choice->byGroup = v == "G"; }};
}

std::vector<SelectionChoice::Option> classOptions(bool withAll) {
    std::vector<SelectionChoice::Option> o;
    if (withAll) o.push_back({"A", "A"});
    for (const char* c : {"1", "2", "3", "4", "5", "6", "C", "R"}) o.push_back({c, c});
    return o;
}

ReportJobFactory productJob(const std::shared_ptr<ProductChoice>& choice) {
    return [choice](core::Database& db) {
        ProductChoice c = *choice;
        if (c.list == ProductList::PriceList && c.priceClass == "A") c.list = ProductList::AllPrices;
        return std::make_unique<ProductReportJob>(db, c);
    };
}

}  // namespace

ReportWindow inventoryLevelsWindow() {
    auto choice = std::make_shared<ProductChoice>();
    SelectionSpec spec = productSpec("InventoryLevelsSelect", "Count Sheets Report Selection");
    spec.choices.push_back({.caption = "Report Type",
                            .options = {{"Count Sheets", "C"}, {"Inventory Cost", "I"}, {"Below Minimum Levels", "B"}},
                            .atOpen = "C",
                            .store = [choice](const std::string& v) {
                                choice->list = v == "I"   ? ProductList::InventoryCost
                                               : v == "B" ? ProductList::BelowMinimum
                                                          : ProductList::CountSheet;
                            }});
    spec.choices.push_back(sortChoice("PartNum", choice));
    return {std::move(spec), productJob(choice)};
}

ReportWindow productCatalogWindow() {
    auto choice = std::make_shared<ProductChoice>();
    choice->list = ProductList::Catalog;
    SelectionSpec spec = productSpec("PrdCatSelect", "Product Catalog Selection");
    spec.flags.push_back({.caption = "Print Comments", .global = &core::Globals::PrintComments});
    spec.choices.push_back({.caption = "Price Class",
                            .options = classOptions(false),
                            .atOpen = "R",
                            .store = [choice](const std::string& v) { choice->priceClass = v; }});
    spec.choices.push_back(sortChoice("Part Number", choice));
    return {std::move(spec), productJob(choice)};
}

ReportWindow priceListWindow() {
    auto choice = std::make_shared<ProductChoice>();
    choice->list = ProductList::PriceList;
    SelectionSpec spec = productSpec("PriceListSelect", "Price List Selection");
    spec.choices.push_back({.caption = "Select Price Class",
                            .options = classOptions(true),
                            .atOpen = "R",
                            .store = [choice](const std::string& v) { choice->priceClass = v; }});
    return {std::move(spec), productJob(choice)};
}

}  // namespace quay::reports
