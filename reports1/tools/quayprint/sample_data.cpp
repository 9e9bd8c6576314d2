// The sample data set, written record by record through the record store, and only into a
// data set without orders, so existing work is never mixed with the samples.
#include "sample_data.h"

#include <filesystem>
#include <memory>
#include <vector>

#include "quay/store/database.h"
#include "quay/store/table.h"
#include "quay/store/transaction.h"
#include "quay/tables/all_tables.h"
#include "quay/types/date.h"

namespace quay::reports::tools {
namespace {

using namespace quay::core;

template <int D, int P>
Decimal<D, P> num(const char* text) {
    Decimal<D, P> d;
    (void)d.parse(text);
    return d;
}

std::int32_t date(int y, int m, int d) { return *dateFromCivil(y, m, d); }

class Writer {
public:
    explicit Writer(Database& db) : m_db(db) {}

    template <class R>
    bool add(const R& record) {
        Handle<R> h(m_db);
        if (h.open() != ErrorCode::None) return fail(h);
        h.rec = record;
        const bool ok = h.add() == ErrorCode::None;
        if (!ok) fail(h);
        h.close();
        return ok;
    }
    const std::string& error() const { return m_error; }

private:
    bool fail(const Table& t) {
        if (m_error.empty()) m_error = t.desc().name + ": " + t.errorText() + " " + t.driverErrorText();
        return false;
    }
    Database& m_db;
    std::string m_error;
};

Customer customer(const char* name, bool company, const char* first, const char* last, const char* add1,
                  const char* city, const char* state, const char* zip, const char* phone) {
    Customer c{};
    c.Active = 1;
    c.Name = name;
    c.COMPANY = company ? 1 : 0;
    c.FNAME = first;
    c.LNAME = last;
    c.ADDRESS1 = add1;
    c.CITY = city;
    c.STATE = state;
    c.ZipCode = zip;
    c.PHONE1 = phone;
    c.PRICECLASS = "1";
    c.SALESTAX1 = num<13, 4>("5.5");
    return c;
}

Products product(const char* part, const char* description, const char* cost, const char* comments) {
    Products p{};
    p.PartNum = part;
    p.Active = 1;
    p.DESCRIPTION = description;
    p.COST = num<13, 4>(cost);
    p.TRACKSERIAL = "NO";
    p.SALESTAXABLE1 = 1;
    p.Comments = comments;
    return p;
}

ItemsOrd line(std::int32_t id, std::int32_t ord, const Products& p, const char* qty, const char* unitPrice) {
    ItemsOrd l{};
    l.IteNum = id;
    l.OrdNum = ord;
    l.PartNum = p.PartNum;
    l.DESCRIPTION = p.DESCRIPTION;
    l.COST = p.COST;
    l.QTY = num<13, 2>(qty);
    l.PRICE = num<13, 4>(unitPrice);
    (void)l.TOTAL.assign(l.QTY * l.PRICE);
    l.SALESTAXABLE1 = 1;
    l.TRACKSERIAL = "NO";
    return l;
}

// Totals of an order from its lines, with tax 1 on all of them.
void total(Orders& o, const std::vector<ItemsOrd>& lines) {
    for (const ItemsOrd& l : lines) (void)(o.LISTSUB += l.TOTAL);
    (void)o.DISCOUNT.assign(o.LISTSUB * o.DISCOUNTPCT / 100);
    (void)o.SUBTOTAL.assign(o.LISTSUB - o.DISCOUNT);
    o.SLSTAXABLE1 = o.SUBTOTAL;
    (void)o.SALESTAX1.assign(o.SLSTAXABLE1 * o.SLSTAXRATE1 / 100);
    (void)o.TOTAL.assign(o.SUBTOTAL + o.SHIPPING + o.SALESTAX1);
}

}  // namespace

std::string writeSampleData(const std::string& directory) {
    std::error_code ec;
    std::filesystem::create_directories(directory, ec);
    Database db(directory);
    if (!db.isOpen()) return "Cannot open the data set in " + directory + ": " + db.driverErrorText();
    for (const TableDesc* desc : fileTables()) {
        std::vector<char> buffer(desc->recordSize);
        Table t(db, *desc, buffer.data());
        if (t.create() != ErrorCode::None) return desc->name + ": " + t.errorText() + " " + t.driverErrorText();
    }
    {
        Handle<Orders> orders(db);
        if (orders.open() != ErrorCode::None) return "Orders: " + orders.errorText();
        if (orders.records() > 0) return "The data set in " + directory + " already holds orders; nothing was written.";
    }

    Writer w(db);
    Defaults d{};
    d.COMPANYNUM = 1;
    d.COMPANYNAME = "Harbour Supply Co.";
    d.ADD1 = "12 Quay Street";
    d.ADD2 = "Unit 3, Ceres Wharf";
    d.CITY = "Portsmouth";
    d.STATE = "NH";
    d.ZIPCODE = "03801-1234";
    d.PHONE1 = "(603)555-0100";
    d.PHONE2 = "(603)555-0101";
    d.FAX = "(603)555-0102";
    d.EMAIL = "office@harboursupply.test";
    d.WEBADR = "www.harboursupply.test";
    d.PRINTNAME = d.PRINTADDRESS = d.PRINTPHONE = d.PRINTEMAIL = d.PRINTWWW = 1;
    d.CREDITLIMIT = "W";
    d.LOWINVENTORY = "W";
    d.ROUNDPC = "C";
    d.DEFAULTTOAR = 1;
    d.INVOICEAD = 1;
    d.SIGONINV = 1;
    d.SIGONQUOTES = 1;
    d.InvComments =
        "Thank you for your business. Goods remain our property until paid in full; "
        "returns within 30 days in their original packing.";

    Customer ann =
        customer("Lee, Ann", false, "Ann", "Lee", "4 Ropewalk Lane", "Kittery", "ME", "03904", "(207)555-0142");
    ann.BILLTO = "Marsh & Daughters";
    Customer marsh = customer("Marsh & Daughters", true, "Nora", "Marsh", "Dock 4, North Pier", "Gloucester", "MA",
                              "01930", "(978)555-0199");
    marsh.FAX = "(978)555-0198";

    Products cleat = product("CL-100", "Deck cleat, galvanised, 150 mm", "10.5",
                             "Hot-dip galvanised; "
                             "fits 12 mm line.");
    Products rope = product("RP-12", "Mooring rope, polyester, 12 mm", "1.85", "");
    Products winch = product("WN-40", "Self-tailing winch 40", "412", "Supplied with handle and mounting bolts.");
    winch.TRACKSERIAL = "YES";
    Products fender = product("FD-08", "Fender, cylindrical, 8 x 26 in", "14.2", "");

    Salesmen sp{};
    sp.ACTIVE = 1;
    sp.Initials = "JB";
    sp.NAME = "Jo Briggs";
    Vendors alpha{};
    alpha.Active = 1;
    alpha.COMPANY = 1;
    alpha.NAME = "Alpha Marine Supply";
    alpha.PHONE1 = "(508)555-0101";
    alpha.EXTENSION = "204";
    VenProds vp1{};
    vp1.VPRID = 1;
    vp1.PartNum = "CL-100";
    vp1.Vendor = alpha.NAME;
    vp1.VENPARTNUM = "AM-CL150G";
    VenProds vp2{};
    vp2.VPRID = 2;
    vp2.PartNum = "WN-40";
    vp2.Vendor = alpha.NAME;
    vp2.VENPARTNUM = "AM-W40ST";

    Orders quote{};
    quote.OrdNum = 1;
    quote.Status = "Q";
    quote.CustName = ann.Name;
    quote.BILLTO = ann.BILLTO;
    quote.OrdDate = quote.ENTRYDATE = date(2026, 3, 9);
    quote.Salesperson = "JB";
    quote.TERMS = "Net 30";
    quote.REFERENCE = "Spring refit";
    quote.PRICECLASS = "1";
    quote.SLSTAXRATE1 = num<13, 4>("5.5");
    quote.DISCOUNTPCT = num<13, 2>("5");
    quote.ST_NAME = "Lee Boatworks";
    quote.ST_ADD1 = "Slip 9, Pepperrell Cove";
    quote.ST_CITY = "Kittery Point";
    quote.ST_STATE = "ME";
    quote.ST_ZIP = "03905";
    quote.ST_ATTN = "Sam Lee";
    quote.Notes = "Quoted for collection at the yard; delivery can be arranged.";
    std::vector<ItemsOrd> quoteLines = {line(1, 1, winch, "2", "689"), line(2, 1, cleat, "6", "18.95"),
                                        line(3, 1, rope, "50", "3.4")};
    quoteLines[1].Comments = "Two of them to be drilled for through-bolts.";
    total(quote, quoteLines);

    Orders invoice{};
    invoice.OrdNum = 2;
    invoice.InvoiceNum = 1001;
    invoice.Status = "I";
    invoice.CustName = marsh.Name;
    invoice.OrdDate = invoice.ENTRYDATE = date(2026, 3, 14);
    invoice.Salesperson = "JB";
    invoice.TERMS = "Net 30";
    invoice.PONUM = "MD-2207";
    invoice.SHIPVIA = "Harbour Freight";
    invoice.SHIPTRAK = "HF-339-1201";
    invoice.PRICECLASS = "1";
    invoice.SLSTAXRATE1 = num<13, 4>("5.5");
    invoice.SHIPPING = num<13, 2>("25");
    std::vector<ItemsOrd> invoiceLines = {line(4, 2, fender, "8", "29.5"), line(5, 2, rope, "120", "3.4"),
                                          line(6, 2, winch, "1", "689")};
    total(invoice, invoiceLines);

    // A long quote that runs over pages, for the page breaks and the continued headings.
    Orders refit{};
    refit.OrdNum = 3;
    refit.Status = "Q";
    refit.CustName = marsh.Name;
    refit.OrdDate = refit.ENTRYDATE = date(2026, 3, 20);
    refit.Salesperson = "JB";
    refit.TERMS = "Net 30";
    refit.REFERENCE = "Fleet refit, 12 moorings";
    refit.PRICECLASS = "1";
    refit.SLSTAXRATE1 = num<13, 4>("5.5");
    std::vector<ItemsOrd> refitLines;
    const Products* parts[4] = {&cleat, &rope, &fender, &winch};
    const char* prices[4] = {"18.95", "3.4", "29.5", "689"};
    for (int i = 0; i < 48; ++i)
        refitLines.push_back(line(10 + i, 3, *parts[i % 4], i % 4 == 1 ? "25" : "2", prices[i % 4]));
    total(refit, refitLines);

    Charges chg{};
    chg.Id = 1;
    chg.Customer = marsh.Name;
    chg.INVOICENUM = 1001;
    chg.Date = invoice.OrdDate;
    chg.REASON = "Invoice 1001";
    chg.AMOUNT = invoice.TOTAL;
    Payments check{};
    check.Id = 1;
    check.Customer = marsh.Name;
    check.Date = date(2026, 3, 14);
    check.Method = "Check";
    check.CHECKNUM = "5521";
    check.AMOUNT = num<13, 2>("500");
    check.Applied = 1;
    Payments card{};
    card.Id = 2;
    card.Customer = marsh.Name;
    card.Date = date(2026, 3, 28);
    card.Method = "Credit";
    card.CCNUM = "4111111111114242";
    card.EXPDATE = date(2028, 9, 30);
    card.CCAUTH = "A77120";
    card.AMOUNT = num<13, 2>("250");
    card.Applied = 1;
    (void)chg.UNPAIDBAL.assign(chg.AMOUNT - check.AMOUNT - card.AMOUNT);
    Applied app1{};
    app1.PayId = 1;
    app1.ChgId = 1;
    app1.DATEAPPLIED = check.Date;
    app1.AMOUNT = check.AMOUNT;
    Applied app2{};
    app2.PayId = 2;
    app2.ChgId = 1;
    app2.DATEAPPLIED = card.Date;
    app2.AMOUNT = card.AMOUNT;

    bool ok = w.add(d) && w.add(ann) && w.add(marsh) && w.add(cleat) && w.add(rope) && w.add(winch) && w.add(fender) &&
              w.add(sp) && w.add(alpha) && w.add(vp1) && w.add(vp2) && w.add(quote) && w.add(invoice) && w.add(chg) &&
              w.add(check) && w.add(card) && w.add(app1) && w.add(app2);
    for (const ItemsOrd& l : quoteLines) ok = ok && w.add(l);
    for (const ItemsOrd& l : invoiceLines) ok = ok && w.add(l);
    ok = ok && w.add(refit);
    for (const ItemsOrd& l : refitLines) ok = ok && w.add(l);
    for (const char* sn : {"WN40-22871", "WN40-22874"}) {
        Serials s{};
        s.ITENUM = 1;
        s.SERIALNUMBER = sn;
        ok = ok && w.add(s);
    }
    Serials s{};
    s.ITENUM = 6;
    s.SERIALNUMBER = "WN40-22902";
    ok = ok && w.add(s);
    return ok ? std::string() : w.error();
}

}  // namespace quay::reports::tools
