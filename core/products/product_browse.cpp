// Columns and tabs of the product list; the Price column follows Glo:PriceClass
// each time a row is read.
#include "quay/products/product_browse.h"

#include <cctype>

#include "quay/app/globals.h"
#include "quay/types/picture.h"

namespace quay::core {

Decimal<13, 4> classPrice(const Products& p, std::string_view code) {
    while (!code.empty() && code.back() == ' ') code.remove_suffix(1);
    const char c = code.size() == 1 ? static_cast<char>(std::toupper(static_cast<unsigned char>(code[0]))) : '\0';
    switch (c) {
    case '1': return p.PRICECLASS1;
    case '2': return p.PRICECLASS2;
    case '3': return p.PRICECLASS3;
    case '4': return p.PRICECLASS4;
    case '5': return p.PRICECLASS5;
    case '6': return p.PRICECLASS6;
    case 'C': return p.COST;
    default: return p.MSRP;
    }
}

ListSpec productBrowseSpec(int pricePlaces) {
    ListSpec s;
    s.procedure = "ProductBrowse";
    s.title = "Product List";
    s.formProcedure = "ProductForm";
    s.columns = {{"Part#", 20, false},  {"Group", 15, false},   {"Description", 35, false},
                 {"On Hand", 13, true}, {"On Order", 13, true}, {"Price", 13, true}};
    const Picture price = *Picture::parse(pricePlaces == 2 ? "@n$-13.2" : "@n$-13.4");
    s.format = rowCells<Products>([price](const Products& p) {
        static const Picture qty = *Picture::parse("@n-13.2");
        return std::vector<std::string>{
            p.PartNum.str(),          p.Group.str(),
            p.DESCRIPTION.str(),      cellText(qty, p.OnHand),
            cellText(qty, p.OnOrder), cellText(price, classPrice(p, glo.PriceClass.view()))};
    });
    s.tabs = {{"by &Part#", Products::ByActivePartNum, fieldOf(&Products::PartNum)},
              {"by &Group", Products::ByActiveGroup, fieldOf(&Products::Group)},
              {"by &Description", Products::ByActiveDesc, fieldOf(&Products::DESCRIPTION)}};
    s.activeField = fieldOf(&Products::Active);
    s.activeTip = "Active Products Only";
    return s;
}

}  // namespace quay::core
