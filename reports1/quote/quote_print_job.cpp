// The quote and invoice print. Reading order: the company record and the order before
// anything prints; the customer (and the bill-to customer) when the first line is read;
// per line its product, its serial numbers and its comments; at the end the invoice's
// charge and the applications of payments to it. Only reads: nothing is written.
#include "quote_print_job.h"

#include <algorithm>
#include <system_error>

#include "quay/app/last_error.h"
#include "quay/app/standard_messages.h"
#include "quote_blocks.h"
#include "quote_layout.h"

namespace quay::reports::detail {
namespace {

using core::Button;
using core::ErrorCode;
using core::Icon;

// The most of a product or line comment the comment band prints.
constexpr std::size_t kCommentBuffer = 1000;

// Rules of a grid band reach the text's extent plus a 30-unit margin, and at least the
// band's own height, so the rules of one band meet those of the next.
void stretchRules(ReportRun& run, const char* prefix, std::string_view textControl, Units bandHeight) {
    const Units extent = run.lineCount(textControl) * run.lineHeight(textControl) + 30;
    const Units height = std::max(extent, bandHeight);
    for (int i = 0; i < 6; ++i) run.setHeight(ruleName(prefix, i), height);
}

void readFailed(core::UiPort& ui, const core::Table& table, const char* name) {
    core::saveError(table);
    core::showStandardMessage(ui, core::StandardMessage::RecordRetrievalError, {name});
}

}  // namespace

QuotePrintJob::QuotePrintJob(core::Database& db, std::int32_t ordNum, std::filesystem::path logoDirectory)
    : OrderPrintReport(db, ordNum),
      m_logoDirectory(std::move(logoDirectory)),
      m_products(db),
      m_serials(db),
      m_customer(db),
      m_custRef(db),
      m_charges(db),
      m_applied(db),
      m_payments(db) {}

ReportLayout QuotePrintJob::layout() const { return quoteLayout(); }

std::vector<core::Table*> QuotePrintJob::printTables() {
    return {&m_products, &m_serials, &m_customer, &m_custRef, &m_charges, &m_applied, &m_payments};
}

void QuotePrintJob::startPrint(ReportRun& run) {
    const std::int32_t number = isInvoice() ? order().InvoiceNum : order().OrdNum;
    m_word = isInvoice() ? "Invoice" : "Quote";
    m_title = m_word + "# " + std::to_string(number);
    const core::Defaults& def = company();
    const house::HeadingLines lines = house::companyHeading(def);
    for (std::size_t i = 0; i < lines.size(); ++i) run.setText("head" + std::to_string(i + 1), lines[i]);
    run.setText("docWord", m_word);
    run.setText("docTitle", m_title);
    run.setText("docDate", longDate(order().OrdDate));

    // The logo is a plain file name in the program's folder; anything that would reach
    // outside it, or a file that is not there, prints as no logo.
    std::filesystem::path logo;
    const std::string_view name = def.LOGOFILE.view();
    if (!name.empty() && name.find('/') == std::string_view::npos && name.find('\\') == std::string_view::npos &&
        name != "." && name != "..") {
        std::error_code ec;
        std::filesystem::path candidate = m_logoDirectory / std::string(name);
        if (std::filesystem::is_regular_file(candidate, ec)) logo = candidate;
    }
    if (!logo.empty()) {
        run.setImage("logo", logo.string());
    } else {
        run.setImage("logo", {});
        run.setHidden("logo", true);
        const Units width = kGridRules[5] - kHeadingXWithoutLogo;
        for (const char* control : kMovedHeading) {
            run.setX(control, kHeadingXWithoutLogo);
            if (std::string_view(control).rfind("doc", 0) == 0) run.setWidth(control, width);
        }
    }
    run.setPicture("unitPrice", unitPricePicture(def.ROUNDPC.view()));
    run.setText("notice", def.INVOICEAD != 0 ? footerNotice(m_word) : std::string());
    run.setText("footerTitle", m_title);
}

bool QuotePrintJob::beginOrder(core::UiPort& ui, ReportRun& run) {
    m_customer.clear();
    m_customer.rec.Name = order().CustName;
    if (m_customer.get(core::Customer::byName) != ErrorCode::None) {
        ui.message("Error", "Referential Integrity error finding ShipTo Information", Icon::Error, Button::Ok,
                   Button::Ok);
        return false;
    }
    const core::Customer* billTo = nullptr;
    const core::Customer& cus = m_customer.rec;
    if (!cus.BILLTO.isBlank() && !cus.BILLTO.equalsNoCase(cus.Name.view())) {
        m_custRef.clear();
        m_custRef.rec.Name = cus.BILLTO;
        if (m_custRef.get(core::CustRef::byName) == ErrorCode::None) billTo = &m_custRef.rec;
    }
    const OrderAddresses a = orderAddresses(order(), cus, billTo);
    for (std::size_t i = 0; i < kAddressLines; ++i) {
        run.setText("shipTo" + std::to_string(i + 1), a.shipTo[i]);
        run.setText("billTo" + std::to_string(i + 1), a.billTo[i]);
    }
    run.setText("contactName", a.contact);
    run.print(kQuoteHeading);
    run.print(kQuoteAddresses);
    for (const char* control : kContinuedControls) run.setHidden(control, false);
    return true;
}

void QuotePrintJob::printComment(ReportRun& run, std::string_view text) {
    run.setText("comment", std::string(text.substr(0, kCommentBuffer)));
    stretchRules(run, "comment", "comment", kCommentBandHeight);
    run.print(kQuoteComment);
    run.setText("comment", {});
}

bool QuotePrintJob::printLine(core::UiPort& ui, ReportRun& run) {
    const core::ItemsOrd& line = this->line();
    m_products.clear();
    m_products.rec.PartNum = line.PartNum;
    if (m_products.get(core::Products::byPartNum) != ErrorCode::None) m_products.clear();

    run.setText("partNum", line.PartNum.str());
    run.setText("description", line.DESCRIPTION.str());
    run.setValue("qty", line.QTY);
    run.setValue("unitPrice", line.PRICE);
    run.setValue("extension", line.TOTAL);
    stretchRules(run, "line", "description", kLineBandHeight);
    run.print(kQuoteLine);

    if (!m_products.rec.Comments.isEmpty()) printComment(run, m_products.rec.Comments.view());

    m_serials.clear();
    m_serials.rec.ITENUM = line.IteNum;
    if (m_serials.setAtKey(core::Serials::byIteNum) != ErrorCode::None) {
        readFailed(ui, m_serials, "Serials");
        return false;
    }
    for (;;) {
        const ErrorCode e = m_serials.next();
        if (e == ErrorCode::RecordNotAvailable || (e == ErrorCode::None && m_serials.rec.ITENUM != line.IteNum)) break;
        if (e != ErrorCode::None) {
            readFailed(ui, m_serials, "Serials");
            return false;
        }
        run.setText("serialNumber", m_serials.rec.SERIALNUMBER.str());
        run.print(kQuoteSerial);
    }

    if (!line.Comments.isEmpty()) printComment(run, line.Comments.view());
    run.print(kQuoteLineEnd);
    return true;
}

void QuotePrintJob::endOrder(ReportRun& run) {
    // A page that holds only the totals needs no column headings.
    for (const char* control : kContinuedControls) run.setHidden(control, true);
    const core::Orders& ord = order();
    core::Decimal<18, 2> payments;
    struct Application {
        std::int32_t payId;
        core::Decimal<13, 2> amount;
    };
    std::vector<Application> applications;

    const bool invoice = isInvoice();
    if (invoice) {
        m_charges.clear();
        m_charges.rec.INVOICENUM = ord.InvoiceNum;
        if (ord.InvoiceNum != 0 && m_charges.get(core::Charges::byInvoiceNum) == ErrorCode::None) {
            const std::int32_t chgId = m_charges.rec.Id;
            m_applied.clear();
            m_applied.rec.ChgId = chgId;
            if (m_applied.setAtKey(core::Applied::byChgId) == ErrorCode::None) {
                while (m_applied.next() == ErrorCode::None && m_applied.rec.ChgId == chgId) {
                    // An 18-digit sum of 13-digit amounts cannot overflow.
                    (void)(payments += m_applied.rec.AMOUNT);
                    applications.push_back({m_applied.rec.PayId, m_applied.rec.AMOUNT});
                }
            }
        }
    }
    core::Decimal<18, 2> balance;
    (void)balance.assign(ord.TOTAL - payments);

    for (const char* name : {"paymentsLabel", "payments", "balanceDueLabel", "balanceDue"})
        run.setHidden(name, !invoice);
    run.setValue("listSub", ord.LISTSUB);
    run.setValue("discountPct", ord.DISCOUNTPCT);
    run.setValue("discount", ord.DISCOUNT);
    run.setValue("surchargePct", ord.SURCHARGEPCT);
    run.setValue("surcharge", ord.SURCHARGE);
    run.setValue("shipping", ord.SHIPPING);
    run.setValue("handling", ord.HANDLING);
    run.setValue("cod", ord.COD);
    run.setValue("taxRate1", ord.SLSTAXRATE1);
    run.setValue("salesTax1", ord.SALESTAX1);
    run.setValue("taxRate2", ord.SLSTAXRATE2);
    run.setValue("salesTax2", ord.SALESTAX2);
    run.setValue("orderTotal", ord.TOTAL);
    run.setValue("payments", payments);
    run.setValue("balanceDue", balance);
    run.setText("shipVia", std::string(ord.SHIPVIA.view().substr(0, 10)));
    run.setText("shipTrak", ord.SHIPTRAK.str());
    run.setText("reference", ord.REFERENCE.str());
    run.setText("poNum", ord.PONUM.str());
    run.setText("terms", ord.TERMS.str());
    run.setText("notes", ord.Notes.str());
    run.print(kQuoteTotals);

    bool headed = false;
    for (const Application& app : applications) {
        if (!headed) {
            run.print(kQuotePaymentsHead);
            headed = true;
        }
        // An application whose payment has gone still counts in the sum above; it has no
        // payment to describe.
        m_payments.clear();
        m_payments.rec.Id = app.payId;
        if (m_payments.get(core::Payments::byId) != ErrorCode::None) continue;
        run.setText("paymentLine", paymentLine(m_payments.rec));
        run.setValue("paymentAmount", app.amount);
        run.print(kQuotePayment);
    }

    const core::Defaults& def = company();
    if (!def.InvComments.isEmpty()) {
        run.setText("invComments", def.InvComments.str());
        run.print(kQuoteCompanyNotes);
    }
    const std::string_view status = ord.Status.view();
    const bool signature = status == "I" ? def.SIGONINV != 0 : status == "Q" ? def.SIGONQUOTES != 0 : true;
    if (signature) run.print(kQuoteSignature);
}

}  // namespace quay::reports::detail
