// The table descriptions against the data dictionary: every field with its type,
// size and places in record order, every key with its components, order and
// attributes, the file names and prefixes; and the descriptions against the structs:
// offsets inside the record, no two fields sharing a byte, no member left undescribed.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "quay/tables/all_tables.h"
#include "quay/tables/field_traits.h"
#include "../tables/desc_builder.h"

namespace quay::core {
namespace {

struct DictionaryTable {
    const char* name;    // table name
    const char* prefix;  // field prefix
    const char* file;    // file name
    // fields in record order, memos last: name:type with B BYTE, L LONG, Sn STRING(n),
    // Dd.p DECIMAL(d,p), Mn memo of n characters
    const char* fields;
    // keys in order: name(components, '-' descending) attributes
    std::vector<const char*> keys;
};

const std::vector<DictionaryTable>& dictionaryTables() {
    static const std::vector<DictionaryTable> kTables = {
        {"Customer",
         "CUS",
         "customer.tps",
         "Active:B Name:S35 COMPANY:B FNAME:S15 LNAME:S20 ADDRESS1:S35 ADDRESS2:S35 CITY:S20 "
         "STATE:S3 ZipCode:S10 PHONE1:S13 EXTENSION:S5 PHONE2:S13 FAX:S13 EMAIL:S50 "
         "TAX1EXEMPT:B TAXLIC1:S20 SALESTAX1:D13.4 TAX2EXEMPT:B TAXLIC2:S20 SALESTAX2:D13.4 "
         "PRICECLASS:S1 BILLTO:S35 CREDITLIMIT:D13.2 BALANCEDUE:D13.2 FLAG1:L FLAG2:L FLAG3:L "
         "FLAG4:L VALUE1:D13.2 VALUE2:D13.2 MARKED:B Comments:M2400",
         {"byName(Name) unique nocase primary", "byFirstName(FNAME) dup optional nocase",
          "byLastName(LNAME) dup optional nocase", "byZip(ZipCode) dup optional nocase",
          "byActiveName(Active,Name) dup optional nocase", "byActiveFName(Active,FNAME) dup optional nocase",
          "byActiveLName(Active,LNAME) dup optional nocase", "byBillTo(BILLTO) dup optional nocase"}},
        {"Products",
         "PRD",
         "products.tps",
         "PartNum:S20 Active:B Group:S15 DESCRIPTION:S35 MANUFACTURER:S35 COST:D13.4 "
         "MSRP:D13.4 PRICECLASS1:D13.4 PRICECLASS2:D13.4 PRICECLASS3:D13.4 PRICECLASS4:D13.4 "
         "PRICECLASS5:D13.4 PRICECLASS6:D13.4 OnHand:D13.2 OnOrder:D13.2 ONBKORD:D13.2 "
         "MinQty:D13.2 ADJUSTSTOCK:B TRACKSERIAL:S3 LOCATION:S10 SIZE:S10 WEIGHT:D13.4 "
         "SALESTAXABLE1:B SALESTAXABLE2:B FLAG1:L FLAG2:L FLAG3:L FLAG4:L VALUE1:D13.2 "
         "VALUE2:D13.2 MARKED:B Comments:M2400 Remarks:M2400",
         {"byPartNum(PartNum) unique nocase primary", "byGroup(Group) dup nocase",
          "byDescription(DESCRIPTION) dup optional nocase", "byManufacturer(MANUFACTURER) dup nocase",
          "ByActivePartNum(Active,PartNum) dup nocase", "ByActiveGroup(Active,Group) dup nocase",
          "ByActiveDesc(Active,DESCRIPTION) dup nocase"}},
        {"Vendors",
         "VEN",
         "vendors.tps",
         "Active:B COMPANY:B NAME:S35 FIRSTNAME:S15 LASTNAME:S20 ADD1:S35 ADD2:S35 CITY:S20 "
         "STATE:S3 ZIPCODE:S10 PHONE1:S13 EXTENSION:S5 PHONE2:S13 FAX:S13 MOBILE:S13 "
         "PAGER:S13 EMAIL:S50 WEBADR:S50 TERMS:S20 FLAG1:L FLAG2:L FLAG3:L FLAG4:L "
         "VALUE1:D13.2 VALUE2:D13.2 MARKED:B Comments:M2400",
         {"byName(NAME) unique nocase primary", "byFirstName(FIRSTNAME) dup optional nocase",
          "byLastName(LASTNAME) dup optional nocase", "byActiveName(Active,NAME) dup optional nocase",
          "byActiveFirstName(Active,FIRSTNAME) dup optional nocase",
          "byActiveLastName(Active,LASTNAME) dup optional nocase", "byZipCode(ZIPCODE) dup optional nocase"}},
        {"VenProds",
         "VPR",
         "venprods.tps",
         "VPRID:L PartNum:S20 Vendor:S35 VENPARTNUM:S20 MARKED:B",
         {"byVPRId(VPRID) unique nocase primary", "byVendorVenPartNum(Vendor,VENPARTNUM) dup nocase",
          "byPartNumVen(PartNum,Vendor) unique nocase", "byVenPartNum(VENPARTNUM) dup nocase",
          "byVendor(Vendor) dup nocase", "byPartNum(PartNum) dup nocase",
          "byVendorPartNum(Vendor,PartNum) dup nocase"}},
        {"Salesmen",
         "SP",
         "salesmen.tps",
         "ACTIVE:B Initials:S5 NAME:S35 FIRSTNAME:S15 LASTNAME:S20",
         {"byInitials(Initials) unique nocase primary", "byName(NAME) dup nocase",
          "byFirstName(FIRSTNAME) dup optional nocase", "ByActiveInitials(ACTIVE,Initials) dup nocase",
          "ByActiveName(ACTIVE,NAME) dup nocase", "ByActiveFirst(ACTIVE,FIRSTNAME) dup nocase"}},
        {"Terms", "TER", "Terms.tps", "TERMS:S15", {"byTerms(TERMS) unique nocase primary"}},
        {"ShipMthd", "SHM", "shipmthd.tps", "SHIPVIA:S20", {"byShipVia(SHIPVIA) unique nocase primary"}},
        {"Groups",
         "GRP",
         "groups.tps",
         "ACTIVE:B GROUP:S15",
         {"byGroup(GROUP) unique nocase primary", "ByActiveGroup(ACTIVE,GROUP) dup nocase"}},
        {"Manufact",
         "MFC",
         "manufact.tps",
         "ACTIVE:B NAME:S35 CONTACT:S35 ADDRESS1:S35 ADDRESS2:S35 CITY:S20 STATE:S3 "
         "ZIPCODE:S10 PHONE1:S13 PHONE2:S13 FAX:S13 EMAIL:S50 WEBADR:S50 FLAG1:L FLAG2:L "
         "FLAG3:L FLAG4:L VALUE1:D13.2 VALUE2:D13.2 MARKED:B",
         {"byName(NAME) unique nocase primary", "ByActiveName(ACTIVE,NAME) dup nocase"}},
        {"Comments",
         "CMT",
         "comments.tps",
         "CMTID:L Customer:S35 VENDOR:S35 MANUFACTURER:S35 CMTDATE:L CMTTIME:L SUBJECT:S65 "
         "Notes:M2400",
         {"ByCmtID(CMTID) unique nocase primary", "ByCustomer(Customer,-CMTDATE,-CMTTIME) dup nocase",
          "ByVendor(VENDOR,-CMTDATE,-CMTTIME) dup nocase", "ByMfr(MANUFACTURER,-CMTDATE,-CMTTIME) dup nocase"}},
        {"TipOfDay", "TIP", "tipofday.tps", "TIPID:L Comment:M2400", {"ByTipID(TIPID) unique nocase primary"}},
        {"Orders",
         "ORD",
         "Orders.tps",
         "OrdNum:L InvoiceNum:L Status:S1 ENTRYDATE:L LASTMODDATE:L OrdDate:L PONUM:S12 "
         "CustName:S35 BILLTO:S35 Salesperson:S5 TERMS:S15 REFERENCE:S30 PRICECLASS:S1 "
         "SHIPVIA:S20 SHIPTRAK:S30 SLSTAXRATE1:D13.4 SLSTAXRATE2:D13.4 SLSTAXABLE1:D13.2 "
         "SLSTAXABLE2:D13.2 NONTAXABLE1:D13.2 NONTAXABLE2:D13.2 EXEMPT1:D13.2 EXEMPT2:D13.2 "
         "SALESTAX1:D13.2 SALESTAX2:D13.2 TAX1EXEMPT:B TAX2EXEMPT:B TAXLIC1:S20 TAXLIC2:S20 "
         "LISTSUB:D13.2 SUBTOTAL:D13.2 SHIPPING:D13.2 HANDLING:D13.2 COD:D13.2 "
         "DISCOUNTPCT:D13.2 DISCOUNT:D13.2 SURCHARGEPCT:D13.2 SURCHARGE:D13.2 TOTAL:D13.2 "
         "PROFIT:D13.2 DOWNPAYMENT:D13.2 ST_NAME:S35 ST_ADD1:S35 ST_ADD2:S35 ST_CITY:S20 "
         "ST_STATE:S3 ST_ZIP:S10 ST_ATTN:S35 ST_PHONE:S13 FLAG1:L FLAG2:L FLAG3:L FLAG4:L "
         "VALUE1:D13.2 VALUE2:D13.2 MARKED:B Notes:M2400",
         {"byOrdNum(OrdNum) unique nocase primary", "byInvoiceNum(InvoiceNum) unique optional nocase",
          "byStatus(Status) dup nocase", "byCustName(CustName) dup nocase", "byOrdDate(OrdDate) dup nocase",
          "byCustNameOrdDate(CustName,OrdDate) dup nocase", "byStatCustName(Status,CustName) dup nocase",
          "byStatOrdNum(Status,OrdNum) dup nocase", "byStatInvNum(Status,InvoiceNum) dup nocase",
          "byStatOrdDate(Status,OrdDate) dup nocase"}},
        {"ItemsOrd",
         "ITE",
         "itemsord.tps",
         "IteNum:L OrdNum:L PartNum:S20 GROUP:S10 DESCRIPTION:S35 COST:D13.4 QTY:D13.2 "
         "QTYDELIVERED:D13.2 PRICE:D13.4 TOTAL:D13.2 SALESTAXABLE1:B SALESTAXABLE2:B "
         "BACKORDDATE:L DUEDATE:L DELIVERYDATE:L TRACKSERIAL:S3 FLAG1:L FLAG2:L FLAG3:L "
         "FLAG4:L VALUE1:D13.2 VALUE2:D13.2 MARKED:B Comments:M2400",
         {"byIteNum(IteNum) unique nocase primary", "byOrdNum(OrdNum) dup nocase", "byPartNum(PartNum) dup nocase",
          "byGroup(GROUP) dup nocase"}},
        {"Serials",
         "SER",
         "serials.tps",
         "ITENUM:L SERIALNUMBER:S20",
         {"byIteNum(ITENUM) dup nocase", "bySerialIte(SERIALNUMBER,ITENUM) dup nocase"}},
        {"Charges",
         "CHG",
         "charges.tps",
         "Id:L Customer:S35 INVOICENUM:L Paid:B Date:L REASON:S40 AMOUNT:D13.2 "
         "UNPAIDBAL:D13.2 FLAG1:L FLAG2:L FLAG3:L FLAG4:L VALUE1:D13.2 VALUE2:D13.2 MARKED:B",
         {"byId(Id) unique nocase primary", "byCustomer(Customer) dup nocase",
          "byInvoiceNum(INVOICENUM) unique optional nocase", "byCustPaidDate(Customer,Paid,Date) dup nocase",
          "byInvoiceDate(INVOICENUM,Date) dup nocase", "byPaid(Paid) dup nocase"}},
        {"Payments",
         "PAY",
         "payments.tps",
         "Id:L Customer:S35 Applied:B Date:L Method:S15 CHECKNUM:S6 BANKID:S10 CCNUM:S20 "
         "EXPDATE:L CCNAME:S35 CCAUTH:S12 COMMENTS:S40 AMOUNT:D13.2 UNAPPAMT:D13.2 FLAG1:L "
         "FLAG2:L FLAG3:L FLAG4:L VALUE1:D13.2 VALUE2:D13.2 MARKED:B",
         {"byId(Id) unique nocase primary", "byCustomer(Customer) dup nocase",
          "byCustAppDate(Customer,Applied,Date) dup nocase", "byCustCheckNum(Customer,CHECKNUM) dup nocase",
          "byApplied(Applied) dup nocase"}},
        {"Applied",
         "APP",
         "applied.tps",
         "PayId:L ChgId:L DATEAPPLIED:L TIMEAPPLIED:L AMOUNT:D13.2 FLAG1:L FLAG2:L FLAG3:L "
         "FLAG4:L VALUE1:D13.2 VALUE2:D13.2 MARKED:B",
         {"byPayId(PayId) dup nocase", "byChgId(ChgId) dup nocase", "byChgPayId(ChgId,PayId) dup nocase",
          "byDateTime(DATEAPPLIED,TIMEAPPLIED) dup nocase"}},
        {"PO",
         "POH",
         "po.tps",
         "PoNum:L Status:S6 Vendor:S35 PODATE:L SHIPDATE:L RECDATE:L SHIPAMT:D13.2 "
         "OTHER:D13.2 ORDERTOTAL:D13.2 SHIPTO:S35 ADDRESS:S35 CITYSTZIP:S35 FLAG1:L FLAG2:L "
         "FLAG3:L FLAG4:L VALUE1:D13.2 VALUE2:D13.2 MARKED:B Comments:M2400",
         {"byPoNum(PoNum) unique nocase primary", "byVendor(Vendor) dup nocase",
          "byStatVendor(Status,Vendor) dup nocase", "byStatusDate(Status,PODATE) dup nocase"}},
        {"POItems",
         "POI",
         "POItems.tps",
         "POINUM:L PoNum:L RECEIVED:B BODATE:L RECDATE:L PartNum:S20 VenPartNum:S20 QTY:D13.2 "
         "QTYRECEIVED:D13.2 COST:D13.2 LINECOST:D13.2 FLAG1:L FLAG2:L FLAG3:L VLAG4:L "
         "VALUE1:D13.2 VALUE2:D13.2 MARKED:B Comments:M2400",
         {"byPoiNum(POINUM) unique primary", "byPoNum(PoNum) dup nocase", "byPoReceived(PoNum,RECEIVED) dup nocase"}},
        {"Schedule",
         "SCH",
         "schedule.tps",
         "SCHID:L UserID:S20 Customer:S35 VENDOR:S35 PRODUCT:S20 QUOTENUM:L INVOICENUM:L "
         "PONUM:L ACTION:S50 ENTEREDDATE:L ENTEREDTIME:L ALARM:L ALARMDATE:L ALARMTIME:L "
         "COMPLETEDDATE:L COMPLETEDTIME:L Completed:L FLAG1:L FLAG2:L FLAG3:L FLAG4:L "
         "Comments:M4000",
         {"bySchID(SCHID) unique nocase primary", "ByUsrCompAlarmDtTm(UserID,Completed,ALARMDATE,ALARMTIME) dup nocase",
          "ByUsrAlarmDtTm(UserID,ALARMDATE,ALARMTIME) dup nocase", "ByCustomerComp(Customer,Completed) dup nocase",
          "ByVendorComp(VENDOR,Completed) dup nocase", "ByProductComp(PRODUCT,Completed) dup nocase",
          "ByQuoteComp(QUOTENUM,Completed) dup nocase", "ByInvoiceComp(INVOICENUM,Completed) dup nocase",
          "ByPoComp(PONUM,Completed) dup nocase"}},
        {"Defaults",
         "DEF",
         "defaults.tps",
         "COMPANYNUM:L COMPANYNAME:S35 ADD1:S35 ADD2:S35 CITY:S20 STATE:S2 ZIPCODE:S10 "
         "PHONE1:S13 PHONE2:S13 FAX:S13 MODEM:S13 EMAIL:S35 WEBADR:S50 PRINTNAME:B "
         "PRINTADDRESS:B PRINTPHONE:B PRINTEMAIL:B PRINTWWW:B CREDITLIMIT:S1 LOWINVENTORY:S1 "
         "SALESTAX1:D9.4 SALESTAX2:D9.4 PRICECLASS1:D9.4 PC1METHOD:S8 PRICECLASS2:D9.4 "
         "PC2METHOD:S8 PRICECLASS3:D9.4 PC3METHOD:S8 PRICECLASS4:D9.4 PC4METHOD:S8 "
         "PRICECLASS5:D9.4 PC5METHOD:S8 PRICECLASS6:D9.4 PC6METHOD:S8 ROUNDPC:S1 "
         "DEFAULTTOAR:L UPDATECOSTSATINV:B DEFAREACODE:S3 INVOICEAD:B FLAG1:L SIGONQUOTES:L "
         "SIGONINV:L LOGOFILE:S20 LOGINS:L REQSALESMAN:L REQTERMS:L REQDELIVERYMETHOD:L "
         "NOPRTDIALOGBOX:L FLAG2:L FLAG3:L FLAG4:L FLAG5:L FLAG6:L FLAG7:L VALUE1:D13.2 "
         "VALUE2:D13.2 VALUE3:D13.2 VALUE4:D13.2 USERID:S20 USERID2:S20 USERID3:S20 MARKED:B "
         "InvComments:M2400 BillingComments:M2400 Bill30Comments:M2400 Bill60Comments:M2400 "
         "Bill90Comments:M2400 POComment:M2400",
         {"byCompanyNum(COMPANYNUM) unique primary"}},
    };
    return kTables;
}

std::string typeCode(const FieldDesc& f) {
    switch (f.type) {
    case FieldType::Byte: return "B";
    case FieldType::Long: return "L";
    case FieldType::String: return "S" + std::to_string(f.size);
    case FieldType::Decimal: return "D" + std::to_string(f.size) + "." + std::to_string(f.places);
    case FieldType::Memo: return "M" + std::to_string(f.size);
    }
    return "?";
}

std::string describeFields(const TableDesc& desc) {
    std::string out;
    for (const FieldDesc& f : desc.fields) {
        if (!out.empty()) out += ' ';
        out += f.name + ":" + typeCode(f);
    }
    return out;
}

std::string describeKey(const TableDesc& desc, const KeyDesc& key) {
    std::string out = key.name + "(";
    for (std::size_t i = 0; i < key.parts.size(); ++i) {
        if (i > 0) out += ',';
        if (key.parts[i].descending) out += '-';
        out += desc.fields.at(static_cast<std::size_t>(key.parts[i].field)).name;
    }
    out += std::string(") ") + (key.unique ? "unique" : "dup");
    if (key.optional) out += " optional";
    if (key.caseInsensitive) out += " nocase";
    if (key.primary) out += " primary";
    return out;
}

TEST(TableDescription, EveryTableMatchesTheDataDictionary) {
    ASSERT_EQ(fileTables().size(), dictionaryTables().size());
    for (const DictionaryTable& doc : dictionaryTables()) {
        SCOPED_TRACE(doc.name);
        const TableDesc* desc = findTable(doc.name);
        ASSERT_NE(desc, nullptr);
        EXPECT_EQ(desc->name, doc.name);
        EXPECT_EQ(desc->prefix, doc.prefix);
        EXPECT_EQ(desc->fileName, doc.file);
        EXPECT_EQ(describeFields(*desc), doc.fields);
        ASSERT_EQ(desc->keys.size(), doc.keys.size());
        for (std::size_t k = 0; k < doc.keys.size(); ++k) {
            EXPECT_EQ(describeKey(*desc, desc->keys[k]), doc.keys[k]);
        }
        // At most one primary key (Serials and Applied have none), and it comes first.
        const auto primaries =
            std::count_if(desc->keys.begin(), desc->keys.end(), [](const KeyDesc& k) { return k.primary; });
        EXPECT_LE(primaries, 1);
        if (primaries == 1) {
            EXPECT_TRUE(desc->keys.front().primary);
        }
    }
}

TEST(TableDescription, EveryKeyIsListedAtItsDeclaredPositionWithFieldsThatExist) {
    // Building every description records any key listed out of the order of its KeyId
    // constant (a read by that constant would use another key) or naming a missing field.
    std::size_t keys = 0;
    for (const TableDesc* d : fileTables()) keys += d->keys.size();
    for (const TableDesc* d : secondHandles()) keys += d->keys.size();
    EXPECT_GT(keys, 90u);
    std::vector<std::string> problems;
    for (const std::string& p : detail::descriptionProblems())
        if (p.rfind("Probe:", 0) != 0) problems.push_back(p);
    EXPECT_EQ(problems, std::vector<std::string>{});
}

TEST(TableDescription, AFieldNamedByItsMemberIsTheFieldOfThatName) {
    // columns: position by member, position by name
    const std::vector<std::pair<int, int>> cases = {
        {fieldOf(&Customer::Name), Customer::desc().fieldIndex("Name")},
        {fieldOf(&Customer::Comments), Customer::desc().fieldIndex("Comments")},
        {fieldOf(&Orders::OrdNum), Orders::desc().fieldIndex("OrdNum")},
        {fieldOf(&Vendors::WEBADR), Vendors::desc().fieldIndex("WEBADR")},
        {fieldOf(&Defaults::COMPANYNAME), Defaults::desc().fieldIndex("COMPANYNAME")},
        {fieldOf(&ItemsOrd::PartNum), ItemsOrd::desc().fieldIndex("PartNum")},
    };
    for (const auto& [byMember, byName] : cases) {
        EXPECT_GE(byMember, 0);
        EXPECT_EQ(byMember, byName);
    }
    EXPECT_EQ(fieldOf(&Customer::Active), 0);
}

// A record whose keys the test lists in the wrong order.
struct Probe {
    std::int32_t Id{};
    FixedString<10> Name;
    static constexpr KeyId byId{0};
    static constexpr KeyId byName{1};
};

TEST(TableDescription, AKeyOutOfOrderOrNamingNoFieldIsReported) {
    detail::DescBuilder b("Probe", "PRB", "probe.tps", sizeof(Probe));
    QUAY_FIELD(b, Probe, Id);
    QUAY_FIELD(b, Probe, Name);
    QUAY_KEY(b, Probe, byName, {"Name"}, detail::KeyFlag::Dup);
    QUAY_KEY(b, Probe, byId, {"Id", "NoSuchField"}, detail::KeyFlag::Unique);
    const TableDesc d = b.build();
    std::vector<std::string> mine;
    for (const std::string& p : detail::descriptionProblems())
        if (p.rfind("Probe:", 0) == 0) mine.push_back(p);
    EXPECT_EQ(mine, (std::vector<std::string>{"Probe: key byName is declared as key 1 but listed as key 0",
                                              "Probe: key byId is declared as key 0 but listed as key 1",
                                              "Probe: key byId names no field NoSuchField"}));
    // The missing component is left out rather than read as field -1.
    ASSERT_EQ(d.keys.size(), 2u);
    ASSERT_EQ(d.keys[1].parts.size(), 1u);
    EXPECT_EQ(d.keys[1].parts[0].field, 0);
}

TEST(TableDescription, FieldsFillTheRecordWithoutOverlap) {
    std::vector<const TableDesc*> all = fileTables();
    all.insert(all.end(), secondHandles().begin(), secondHandles().end());
    for (const TableDesc* desc : all) {
        SCOPED_TRACE(desc->name);
        std::vector<const FieldDesc*> byOffset;
        for (const FieldDesc& f : desc->fields) byOffset.push_back(&f);
        std::sort(byOffset.begin(), byOffset.end(),
                  [](const FieldDesc* a, const FieldDesc* b) { return a->offset < b->offset; });
        // Fields are described in record order.
        for (std::size_t i = 0; i < desc->fields.size(); ++i) EXPECT_EQ(byOffset[i], &desc->fields[i]);
        std::size_t end = 0;
        for (const FieldDesc* f : byOffset) {
            SCOPED_TRACE(f->name);
            EXPECT_GE(f->offset, end) << "overlaps the field before";
            // Only alignment padding may lie between two described fields; a gap of a
            // whole member would be a field missing from the description.
            EXPECT_LT(f->offset - std::min(f->offset, end), 8u);
            end = f->offset + storageBytes(*f);
        }
        EXPECT_LE(end, desc->recordSize);
        EXPECT_LT(desc->recordSize - end, 8u);
    }
}

TEST(TableDescription, RecordSizesAreThoseOfTheStructs) {
    EXPECT_EQ(Customer::desc().recordSize, sizeof(Customer));
    EXPECT_EQ(Orders::desc().recordSize, sizeof(Orders));
    EXPECT_EQ(Defaults::desc().recordSize, sizeof(Defaults));
    EXPECT_EQ(Schedule::desc().recordSize, sizeof(Schedule));
    EXPECT_EQ(Customer::desc().fields[1].offset, offsetof(Customer, Name));
    EXPECT_EQ(Orders::desc().fields.back().offset, offsetof(Orders, Notes));
    EXPECT_EQ(POItems::desc().fields[14].name, "VLAG4");
    EXPECT_EQ(POItems::desc().fields[14].offset, offsetof(POItems, VLAG4));
}

TEST(TableRegistry, ListsEachFileOnceAndFindsTablesByAnyCase) {
    std::set<std::string> names;
    std::set<std::string> files;
    for (const TableDesc* desc : fileTables()) {
        names.insert(desc->name);
        files.insert(desc->fileName);
    }
    EXPECT_EQ(names.size(), 21u);
    EXPECT_EQ(files.size(), 21u);
    EXPECT_EQ(findTable("customer"), &Customer::desc());
    EXPECT_EQ(findTable("CUSTREF"), &CustRef::desc());
    EXPECT_EQ(findTable("Poitems"), &POItems::desc());
    EXPECT_EQ(findTable("Customers"), nullptr);
    EXPECT_EQ(findTable(""), nullptr);
}

TEST(SecondHandle, SharesFileLayoutAndKeysUnderItsOwnPrefix) {
    struct Pair {
        const TableDesc& handle;
        const TableDesc& first;
        const char* name;
        const char* prefix;
    };
    const Pair pairs[] = {
        {CustRef::desc(), Customer::desc(), "CustRef", "CSR"},
        {IteRef::desc(), ItemsOrd::desc(), "IteRef", "ITR"},
        {OrderRef::desc(), Orders::desc(), "OrderRef", "ODR"},
        {ProdRef::desc(), Products::desc(), "ProdRef", "PRR"},
    };
    ASSERT_EQ(secondHandles().size(), 4u);
    for (const Pair& p : pairs) {
        SCOPED_TRACE(p.name);
        EXPECT_EQ(p.handle.name, p.name);
        EXPECT_EQ(p.handle.prefix, p.prefix);
        EXPECT_EQ(p.handle.fileName, p.first.fileName);
        EXPECT_EQ(p.handle.recordSize, p.first.recordSize);
        EXPECT_EQ(describeFields(p.handle), describeFields(p.first));
        ASSERT_EQ(p.handle.keys.size(), p.first.keys.size());
        for (std::size_t k = 0; k < p.first.keys.size(); ++k) {
            EXPECT_EQ(describeKey(p.handle, p.handle.keys[k]), describeKey(p.first, p.first.keys[k]));
        }
    }
    // The key handles of the first table serve the second one.
    EXPECT_EQ(CustRef::byName.index, Customer::byName.index);
    EXPECT_EQ(OrderRef::byInvoiceNum.index, Orders::byInvoiceNum.index);
    EXPECT_EQ(CustRef::desc().keys[static_cast<std::size_t>(CustRef::byName.index)].name, "byName");
}

TEST(DuplicateKeyLabel, FormLabelsAndWordsFromTheKeyName) {
    struct Case {
        const TableDesc& desc;
        KeyId key;
        const char* label;
    };
    const Case cases[] = {
        // labels given to the forms
        {Customer::desc(), Customer::byName, "by Company / &Name"},
        {Products::desc(), Products::byPartNum, "by &Part#"},
        {VenProds::desc(), VenProds::byPartNumVen, "by &Part# / Vendor"},
        {Vendors::desc(), Vendors::byName, "by Vendor &Name"},
        {Salesmen::desc(), Salesmen::byInitials, "by Salesperson Initials"},
        {Terms::desc(), Terms::byTerms, "TER:byTerms"},
        {ShipMthd::desc(), ShipMthd::byShipVia, "SHM:byShipVia"},
        {Manufact::desc(), Manufact::byName, "by &Name"},
        {Groups::desc(), Groups::byGroup, "by &Group"},
        {Comments::desc(), Comments::ByCmtID, "CMT:ByCmtID"},
        {Payments::desc(), Payments::byId, "by Payment Id"},
        {Defaults::desc(), Defaults::byCompanyNum, "by Company Number"},
        // words from the key name
        {Customer::desc(), Customer::byFirstName, "by First Name"},
        {Orders::desc(), Orders::byInvoiceNum, "by Invoice Num"},
        {Schedule::desc(), Schedule::ByCustomerComp, "by Customer Comp"},
        {VenProds::desc(), VenProds::byVPRId, "by VPR Id"},
        {POItems::desc(), POItems::byPoiNum, "by Poi Num"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        EXPECT_EQ(c.desc.keys.at(static_cast<std::size_t>(c.key.index)).label, c.label);
    }
}

}  // namespace
}  // namespace quay::core
