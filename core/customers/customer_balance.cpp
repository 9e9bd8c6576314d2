// The balance runs: open charges in (customer, paid, date) order from (name, 0, 0),
// open payments in (customer, applied, date) order likewise, each while the record
// still names the customer and is still open. The sum is kept in whole cents and
// stored once at the end, so a long account cannot wrap part-way.
#include "quay/customers/customer_balance.h"

#include <cstdint>
#include <string>

#include "quay/app/globals.h"
#include "quay/app/table_access.h"
#include "quay/tables/charges.h"
#include "quay/tables/payments.h"

namespace quay::core {
namespace {

std::string customerKey(std::string_view name) {
    while (!name.empty() && name.back() == ' ') name.remove_suffix(1);
    if (name.size() > 35) name = name.substr(0, 35);
    return std::string(name);
}

}  // namespace

DecimalStatus GETCUSTBALANCE(Database& db, UiPort& ui, std::string_view name) {
    glo.BalanceDue = Decimal<13, 2>();
    const std::string customer = customerKey(name);
    detail::Int128 cents = 0;
    {
        HeldTable<Charges> chg(db, ui);
        if (!chg.isOpen()) return DecimalStatus::Ok;
        chg.handle.clear();
        chg.rec().Customer = customer;
        chg.rec().Paid = 0;
        chg.rec().Date = 0;
        if (chg.handle.setAtKey(Charges::byCustPaidDate) == ErrorCode::None) {
            chg.handle.send("QUICKSCAN=on");
            // The key positions without regard to case; a customer's name is unique
            // without regard to case too, so a charge spelt in another case is still
            // this customer's.
            while (chg.handle.next() == ErrorCode::None && chg.rec().Customer.equalsNoCase(customer) &&
                   chg.rec().Paid == 0)
                cents += chg.rec().UNPAIDBAL.scaled();
            chg.handle.send("QUICKSCAN=off");
        }
        chg.handle.clear();
    }
    {
        HeldTable<Payments> pay(db, ui);
        if (!pay.isOpen()) return DecimalStatus::Ok;
        pay.handle.clear();
        pay.rec().Customer = customer;
        pay.rec().Applied = 0;
        pay.rec().Date = 0;
        if (pay.handle.setAtKey(Payments::byCustAppDate) == ErrorCode::None) {
            pay.handle.send("QUICKSCAN=on");
            while (pay.handle.next() == ErrorCode::None && pay.rec().Customer.equalsNoCase(customer) &&
                   pay.rec().Applied == 0)
                cents -= pay.rec().UNAPPAMT.scaled();
            pay.handle.send("QUICKSCAN=off");
        }
        pay.handle.clear();
    }
    if (cents > Decimal<13, 2>::kMaxScaled || cents < -Decimal<13, 2>::kMaxScaled) return DecimalStatus::Overflow;
    glo.BalanceDue = Decimal<13, 2>::fromScaled(static_cast<std::int64_t>(cents));
    return DecimalStatus::Ok;
}

}  // namespace quay::core
