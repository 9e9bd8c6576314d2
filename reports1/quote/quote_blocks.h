// The texts a printed quote or invoice is built from, each from its records alone (the
// company heading is the house layout's): the ship-to and bill-to blocks with the contact name, the description
// of an applied payment, the order date in words, the unit-price picture and the footer
// notice. Kept apart from the report's bands so that each rule is checked on its own.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "quay/reports/run/house_layout.h"
#include "quay/tables/customer.h"
#include "quay/tables/orders.h"
#include "quay/tables/payments.h"

namespace quay::reports::detail {

inline constexpr std::size_t kAddressLines = 5;

using AddressBlock = std::array<std::string, kAddressLines>;

struct OrderAddresses {
    AddressBlock shipTo;
    AddressBlock billTo;
    std::string contact;  // the name signed for in the signature band
};

// The ship-to block from the order's own ship-to address, or the customer's when the
// order names none; the bill-to block from the bill-to customer (billTo: the customer
// CUS:BILLTO names, or nullptr when it names none or cannot be found), else a copy of the
// customer's block.
OrderAddresses orderAddresses(const core::Orders& ord, const core::Customer& cus, const core::Customer* billTo);

// The payment's date and how it was paid: "03/14/2026  Check#1234".
std::string paymentLine(const core::Payments& pay);

// A card number as printed on a document the customer keeps: all but its last four
// characters replaced by "*".
std::string maskedCardNumber(std::string_view number);

// "March 14, 2026"; empty for no date.
std::string longDate(std::int32_t day);

// The unit-price column's picture by the company's rounding of class prices.
std::string unitPricePicture(std::string_view roundPc);

// The footer's notice about the program, for "Invoice" or "Quote".
std::string footerNotice(std::string_view documentWord);

}  // namespace quay::reports::detail
