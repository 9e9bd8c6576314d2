// Thin dialogs: each builds its fields, reads typed values into the buffer through
// the field's own parse (a refused value beeps and keeps the cursor in the field) and
// leaves every rule to the window logic.
#include "orders/views/order_dialogs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

#include "orders/invoice_dialogs.h"
#include "orders/item_ord_form.h"
#include "orders/quote_details.h"
#include "quay/app/globals.h"
#include "quay/types/date.h"
#include "serials/quote_serial_list.h"

namespace quay::desk {

namespace {

QString qs(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<int>(s.size())); }
std::string ss(const QString& s) { return s.toStdString(); }

template <int D, int P>
bool readDecimal(QLineEdit* e, core::Decimal<D, P>& field) {
    core::Decimal<D, P> v;
    if (v.parse(ss(e->text().remove(',').remove('$'))) != core::DecimalStatus::Ok) return false;
    field = v;
    return true;
}

std::string dateText(std::int32_t day) {
    const auto ymd = core::civilFromDate(day);
    if (!ymd) return {};
    char buf[32];
    std::snprintf(buf, sizeof buf, "%02d/%02d/%04d", ymd->month, ymd->day, ymd->year);
    return buf;
}

QLineEdit* textField(QFormLayout* form, const char* label, std::string_view value) {
    auto* e = new QLineEdit(qs(value));
    form->addRow(label, e);
    return e;
}

}  // namespace

// --- QuoteDetails -------------------------------------------------------------------

class QuoteDetailsDialog : public QDialog {
public:
    QuoteDetailsDialog(core::Database& db, core::UiPort& ui, core::Orders& order, QWidget* parent)
        : QDialog(parent), m_logic(db, ui, order), m_order(order) {
        setObjectName("QuoteDetails");
        setWindowTitle("Quote Details");
        m_logic.open();
        auto* form = new QFormLayout;
        m_date = textField(form, "Date:", dateText(order.OrdDate));
        m_customer = textField(form, "Customer:", order.CustName.view());
        m_reference = textField(form, "Reference:", order.REFERENCE.view());
        m_salesperson = textField(form, "Salesperson:", order.Salesperson.view());
        m_terms = textField(form, "Terms:", order.TERMS.view());
        m_class = new QComboBox;
        for (const char* c : {"1", "2", "3", "4", "5", "6", "C", "R"}) m_class->addItem(c);
        m_class->setCurrentText(qs(order.PRICECLASS.view()));
        form->addRow("Price Class:", m_class);
        m_po = textField(form, "PO#:", order.PONUM.view());
        m_shipVia = textField(form, "Ship Via:", order.SHIPVIA.view());
        m_rate1 = textField(form, "Tax Rate 1:", order.SLSTAXRATE1.toString());
        m_exempt1 = new QCheckBox("Tax 1 Exempt");
        m_exempt1->setChecked(order.TAX1EXEMPT);
        form->addRow("", m_exempt1);
        m_rate2 = textField(form, "Tax Rate 2:", order.SLSTAXRATE2.toString());
        m_exempt2 = new QCheckBox("Tax 2 Exempt");
        m_exempt2->setChecked(order.TAX2EXEMPT);
        form->addRow("", m_exempt2);
        m_down = textField(form, "Down Payment:", order.DOWNPAYMENT.toString());
        m_down->setToolTip("Payment at Invoice Time");
        m_handling = textField(form, "Handling:", order.HANDLING.toString());
        m_shipping = textField(form, "Shipping:", order.SHIPPING.toString());
        m_cod = textField(form, "COD:", order.COD.toString());
        m_discount = textField(form, "Discount%:", order.DISCOUNTPCT.toString());
        m_surcharge = textField(form, "Surcharge%:", order.SURCHARGEPCT.toString());
        auto* shipTo = new QFormLayout;
        m_stName = textField(shipTo, "Name:", order.ST_NAME.view());
        m_stAdd1 = textField(shipTo, "Address:", order.ST_ADD1.view());
        m_stAdd2 = textField(shipTo, "", order.ST_ADD2.view());
        m_stCity = textField(shipTo, "City:", order.ST_CITY.view());
        m_stState = textField(shipTo, "State:", order.ST_STATE.view());
        m_stZip = textField(shipTo, "Zip:", order.ST_ZIP.view());
        m_stAttn = textField(shipTo, "Attn:", order.ST_ATTN.view());
        m_stPhone = textField(shipTo, "Phone:", order.ST_PHONE.view());
        auto* note = new QLabel("Only put Ship To information if different from customer information.  These fields "
                                "will override the customer fields.");
        note->setWordWrap(true);
        shipTo->addRow(note);
        auto* columns = new QHBoxLayout;
        columns->addLayout(form);
        auto* right = new QVBoxLayout;
        auto* shipBox = new QGroupBox("&Ship To");
        shipBox->setLayout(shipTo);
        right->addWidget(shipBox);
        right->addStretch();
        columns->addLayout(right);
        auto* buttons = new QDialogButtonBox;
        buttons->addButton("&Ok", QDialogButtonBox::AcceptRole);
        buttons->addButton("&Cancel", QDialogButtonBox::RejectRole);
        connect(buttons, &QDialogButtonBox::accepted, this, [this] { onOk(); });
        connect(buttons, &QDialogButtonBox::rejected, this, [this] { m_logic.cancel(); reject(); });
        connect(m_customer, &QLineEdit::editingFinished, this, [this] { onCustomer(); });
        auto* layout = new QVBoxLayout(this);
        layout->addLayout(columns);
        layout->addWidget(buttons);
    }
    core::Response response() const { return m_logic.response(); }

private:
    void onCustomer() {
        const std::string name = ss(m_customer->text().trimmed());
        if (name.empty() || name == std::string(m_order.CustName.view())) return;
        if (!m_logic.chooseCustomer(name)) {
            m_customer->setFocus();
            return;
        }
        m_customer->setText(qs(m_order.CustName.view()));
        m_class->setCurrentText(qs(m_order.PRICECLASS.view()));
        m_rate1->setText(qs(m_order.SLSTAXRATE1.toString()));
        m_rate2->setText(qs(m_order.SLSTAXRATE2.toString()));
        m_exempt1->setChecked(m_order.TAX1EXEMPT);
        m_exempt2->setChecked(m_order.TAX2EXEMPT);
    }
    void onOk() {
        onCustomer();
        core::Orders& o = m_order;
        o.REFERENCE = ss(m_reference->text());
        o.Salesperson = ss(m_salesperson->text());
        o.TERMS = ss(m_terms->text());
        o.PRICECLASS = ss(m_class->currentText());
        o.PONUM = ss(m_po->text());
        o.SHIPVIA = ss(m_shipVia->text());
        o.TAX1EXEMPT = m_exempt1->isChecked();
        o.TAX2EXEMPT = m_exempt2->isChecked();
        o.ST_NAME = ss(m_stName->text());
        o.ST_ADD1 = ss(m_stAdd1->text());
        o.ST_ADD2 = ss(m_stAdd2->text());
        o.ST_CITY = ss(m_stCity->text());
        o.ST_STATE = ss(m_stState->text());
        o.ST_ZIP = ss(m_stZip->text());
        o.ST_ATTN = ss(m_stAttn->text());
        o.ST_PHONE = ss(m_stPhone->text());
        for (auto [edit, ok] : {std::pair{m_rate1, readDecimal(m_rate1, o.SLSTAXRATE1)},
                                std::pair{m_rate2, readDecimal(m_rate2, o.SLSTAXRATE2)},
                                std::pair{m_down, readDecimal(m_down, o.DOWNPAYMENT)},
                                std::pair{m_handling, readDecimal(m_handling, o.HANDLING)},
                                std::pair{m_shipping, readDecimal(m_shipping, o.SHIPPING)},
                                std::pair{m_cod, readDecimal(m_cod, o.COD)},
                                std::pair{m_discount, readDecimal(m_discount, o.DISCOUNTPCT)},
                                std::pair{m_surcharge, readDecimal(m_surcharge, o.SURCHARGEPCT)}}) {
            if (!ok) {
                edit->setFocus();
                return;
            }
        }
        if (m_logic.ok())
            accept();
        else
            m_customer->setFocus();
    }

    QuoteDetails m_logic;
    core::Orders& m_order;
    QLineEdit *m_date, *m_customer, *m_reference, *m_salesperson, *m_terms, *m_po, *m_shipVia, *m_rate1, *m_rate2,
        *m_down, *m_handling, *m_shipping, *m_cod, *m_discount, *m_surcharge, *m_stName, *m_stAdd1, *m_stAdd2,
        *m_stCity, *m_stState, *m_stZip, *m_stAttn, *m_stPhone;
    QComboBox* m_class;
    QCheckBox *m_exempt1, *m_exempt2;
};

core::Response runQuoteDetails(core::Database& db, core::UiPort& ui, core::Orders& order, QWidget* parent) {
    QuoteDetailsDialog d(db, ui, order, parent);
    d.exec();
    return d.response();
}

// --- ItemOrdForm --------------------------------------------------------------------

class ItemOrdDialog : public QDialog {
public:
    ItemOrdDialog(core::Database& db, core::UiPort& ui, core::Request request, LineEntry& line, QWidget* parent)
        : QDialog(parent), m_logic(db, ui, request, line), m_line(line) {
        setObjectName("ItemOrdForm");
        setWindowTitle(ItemOrdForm::kCaption);
        m_logic.open();
        auto* form = new QFormLayout;
        m_part = textField(form, "Ven.Part#:", line.PARTNUM.view());
        m_part->setToolTip("Mouse Look Up Button");
        m_desc = new QLabel;
        form->addRow("Description:", m_desc);
        m_group = new QLabel;
        form->addRow("Group:", m_group);
        m_tax = new QLabel;
        form->addRow("", m_tax);
        m_track = new QLabel;
        form->addRow("Track Serial:", m_track);
        m_qty = textField(form, "Qty:", line.QTY.toString());
        m_qty->setToolTip("Part Quantity Sold");
        m_price = textField(form, "X Price Ea.:", "");
        m_price->setToolTip("Part Price Ea");
        m_onHand = new QLabel;
        form->addRow("On Hand:", m_onHand);
        m_total = new QLabel;
        form->addRow("=  Total:", m_total);
        form->addRow(new QLabel("(Ctrl+1 - Ctrl+6 to set price to price class 1-6)"));
        form->addRow(new QLabel("(Ctrl+7 to set price to Cost)"));
        form->addRow(new QLabel("(Ctrl+8 to set price to Retail)"));
        auto* buttons = new QDialogButtonBox;
        auto* ok = buttons->addButton("&Ok", QDialogButtonBox::AcceptRole);
        buttons->addButton("Cancel", QDialogButtonBox::RejectRole);
        ok->setDefault(true);
        connect(buttons, &QDialogButtonBox::accepted, this, [this] { onOk(); });
        connect(buttons, &QDialogButtonBox::rejected, this, [this] { m_logic.cancel(); reject(); });
        connect(m_part, &QLineEdit::editingFinished, this, [this] {
            if (ss(m_part->text().trimmed()) != std::string(m_line.PARTNUM.view()) || !m_logic.hasProduct())
                m_logic.choosePart(ss(m_part->text().trimmed()));
            show();
        });
        connect(m_qty, &QLineEdit::editingFinished, this, [this] { readDecimal(m_qty, m_line.QTY); m_logic.recompute(); show(); });
        connect(m_price, &QLineEdit::editingFinished, this, [this] { readPrice(); m_logic.recompute(); show(); });
        for (int k = 1; k <= 8; ++k) {
            auto* sc = new QShortcut(QKeySequence(Qt::CTRL | static_cast<Qt::Key>(Qt::Key_0 + k)), this);
            connect(sc, &QShortcut::activated, this, [this, k] { m_logic.priceKey(k); show(); });
        }
        auto* layout = new QVBoxLayout(this);
        layout->addLayout(form);
        layout->addWidget(buttons);
        show();
    }
    core::Response response() const { return m_logic.response(); }

private:
    void show() {
        m_part->setText(qs(m_line.PARTNUM.view()));
        m_desc->setText(qs(m_line.DESCRIPTION.view()));
        m_group->setText(qs(m_line.GROUP.view()));
        m_tax->setText(QString("Sales Taxable 1: %1   Sales Taxable 2: %2")
                           .arg(m_line.SALESTAXABLE1 ? "Yes" : "No", m_line.SALESTAXABLE2 ? "Yes" : "No"));
        m_track->setText(qs(m_line.TRACKSERIAL.view()));
        m_qty->setText(qs(m_line.QTY.toString()));
        std::string p = m_line.PRICE.toString();
        if (m_logic.pricePlaces() == 2) p.resize(p.size() - 2);
        m_price->setText(qs(p));
        m_onHand->setText(qs(m_logic.onHand().toString()));
        m_total->setText(qs(m_line.TOTAL.toString()));
    }
    // The price is shown to the company's places; it is read back only when the user
    // typed one, so a four-place price shown with two is never cut.
    void readPrice() {
        if (m_price->isModified()) readDecimal(m_price, m_line.PRICE);
    }
    void onOk() {
        readDecimal(m_qty, m_line.QTY);
        readPrice();
        if (m_logic.ok()) {
            accept();
            return;
        }
        switch (m_logic.focus()) {
        case ItemOrdForm::Focus::Qty: m_qty->setFocus(); break;
        case ItemOrdForm::Focus::Price: m_price->setFocus(); break;
        default: m_part->setFocus(); break;
        }
    }

    ItemOrdForm m_logic;
    LineEntry& m_line;
    QLineEdit *m_part, *m_qty, *m_price;
    QLabel *m_desc, *m_group, *m_tax, *m_track, *m_onHand, *m_total;
};

core::Response runItemOrdForm(core::Database& db, core::UiPort& ui, core::Request request, LineEntry& line,
                              QWidget* parent) {
    ItemOrdDialog d(db, ui, request, line, parent);
    d.exec();
    return d.response();
}

// --- SaveInvoiceForm and PostInvoicePayment -------------------------------------------

class SaveInvoiceDialog : public QDialog {
public:
    SaveInvoiceDialog(core::Database& db, core::UiPort& ui, core::Orders& order, QWidget* parent)
        : QDialog(parent), m_logic(db, ui, order), m_order(order) {
        setObjectName("SaveInvoiceForm");
        setWindowTitle(SaveInvoiceForm::kCaption);
        m_opened = m_logic.open();
        auto* form = new QFormLayout;
        form->addRow("Quote#", new QLabel(QString::number(order.OrdNum)));
        m_invoice = textField(form, "Invoice#:", std::to_string(order.InvoiceNum));
        m_invoice->setReadOnly(true);
        m_invoice->setToolTip("Invoice Number");
        m_date = textField(form, "Date:", dateText(order.OrdDate));
        m_po = textField(form, "PO#:", order.PONUM.view());
        m_terms = textField(form, "Terms:", order.TERMS.view());
        m_reference = textField(form, "Reference:", order.REFERENCE.view());
        m_shipVia = textField(form, "Ship Via:", order.SHIPVIA.view());
        m_shipTrak = textField(form, "Ship Trak:", order.SHIPTRAK.view());
        m_shipTrak->setToolTip("Shipment Tracking Number");
        form->addRow(" Total:", new QLabel(qs(order.TOTAL.toString())));
        m_down = textField(form, "Initial Payment:", order.DOWNPAYMENT.toString());
        m_down->setToolTip("Payment at Invoice Time");
        m_pack = new QCheckBox("Print Packing List");
        m_pack->setChecked(core::glo.PrintPackList == 1);
        form->addRow("", m_pack);
        m_balance = new QLabel(qs(m_logic.balanceDue().toString()));
        form->addRow("Balance Due:", m_balance);
        m_notes = new QPlainTextEdit(qs(order.Notes.view()));
        m_notes->setToolTip("Ticket Notes");
        form->addRow("Notes:", m_notes);
        auto* buttons = new QDialogButtonBox;
        buttons->addButton("Ok", QDialogButtonBox::AcceptRole);
        buttons->addButton("Cancel", QDialogButtonBox::RejectRole);
        connect(buttons, &QDialogButtonBox::accepted, this, [this] { onOk(); });
        connect(buttons, &QDialogButtonBox::rejected, this, [this] { m_logic.cancel(); reject(); });
        connect(m_down, &QLineEdit::editingFinished, this, [this] {
            if (!readDecimal(m_down, m_order.DOWNPAYMENT) || !m_logic.acceptPayment()) m_down->setFocus();
            m_balance->setText(qs(m_logic.balanceDue().toString()));
        });
        auto* layout = new QVBoxLayout(this);
        layout->addLayout(form);
        layout->addWidget(buttons);
    }
    bool opened() const { return m_opened; }
    core::Response response() const { return m_logic.response(); }

private:
    void onOk() {
        core::Orders& o = m_order;
        o.PONUM = ss(m_po->text());
        o.TERMS = ss(m_terms->text());
        o.REFERENCE = ss(m_reference->text());
        o.SHIPVIA = ss(m_shipVia->text());
        o.SHIPTRAK = ss(m_shipTrak->text());
        o.Notes = ss(m_notes->toPlainText());
        core::glo.PrintPackList = m_pack->isChecked() ? 1 : 0;
        if (!readDecimal(m_down, o.DOWNPAYMENT) || !m_logic.ok()) {
            m_down->setFocus();
            return;
        }
        accept();
    }

    SaveInvoiceForm m_logic;
    core::Orders& m_order;
    bool m_opened = false;
    QLineEdit *m_invoice, *m_date, *m_po, *m_terms, *m_reference, *m_shipVia, *m_shipTrak, *m_down;
    QCheckBox* m_pack;
    QLabel* m_balance;
    QPlainTextEdit* m_notes;
};

core::Response runSaveInvoiceForm(core::Database& db, core::UiPort& ui, core::Orders& order, QWidget* parent) {
    SaveInvoiceDialog d(db, ui, order, parent);
    if (!d.opened()) return core::Response::Cancelled;
    d.exec();
    return d.response();
}

class PostPaymentDialog : public QDialog {
public:
    PostPaymentDialog(core::UiPort& ui, core::Payments& pay, QWidget* parent)
        : QDialog(parent), m_logic(ui, pay), m_pay(pay) {
        setObjectName("PostInvoicePayment");
        setWindowTitle(PostInvoicePayment::kCaption);
        auto* form = new QFormLayout;
        m_customer = textField(form, "Customer:", pay.Customer.view());
        m_date = textField(form, "Date:", dateText(pay.Date));
        m_date->setToolTip("Date of Payment");
        m_method = new QComboBox;
        for (const char* m : {"Cash", "Check", "Credit", "Accounting", "Other"}) m_method->addItem(m);
        m_method->setCurrentText(qs(pay.Method.view()));
        form->addRow("Method", m_method);
        m_check = textField(form, "Check#:", pay.CHECKNUM.view());
        m_bank = textField(form, "Bank ID:", pay.BANKID.view());
        m_bank->setToolTip("Check Bank ID");
        m_cc = textField(form, " CC#:", pay.CCNUM.view());
        m_cc->setToolTip("Credit Card Number");
        m_exp = textField(form, "Exp Date:", dateText(pay.EXPDATE));
        m_exp->setToolTip("CC Expiration Date");
        m_ccName = textField(form, "CC Name:", pay.CCNAME.view());
        m_ccName->setToolTip("Name on Credit Card");
        m_auth = textField(form, "Auth:", pay.CCAUTH.view());
        m_comments = textField(form, "Comments:", pay.COMMENTS.view());
        m_comments->setToolTip("Payment Comments");
        m_amount = textField(form, "Payment Amount:", pay.AMOUNT.toString());
        auto* buttons = new QDialogButtonBox;
        buttons->addButton("&Ok", QDialogButtonBox::AcceptRole);
        buttons->addButton("&Cancel", QDialogButtonBox::RejectRole);
        connect(buttons, &QDialogButtonBox::accepted, this, [this] { onOk(); });
        connect(buttons, &QDialogButtonBox::rejected, this, [this] { m_logic.cancel(); reject(); });
        connect(m_method, &QComboBox::currentTextChanged, this, [this](const QString& m) {
            m_pay.Method = ss(m);
            enable();
        });
        auto* layout = new QVBoxLayout(this);
        layout->addLayout(form);
        layout->addWidget(buttons);
        enable();
    }
    core::Response response() const { return m_logic.response(); }

private:
    void enable() {
        for (QWidget* w : {static_cast<QWidget*>(m_check), static_cast<QWidget*>(m_bank)})
            w->setEnabled(m_logic.checkFieldsEnabled());
        for (QWidget* w : {static_cast<QWidget*>(m_cc), static_cast<QWidget*>(m_exp), static_cast<QWidget*>(m_ccName),
                           static_cast<QWidget*>(m_auth)})
            w->setEnabled(m_logic.cardFieldsEnabled());
    }
    void onOk() {
        m_pay.Customer = ss(m_customer->text());
        m_pay.Method = ss(m_method->currentText());
        m_pay.CHECKNUM = ss(m_check->text());
        m_pay.BANKID = ss(m_bank->text());
        m_pay.CCNUM = ss(m_cc->text());
        m_pay.CCNAME = ss(m_ccName->text());
        m_pay.CCAUTH = ss(m_auth->text());
        m_pay.COMMENTS = ss(m_comments->text());
        if (!readDecimal(m_amount, m_pay.AMOUNT)) {
            m_amount->setFocus();
            return;
        }
        if (m_logic.ok()) {
            accept();
            return;
        }
        (m_logic.focus() == PostInvoicePayment::Focus::Date ? static_cast<QWidget*>(m_date) : m_method)->setFocus();
    }

    PostInvoicePayment m_logic;
    core::Payments& m_pay;
    QLineEdit *m_customer, *m_date, *m_check, *m_bank, *m_cc, *m_exp, *m_ccName, *m_auth, *m_comments, *m_amount;
    QComboBox* m_method;
};

core::Response runPostInvoicePayment(core::UiPort& ui, core::Payments& payment, QWidget* parent) {
    PostPaymentDialog d(ui, payment, parent);
    d.exec();
    return d.response();
}

// --- serial numbers, notes, profit ----------------------------------------------------

class SerialListDialog : public QDialog {
public:
    SerialListDialog(core::UiPort& ui, std::vector<core::FixedString<20>>& numbers, QWidget* parent)
        : QDialog(parent), m_logic(ui, numbers) {
        setObjectName("QuoteSerialList");
        setWindowTitle("Serial Numbers");
        auto* layout = new QVBoxLayout(this);
        layout->addWidget(new QLabel("Serial Number List"));
        layout->addWidget(new QLabel("Part#: " + qs(core::glo.PartNum.view())));
        m_list = new QListWidget;
        layout->addWidget(new QLabel("Serial Numbers"));
        layout->addWidget(m_list);
        auto* row = new QHBoxLayout;
        auto add = [&](const char* text, auto fn) {
            auto* b = new QPushButton(text);
            connect(b, &QPushButton::clicked, this, fn);
            row->addWidget(b);
        };
        add("&Insert", [this] { edit(true); });
        add("&Change", [this] { edit(false); });
        add("&Delete", [this] { m_logic.select(m_list->currentRow()); m_logic.remove(); refresh(); });
        add("&Save", [this] { m_logic.save(); accept(); });
        add("Cancel", [this] { m_logic.cancel(); reject(); });
        layout->addLayout(row);
        refresh();
    }
    core::Response response() const { return m_logic.response(); }

private:
    void edit(bool insert) {
        m_logic.select(m_list->currentRow());
        if (!insert && m_logic.selected() < 0) return;
        bool ok = false;
        const QString current = insert ? QString() : qs(m_logic.numbers()[static_cast<std::size_t>(m_logic.selected())].view());
        const QString n = QInputDialog::getText(this, "Serial Number Form",
                                                "Part#: " + qs(core::glo.PartNum.view()) + "\nSerial#:", QLineEdit::Normal,
                                                current, &ok);
        if (!ok) return;
        if (insert)
            m_logic.insert(ss(n.left(20)));
        else
            m_logic.change(ss(n.left(20)));
        refresh();
    }
    void refresh() {
        m_list->clear();
        for (const auto& n : m_logic.numbers()) m_list->addItem(qs(n.view()));
        m_list->setCurrentRow(m_logic.selected());
    }
    QuoteSerialList m_logic;
    QListWidget* m_list;
};

core::Response runQuoteSerialList(core::UiPort& ui, std::vector<core::FixedString<20>>& numbers, QWidget* parent) {
    SerialListDialog d(ui, numbers, parent);
    d.exec();
    return d.response();
}

void runOrderComments(const char* caption, core::Orders& order, bool keep, QWidget* parent) {
    QDialog d(parent);
    d.setObjectName(caption);
    d.setWindowTitle(caption);
    auto* layout = new QVBoxLayout(&d);
    auto* text = new QPlainTextEdit(qs(order.Notes.view()));
    text->setToolTip("Order Comments to be printed on Invoices");
    layout->addWidget(text);
    auto* close = new QPushButton("Close");
    QObject::connect(close, &QPushButton::clicked, &d, &QDialog::accept);
    layout->addWidget(close);
    d.exec();
    if (keep) order.Notes = ss(text->toPlainText().left(2400));
}

void runProfitMarginWindow(QWidget* parent) {
    const ProfitFigures f = profitFigures();
    QDialog d(parent);
    d.setObjectName("ProfitMarginWindow");
    d.setWindowTitle("Profit Information");
    auto* form = new QFormLayout(&d);
    form->addRow("Order Cost:", new QLabel(qs(core::glo.OrdCost.toString())));
    form->addRow("Sub Total:", new QLabel(qs(core::glo.ListSubTotal.toString())));
    form->addRow("Discount:", new QLabel(qs(core::glo.DiscountAmt.toString())));
    form->addRow("Profit:", new QLabel(qs(f.profit.toString())));
    form->addRow("Markup:", new QLabel(qs(f.markup.toString()) + " %"));
    form->addRow("Margin:", new QLabel(qs(f.margin.toString()) + " %"));
    auto* ok = new QPushButton("&OK");
    QObject::connect(ok, &QPushButton::clicked, &d, &QDialog::accept);
    form->addRow(ok);
    d.exec();
}

QWidget* makeDialogForScreenshot(const std::string& name, core::Database& db, core::UiPort& ui, core::Orders& order,
                                 core::Payments& payment, LineEntry& line, QWidget* parent) {
    if (name == "QuoteDetails") return new QuoteDetailsDialog(db, ui, order, parent);
    if (name == "ItemOrdForm") return new ItemOrdDialog(db, ui, core::Request::Change, line, parent);
    if (name == "SaveInvoiceForm") return new SaveInvoiceDialog(db, ui, order, parent);
    if (name == "PostInvoicePayment") return new PostPaymentDialog(ui, payment, parent);
    if (name == "QuoteSerialList") {
        static std::vector<core::FixedString<20>> numbers{core::FixedString<20>("A1"), core::FixedString<20>("B7")};
        return new SerialListDialog(ui, numbers, parent);
    }
    return nullptr;
}

}  // namespace quay::desk
