// The texts of the printed quote and invoice, rule by rule: the company heading and its
// seven lines, the ship-to and bill-to blocks with their five lines and the contact name,
// the description of each kind of payment, the order date in words, the unit-price
// picture by the company's rounding and the footer notice.
#include <gtest/gtest.h>

#include "order_data_support.h"
#include "quote_blocks.h"

namespace quay::reports::detail {
namespace {

using testing::company;
using testing::companyCustomer;
using testing::day;
using testing::person;

house::HeadingLines heading(std::initializer_list<const char*> lines) {
    house::HeadingLines h;
    std::size_t i = 0;
    for (const char* l : lines) h[i++] = l;
    return h;
}

TEST(QuoteHeading, EveryFlagSetWithBothAddressLinesPutsTheWebAddressOnLineSeven) {
    core::Defaults d = company();
    d.ADD2 = "Unit 3";
    d.PHONE2 = "(603)555-0101";
    d.FAX = "(603)555-0102";
    d.EMAIL = "office@harboursupply.test";
    d.WEBADR = "www.harboursupply.test";
    d.PRINTPHONE = d.PRINTEMAIL = d.PRINTWWW = 1;
    EXPECT_EQ(house::companyHeading(d),
              heading({"Harbour Supply Co.", "12 Quay Street", "Unit 3", "Portsmouth, NH 03801-1234",
                       "(603)555-0100 - (603)555-0101 - Fax (603)555-0102", "office@harboursupply.test",
                       "www.harboursupply.test"}));
}

TEST(QuoteHeading, NameNotPrintedLeavesLineOneBlankAndTheRestFollowFromLineTwo) {
    core::Defaults d = company();
    d.PRINTNAME = 0;
    d.PRINTADDRESS = 0;
    d.PRINTEMAIL = 1;
    d.EMAIL = "office@harboursupply.test";
    d.PRINTWWW = 1;  // no web address: no line
    EXPECT_EQ(house::companyHeading(d), heading({"", "office@harboursupply.test"}));
}

TEST(QuoteHeading, BlankPartsTakeNoLine) {
    core::Defaults d = company();
    d.PRINTPHONE = 1;
    d.PHONE1 = "";
    d.FAX = "(603)555-0102";
    EXPECT_EQ(house::companyHeading(d),
              heading({"Harbour Supply Co.", "12 Quay Street", "Portsmouth, NH 03801-1234", "Fax (603)555-0102"}));
}

TEST(QuoteAddresses, CustomerWithBillToAccountAndNoShipToName) {
    const core::Customer cus = person("Lee", "Ann");
    core::Customer account = companyCustomer("Marsh & Daughters");
    const core::Orders ord = testing::order(1, "Q", "Lee, Ann");
    const OrderAddresses a = orderAddresses(ord, cus, &account);
    EXPECT_EQ(a.shipTo, (AddressBlock{"Lee, Ann", "4 Ropewalk Lane", "Kittery, ME 03904", "(207)555-0142", ""}));
    EXPECT_EQ(a.billTo, (AddressBlock{"Marsh & Daughters", "Dock 4, North Pier", "Gloucester, MA 01930",
                                      "ATTN: Nora Marsh", "(978)555-0199"}));
    EXPECT_EQ(a.contact, "Ann Lee");
}

TEST(QuoteAddresses, NoBillToAndNoShipToNameCopiesTheCustomerBlock) {
    const core::Customer cus = companyCustomer("Marsh & Daughters");
    const OrderAddresses a = orderAddresses(testing::order(1, "Q", "Marsh & Daughters"), cus, nullptr);
    EXPECT_EQ(a.billTo, a.shipTo);
    EXPECT_EQ(a.shipTo[3], "ATTN: Nora Marsh");
    EXPECT_EQ(a.contact, "Nora Marsh");
}

TEST(QuoteAddresses, ShipToNeverExceedsFiveLinesTheAttentionLineTakesTheFifth) {
    const core::Customer cus = person("Lee", "Ann");
    core::Orders ord = testing::order(1, "I", "Lee, Ann");
    ord.ST_NAME = "Lee Boatworks";
    ord.ST_ADD1 = "Slip 9";
    ord.ST_ADD2 = "Pepperrell Cove";
    ord.ST_CITY = "Kittery Point";
    ord.ST_STATE = "ME";
    ord.ST_ZIP = "03905";
    ord.ST_ATTN = "Sam Lee";
    ord.ST_PHONE = "(207)555-0177";
    const OrderAddresses a = orderAddresses(ord, cus, nullptr);
    EXPECT_EQ(a.shipTo,
              (AddressBlock{"Lee Boatworks", "Slip 9", "Pepperrell Cove", "Kittery Point, ME 03905", "ATTN: Sam Lee"}));
    EXPECT_EQ(a.contact, "Sam Lee");
    // With a ship-to name of its own the order is billed to the customer's own address.
    EXPECT_EQ(a.billTo, (AddressBlock{"Lee, Ann", "4 Ropewalk Lane", "Kittery, ME 03904", "(207)555-0142", ""}));
}

TEST(QuoteAddresses, ShipToWithoutAttentionKeepsThePhoneAndSignsForTheCustomer) {
    core::Customer cus = companyCustomer("Marsh & Daughters");
    cus.FNAME = "";
    cus.LNAME = "";
    core::Orders ord = testing::order(1, "I", "Marsh & Daughters");
    ord.ST_NAME = "Marsh Yard";
    ord.ST_ADD1 = "1 Harbor Loop";
    ord.ST_CITY = "Gloucester";
    ord.ST_STATE = "MA";
    ord.ST_ZIP = "01930";
    ord.ST_PHONE = "(978)555-0111";
    const OrderAddresses a = orderAddresses(ord, cus, nullptr);
    EXPECT_EQ(a.shipTo, (AddressBlock{"Marsh Yard", "1 Harbor Loop", "Gloucester, MA 01930", "(978)555-0111", ""}));
    EXPECT_EQ(a.contact, "Marsh & Daughters");
    EXPECT_EQ(a.billTo[3], "(978)555-0199");  // a company without a contact person has no ATTN line
}

TEST(QuotePaymentLine, EachMethodDescribesItself) {
    // method, filled fields, expected line
    struct Case {
        const char* method;
        const char* expected;
    };
    const Case cases[] = {
        {"Cash", "03/14/2026  Cash"},
        {"Check", "03/14/2026  Check#1042"},
        {"Credit", "03/14/2026  Credit Card# ************4242  Exp: 09/28  Auth# A77"},
        {"Accounting", "03/14/2026  Accounting Adjustment"},
        {"Other", "03/14/2026  Other"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.method);
        core::Payments p{};
        p.Date = day(2026, 3, 14);
        p.Method = c.method;
        p.CHECKNUM = "1042";
        p.CCNUM = "4111111111114242";
        p.EXPDATE = day(2028, 9, 30);
        p.CCAUTH = "A77";
        EXPECT_EQ(paymentLine(p), c.expected);
    }
}

TEST(QuotePaymentLine, ShortCardNumbersAreNotMaskedAway) {
    EXPECT_EQ(maskedCardNumber("4242"), "4242");
    EXPECT_EQ(maskedCardNumber("  12345 "), "*2345");
    EXPECT_EQ(maskedCardNumber(""), "");
}

TEST(QuoteTexts, DatesPicturesAndNotice) {
    EXPECT_EQ(longDate(day(2026, 3, 14)), "March 14, 2026");
    EXPECT_EQ(longDate(day(1999, 12, 31)), "December 31, 1999");
    EXPECT_EQ(longDate(0), "");
    EXPECT_EQ(unitPricePicture("D"), "n$-13.2");
    EXPECT_EQ(unitPricePicture("C"), "n$-13.2");
    EXPECT_EQ(unitPricePicture("H"), "n$-13.4");
    EXPECT_EQ(unitPricePicture(""), "n$-14.4");
    EXPECT_EQ(footerNotice("Invoice").rfind("This Invoice was generated with Billquay.", 0), 0u);
    EXPECT_EQ(house::cityLine("", "NH", ""), "NH");
    EXPECT_EQ(house::cityLine("Portsmouth", "", ""), "Portsmouth");
}

}  // namespace
}  // namespace quay::reports::detail
