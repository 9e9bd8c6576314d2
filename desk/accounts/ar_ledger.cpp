// The ledger's writes. Each begins its transaction only after the charge it works
// on has been read and watched, so a charge another station changed in the meantime
// refuses the write (89) instead of having that station's application overwritten.
#include "accounts/ar_ledger.h"

#include <vector>

#include "quay/app/globals.h"
#include "quay/app/last_error.h"
#include "quay/app/standard_messages.h"
#include "quay/customers/customer_balance.h"
#include "quay/store/transaction.h"
#include "quay/types/clock.h"
#include "quay/types/date.h"
#include "quay/types/picture.h"
#include "quay/ui/list_window.h"

namespace quay::desk {

using core::ErrorCode;

namespace {

constexpr const char* kError = "ERROR";
constexpr const char* kDiskError = "Out of disk space, disk error, or access not allowed";

bool begin(core::Transaction& tx, core::UiPort& ui, const char* table) {
    if (tx.begin() == ErrorCode::None) return true;
    core::saveError(tx.lastError(), tx.driverErrorText(), tx.driverErrorText(), tx.driverErrorCode());
    core::showStandardMessage(ui, core::StandardMessage::TransactionFramingError, {table, tx.tableNames()});
    return false;
}

void changedElsewhere(core::UiPort& ui) {
    ui.message("Update Operation Error", "This record was changed by another station.", core::Icon::Warning,
               core::Button::Ok, core::Button::Ok);
}

// Reads the charge and watches it for the write that follows.
ErrorCode readCharge(ArTables& t, std::int32_t chgId) {
    t.chg.handle.clear();
    t.chg.rec().Id = chgId;
    const ErrorCode ec = t.chg.handle.get(core::Charges::byId);
    if (ec == ErrorCode::None) t.chg.handle.watch();
    return ec;
}

bool fitsMoney(std::int64_t cents) { return Money::fits(cents); }

struct ApplyRule {
    bool merge = true;           // add to an existing row of the pair
    std::int32_t stampDate = 0;  // a new row's date and time
    std::int32_t stampTime = 0;
};

// The application of one charge inside its own transaction; the charge is current
// and watched in t.chg.
LedgerOutcome applyOne(ArTables& t, core::UiPort& ui, std::int32_t payId, std::int64_t unapplied, const ApplyRule& rule,
                       std::int64_t* appliedOut) {
    core::Charges& chg = t.chg.rec();
    const std::int64_t unpaid = chg.UNPAIDBAL.scaled();
    const std::int64_t amount = unpaid < unapplied ? unpaid : unapplied;
    core::Transaction tx(t.db, {&t.app.handle, &t.chg.handle, &t.pay.handle});
    if (!begin(tx, ui, "Applied")) return LedgerOutcome::Failed;

    core::Applied& app = t.app.rec();
    bool existing = false;
    std::int64_t previous = 0;
    if (rule.merge) {
        t.app.handle.clear();
        app.ChgId = chg.Id;
        app.PayId = payId;
        if (t.app.handle.get(core::Applied::byChgPayId) == ErrorCode::None) {
            existing = true;
            previous = app.AMOUNT.scaled();
            app.DATEAPPLIED = core::today();
        }
    }
    if (!existing) {
        t.app.handle.clear();
        app.PayId = payId;
        app.ChgId = chg.Id;
        app.DATEAPPLIED = rule.stampDate;
        app.TIMEAPPLIED = rule.stampTime;
    }
    if (!fitsMoney(previous + amount) || !fitsMoney(unpaid - amount)) {
        ui.message(kError, "The amount does not fit the field.", core::Icon::Warning, core::Button::Ok,
                   core::Button::Ok);
        return LedgerOutcome::Failed;
    }
    app.AMOUNT = money(previous + amount);
    if ((existing ? t.app.handle.put() : t.app.handle.add()) != ErrorCode::None) {
        ui.message(kError, kDiskError, core::Icon::Warning, core::Button::Ok, core::Button::Ok);
        return LedgerOutcome::Failed;
    }
    chg.UNPAIDBAL = money(unpaid - amount);
    if (chg.UNPAIDBAL.scaled() == 0) chg.Paid = 1;
    const ErrorCode put = t.chg.handle.put();
    if (put == ErrorCode::ChangedByOtherStation) {
        tx.rollback();
        changedElsewhere(ui);
        return LedgerOutcome::ChangedElsewhere;
    }
    if (put != ErrorCode::None || syncPayment(t, payId) != ErrorCode::None) {
        tx.rollback();
        ui.message(kError, kDiskError, core::Icon::Warning, core::Button::Ok, core::Button::Ok);
        return LedgerOutcome::Failed;
    }
    if (tx.commit() != ErrorCode::None) {
        ui.message(kError, kDiskError, core::Icon::Warning, core::Button::Ok, core::Button::Ok);
        return LedgerOutcome::Failed;
    }
    if (appliedOut) *appliedOut = amount;
    return LedgerOutcome::Done;
}

std::int64_t sumApplied(ArTables& t, core::KeyId key, std::int32_t id) {
    core::Applied& app = t.app.rec();
    t.app.handle.clear();
    if (key.index == core::Applied::byPayId.index)
        app.PayId = id;
    else
        app.ChgId = id;
    std::int64_t sum = 0;
    if (t.app.handle.setAtKey(key) != ErrorCode::None) return 0;
    while (t.app.handle.next() == ErrorCode::None &&
           (key.index == core::Applied::byPayId.index ? app.PayId : app.ChgId) == id)
        sum += app.AMOUNT.scaled();
    return sum;
}

// The applications of a payment (or a charge), read before any of them is changed.
std::vector<core::Applied> rowsOf(ArTables& t, core::KeyId key, std::int32_t id) {
    std::vector<core::Applied> rows;
    core::Applied& app = t.app.rec();
    t.app.handle.clear();
    if (key.index == core::Applied::byPayId.index)
        app.PayId = id;
    else
        app.ChgId = id;
    if (t.app.handle.setAtKey(key) != ErrorCode::None) return rows;
    while (t.app.handle.next() == ErrorCode::None &&
           (key.index == core::Applied::byPayId.index ? app.PayId : app.ChgId) == id)
        rows.push_back(app);
    return rows;
}

// Deletes the row of the pair (the first one; Apply to Oldest may have made more).
ErrorCode eraseRow(ArTables& t, std::int32_t payId, std::int32_t chgId) {
    t.app.handle.clear();
    t.app.rec().ChgId = chgId;
    t.app.rec().PayId = payId;
    const ErrorCode ec = t.app.handle.get(core::Applied::byChgPayId);
    if (ec != ErrorCode::None) return ec;
    return t.app.handle.erase();
}

}  // namespace

ArTables::ArTables(core::Database& database, core::UiPort& ui)
    : db(database), app(database, ui), chg(database, ui), pay(database, ui) {}

bool ArTables::isOpen() const { return app.isOpen() && chg.isOpen() && pay.isOpen(); }

std::int64_t appliedToPayment(ArTables& t, std::int32_t payId) { return sumApplied(t, core::Applied::byPayId, payId); }
std::int64_t appliedToCharge(ArTables& t, std::int32_t chgId) { return sumApplied(t, core::Applied::byChgId, chgId); }

ErrorCode syncPayment(ArTables& t, std::int32_t payId) {
    const std::int64_t applied = appliedToPayment(t, payId);
    t.pay.handle.clear();
    t.pay.rec().Id = payId;
    if (const ErrorCode ec = t.pay.handle.get(core::Payments::byId); ec != ErrorCode::None)
        return ec == ErrorCode::RecordNotFound ? ErrorCode::None
                                               : ec;  // a payment deleted meanwhile has nothing to keep
    const std::int64_t unapplied = t.pay.rec().AMOUNT.scaled() - applied;
    if (!fitsMoney(unapplied)) return ErrorCode::DriverError;
    const std::uint8_t flag = unapplied == 0 ? 1 : 0;
    if (t.pay.rec().UNAPPAMT.scaled() == unapplied && t.pay.rec().Applied == flag) return ErrorCode::None;
    t.pay.rec().UNAPPAMT = money(unapplied);
    t.pay.rec().Applied = flag;
    return t.pay.handle.put();
}

std::string moneyText(const Money& m) { return core::cellText(core::moneyPicture(), m); }

void showReadError(core::UiPort& ui, ErrorCode code) {
    const char* text = code == ErrorCode::FileNotOpen   ? "File Not Open"
                       : code == ErrorCode::RecordInUse ? "Record Locked by another user"
                                                        : "No Matching Record";
    ui.message(kError, text, core::Icon::Warning, core::Button::Ok, core::Button::Ok);
}

LedgerOutcome applyToCharge(ArTables& t, core::UiPort& ui, std::int32_t payId, std::int32_t chgId,
                            std::int64_t unapplied, std::int32_t stampDate, std::int32_t stampTime,
                            std::int64_t* applied) {
    if (chgId == 0) {
        ui.message(kError, "No record currently highlighted", core::Icon::Warning, core::Button::Ok, core::Button::Ok);
        return LedgerOutcome::NothingToDo;
    }
    if (const ErrorCode ec = readCharge(t, chgId); ec != ErrorCode::None) {
        showReadError(ui, ec);
        return LedgerOutcome::ChargeMissing;
    }
    // A credit or an empty charge may always be applied; otherwise there must be
    // something of the payment left.
    if (!(unapplied > 0 || t.chg.rec().UNPAIDBAL.scaled() <= 0)) {
        ui.message(kError, "Payment Completely Allocated", core::Icon::Warning, core::Button::Ok, core::Button::Ok);
        return LedgerOutcome::NothingToDo;
    }
    return applyOne(t, ui, payId, unapplied, {true, stampDate, stampTime}, applied);
}

LedgerOutcome applyToOldest(ArTables& t, core::UiPort& ui, std::int32_t payId, const std::string& customer,
                            std::int64_t unapplied) {
    if (unapplied <= 0) {
        ui.message(kError, "Payment Completely Allocated", core::Icon::Warning, core::Button::Ok, core::Button::Ok);
        return LedgerOutcome::NothingToDo;
    }
    // The ids first, so that writing a charge never moves the walk.
    std::vector<std::int32_t> ids;
    core::Charges& chg = t.chg.rec();
    t.chg.handle.clear();
    chg.Customer = customer;
    chg.Paid = 0;
    chg.Date = 0;
    if (const ErrorCode ec = t.chg.handle.setAtKey(core::Charges::byCustPaidDate); ec != ErrorCode::None) {
        showReadError(ui, ec);
        return LedgerOutcome::Failed;
    }
    for (;;) {
        const ErrorCode ec = t.chg.handle.next();
        if (ec == ErrorCode::RecordNotAvailable) break;
        if (ec != ErrorCode::None) {
            showReadError(ui, ec);
            break;
        }
        if (!chg.Customer.equalsNoCase(customer) || chg.Paid != 0) break;
        ids.push_back(chg.Id);
    }
    bool any = false;
    for (std::int32_t id : ids) {
        if (unapplied == 0) break;
        for (int attempt = 0;; ++attempt) {
            if (const ErrorCode ec = readCharge(t, id); ec != ErrorCode::None) break;  // gone meanwhile
            if (chg.Paid != 0) break;
            if (chg.UNPAIDBAL.scaled() == 0) {
                chg.Paid = 1;
                if (t.chg.handle.put() == ErrorCode::ChangedByOtherStation && attempt < 3) continue;
                any = true;
                break;
            }
            std::int64_t amount = 0;
            // Another station's change of this charge is read again and applied anew,
            // so the walk neither stops nor writes from a stale balance.
            const LedgerOutcome o = applyOne(t, ui, payId, unapplied, {false, 0, 0}, &amount);
            if (o == LedgerOutcome::ChangedElsewhere && attempt < 3) continue;
            if (o != LedgerOutcome::Done) return any ? LedgerOutcome::Done : o;
            unapplied -= amount;
            any = true;
            break;
        }
    }
    return any ? LedgerOutcome::Done : LedgerOutcome::NothingToDo;
}

LedgerOutcome removeApplication(ArTables& t, core::UiPort& ui, std::int32_t payId, std::int32_t chgId) {
    if (payId == 0 && chgId == 0) {
        ui.message(kError, "No record currently highlighted", core::Icon::Warning, core::Button::Ok, core::Button::Ok);
        return LedgerOutcome::NothingToDo;
    }
    if (const ErrorCode ec = readCharge(t, chgId); ec != ErrorCode::None) {
        showReadError(ui, ec);
        return LedgerOutcome::ChargeMissing;
    }
    core::Transaction tx(t.db, {&t.app.handle, &t.chg.handle, &t.pay.handle});
    if (!begin(tx, ui, "Applied")) return LedgerOutcome::Failed;
    t.app.handle.clear();
    t.app.rec().ChgId = chgId;
    t.app.rec().PayId = payId;
    if (t.app.handle.get(core::Applied::byChgPayId) != ErrorCode::None) {
        // Another station removed it first: say so, and let the form read its lists again.
        tx.rollback();
        ui.message(kError, "Record not available on Applied", core::Icon::Warning, core::Button::Ok, core::Button::Ok);
        return LedgerOutcome::ChangedElsewhere;
    }
    core::Charges& chg = t.chg.rec();
    const std::int64_t balance = chg.UNPAIDBAL.scaled() + t.app.rec().AMOUNT.scaled();
    if (!fitsMoney(balance)) return LedgerOutcome::Failed;
    chg.UNPAIDBAL = money(balance);
    if (balance != 0) chg.Paid = 0;
    const ErrorCode put = t.chg.handle.put();
    if (put == ErrorCode::ChangedByOtherStation) {
        tx.rollback();
        changedElsewhere(ui);
        return LedgerOutcome::ChangedElsewhere;
    }
    if (put != ErrorCode::None || t.app.handle.erase() != ErrorCode::None || syncPayment(t, payId) != ErrorCode::None ||
        tx.commit() != ErrorCode::None) {
        tx.rollback();
        ui.message(kError, kDiskError, core::Icon::Warning, core::Button::Ok, core::Button::Ok);
        return LedgerOutcome::Failed;
    }
    return LedgerOutcome::Done;
}

LedgerOutcome reversePayment(ArTables& t, core::UiPort& ui, std::int32_t payId, bool deletePayment) {
    core::Transaction tx(t.db, {&t.app.handle, &t.chg.handle, &t.pay.handle});
    if (!begin(tx, ui, "Payments")) return LedgerOutcome::Failed;
    auto fail = [&] {
        tx.rollback();
        core::saveError(t.pay.handle);
        return LedgerOutcome::Failed;
    };
    for (const core::Applied& row : rowsOf(t, core::Applied::byPayId, payId)) {
        t.chg.handle.clear();
        t.chg.rec().Id = row.ChgId;
        if (t.chg.handle.get(core::Charges::byId) == ErrorCode::None) {
            core::Charges& chg = t.chg.rec();
            std::int64_t balance = chg.UNPAIDBAL.scaled() + row.AMOUNT.scaled();
            // Never give back more than was charged (a balance edited by hand).
            const std::int64_t amount = chg.AMOUNT.scaled();
            if (amount >= 0 && balance > amount) balance = amount;
            if (amount < 0 && balance < amount) balance = amount;
            chg.UNPAIDBAL = money(balance);
            chg.Paid = balance == 0 ? 1 : 0;
            if (t.chg.handle.put() != ErrorCode::None) return fail();
        }
        if (eraseRow(t, row.PayId, row.ChgId) != ErrorCode::None) return fail();
    }
    if (deletePayment) {
        t.pay.handle.clear();
        t.pay.rec().Id = payId;
        if (t.pay.handle.get(core::Payments::byId) == ErrorCode::None && t.pay.handle.erase() != ErrorCode::None)
            return fail();
    } else if (syncPayment(t, payId) != ErrorCode::None) {
        return fail();
    }
    if (tx.commit() != ErrorCode::None) return fail();
    return LedgerOutcome::Done;
}

LedgerOutcome deleteCharge(ArTables& t, core::UiPort& ui, std::int32_t chgId) {
    core::Transaction tx(t.db, {&t.app.handle, &t.chg.handle, &t.pay.handle});
    if (!begin(tx, ui, "Charges")) return LedgerOutcome::Failed;
    auto fail = [&] {
        tx.rollback();
        return LedgerOutcome::Failed;
    };
    for (const core::Applied& row : rowsOf(t, core::Applied::byChgId, chgId)) {
        if (eraseRow(t, row.PayId, row.ChgId) != ErrorCode::None) return fail();
        if (syncPayment(t, row.PayId) != ErrorCode::None) return fail();
    }
    t.chg.handle.clear();
    t.chg.rec().Id = chgId;
    if (t.chg.handle.get(core::Charges::byId) != ErrorCode::None || t.chg.handle.erase() != ErrorCode::None) {
        core::saveError(t.chg.handle);
        return fail();
    }
    if (tx.commit() != ErrorCode::None) return fail();
    return LedgerOutcome::Done;
}

bool outstandingBalance(core::Database& db, core::UiPort& ui, std::int64_t& cents) {
    cents = 0;
    bool ok = true;
    {
        core::HeldTable<core::Charges> chg(db, ui);
        if (!chg.isOpen()) {
            ui.message("Error getting AR Total", "Charges File Not Open", core::Icon::Warning, core::Button::Ok,
                       core::Button::Ok);
            ok = false;
        } else {
            chg.handle.clear();
            chg.rec().Paid = 0;
            chg.handle.setAtKey(core::Charges::byPaid);
            chg.handle.send("QUICKSCAN=on");
            while (chg.handle.next() == ErrorCode::None && chg.rec().Paid == 0) cents += chg.rec().UNPAIDBAL.scaled();
            chg.handle.send("QUICKSCAN=off");
        }
    }
    {
        core::HeldTable<core::Payments> pay(db, ui);
        if (!pay.isOpen()) {
            ui.message("Error getting AR Total", "Payments File Not Open", core::Icon::Warning, core::Button::Ok,
                       core::Button::Ok);
            ok = false;
        } else {
            pay.handle.clear();
            pay.rec().Applied = 0;
            pay.handle.setAtKey(core::Payments::byApplied);
            pay.handle.send("QUICKSCAN=on");
            while (pay.handle.next() == ErrorCode::None && pay.rec().Applied == 0) cents -= pay.rec().UNAPPAMT.scaled();
            pay.handle.send("QUICKSCAN=off");
        }
    }
    return ok;
}

ErrorCode storeCustomerBalance(core::Database& db, core::UiPort& ui, const std::string& customer) {
    core::HeldTable<core::Customer> cus(db, ui);
    core::HeldTable<core::Charges> chg(db, ui);
    core::HeldTable<core::Payments> pay(db, ui);
    if (!cus.isOpen() || !chg.isOpen() || !pay.isOpen()) return ErrorCode::FileNotOpen;
    core::Transaction tx(db, {&cus.handle, &chg.handle, &pay.handle});
    if (const ErrorCode ec = tx.begin(); ec != ErrorCode::None) return ec;
    const core::StoredBalance stored = core::storeCustomerBalance(tx, {cus.handle, chg.handle, pay.handle}, customer);
    if (stored.code != ErrorCode::None) return stored.code;
    return tx.commit();
}

}  // namespace quay::desk
