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
#include "quay/views/placement_keeper.h"

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
    : QDialog(parent), m_logic(db, ui, order), m_order(order) {
    setObjectName("SaveInvoiceForm");
    setWindowTitle(SaveInvoiceForm::kCaption);
    m_opened = m_logic.open();
    m_binder = new core::FieldBinder(core::Orders::desc(), [this] { return static_cast<void*>(&m_order); }, this);
    core::FieldBinder& b = *m_binder;

    FormGrid g(this);
    g.display("Quote#", "OrdNum", 10, true)->setText(QString::number(order.OrdNum));
    // The number the save proposes; the user may confirm it or continue a series of
    // his own. A number taken meanwhile is settled by the save's retry.
    m_invoice = b.bindText(g.entry("Invoice#:", "InvoiceNum", 10, "Invoice Number"), "InvoiceNum", nullptr,
                           [this] { return m_logic.acceptInvoiceNumber(); });
    m_invoice->setAlignment(Qt::AlignRight);
    QLineEdit* date = m_date = b.bindDate(g.entry("Date:", "OrdDate", 10), "OrdDate", ui);
    detail::titleCalendar(date, SaveInvoiceForm::kCalendarTitle, [this] {
        if (!m_logic.enterDate()) return false;
        m_binder->loadField(fieldIndexOf(core::Orders::desc(), "OrdDate"));
        return true;
    });
    QWidget* po = b.bindText(g.entry("PO#:", "PONUM", 12), "PONUM");
    QToolButton* pickTerms = nullptr;
    QToolButton* pickShip = nullptr;
    m_terms = b.bindText(g.entry("Terms:", "TERMS", 15, nullptr, &pickTerms), "TERMS", nullptr,
                         [this] { return m_logic.acceptField(HeaderField::TERMS, !m_inOk); });
    QWidget* reference = b.bindText(g.entry("Reference:", "REFERENCE", 30), "REFERENCE");
    m_shipVia = b.bindText(g.entry("Ship Via:", "SHIPVIA", 20, nullptr, &pickShip), "SHIPVIA", nullptr,
                           [this] { return m_logic.acceptField(HeaderField::SHIPVIA, !m_inOk); });
    QWidget* shipTrak = b.bindText(g.entry("Ship Trak:", "SHIPTRAK", 30, "Shipment Tracking Number"), "SHIPTRAK");
    for (auto [button, field, edit] : {std::tuple{pickTerms, HeaderField::TERMS, m_terms},
                                       std::tuple{pickShip, HeaderField::SHIPVIA, m_shipVia}}) {
        connect(button, &QToolButton::clicked, this, [this, field, edit] {
            m_logic.browseField(field);
            m_binder->load();
            edit->setFocus();
        });
    }
    g.setColumn(1);
    g.display(" Total:", "TOTAL", 14, true)->setText(money(order.TOTAL));
    m_payment = g.entry("Initial Payment:", "DOWNPAYMENT", 14, "Payment at Invoice Time");
    m_payment->setAlignment(Qt::AlignRight);
    m_payment->setText(money(order.DOWNPAYMENT));
    connect(m_payment, &QLineEdit::editingFinished, this, [this] { acceptPayment(); });
    m_packList = g.check("Print Packing List", "PrintPackList");
    m_packList->setChecked(core::glo.PrintPackList == 1);
    connect(m_packList, &QCheckBox::toggled, this, [](bool on) { core::glo.PrintPackList = on ? 1 : 0; });
    m_balance = g.display("Balance Due:", "BalanceDue", 14, true);
    auto* notesLabel = new QLabel("Notes:", this);
    auto* notes = b.bindMemo(new QPlainTextEdit(this), "Notes");
    notes->setObjectName("Notes");
    notes->setToolTip("Ticket Notes");
    notes->setTabChangesFocus(true);
    notes->setMinimumHeight(notes->fontMetrics().height() * 5);
    notesLabel->setBuddy(notes);

    const detail::OkCancelRow buttons = detail::okCancelRow(this, "Ok", "Cancel", [this] { onOk(); });
    detail::chainTabs(
        {m_invoice, date, po, m_terms, reference, m_shipVia, shipTrak, m_payment, m_packList, notes, buttons.ok, buttons.cancel});

    g.layout()->setColumnMinimumWidth(2, 24);
    g.layout()->setColumnStretch(4, 1);
    auto* outer = new QVBoxLayout(this);
    outer->addLayout(g.layout());
    outer->addWidget(notesLabel);
    outer->addWidget(notes, 1);
    outer->addLayout(buttons.row);
    b.load();
    showBalance();
    core::keepPlacement(this, "SaveInvoiceForm");
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
        accepted = m_logic.acceptPayment(amount);  // beeps when out of range
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

void SaveInvoiceView::showBalance() { m_balance->setText(money(m_logic.balanceDue())); }

void SaveInvoiceView::onOk() {
    m_inOk = true;
    const bool stored = m_binder->storeAll() && acceptPayment();
    m_inOk = false;
    if (!stored) return;
    if (m_logic.ok()) {
        QDialog::accept();
        return;
    }
    QLineEdit* where = m_payment;
    switch (m_logic.focus()) {
        case SaveInvoiceForm::Focus::InvoiceNum: where = m_invoice; break;
        case SaveInvoiceForm::Focus::Date: where = m_date; break;
        case SaveInvoiceForm::Focus::TERMS: where = m_terms; break;
        case SaveInvoiceForm::Focus::SHIPVIA: where = m_shipVia; break;
        default: break;
    }
    where->setFocus();
    where->selectAll();
}

void SaveInvoiceView::reject() {
    m_logic.cancel();
    QDialog::reject();
}

// --- PostInvoicePayment -------------------------------------------------------------

PostInvoicePaymentView::PostInvoicePaymentView(core::UiPort& ui, core::Payments& payment, QWidget* parent)
    : QDialog(parent), m_logic(ui, payment), m_pay(payment) {
    setObjectName("PostInvoicePayment");
    setWindowTitle(PostInvoicePayment::kCaption);
    m_binder = new core::FieldBinder(core::Payments::desc(), [this] { return static_cast<void*>(&m_pay); }, this);
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

    const detail::OkCancelRow buttons = detail::okCancelRow(this, "&Ok", "&Cancel", [this] { onOk(); });
    detail::chainTabs({m_date, m_method, m_checkFields[0], m_checkFields[1], m_cardFields[0], m_cardFields[1],
                       m_cardFields[2], m_cardFields[3], comments, buttons.ok, buttons.cancel});

    g.layout()->setColumnStretch(2, 1);
    auto* outer = new QVBoxLayout(this);
    outer->addLayout(g.layout());
    outer->addStretch(1);
    outer->addLayout(buttons.row);
    b.load();
    enableDetails();
    core::keepPlacement(this, "PostInvoicePayment");
}

void PostInvoicePaymentView::enableDetails() {
    for (QWidget* w : m_checkFields) w->setEnabled(m_logic.checkFieldsEnabled());
    for (QWidget* w : m_cardFields) w->setEnabled(m_logic.cardFieldsEnabled());
}

void PostInvoicePaymentView::onOk() {
    if (!m_binder->storeAll()) return;
    if (m_logic.ok()) {
        QDialog::accept();
        return;
    }
    if (m_logic.focus() == PostInvoicePayment::Focus::Date)
        m_date->setFocus();
    else
        m_method->setFocus();
}

void PostInvoicePaymentView::reject() {
    m_logic.cancel();
    QDialog::reject();
}

}  // namespace quay::desk
