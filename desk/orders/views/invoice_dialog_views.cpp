// The invoice and payment dialogs. The initial payment is not bound like the other
// fields: an amount outside the invoice's range must not reach the order even for a
// moment, so the typed text is read, offered to the logic and kept in the buffer
// only when accepted; a refused amount stays in the field with the cursor.
#include "orders/views/invoice_dialog_views.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>
#include <QToolTip>
#include <QVBoxLayout>

#include "orders/views/order_dialog_support.h"
#include "quay/app/globals.h"
#include "quay/types/picture.h"
#include "quay/views/field_binder.h"

namespace quay::desk {

using detail::FormGrid;
using detail::qs;

namespace {

constexpr const char* kMoney = "@n-13.2";

std::vector<std::string> methods() {
    std::vector<std::string> v;
    const QStringList all = QString(PostInvoicePayment::kMethods).split('|');
    for (const QString& m : all) v.push_back(m.toStdString());
    return v;
}

QString money(const core::Decimal<13, 2>& v) { return qs(core::Picture::parse(kMoney)->format(v)).trimmed(); }

}  // namespace

// --- SaveInvoiceForm ----------------------------------------------------------------

SaveInvoiceView::SaveInvoiceView(core::Database& db, core::UiPort& ui, core::Orders& order, QWidget* parent)
    : OwnedLogic(db, ui, order), FormDialog(m_logic, parent, {"Ok", "Cancel"}), m_order(order) {
    m_opened = m_logic.open();
    m_binder = binder();
    core::FieldBinder& b = *m_binder;

    FormGrid g(this);
    g.display("Quote#", "OrdNum", 10, true)->setText(QString::number(order.OrdNum));
    // The number the save proposes; the user may confirm it or continue a series of
    // his own. A number taken meanwhile is settled by the save's retry.
    m_invoice = b.bindText(g.entry("&Invoice#:", "InvoiceNum", 10, "Invoice Number"), "InvoiceNum", nullptr,
                           [this] { return m_logic.acceptInvoiceNumber(); });
    m_invoice->setAlignment(Qt::AlignRight);
    QLineEdit* date = m_date = b.bindDate(g.entry("&Date:", "OrdDate", 10), "OrdDate", ui);
    detail::titleCalendar(date, SaveInvoiceForm::kCalendarTitle, [this] {
        if (!m_logic.enterDate()) return false;
        m_binder->loadField(fieldIndexOf(core::Orders::desc(), "OrdDate"));
        return true;
    });
    QWidget* po = b.bindText(g.entry("&PO#:", "PONUM", 12), "PONUM");
    QToolButton* pickTerms = nullptr;
    QToolButton* pickShip = nullptr;
    m_terms = b.bindText(g.entry("T&erms:", "TERMS", 15, nullptr, &pickTerms), "TERMS", nullptr,
                         [this] { return m_logic.acceptField(HeaderField::TERMS, !isFinishing()); });
    QWidget* reference = b.bindText(g.entry("&Reference:", "REFERENCE", 30), "REFERENCE");
    m_shipVia = b.bindText(g.entry("S&hip Via:", "SHIPVIA", 20, nullptr, &pickShip), "SHIPVIA", nullptr,
                           [this] { return m_logic.acceptField(HeaderField::SHIPVIA, !isFinishing()); });
    QWidget* shipTrak = b.bindText(g.entry("&Ship Trak:", "SHIPTRAK", 30, "Shipment Tracking Number"), "SHIPTRAK");
    for (auto [button, field, edit] :
         {std::tuple{pickTerms, HeaderField::TERMS, m_terms}, std::tuple{pickShip, HeaderField::SHIPVIA, m_shipVia}}) {
        connect(button, &QToolButton::clicked, this, [this, field, edit] {
            m_logic.browseField(field);
            m_binder->load();
            edit->setFocus();
        });
    }
    g.setColumn(1);
    g.display(" Total:", "TOTAL", 14, true)->setText(money(order.TOTAL));
    m_payment = g.entry("Ini&tial Payment:", "DOWNPAYMENT", 14, "Payment at Invoice Time");
    m_payment->setAlignment(Qt::AlignRight);
    m_payment->setText(money(order.DOWNPAYMENT));
    connect(m_payment, &QLineEdit::editingFinished, this, [this] { acceptPayment(); });
    m_packList = g.check("Print P&acking List", "PrintPackList");
    m_packList->setChecked(core::glo.PrintPackList == 1);
    connect(m_packList, &QCheckBox::toggled, this, [](bool on) { core::glo.PrintPackList = on ? 1 : 0; });
    m_balance = g.display("Balance Due:", "BalanceDue", 14, true);
    auto* notesLabel = new QLabel("&Notes:", this);
    auto* notes = b.bindMemo(new QPlainTextEdit(this), "Notes");
    notes->setObjectName("Notes");
    notes->setToolTip("Ticket Notes");
    notes->setTabChangesFocus(true);
    notes->setMinimumHeight(notes->fontMetrics().height() * 5);
    notesLabel->setBuddy(notes);

    detail::chainTabs({m_invoice, date, po, m_terms, reference, m_shipVia, shipTrak, m_payment, m_packList, notes,
                       okButton(), cancelButton()});

    g.layout()->setColumnMinimumWidth(2, 24);
    g.layout()->setColumnStretch(4, 1);
    auto* body = new QVBoxLayout;
    body->addLayout(g.layout());
    body->addWidget(notesLabel);
    body->addWidget(notes, 1);
    setBody(body, m_invoice);
    showBalance();
}

bool SaveInvoiceView::acceptPayment() {
    const auto picture = core::Picture::parse(kMoney);
    core::Decimal<13, 2> amount;
    const core::EntryStatus read = picture->read(m_payment->text().toStdString(), amount);
    bool accepted = read == core::EntryStatus::Ok;
    if (!accepted) {
        QApplication::beep();
        QToolTip::showText(m_payment->mapToGlobal(QPoint(0, m_payment->height())), qs(picture->reason(read)),
                           m_payment);
    } else {
        accepted = m_logic.acceptPayment(amount);  // beeps and says why when out of range
        if (!accepted) showRefusal();
    }
    if (!accepted) {
        m_payment->setFocus();
        m_payment->selectAll();
        return false;
    }
    m_payment->setText(money(m_order.DOWNPAYMENT));
    showBalance();
    return true;
}

QWidget* SaveInvoiceView::unboundWidget(int field) const {
    return field == fieldIndexOf(core::Orders::desc(), "DOWNPAYMENT") ? m_payment : nullptr;
}

bool SaveInvoiceView::hasUnboundEntry() const { return m_payment->isModified(); }

void SaveInvoiceView::showBalance() { m_balance->setText(money(m_logic.balanceDue())); }

// --- PostInvoicePayment -------------------------------------------------------------

PostInvoicePaymentView::PostInvoicePaymentView(core::UiPort& ui, core::Payments& payment, QWidget* parent)
    : OwnedLogic(ui, payment), FormDialog(m_logic, parent, {"&Ok", "&Cancel"}), m_pay(payment) {
    m_logic.open();
    m_binder = binder();
    core::FieldBinder& b = *m_binder;

    FormGrid g(this);
    // The customer and the amount are the invoice's: the charge and its application
    // are made for them, so they are shown here, not entered again.
    g.display("Customer:", "Customer", 35, false)->setText(qs(payment.Customer.view()));
    m_date = b.bindDate(g.entry("Date:", "Date", 10, "Date of Payment"), "Date", ui);
    detail::titleCalendar(m_date, PostInvoicePayment::kCalendarTitle);
    m_method = b.bindChoice(g.choice("Method", "Method", 12), "Method", methods());
    m_checkFields[0] = b.bindText(g.entry("Check#:", "CHECKNUM", 8), "CHECKNUM");
    m_checkFields[1] = b.bindText(g.entry("Bank ID:", "BANKID", 10, "Check Bank ID"), "BANKID");
    m_cardFields[0] = b.bindText(g.entry(" CC#:", "CCNUM", 20, "Credit Card Number"), "CCNUM");
    // A card runs to the end of its month: mm/yyyy, kept as the last day of it.
    m_cardFields[1] = b.bindText(g.entry("Exp Date:", "EXPDATE", 8, "CC Expiration Date"), "EXPDATE", "@d14");
    m_cardFields[2] = b.bindText(g.entry("CC Name:", "CCNAME", 35, "Name on Credit Card"), "CCNAME");
    m_cardFields[3] = b.bindText(g.entry("Auth:", "CCAUTH", 12), "CCAUTH");
    QWidget* comments = b.bindText(g.entry("Comments:", "COMMENTS", 40, "Payment Comments"), "COMMENTS");
    g.display("Payment Amount:", "AMOUNT", 14, true)->setText(money(payment.AMOUNT));
    connect(m_method, &QComboBox::currentIndexChanged, this, [this] { enableDetails(); });

    detail::chainTabs({m_date, m_method, m_checkFields[0], m_checkFields[1], m_cardFields[0], m_cardFields[1],
                       m_cardFields[2], m_cardFields[3], comments, okButton(), cancelButton()});

    g.layout()->setColumnStretch(2, 1);
    auto* body = new QVBoxLayout;
    body->addLayout(g.layout());
    body->addStretch(1);
    setBody(body, m_date);
    enableDetails();
}

void PostInvoicePaymentView::enableDetails() {
    for (QWidget* w : m_checkFields) w->setEnabled(m_logic.checkFieldsEnabled());
    for (QWidget* w : m_cardFields) w->setEnabled(m_logic.cardFieldsEnabled());
}

}  // namespace quay::desk
