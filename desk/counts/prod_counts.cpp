// The physical-count list and form.
#include "counts/prod_counts.h"

#include "quay/app/standard_messages.h"
#include "quay/tables/products.h"
#include "quay/types/picture.h"

namespace quay::desk {

using namespace core;

ListSpec prodCountsSpec() {
    ListSpec s;
    s.procedure = "BrowseProdCounts";
    s.title = "Product Counts";
    s.heading = "Product Counts List";
    s.formProcedure = "ProdCountsForm";
    s.columns = {{"Part#", 20, false},
                 {"Description", 35, false},
                 {"On Hand", 13, true},
                 {"On Order", 13, true},
                 {"Min Qty", 13, true}};
    s.format = rowCells<Products>([](const Products& p) {
        static const Picture qty = *Picture::parse("@n-13.2");
        return std::vector<std::string>{p.PartNum.str(), p.DESCRIPTION.str(), cellText(qty, p.OnHand),
                                        cellText(qty, p.OnOrder), cellText(qty, p.MinQty)};
    });
    s.tabs = {{"by &Part#", Products::byPartNum, fieldOf(&Products::PartNum)},
              {"by &Description", Products::byDescription, fieldOf(&Products::DESCRIPTION)}};
    return s;
}

namespace {

FormSpec countsSpec() {
    FormSpec s;
    s.procedure = "ProdCountsForm";
    s.title = "Change Product Counts";
    return s;
}

}  // namespace

ProdCountsForm::ProdCountsForm(Database& db, UiPort& ui, Table& products, const WindowRequest& request)
    : FormWindow(db, ui, products, countsSpec(), request) {
    FormLayout& l = mutableLayout();
    l.fields.push_back(formField("Part#:", fieldOf(&Products::PartNum), FieldKind::Display));
    l.fields.push_back(formField("Group:", fieldOf(&Products::Group), FieldKind::Display));
    l.fields.push_back(formField("Description:", fieldOf(&Products::DESCRIPTION), FieldKind::Display));
    l.fields.push_back(formField("Quantity On Hand:", fieldOf(&Products::OnHand), FieldKind::Entry, "@n-13.2"));
    l.fields.push_back(formField("Quantity On Order:", fieldOf(&Products::OnOrder), FieldKind::Entry, "@n-13.2"));
    l.fields.push_back(formField("On Backorder:", fieldOf(&Products::ONBKORD), FieldKind::Entry, "@n-13.2"));
    l.fields.push_back(formField("Minimum On Hand Quantity:", fieldOf(&Products::MinQty), FieldKind::Entry, "@n-13.2"));
}

int ProdCountsForm::firstField() const { return fieldOf(&Products::OnHand); }

bool ProdCountsForm::mayOpen() {
    // Counts correct stored products; they never make or remove one.
    if (request() == Request::Insert) {
        showStandardMessage(ui(), StandardMessage::InsertDisabled);
        return false;
    }
    if (request() == Request::Delete) {
        showStandardMessage(ui(), StandardMessage::DeleteDisabled);
        return false;
    }
    return true;
}

}  // namespace quay::desk
