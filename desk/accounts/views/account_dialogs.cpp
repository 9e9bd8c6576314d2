// The account windows' widgets. Every command goes to the window logic; afterwards
// the view shows the logic's lists, totals and enabled buttons again.
#include "accounts/views/account_dialogs.h"

#include <QApplication>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "quay/app/globals.h"
#include "quay/views/field_binder.h"
#include "quay/views/list_view.h"
#include "quay/views/placement_keeper.h"

namespace quay::desk {

namespace {

QString qs(const std::string& s) { return QString::fromStdString(s); }

QLabel* moneyLabel(QWidget* parent) {
    auto* l = new QLabel(parent);
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    l->setMinimumWidth(110);
    return l;
}

void syncCurrent(QTableWidget* table, core::RelatedList& list) {
    const int row = table->currentRow();
    if (row >= 0) list.setCurrent(static_cast<std::size_t>(row));
}

}  // namespace

QTableWidget* makeRelatedTable(const std::vector<std::string>& headings, QWidget* parent) {
    auto* t = new QTableWidget(parent);
    t->setColumnCount(static_cast<int>(headings.size()));
    QStringList h;
    for (const auto& s : headings) h << qs(s);
    t->setHorizontalHeaderLabels(h);
    t->setSelectionBehavior(QAbstractItemView::SelectRows);
    t->setSelectionMode(QAbstractItemView::SingleSelection);
    t->setEditTriggers(QAbstractItemView::NoEditTriggers);
    t->verticalHeader()->hide();
    t->horizontalHeader()->setStretchLastSection(true);
    return t;
}

void showRelatedList(QTableWidget* table, core::RelatedList& list) {
    const auto& rows = list.rows();
    table->setRowCount(static_cast<int>(rows.size()));
    for (std::size_t r = 0; r < rows.size(); ++r)
        for (std::size_t c = 0; c < rows[r].cells.size() && c < static_cast<std::size_t>(table->columnCount()); ++c) {
            auto* item = new QTableWidgetItem(qs(rows[r].cells[c]));
            if (!rows[r].cells[c].empty() && (rows[r].cells[c][0] == '$' || rows[r].cells[c][0] == '-'))
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            table->setItem(static_cast<int>(r), static_cast<int>(c), item);
        }
    if (const auto cur = list.current()) table->selectRow(static_cast<int>(*cur));
    table->resizeColumnsToContents();
    // The room left goes to the widest column of words (the reason or comments), not
    // to the money column that happens to stand last.
    int words = -1;
    for (int c = 0; c < table->columnCount(); ++c) {
        bool money = false;
        for (const auto& row : rows)
            if (static_cast<std::size_t>(c) < row.cells.size() && !row.cells[c].empty()) {
                money = row.cells[c][0] == '$' || row.cells[c][0] == '-';
                break;
            }
        if (!money && (words < 0 || table->columnWidth(c) > table->columnWidth(words))) words = c;
    }
    auto* header = table->horizontalHeader();
    header->setStretchLastSection(words < 0);
    for (int c = 0; c < table->columnCount(); ++c)
        header->setSectionResizeMode(c, c == words ? QHeaderView::Stretch : QHeaderView::Interactive);
}

// --- the payment form ---

EditPaymentsDialog::EditPaymentsDialog(EditPayments& form, core::UiPort& ui, QWidget* parent)
    : QDialog(parent), m_form(form) {
    setWindowTitle(EditPayments::kTitle);
    setObjectName(EditPayments::kProcedure);
    core::glo.CalendarTitle = "Select Payment Date";
    EditPayments* f = &form;
    m_binder = new core::FieldBinder(
        core::Payments::desc(), [f] { return static_cast<void*>(&f->rec()); }, this);

    auto* layout = new QVBoxLayout(this);
    auto* fields = new QGridLayout;
    auto add = [&](int row, int col, const char* caption, QWidget* w) {
        auto* l = new QLabel(tr(caption), this);
        l->setBuddy(w);
        fields->addWidget(l, row, col * 2);
        fields->addWidget(w, row, col * 2 + 1);
    };
    auto* date = m_binder->bindDate(new QLineEdit(this), "Date", ui, "@d2");
    auto* method =
        m_binder->bindChoice(new QComboBox(this), "Method", {"Cash", "Check", "Credit", "Accounting", "Other"});
    auto* check = m_binder->bindText(new QLineEdit(this), "CHECKNUM");
    auto* bank = m_binder->bindText(new QLineEdit(this), "BANKID");
    auto* ccnum = m_binder->bindText(new QLineEdit(this), "CCNUM");
    auto* exp = m_binder->bindDate(new QLineEdit(this), "EXPDATE", ui, "@d14");
    auto* ccname = m_binder->bindText(new QLineEdit(this), "CCNAME");
    auto* ccauth = m_binder->bindText(new QLineEdit(this), "CCAUTH");
    auto* comments = m_binder->bindText(new QLineEdit(this), "COMMENTS");
    m_amount = m_binder->bindText(new QLineEdit(this), "AMOUNT", "@n$-13.2", [this] {
        const bool ok = m_form.amountAccepted();
        showState();
        if (!ok) m_amount->setFocus();
        return ok;
    });
    m_amount->setAlignment(Qt::AlignRight);
    add(0, 0, "&Date:", date);
    add(0, 1, "&Method:", method);
    add(1, 0, "Check#:", check);
    add(1, 1, "Bank ID:", bank);
    add(2, 0, "CC#:", ccnum);
    add(2, 1, "Exp Date:", exp);
    add(3, 0, "Name on Card:", ccname);
    add(3, 1, "CC Auth:", ccauth);
    add(4, 0, "Comments:", comments);
    add(4, 1, "&Amount:", m_amount);
    layout->addLayout(fields);
    m_checkFields = {check, bank};
    m_cardFields = {ccnum, exp, ccname, ccauth};
    connect(method, &QComboBox::currentIndexChanged, this, [this] {
        if (m_loading) return;  // shown from the record, not chosen
        m_form.methodSelected();
        showState();
    });

    auto* lists = new QHBoxLayout;
    auto* outBox = new QGroupBox(tr("Outstanding Invoices"), this);
    auto* outLayout = new QVBoxLayout(outBox);
    m_outstanding = makeRelatedTable(form.outstanding().spec().headings, outBox);
    m_outstanding->setToolTip(tr("Double-click a charge to apply this payment to it"));
    outLayout->addWidget(m_outstanding);
    auto* appBox = new QGroupBox(tr("Payments Applied"), this);
    auto* appLayout = new QVBoxLayout(appBox);
    m_applied = makeRelatedTable(form.applied().spec().headings, appBox);
    m_applied->setToolTip(tr("Double-click an application to remove it"));
    appLayout->addWidget(m_applied);
    auto* totals = new QHBoxLayout;
    m_total = moneyLabel(appBox);
    m_total->setObjectName("Total");
    m_balance = moneyLabel(appBox);
    m_balance->setObjectName("Balance");
    totals->addStretch(1);
    totals->addWidget(new QLabel(tr("Total:"), appBox));
    totals->addWidget(m_total);
    totals->addWidget(new QLabel(tr("Balance:"), appBox));
    totals->addWidget(m_balance);
    appLayout->addLayout(totals);
    lists->addWidget(outBox, 3);
    lists->addWidget(appBox, 2);
    layout->addLayout(lists, 1);

    auto apply = [this] {
        if (!m_binder->storeAll()) return;
        syncCurrent(m_outstanding, m_form.outstanding());
        m_form.applyHighlighted();
        showState();
    };
    connect(m_outstanding, &QTableWidget::cellDoubleClicked, this, apply);
    connect(m_applied, &QTableWidget::cellDoubleClicked, this, [this] {
        syncCurrent(m_applied, m_form.applied());
        m_form.removeHighlighted();
        showState();
    });

    auto* buttons = new QHBoxLayout;
    auto* oldest = new QPushButton(tr("Apply to &Oldest"), this);
    m_ok = new QPushButton(tr("OK"), this);
    m_cancel = new QPushButton(tr("Cancel"), this);
    m_ok->setDefault(true);
    buttons->addWidget(oldest);
    buttons->addStretch(1);
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);
    layout->addLayout(buttons);
    connect(oldest, &QPushButton::clicked, this, [this] {
        if (!m_binder->storeAll()) return;
        m_form.applyToOldest();
        showState();
    });
    connect(m_ok, &QPushButton::clicked, this, &EditPaymentsDialog::accept);
    connect(m_cancel, &QPushButton::clicked, this, &EditPaymentsDialog::reject);
    form.setReloadListener([this] { load(); });

    resize(820, 480);
    core::keepPlacement(this, EditPayments::kProcedure);
    showState();
    m_amount->setFocus();
}

void EditPaymentsDialog::load() {
    if (m_loading) return;
    m_loading = true;
    m_binder->load();
    m_loading = false;
}

void EditPaymentsDialog::showState() {
    m_form.afterEvent();
    load();
    for (QWidget* w : m_checkFields) w->setEnabled(m_form.checkFieldsEnabled());
    for (QWidget* w : m_cardFields) w->setEnabled(m_form.cardFieldsEnabled());
    showRelatedList(m_outstanding, m_form.outstanding());
    showRelatedList(m_applied, m_form.applied());
    m_total->setText(qs(moneyText(money(m_form.totalApplied()))));
    m_balance->setText(qs(moneyText(m_form.rec().UNAPPAMT)));
    m_ok->setEnabled(m_form.okEnabled());
    m_cancel->setEnabled(m_form.cancelEnabled());
    m_cancel->setVisible(m_form.cancelVisible());
    switch (m_form.takeFocus()) {
    case EditPayments::Focus::Outstanding: m_outstanding->setFocus(); break;
    case EditPayments::Focus::Applied: m_applied->setFocus(); break;
    case EditPayments::Focus::Amount: m_amount->setFocus(); break;
    case EditPayments::Focus::None: break;
    }
}

void EditPaymentsDialog::accept() {
    if (!m_binder->storeAll()) return;
    if (m_form.ok())
        QDialog::accept();
    else
        showState();
}

void EditPaymentsDialog::reject() {
    // Closing the window is Cancel; while the amount is below what is applied the form
    // cannot be left at all.
    if (!m_form.cancelEnabled()) return;
    if (m_form.cancel()) QDialog::reject();
}

// --- the charge form ---

EditChargesDialog::EditChargesDialog(EditCharges& form, core::UiPort& ui, QWidget* parent)
    : QDialog(parent), m_form(form) {
    setWindowTitle(EditCharges::kTitle);
    setObjectName(EditCharges::kProcedure);
    core::glo.CalendarTitle = "Select Charge Date";
    EditCharges* f = &form;
    m_binder = new core::FieldBinder(
        core::Charges::desc(), [f] { return static_cast<void*>(&f->rec()); }, this);
    auto* layout = new QVBoxLayout(this);
    auto* fields = new QFormLayout;
    auto* name = new QLabel(qs(form.rec().Customer.str()), this);
    auto* invoice = new QLabel(qs(invoiceText(form.rec().INVOICENUM)), this);
    auto* date = m_binder->bindDate(new QLineEdit(this), "Date", ui, "@d2");
    date->setToolTip(tr("Date of Charge or Credit"));
    auto* reason = m_binder->bindText(new QLineEdit(this), "REASON");
    m_unpaid = moneyLabel(this);
    m_unpaid->setObjectName("UnpaidBalance");
    auto* amount = m_binder->bindText(new QLineEdit(this), "AMOUNT", "@n$-13.2", [this] {
        m_form.afterEvent();
        m_unpaid->setText(qs(moneyText(m_form.rec().UNPAIDBAL)));
        return true;
    });
    amount->setToolTip(tr("Amount of Ticket or Charge"));
    amount->setAlignment(Qt::AlignRight);
    date->setEnabled(form.dateEnabled());
    reason->setEnabled(form.reasonEnabled());
    amount->setEnabled(form.amountEnabled());
    fields->addRow(tr("Name:"), name);
    fields->addRow(tr("Invoice:"), invoice);
    fields->addRow(tr("&Date:"), date);
    fields->addRow(tr("&Reason:"), reason);
    fields->addRow(tr("&Amount:"), amount);
    fields->addRow(tr("Unpaid Balance:"), m_unpaid);
    layout->addLayout(fields);
    auto* label = new QLabel(tr("&Payments"), this);
    m_payments = makeRelatedTable(form.payments().spec().headings, this);
    label->setBuddy(m_payments);
    layout->addWidget(label);
    layout->addWidget(m_payments, 1);
    showRelatedList(m_payments, form.payments());
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(new QLabel(qs(form.statusText()), this));
    bottom->addStretch(1);
    auto* ok = new QPushButton(tr("OK"), this);
    auto* cancel = new QPushButton(tr("Cancel"), this);
    ok->setDefault(true);
    bottom->addWidget(ok);
    bottom->addWidget(cancel);
    layout->addLayout(bottom);
    connect(ok, &QPushButton::clicked, this, &EditChargesDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &EditChargesDialog::reject);
    form.setReloadListener([this] {
        m_binder->load();
        showRelatedList(m_payments, m_form.payments());
    });
    m_first = form.dateEnabled() ? static_cast<QWidget*>(date) : reason;
    m_form.afterEvent();
    m_binder->load();
    m_unpaid->setText(qs(moneyText(form.rec().UNPAIDBAL)));
    resize(520, 420);
    core::keepPlacement(this, EditCharges::kProcedure);
    if (m_first->isEnabled())
        m_first->setFocus();
    else
        ok->setFocus();
}

void EditChargesDialog::accept() {
    if (!m_binder->storeAll()) return;
    if (m_form.ok()) {
        QDialog::accept();
        return;
    }
    m_binder->load();
    if (m_form.takeFocusRequest() >= 0 && m_first) m_first->setFocus();
}

void EditChargesDialog::reject() {
    // Text typed but not yet read back counts as a change to ask about.
    const bool typing = m_binder->hasPendingEntry();
    if (m_form.cancel(typing)) QDialog::reject();
}

// --- the customer account window ---

BrwsCustAccountDialog::BrwsCustAccountDialog(BrwsCustAccount& window, QWidget* parent)
    : QDialog(parent), m_window(window) {
    setWindowTitle(BrwsCustAccount::kTitle);
    setObjectName(BrwsCustAccount::kProcedure);
    auto* layout = new QVBoxLayout(this);
    auto* header = new QFormLayout;
    const core::Customer& c = window.customer();
    header->addRow(tr("Company:"), new QLabel(qs(c.Name.str()), this));
    header->addRow(tr("Name:"), new QLabel(qs(window.personName()), this));
    header->addRow(tr("Phone:"), new QLabel(qs(c.PHONE1.str()), this));
    header->addRow(tr("Fax:"), new QLabel(qs(c.FAX.str()), this));
    auto* display = new QComboBox(this);
    display->addItems({tr("Current"), tr("Cleared"), tr("All")});
    header->addRow(tr("&Display:"), display);
    layout->addLayout(header);
    connect(display, &QComboBox::currentIndexChanged, this, [this](int i) {
        m_window.setDisplay(static_cast<BrwsCustAccount::Display>(i));
        showLists();
    });

    auto makeBox = [this](const char* title, core::RelatedList& list, QTableWidget*& table, QLabel*& total,
                          const char* post, auto onPost, auto onChange, auto onDelete) {
        auto* box = new QGroupBox(tr(title), this);
        auto* l = new QVBoxLayout(box);
        table = makeRelatedTable(list.spec().headings, box);
        table->setContextMenuPolicy(Qt::CustomContextMenu);
        l->addWidget(table, 1);
        auto* row = new QHBoxLayout;
        auto* change = new QPushButton(tr("&Change"), box);
        auto* del = new QPushButton(tr("&Delete"), box);
        total = moneyLabel(box);
        row->addWidget(change);
        row->addWidget(del);
        row->addStretch(1);
        row->addWidget(new QLabel(tr("Total:"), box));
        row->addWidget(total);
        l->addLayout(row);
        QTableWidget* t = table;
        core::RelatedList* rl = &list;
        auto run = [this, t, rl](auto what) {
            return [this, t, rl, what] {
                syncCurrent(t, *rl);
                what();
                showLists();
            };
        };
        connect(change, &QPushButton::clicked, this, run(onChange));
        connect(del, &QPushButton::clicked, this, run(onDelete));
        connect(table, &QTableWidget::cellDoubleClicked, this, run(onChange));
        connect(table, &QWidget::customContextMenuRequested, this,
                [this, t, run, post, onPost, onChange, onDelete](QPoint p) {
                    QMenu menu(this);
                    menu.addAction(tr(post), this, run(onPost));
                    menu.addAction(tr("&Change"), this, run(onChange));
                    menu.addAction(tr("&Delete"), this, run(onDelete));
                    menu.exec(t->viewport()->mapToGlobal(p));
                });
        return box;
    };
    BrwsCustAccount* w = &window;
    layout->addWidget(makeBox(
                          "C&redits and Payments", window.payments(), m_payments, m_paymentsTotal, "&Post New Payment",
                          [w] { w->postPayment(); }, [w] { w->changePayment(); }, [w] { w->deletePayment(); }),
                      1);
    layout->addWidget(makeBox(
                          "&Invoices and Charges", window.charges(), m_charges, m_chargesTotal, "Po&st New Charge",
                          [w] { w->postCharge(); }, [w] { w->changeCharge(); }, [w] { w->deleteCharge(); }),
                      1);
    auto* bottom = new QHBoxLayout;
    auto* postPay = new QPushButton(tr("&Post New Payment"), this);
    auto* postChg = new QPushButton(tr("Po&st New Charge"), this);
    auto* close = new QPushButton(tr("Close"), this);
    m_balance = moneyLabel(this);
    m_balance->setObjectName("BalanceDue");
    bottom->addWidget(postPay);
    bottom->addWidget(postChg);
    bottom->addStretch(1);
    bottom->addWidget(new QLabel(tr("Balance Due:"), this));
    bottom->addWidget(m_balance);
    bottom->addWidget(close);
    layout->addLayout(bottom);
    connect(postPay, &QPushButton::clicked, this, [this] {
        m_window.postPayment();
        showLists();
    });
    connect(postChg, &QPushButton::clicked, this, [this] {
        m_window.postCharge();
        showLists();
    });
    connect(close, &QPushButton::clicked, this, [this] {
        m_window.close();
        accept();
    });
    resize(720, 560);
    core::keepPlacement(this, BrwsCustAccount::kProcedure);
    showLists();
}

void BrwsCustAccountDialog::showLists() {
    showRelatedList(m_payments, m_window.payments());
    showRelatedList(m_charges, m_window.charges());
    m_paymentsTotal->setText(qs(moneyText(money(m_window.paymentsTotal()))));
    m_chargesTotal->setText(qs(moneyText(money(m_window.chargesTotal()))));
    m_balance->setText(qs(moneyText(money(m_window.balanceDue()))));
    switch (m_window.takeFocus()) {
    case BrwsCustAccount::Focus::Payments: m_payments->setFocus(); break;
    case BrwsCustAccount::Focus::Charges: m_charges->setFocus(); break;
    case BrwsCustAccount::Focus::None: break;
    }
    if (m_window.isClosed()) reject();
}

// --- the receivables list ---

ARBrowseView::ARBrowseView(std::shared_ptr<ARBrowse> logic, QWidget* parent)
    : QWidget(parent), m_logic(std::move(logic)) {
    setWindowTitle(ARBrowse::kTitle);
    setObjectName(ARBrowse::kProcedure);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_list = new core::ListView(m_logic->list(), this);
    layout->addWidget(m_list, 1);
    setFocusProxy(m_list);  // the window opens with the keyboard on the list
    auto* bottom = new QHBoxLayout;
    bottom->setContentsMargins(8, 0, 8, 6);
    bottom->addStretch(1);
    bottom->addWidget(new QLabel(tr("Outstanding Balance:"), this));
    m_outstanding = moneyLabel(this);
    m_outstanding->setObjectName("OutstandingBalance");
    bottom->addWidget(m_outstanding);
    layout->addLayout(bottom);
    m_logic->setCalculatingListener([this](bool on) {
        static QLabel* wait = nullptr;
        if (on) {
            // A small wait window that never takes the keyboard from the list.
            wait = new QLabel(tr("Calculating Totals"), this,
                              Qt::Tool | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus);
            wait->setAttribute(Qt::WA_ShowWithoutActivating);
            wait->setMargin(16);
            wait->setFrameStyle(QFrame::Box);
            wait->show();
            QApplication::setOverrideCursor(Qt::WaitCursor);
            QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        } else {
            QApplication::restoreOverrideCursor();
            delete wait;
            wait = nullptr;
            m_outstanding->setText(qs(moneyText(money(m_logic->outstanding()))));
        }
    });
    m_outstanding->setText(qs(moneyText(money(m_logic->outstanding()))));
}

}  // namespace quay::desk
