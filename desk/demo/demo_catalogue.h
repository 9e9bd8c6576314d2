// The demo company's master lists as plain data, for the demo data set.
#pragma once

#include <string_view>
#include <vector>

namespace quay::desk::detail {

struct DemoProduct {
    std::string_view partNum;
    std::string_view description;
    std::string_view group;
    std::string_view manufacturer;
    double cost;
    double msrp;
    int onHand;
    int minQty;
    std::string_view location;
};

struct DemoParty {
    std::string_view name;
    std::string_view first;
    std::string_view last;
    std::string_view address;
    std::string_view city;
    std::string_view state;
    std::string_view zip;
    std::string_view phone;
    std::string_view email;
};

const std::vector<DemoProduct>& demoProducts();
const std::vector<DemoParty>& demoCustomers();
const std::vector<DemoParty>& demoVendors();
const std::vector<DemoParty>& demoManufacturers();
const std::vector<std::string_view>& demoGroups();
const std::vector<std::string_view>& demoTerms();
const std::vector<std::string_view>& demoShippingMethods();
const std::vector<std::string_view>& demoTips();

struct DemoSalesperson {
    std::string_view initials;
    std::string_view first;
    std::string_view last;
};
const std::vector<DemoSalesperson>& demoSalespeople();

}  // namespace quay::desk::detail
