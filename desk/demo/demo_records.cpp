// Writing the demo data set. Every table is created first, then all records are
// added inside one transaction, so a failure part-way leaves an empty data set
// rather than a half-filled one. Products get their six class prices from the
// company's price-class rule, as the product window would give them.
#include <cstdio>
#include <memory>
#include <system_error>

#include "demo/demo_catalogue.h"
#include "demo/demo_data_set.h"
#include "demo/demo_schedule.h"
#include "quay/app/login_name.h"
#include "quay/defaults/price_classes.h"
#include "quay/store/table.h"
#include "quay/store/transaction.h"
#include "quay/tables/all_tables.h"
#include "backup/data_copy.h"

namespace quay::desk {

namespace fs = std::filesystem;
using core::ErrorCode;
using namespace detail;

namespace {

template <class D>
void setAmount(D& field, double value) {
    char text[64];
    std::snprintf(text, sizeof text, "%.4f", value);
    field.parse(text);
}

std::string describe(const core::Table& t, const std::string& what) {
    return what + " could not be written to " + t.desc().name + ": " + t.errorText() +
           (t.driverErrorText().empty() ? "" : " (" + t.driverErrorText() + ")");
}

void primeCompany(core::Defaults& d) {
    d.COMPANYNUM = 1;
    d.COMPANYNAME = "Harbourline Marine Supply";
    d.ADD1 = "14 Wharf Street";
    d.CITY = "Gloucester";
    d.STATE = "MA";
    d.ZIPCODE = "01930-2207";
    d.PHONE1 = "(978)555-0142";
    d.PHONE2 = "(978)555-0143";
    d.FAX = "(978)555-0149";
    d.EMAIL = "office@harbourline.example";
    d.WEBADR = "www.harbourline.example";
    d.PRINTNAME = d.PRINTADDRESS = d.PRINTPHONE = d.PRINTEMAIL = d.PRINTWWW = 1;
    d.CREDITLIMIT = "W";
    d.LOWINVENTORY = "W";
    setAmount(d.SALESTAX1, 6.25);
    setAmount(d.SALESTAX2, 0);
    // Class 1 is list-less trade; 4 to 6 are discounts off the suggested retail price.
    setAmount(d.PRICECLASS1, 45);
    d.PC1METHOD = "MARKUP";
    setAmount(d.PRICECLASS2, 35);
    d.PC2METHOD = "MARKUP";
    setAmount(d.PRICECLASS3, 25);
    d.PC3METHOD = "MARGIN";
    setAmount(d.PRICECLASS4, 5);
    d.PC4METHOD = "DISCOUNT";
    setAmount(d.PRICECLASS5, 10);
    d.PC5METHOD = "DISCOUNT";
    setAmount(d.PRICECLASS6, 15);
    d.PC6METHOD = "DISCOUNT";
    d.ROUNDPC = "C";
    d.DEFAULTTOAR = 1;
    d.UPDATECOSTSATINV = 1;
    d.DEFAREACODE = "978";
    d.INVOICEAD = 1;
    d.FLAG1 = 0;
    d.SIGONQUOTES = 0;
    d.SIGONINV = 1;
    d.InvComments = "Thank you for your business.  Returns accepted within 30 days with receipt.";
    d.BillingComments = "Payment is due within the terms shown.  Call us with any question about your account.";
    d.Bill30Comments = "Your account is 30 days past due.  Please send your payment today.";
    d.Bill60Comments = "Your account is 60 days past due.  Please call us to arrange payment.";
    d.Bill90Comments = "Your account is 90 days or more past due and is on hold until paid.";
    d.POComment = "Please confirm prices and delivery date by return e-mail.";
}

}  // namespace

std::string writeDemoData(const fs::path& directory, DemoSummary* summary, std::string userId) {
    std::error_code ec;
    fs::create_directories(directory, ec);
    if (!fs::is_directory(directory, ec)) return "The folder " + directory.string() + " could not be made.";
    if (fs::exists(directory / kDataSetFile, ec))
        return directory.string() + " already holds Billquay data; the demo data goes only into a new folder.";

    core::Database db(directory.string());
    if (!db.isOpen()) return "The data set could not be made: " + db.driverErrorText();

    core::Handle<core::Defaults> def(db);
    core::Handle<core::Customer> cus(db);
    core::Handle<core::Products> prd(db);
    core::Handle<core::Vendors> ven(db);
    core::Handle<core::VenProds> vpr(db);
    core::Handle<core::Salesmen> sal(db);
    core::Handle<core::Terms> trm(db);
    core::Handle<core::ShipMthd> shp(db);
    core::Handle<core::Groups> grp(db);
    core::Handle<core::Manufact> mfr(db);
    core::Handle<core::TipOfDay> tip(db);
    core::Handle<core::Schedule> sch(db);
    core::Handle<core::Comments> cmt(db);
    std::vector<core::Table*> tables = {&def, &cus, &prd, &ven, &vpr, &sal, &trm, &shp, &grp, &mfr, &tip, &sch, &cmt};
    // Every other table too, so the data set opens without creating anything.
    for (const core::TableDesc* desc : core::fileTables()) {
        auto buffer = std::make_unique<std::max_align_t[]>(desc->recordSize / sizeof(std::max_align_t) + 1);
        core::Table t(db, *desc, buffer.get());
        if (t.create() != ErrorCode::None) return describe(t, "The table");
    }
    for (core::Table* t : tables)
        if (t->open() != ErrorCode::None) return describe(*t, "The table");

    core::Transaction tx(db, tables);
    if (tx.begin() != ErrorCode::None) return "The demo data could not be written: " + tx.driverErrorText();

    def.clear();
    primeCompany(def.rec);
    if (def.add() != ErrorCode::None) return describe(def, "The company record");
    const core::Defaults company = def.rec;

    for (std::string_view g : demoGroups()) {
        grp.clear();
        grp.rec.ACTIVE = 1;
        grp.rec.GROUP = g;
        if (grp.add() != ErrorCode::None) return describe(grp, "A product group");
    }
    for (const DemoParty& m : demoManufacturers()) {
        mfr.clear();
        mfr.rec.ACTIVE = 1;
        mfr.rec.NAME = m.name;
        mfr.rec.CONTACT = std::string(m.first) + " " + std::string(m.last);
        mfr.rec.ADDRESS1 = m.address;
        mfr.rec.CITY = m.city;
        mfr.rec.STATE = m.state;
        mfr.rec.ZIPCODE = m.zip;
        mfr.rec.PHONE1 = m.phone;
        mfr.rec.EMAIL = m.email;
        if (mfr.add() != ErrorCode::None) return describe(mfr, "A manufacturer");
    }
    for (const DemoParty& v : demoVendors()) {
        ven.clear();
        ven.rec.Active = 1;
        ven.rec.COMPANY = 1;
        ven.rec.NAME = v.name;
        ven.rec.FIRSTNAME = v.first;
        ven.rec.LASTNAME = v.last;
        ven.rec.ADD1 = v.address;
        ven.rec.CITY = v.city;
        ven.rec.STATE = v.state;
        ven.rec.ZIPCODE = v.zip;
        ven.rec.PHONE1 = v.phone;
        ven.rec.EMAIL = v.email;
        ven.rec.TERMS = "NET 30";
        if (ven.add() != ErrorCode::None) return describe(ven, "A vendor");
    }
    // Smaller suppliers, enough for a vendor list of several pages, with their terms and
    // the buyer's notes about them.
    static const char* const kSupplierTowns[][3] = {{"Portland", "ME", "04101"}, {"Bath", "ME", "04530"},
                                                    {"Newport", "RI", "02840"},  {"Mystic", "CT", "06355"},
                                                    {"Salem", "MA", "01970"},    {"Camden", "ME", "04843"}};
    static const char* const kSupplierKinds[] = {"Canvas",   "Fasteners", "Paints", "Rigging", "Pumps",
                                                 "Lighting", "Cordage",   "Teak",   "Fenders", "Safety"};
    int moreVendors = 0;
    for (int k = 0; k < 30; ++k) {
        const auto& town = kSupplierTowns[k % 6];
        ven.clear();
        ven.rec.Active = k % 9 == 8 ? 0 : 1;
        ven.rec.COMPANY = 1;
        ven.rec.NAME =
            std::string(town[0]) + " " + kSupplierKinds[k % 10] + (k >= 10 ? " " + std::to_string(k / 10 + 1) : "");
        ven.rec.ADD1 = std::to_string(10 + k * 7) + " Wharf Street";
        ven.rec.CITY = town[0];
        ven.rec.STATE = town[1];
        ven.rec.ZIPCODE = town[2];
        char phone[16];
        std::snprintf(phone, sizeof phone, "(207)555-%04d", 2000 + k);
        ven.rec.PHONE1 = phone;
        ven.rec.TERMS = k % 3 == 0 ? "NET 30" : k % 3 == 1 ? "NET 15" : "";
        if (k % 2 == 0) ven.rec.Comments = "Order by Thursday for Monday delivery; minimum order $150.";
        if (ven.add() != ErrorCode::None) return describe(ven, "A vendor");
        ++moreVendors;
    }
    const auto& vendors = demoVendors();
    std::int32_t vprId = 0;
    std::size_t n = 0;
    for (const DemoProduct& p : demoProducts()) {
        prd.clear();
        prd.rec.PartNum = p.partNum;
        prd.rec.Active = 1;
        prd.rec.Group = p.group;
        prd.rec.DESCRIPTION = p.description;
        prd.rec.MANUFACTURER = p.manufacturer;
        setAmount(prd.rec.COST, p.cost);
        setAmount(prd.rec.MSRP, p.msrp);
        setAmount(prd.rec.OnHand, p.onHand);
        setAmount(prd.rec.MinQty, p.minQty);
        prd.rec.ADJUSTSTOCK = 1;
        prd.rec.TRACKSERIAL = p.group == "ELECTRONICS" ? "YES" : "NO";
        prd.rec.LOCATION = p.location;
        prd.rec.SALESTAXABLE1 = 1;
        if (core::applyPriceClasses(company, prd.rec) != core::DecimalStatus::Ok)
            return "The class prices of " + std::string(p.partNum) + " could not be derived.";
        if (prd.add() != ErrorCode::None) return describe(prd, "A product");
        // Each product from one or two vendors, each with the vendor's own part number.
        for (std::size_t k = 0; k < (n % 3 == 0 ? 2u : 1u); ++k) {
            const DemoParty& v = vendors[(n + k * 2) % vendors.size()];
            vpr.clear();
            vpr.rec.VPRID = ++vprId;
            vpr.rec.PartNum = p.partNum;
            vpr.rec.Vendor = v.name;
            char venPart[24];
            std::snprintf(venPart, sizeof venPart, "%c%c-%05zu", v.name[0], v.name[1], 10000 + n * 7 + k);
            vpr.rec.VENPARTNUM = venPart;
            if (vpr.add() != ErrorCode::None) return describe(vpr, "A vendor part number");
        }
        ++n;
    }
    for (const DemoSalesperson& s : demoSalespeople()) {
        sal.clear();
        sal.rec.ACTIVE = 1;
        sal.rec.Initials = s.initials;
        sal.rec.FIRSTNAME = s.first;
        sal.rec.LASTNAME = s.last;
        sal.rec.NAME = std::string(s.first) + " " + std::string(s.last);
        if (sal.add() != ErrorCode::None) return describe(sal, "A salesperson");
    }
    for (std::string_view t : demoTerms()) {
        trm.clear();
        trm.rec.TERMS = t;
        if (trm.add() != ErrorCode::None) return describe(trm, "A payment term");
    }
    for (std::string_view s : demoShippingMethods()) {
        shp.clear();
        shp.rec.SHIPVIA = s;
        if (shp.add() != ErrorCode::None) return describe(shp, "A shipping method");
    }
    std::size_t i = 0;
    for (const DemoParty& c : demoCustomers()) {
        cus.clear();
        const bool person = c.name.find(',') != std::string_view::npos;
        cus.rec.Active = i % 11 == 10 ? 0 : 1;
        cus.rec.Name = c.name;
        cus.rec.COMPANY = person ? 0 : 1;
        cus.rec.FNAME = c.first;
        cus.rec.LNAME = c.last;
        cus.rec.ADDRESS1 = c.address;
        cus.rec.CITY = c.city;
        cus.rec.STATE = c.state;
        cus.rec.ZipCode = c.zip;
        cus.rec.PHONE1 = c.phone;
        cus.rec.EMAIL = c.email;
        cus.rec.SALESTAX1.assign(company.SALESTAX1);
        cus.rec.SALESTAX2.assign(company.SALESTAX2);
        // Boatyards and marinas buy at trade classes; private owners at retail discounts.
        static const char* const kTradeClasses[] = {"1", "2", "3"};
        static const char* const kRetailClasses[] = {"4", "5", "6", "R"};
        cus.rec.PRICECLASS = person ? kRetailClasses[i % 4] : kTradeClasses[i % 3];
        setAmount(cus.rec.CREDITLIMIT, person ? 500.0 : 2500.0 + 500.0 * static_cast<double>(i % 5));
        // The fishermen's co-op pays for its members' boats.
        if (c.name == "Rockport Lobster Co") cus.rec.BILLTO = "Fishermen's Cooperative";
        if (cus.add() != ErrorCode::None) return describe(cus, "A customer");
        ++i;
    }
    // Private boat owners, enough for lists and label sheets of several pages, and notes
    // of calls with some of them.
    static const char* const kLast[] = {"Abbott", "Baker", "Carver", "Dunn",   "Ellis", "Foster",
                                        "Gray",   "Hale",  "Irving", "Jewett", "Knox",  "Lowell"};
    static const char* const kFirst[] = {"Ann", "Ben", "Clara", "Dan", "Edith", "Fred", "Grace"};
    static const char* const kTowns[][3] = {{"Kittery", "ME", "03904"},
                                            {"Rye", "NH", "03870"},
                                            {"Hampton", "NH", "03842"},
                                            {"York", "ME", "03909"},
                                            {"Newbury", "MA", "01951"}};
    int moreCustomers = 0;
    std::int32_t cmtId = 0;
    for (int k = 0; k < 42; ++k) {
        const auto& town = kTowns[k % 5];
        cus.clear();
        cus.rec.Active = k % 13 == 12 ? 0 : 1;
        cus.rec.LNAME = kLast[k % 12];
        cus.rec.FNAME = kFirst[k % 7];
        cus.rec.Name = std::string(kLast[k % 12]) + ", " + kFirst[k % 7];
        cus.rec.ADDRESS1 = std::to_string(3 + k * 11) + " Harbor View Road";
        if (k % 4 == 0) cus.rec.ADDRESS2 = "Slip " + std::to_string(k + 1);
        cus.rec.CITY = town[0];
        cus.rec.STATE = town[1];
        cus.rec.ZipCode = town[2];
        char phone[16];
        std::snprintf(phone, sizeof phone, "(603)555-%04d", 3000 + k);
        cus.rec.PHONE1 = phone;
        if (k % 3 == 0) cus.rec.FAX = phone;
        cus.rec.SALESTAX1.assign(company.SALESTAX1);
        cus.rec.SALESTAX2.assign(company.SALESTAX2);
        static const char* const kClasses[] = {"4", "5", "6", "R"};
        cus.rec.PRICECLASS = kClasses[k % 4];
        if (k % 5 == 0) cus.rec.TAXLIC1 = "NH-" + std::to_string(41000 + k);
        if (k % 2 == 0) setAmount(cus.rec.CREDITLIMIT, 500.0 + 100.0 * (k % 4));
        if (cus.add() != ErrorCode::None) return describe(cus, "A customer");
        ++moreCustomers;
        for (int c = 0; c < k % 3; ++c) {
            cmt.clear();
            cmt.rec.CMTID = ++cmtId;
            cmt.rec.Customer = cus.rec.Name;
            cmt.rec.CMTDATE = core::today() - 20 * (c + 1) - k;
            cmt.rec.CMTTIME = (9 + c) * 360000 + 15 * 6000;
            cmt.rec.SUBJECT = c == 0 ? "Spring launch" : "Winter storage";
            cmt.rec.Notes = c == 0 ? "Asked for a quote on new dock lines and fenders before launch."
                                   : "Wants the mooring pennant checked when the boat comes out.";
            if (cmt.add() != ErrorCode::None) return describe(cmt, "A customer note");
        }
    }
    std::int32_t tipId = 0;
    for (std::string_view t : demoTips()) {
        tip.clear();
        tip.rec.TIPID = ++tipId;
        tip.rec.Comment = t;
        if (tip.add() != ErrorCode::None) return describe(tip, "A tip");
    }
    if (userId.empty()) userId = core::userIdForLoginName(core::loginName());
    const int entries = addDemoSchedule(sch, userId);
    if (entries < 0) return describe(sch, "A schedule entry");
    if (tx.commit() != ErrorCode::None) return "The demo data could not be stored: " + tx.driverErrorText();

    if (summary) {
        summary->scheduleEntries = entries;
        summary->customers = static_cast<int>(demoCustomers().size()) + moreCustomers;
        summary->products = static_cast<int>(demoProducts().size());
        summary->vendors = static_cast<int>(demoVendors().size()) + moreVendors;
        summary->vendorParts = vprId;
        summary->salespeople = static_cast<int>(demoSalespeople().size());
        summary->terms = static_cast<int>(demoTerms().size());
        summary->shippingMethods = static_cast<int>(demoShippingMethods().size());
        summary->groups = static_cast<int>(demoGroups().size());
        summary->manufacturers = static_cast<int>(demoManufacturers().size());
        summary->tips = tipId;
    }
    return {};
}

}  // namespace quay::desk
