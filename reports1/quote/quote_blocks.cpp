// The texts of a printed quote or invoice. Blocks are filled from their first line, and
// a part that is blank takes no line, so the company heading and the addresses never
// show gaps; what does not fit the block is left off at its end.
#include "quote_blocks.h"

#include "quay/types/date.h"
#include "quay/types/picture.h"

namespace quay::reports::detail {
namespace {

using house::BlockFiller;
using house::cityLine;
using house::joined;

using house::trimmed;

std::string personName(const core::Customer& c) { return joined({c.FNAME.view(), c.LNAME.view()}, " "); }

// A customer's own block: name, address lines, city line, the attention line of a company
// with a contact person, and the phones when a line is left. Returns the contact name the
// block gives (the attention name, or the person's own name).
std::string customerBlock(const core::Customer& c, AddressBlock& block) {
    BlockFiller<kAddressLines> fill(block);
    fill.put(trimmed(c.Name.view()));
    fill.put(trimmed(c.ADDRESS1.view()));
    fill.putIfAny(trimmed(c.ADDRESS2.view()));
    fill.put(cityLine(c.CITY.view(), c.STATE.view(), c.ZipCode.view()));
    std::string contact;
    if (c.COMPANY != 0) {
        const std::string attn = personName(c);
        if (!attn.empty()) {
            fill.put("ATTN: " + attn);
            contact = attn;
        }
    } else {
        contact = personName(c);
    }
    fill.putIfAny(joined({c.PHONE1.view(), c.PHONE2.view()}, " - "));
    return contact;
}

constexpr const char* kMonths[12] = {"January", "February", "March",     "April",   "May",      "June",
                                     "July",    "August",   "September", "October", "November", "December"};

}  // namespace

OrderAddresses orderAddresses(const core::Orders& ord, const core::Customer& cus, const core::Customer* billTo) {
    OrderAddresses a;
    const bool ownShipTo = !ord.ST_NAME.isBlank();
    if (ownShipTo) {
        BlockFiller<kAddressLines> fill(a.shipTo);
        fill.put(trimmed(ord.ST_NAME.view()));
        fill.put(trimmed(ord.ST_ADD1.view()));
        fill.putIfAny(trimmed(ord.ST_ADD2.view()));
        fill.put(cityLine(ord.ST_CITY.view(), ord.ST_STATE.view(), ord.ST_ZIP.view()));
        if (!ord.ST_ATTN.isBlank()) {
            a.contact = trimmed(ord.ST_ATTN.view());
            fill.put("ATTN: " + a.contact);
        }
        fill.putIfAny(trimmed(ord.ST_PHONE.view()));
    } else {
        a.contact = customerBlock(cus, a.shipTo);
    }
    if (a.contact.empty()) a.contact = trimmed(cus.Name.view());

    if (billTo != nullptr) {
        customerBlock(*billTo, a.billTo);
    } else if (!ownShipTo) {
        a.billTo = a.shipTo;
    } else {
        customerBlock(cus, a.billTo);
    }
    return a;
}

std::string maskedCardNumber(std::string_view number) {
    std::string n = trimmed(number);
    if (n.size() <= 4) return n;
    return std::string(n.size() - 4, '*') + n.substr(n.size() - 4);
}

std::string paymentLine(const core::Payments& pay) {
    std::string line = core::formatPicture("@d2", pay.Date);
    const std::string_view method = pay.Method.view();
    if (method == "Cash") {
        line += "  Cash";
    } else if (method == "Check") {
        line += "  Check#" + trimmed(pay.CHECKNUM.view());
    } else if (method == "Credit") {
        std::string expiry;
        if (std::optional<core::CivilDate> d = core::civilFromDate(pay.EXPDATE)) {
            char buf[32];
            std::snprintf(buf, sizeof buf, "%02d/%02d", d->month, d->year % 100);
            expiry = buf;
        }
        line += "  Credit Card# " + maskedCardNumber(pay.CCNUM.view()) + "  Exp: " + expiry + "  Auth# " +
                trimmed(pay.CCAUTH.view());
    } else if (method == "Accounting") {
        line += "  Accounting Adjustment";
    } else if (method == "Other") {
        line += "  Other";
    } else if (!method.empty()) {
        line += "  " + trimmed(method);
    }
    return line;
}

std::string longDate(std::int32_t day) {
    std::optional<core::CivilDate> d = core::civilFromDate(day);
    if (!d) return {};
    return std::string(kMonths[d->month - 1]) + ' ' + std::to_string(d->day) + ", " + std::to_string(d->year);
}

std::string unitPricePicture(std::string_view roundPc) {
    if (roundPc == "D" || roundPc == "C") return "n$-13.2";
    if (roundPc == "H") return "n$-13.4";
    return "n$-14.4";
}

std::string footerNotice(std::string_view documentWord) {
    return "This " + std::string(documentWord) +
           " was generated with Billquay. Ask us about the program that keeps our quotes, invoices and accounts.";
}

}  // namespace quay::reports::detail
