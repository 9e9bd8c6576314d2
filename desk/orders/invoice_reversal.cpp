// The reversal runs over Orders, ItemsOrd, Applied, Charges, Products and Payments in
// one transaction: order back to "Q" (invoice number and initial payment cleared),
// lines' delivered quantities cleared, stock-adjusted products given their sold
// quantities back, each application of the invoice's charge undone on its payment
// (never raising the unapplied amount above the payment) and deleted, then the
// charge deleted. Serial numbers stay with the lines. A charge already deleted does
// not stop the reversal, and a product that no longer exists is skipped. Last, inside
// the same transaction, the customer's stored balance is recomputed, so it never
// shows the removed charge as still owed, not even after a station dies at the
// commit.
#include "orders/invoice_reversal.h"

#include <string>
#include <string_view>
#include <vector>

#include "quay/app/globals.h"
#include "quay/app/table_access.h"
#include "quay/customers/customer_balance.h"
#include "quay/store/transaction.h"
#include "quay/tables/all_tables.h"

namespace quay::desk {

using core::Button;
using core::ErrorCode;
using core::Icon;
using core::Response;

namespace {

constexpr const char* kQuestion =
    "Converting an Invoice to a Quote will add all quantities sold on this invoice back into Inventory.  Any "
    "payments made on this invoice will become customer credits.|Do you want to Continue?";

}  // namespace

core::Response convertInvoiceToQuote(core::Database& db, core::UiPort& ui, std::int32_t ordNum) {
    if (ui.message("Convert back to Quote", kQuestion, Icon::Question, Button::Yes | Button::No, Button::No) !=
        Button::Yes)
        return Response::Cancelled;
    core::HeldTable<core::Orders> ord(db, ui);
    core::HeldTable<core::ItemsOrd> ite(db, ui);
    core::HeldTable<core::Applied> app(db, ui);
    core::HeldTable<core::Charges> chg(db, ui);
    core::HeldTable<core::Products> prd(db, ui);
    core::HeldTable<core::Payments> pay(db, ui);
    core::HeldTable<core::Customer> cus(db, ui);
    if (!ord.isOpen() || !ite.isOpen() || !app.isOpen() || !chg.isOpen() || !prd.isOpen() || !pay.isOpen() ||
        !cus.isOpen())
        return Response::Cancelled;
    core::Transaction tx(db,
                         {&ord.handle, &ite.handle, &app.handle, &chg.handle, &prd.handle, &pay.handle, &cus.handle});
    auto failed = [&](const char* text) {
        tx.rollback();
        ui.message("ERROR", text, Icon::Error, Button::Ok, Button::Ok);
        return Response::Cancelled;
    };
    if (tx.begin() != ErrorCode::None) return failed("Files cannot be locked");

    ord.handle.rec.OrdNum = ordNum;
    if (ord.handle.get(core::Orders::byOrdNum) != ErrorCode::None) return failed("Error getting current order");
    ord.handle.rec.Status = "Q";
    core::glo.InvoiceNum = ord.handle.rec.InvoiceNum;
    ord.handle.rec.InvoiceNum = 0;
    ord.handle.rec.DOWNPAYMENT.clear();
    if (ord.handle.put() != ErrorCode::None) return failed("Error Updating Orders File");

    // The order's lines are read in one pass, then each is updated by its number.
    std::vector<std::int32_t> lineNumbers;
    ite.handle.clear();
    ite.handle.rec.OrdNum = ordNum;
    ite.handle.setAtKey(core::ItemsOrd::byOrdNum);
    while (ite.handle.next() == ErrorCode::None && ite.handle.rec.OrdNum == ordNum)
        lineNumbers.push_back(ite.handle.rec.IteNum);
    for (const std::int32_t lineNumber : lineNumbers) {
        ite.handle.clear();
        ite.handle.rec.IteNum = lineNumber;
        if (ite.handle.get(core::ItemsOrd::byIteNum) != ErrorCode::None)
            return failed("Error Updating Items Ordered File");
        ite.handle.rec.QTYDELIVERED.clear();
        if (ite.handle.put() != ErrorCode::None) return failed("Error Updating Items Ordered File");
        prd.handle.clear();
        prd.handle.rec.PartNum = ite.handle.rec.PartNum.view();
        if (prd.handle.get(core::Products::byPartNum) == ErrorCode::None && prd.handle.rec.ADJUSTSTOCK) {
            if (prd.handle.rec.OnHand.assign(prd.handle.rec.OnHand + ite.handle.rec.QTY) != core::DecimalStatus::Ok ||
                prd.handle.put() != ErrorCode::None)
                return failed("Error Products File");
        }
    }

    chg.handle.clear();
    chg.handle.rec.INVOICENUM = core::glo.InvoiceNum;
    if (core::glo.InvoiceNum != 0 && chg.handle.get(core::Charges::byInvoiceNum) == ErrorCode::None) {
        const std::int32_t chargeId = chg.handle.rec.Id;
        for (;;) {
            app.handle.clear();
            app.handle.rec.ChgId = chargeId;
            app.handle.setAtKey(core::Applied::byChgId);
            if (app.handle.next() != ErrorCode::None || app.handle.rec.ChgId != chargeId) break;
            pay.handle.clear();
            pay.handle.rec.Id = app.handle.rec.PayId;
            if (pay.handle.get(core::Payments::byId) == ErrorCode::None) {
                core::Payments& p = pay.handle.rec;
                if (p.UNAPPAMT.assign(p.UNAPPAMT + app.handle.rec.AMOUNT) != core::DecimalStatus::Ok ||
                    p.UNAPPAMT > p.AMOUNT)
                    p.UNAPPAMT = p.AMOUNT;
                p.Applied = 0;
                if (pay.handle.put() != ErrorCode::None) return failed("Error Updating Payments File");
            }
            if (app.handle.erase() != ErrorCode::None) return failed("Error Updating Applied File");
        }
        chg.handle.rec.Id = chargeId;
        if (chg.handle.get(core::Charges::byId) != ErrorCode::None || chg.handle.erase() != ErrorCode::None)
            return failed("Error Updating Charges File");
    }
    const std::string customer(ord.handle.rec.CustName.view());
    if (core::storeCustomerBalance(tx, {cus.handle, chg.handle, pay.handle}, customer).code != ErrorCode::None)
        return failed("Error Updating Customer File");
    if (tx.commit() != ErrorCode::None) return failed("Error Updating Orders File");
    return Response::Completed;
}

}  // namespace quay::desk
