// Record structs as the windows use them: the postal-code groups read and write the
// ZIP code's own characters, the import record's columns are one storage under two
// names, and a fresh record is blank.
#include <gtest/gtest.h>

#include <string>

#include "quay/tables/all_tables.h"
#include "quay/tables/import_file.h"

namespace quay::core {
namespace {

TEST(PostalCodeGroup, PartsReadTheZipCode) {
    Customer cus{};
    cus.ZipCode = "12345-6789";
    EXPECT_EQ(cus.ZIP().view(), "12345");
    EXPECT_EQ(cus.DASH().view(), "-");
    EXPECT_EQ(cus.ZIP4().view(), "6789");
    EXPECT_EQ(cus.ZIPGROUP().view(), "12345-6789");
}

TEST(PostalCodeGroup, WritingAPartChangesOnlyItsCharacters) {
    Customer cus{};
    cus.ZipCode = "12345-6789";
    cus.ZIP4() = "0001";
    EXPECT_EQ(cus.ZipCode.view(), "12345-0001");
    cus.ZIP() = "987";  // shorter text is blank-padded within the part only
    EXPECT_EQ(cus.ZipCode.raw(), "987  -0001");
    cus.DASH() = "";
    EXPECT_EQ(cus.ZipCode.raw(), "987   0001");
}

TEST(PostalCodeGroup, VendorsAndManufacturersOverlayTheirOwnZipCode) {
    Vendors ven{};
    ven.ZIPCODE = "K1A 0B1";
    EXPECT_EQ(ven.ZIP().view(), "K1A 0");
    EXPECT_EQ(ven.DASH().view(), "B");  // a Canadian code does not follow the ZIP+4 pattern
    EXPECT_EQ(ven.ZIP4().view(), "1");
    ven.ZIP() = "90210";
    ven.DASH() = "-";
    ven.ZIP4() = "1234";
    EXPECT_EQ(ven.ZIPCODE.view(), "90210-1234");

    Manufact mfc{};
    mfc.ZIPGROUP() = "55555-4444";
    EXPECT_EQ(mfc.ZIPCODE.view(), "55555-4444");
    const Manufact& readOnly = mfc;
    EXPECT_EQ(readOnly.ZIP4().view(), "4444");
}

TEST(PostalCodeGroup, OwnsNoStorage) {
    // The group adds nothing to the record: ZIP code and phone lie side by side.
    EXPECT_EQ(offsetof(Customer, PHONE1), offsetof(Customer, ZipCode) + 10);
    EXPECT_EQ(offsetof(Vendors, PHONE1), offsetof(Vendors, ZIPCODE) + 10);
    EXPECT_EQ(offsetof(Manufact, PHONE1), offsetof(Manufact, ZIPCODE) + 10);
}

TEST(ImportRecordColumns, FieldNamesAndArrayElementsAreTheSameCharacters) {
    ImportRecord rec;
    rec.FIELD1() = "first";
    rec.DATAFIELD(50) = "last";
    rec.DATAFIELD(17) = "middle";
    EXPECT_EQ(rec.DATAFIELD(1).view(), "first");
    EXPECT_EQ(rec.FIELD50().view(), "last");
    EXPECT_EQ(rec.FIELD17().view(), "middle");
    EXPECT_EQ(&rec.FIELD17(), &rec.DATAFIELD(17));
    EXPECT_EQ(sizeof(ImportRecord), 50u * 200u);  // 50 columns of 50 characters in UTF-8
}

TEST(FreshRecord, IsBlankAndZero) {
    Orders ord{};
    EXPECT_EQ(ord.OrdNum, 0);
    EXPECT_EQ(ord.InvoiceNum, 0);
    EXPECT_TRUE(ord.Status.isBlank());
    EXPECT_TRUE(ord.TOTAL.isZero());
    EXPECT_TRUE(ord.Notes.isEmpty());
    Defaults def;
    EXPECT_EQ(def.PRINTNAME, 0);
    EXPECT_TRUE(def.ROUNDPC.isBlank());
}

}  // namespace
}  // namespace quay::core
