// The balance runs: open charges in (customer, paid, date) order from (name, 0, 0),
// open payments in (customer, applied, date) order likewise, each while the record
// still names the customer and is still open. The sum is kept in whole cents and
// stored once at the end, so a long account cannot wrap part-way.
//
// The stored balance is computed inside the caller's write transaction (BEGIN
// IMMEDIATE holds the data set's write lock), so the charges and payments it adds up
// are exactly those that commit with it: two stations invoicing one customer at once
// store their balances one after the other, each over the other's committed charge.
#include "quay/customers/customer_balance.h"

#include <cassert>
#include <cstdint>
#include <string>

#include "quay/app/globals.h"
#include "quay/app/table_access.h"

namespace quay::core {
namespace {

std::string customerKey(std::string_view name) {
    while (!name.empty() && name.back() == ' ') name.remove_suffix(1);
    if (name.size() > 35) name = name.substr(0, 35);
    return std::string(name);
}

// Adds the customer's open charges and subtracts its open payments into `cents`.
// None when both runs reached their end; else the code of the read that failed.
ErrorCode sumAccount(Handle<Charges>& chg, Handle<Payments>& pay, const std::string& customer, detail::Int128& cents) {
    chg.clear();
    chg.rec.Customer = customer;
    chg.rec.Paid = 0;
    chg.rec.Date = 0;
    ErrorCode e = chg.setAtKey(Charges::byCustPaidDate);
    if (e != ErrorCode::None) return e;
    chg.send("QUICKSCAN=on");
    // The key positions without regard to case; a customer's name is unique without
    // regard to case too, so a charge spelt in another case is still this customer's.
    while ((e = chg.next()) == ErrorCode::None && chg.rec.Customer.equalsNoCase(customer) && chg.rec.Paid == 0)
        cents += chg.rec.UNPAIDBAL.scaled();
    chg.send("QUICKSCAN=off");
    chg.clear();
    if (e != ErrorCode::None && e != ErrorCode::RecordNotAvailable) return e;

    pay.clear();
    pay.rec.Customer = customer;
    pay.rec.Applied = 0;
    pay.rec.Date = 0;
    e = pay.setAtKey(Payments::byCustAppDate);
    if (e != ErrorCode::None) return e;
    pay.send("QUICKSCAN=on");
    while ((e = pay.next()) == ErrorCode::None && pay.rec.Customer.equalsNoCase(customer) && pay.rec.Applied == 0)
        cents -= pay.rec.UNAPPAMT.scaled();
    pay.send("QUICKSCAN=off");
    pay.clear();
    if (e != ErrorCode::None && e != ErrorCode::RecordNotAvailable) return e;
    return ErrorCode::None;
}

bool fits(detail::Int128 cents) { return cents <= Decimal<13, 2>::kMaxScaled && cents >= -Decimal<13, 2>::kMaxScaled; }

}  // namespace

DecimalStatus GETCUSTBALANCE(Database& db, UiPort& ui, std::string_view name) {
    glo.BalanceDue = Decimal<13, 2>();
    const std::string customer = customerKey(name);
    HeldTable<Charges> chg(db, ui);
    if (!chg.isOpen()) return DecimalStatus::Ok;
    HeldTable<Payments> pay(db, ui);
    if (!pay.isOpen()) return DecimalStatus::Ok;
    detail::Int128 cents = 0;
    (void)sumAccount(chg.handle, pay.handle, customer, cents);  // a read error ends the run where it stood
    if (!fits(cents)) return DecimalStatus::Overflow;
    glo.BalanceDue = Decimal<13, 2>::fromScaled(static_cast<std::int64_t>(cents));
    return DecimalStatus::Ok;
}

StoredBalance storeCustomerBalance(Transaction& tx, BalanceHandles h, std::string_view name) {
    // REQUIRES: the caller's write transaction is running.
    assert(tx.isActive());
    (void)tx;
    StoredBalance result;
    const std::string customer = customerKey(name);
    detail::Int128 cents = 0;
    if ((result.code = sumAccount(h.chg, h.pay, customer, cents)) != ErrorCode::None) return result;
    if (!fits(cents)) {
        result.status = DecimalStatus::Overflow;
        result.code = ErrorCode::DriverError;
        return result;
    }
    result.balance = Decimal<13, 2>::fromScaled(static_cast<std::int64_t>(cents));
    glo.BalanceDue = result.balance;
    h.cus.clear();
    h.cus.rec.Name = customer;
    const ErrorCode found = h.cus.get(Customer::byName);
    if (found == ErrorCode::RecordNotFound) return result;
    if (found != ErrorCode::None) {
        result.code = found;
        return result;
    }
    result.customerFound = true;
    if (h.cus.rec.BALANCEDUE == result.balance) return result;
    h.cus.rec.BALANCEDUE = result.balance;
    result.code = h.cus.put();
    return result;
}

}  // namespace quay::core
