// The company defaults dialog.
#include "quay/views/defaults_form_view.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "quay/views/field_binder.h"
#include "quay/views/placement_keeper.h"
#include "quay/views/window_registry.h"

namespace quay::core {

namespace {

QFormLayout* formLayout(QWidget* page) {
    auto* f = new QFormLayout(page);
    f->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
    f->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
    f->setHorizontalSpacing(10);
    return f;
}

}  // namespace

DefaultsFormView::DefaultsFormView(DefaultsForm& form, UiPort& ui, QWidget* parent)
    : FormDialog(form.form(), parent), m_form(form), m_ui(ui) {
    setWindowTitle(tr(DefaultsForm::kTitle));
    m_binder = FormDialog::binder();
    m_tabs = new QTabWidget(this);
    // Every tab stays in sight: the dialog is as wide as its tab row.
    m_tabs->setUsesScrollButtons(false);
    m_tabs->addTab(companyTab(), tr("Company &Information"));
    m_tabs->addTab(defaultsTab(), tr("&Defaults"));
    m_tabs->addTab(taxesTab(), tr("&Taxes"));
    m_tabs->addTab(priceClassesTab(), tr("&Price Classes"));
    m_tabs->addTab(invoicesTab(), tr("In&voices"));
    m_tabs->addTab(memoTab("BillingComments", tr("Comments printed on current &statements:")), tr("&Billing Comments"));
    m_tabs->addTab(pastDueTab(), tr("Past D&ue Comments"));
    m_tabs->addTab(memoTab("POComment", tr("Comments printed on purchase o&rders:")), tr("PO Co&mments"));
    setBody(m_tabs, m_firstField);
}

QLineEdit* DefaultsFormView::text(const char* field, int chars, const char* picture) {
    auto* e = new QLineEdit(this);
    e->setFixedWidth(fontMetrics().horizontalAdvance(QString(chars, QChar('0'))) + 16);
    return m_binder->bindText(e, field, picture);
}

QWidget* DefaultsFormView::companyTab() {
    auto* page = new QWidget;
    auto* f = formLayout(page);
    m_firstField = text("COMPANYNAME", 35);
    f->addRow(tr("Company &Name:"), m_firstField);
    f->addRow(tr("&Address:"), text("ADD1", 35));
    f->addRow(QString(), text("ADD2", 35));
    f->addRow(tr("&City:"), text("CITY", 20));
    f->addRow(tr("&State:"), text("STATE", 3));
    f->addRow(tr("&Zip Code:"), text("ZIPCODE", 10));
    f->addRow(tr("Default A&rea Code:"), text("DEFAREACODE", 4));
    auto phone = [this](const char* field, DefaultsForm::Phone which) {
        auto* e = new QLineEdit(this);
        e->setFixedWidth(fontMetrics().horizontalAdvance(QString(14, QChar('0'))) + 16);
        return m_binder->bindText(e, field, nullptr, [this, which] { return m_form.acceptPhone(which); });
    };
    f->addRow(tr("Phone &1:"), phone("PHONE1", DefaultsForm::Phone::Phone1));
    f->addRow(tr("Phone &2:"), phone("PHONE2", DefaultsForm::Phone::Phone2));
    f->addRow(tr("&Fax:"), phone("FAX", DefaultsForm::Phone::Fax));
    f->addRow(tr("&E-mail:"), text("EMAIL", 35));
    f->addRow(tr("&Web Address:"), text("WEBADR", 45));
    return page;
}

QWidget* DefaultsFormView::defaultsTab() {
    auto* page = new QWidget;
    auto* v = new QVBoxLayout(page);
    v->addWidget(m_binder->bindCheck(
        new QCheckBox(tr("Invoices go to &accounts receivable (payment starts at 0)"), page), "DEFAULTTOAR"));
    v->addWidget(m_binder->bindCheck(new QCheckBox(tr("Update line &costs from the product when invoicing"), page),
                                     "UPDATECOSTSATINV"));
    auto* credit = new QGroupBox(tr("Customer credit limit at invoicing"), page);
    auto* ch = new QHBoxLayout(credit);
    auto* ci = new QRadioButton(tr("I&gnore"), credit);
    auto* cw = new QRadioButton(tr("&Warn"), credit);
    auto* ce = new QRadioButton(tr("&Enforce"), credit);
    for (auto* r : {ci, cw, ce}) ch->addWidget(r);
    ch->addStretch(1);
    m_binder->bindRadio({{ci, "I"}, {cw, "W"}, {ce, "E"}}, "CREDITLIMIT");
    v->addWidget(credit);
    auto* low = new QGroupBox(tr("Order line above the stock on hand"), page);
    auto* lh = new QHBoxLayout(low);
    auto* li = new QRadioButton(tr("Ig&nore"), low);
    auto* lw = new QRadioButton(tr("Wa&rn"), low);
    lh->addWidget(li);
    lh->addWidget(lw);
    lh->addStretch(1);
    m_binder->bindRadio({{li, "I"}, {lw, "W"}}, "LOWINVENTORY");
    v->addWidget(low);
    v->addStretch(1);
    return page;
}

QWidget* DefaultsFormView::taxesTab() {
    auto* page = new QWidget;
    auto* f = formLayout(page);
    f->addRow(tr("Sales Tax &1 (%):"), text("SALESTAX1", 10, "@n9.4"));
    f->addRow(tr("Sales Tax &2 (%):"), text("SALESTAX2", 10, "@n9.4"));
    auto* note = new QLabel(tr("These rates are copied into each new customer."), page);
    note->setWordWrap(true);
    f->addRow(QString(), note);
    return page;
}

QWidget* DefaultsFormView::priceClassesTab() {
    auto* page = new QWidget;
    auto* v = new QVBoxLayout(page);
    auto* rounding = new QGroupBox(tr("Round derived prices to"), page);
    auto* rh = new QHBoxLayout(rounding);
    auto* rd = new QRadioButton(tr("&Whole dollars"), rounding);
    auto* rc = new QRadioButton(tr("&Cents"), rounding);
    auto* rhc = new QRadioButton(tr("&Hundredths of a cent"), rounding);
    for (auto* r : {rd, rc, rhc}) rh->addWidget(r);
    rh->addStretch(1);
    m_binder->bindRadio({{rd, "D"}, {rc, "C"}, {rhc, "H"}}, "ROUNDPC");
    v->addWidget(rounding);

    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(tr("Percent"), page), 0, 1);
    grid->addWidget(new QLabel(tr("Method"), page), 0, 2);
    static const char* const kPercent[] = {"PRICECLASS1", "PRICECLASS2", "PRICECLASS3",
                                           "PRICECLASS4", "PRICECLASS5", "PRICECLASS6"};
    static const char* const kMethod[] = {"PC1METHOD", "PC2METHOD", "PC3METHOD", "PC4METHOD", "PC5METHOD", "PC6METHOD"};
    for (int i = 0; i < 6; ++i) {
        auto* label = new QLabel(tr("Price Class &%1:").arg(i + 1), page);
        auto* pct = text(kPercent[i], 10, "@n9.4");
        label->setBuddy(pct);
        auto* method = m_binder->bindChoice(new QComboBox(page), kMethod[i], DefaultsForm::methods());
        method->setMinimumContentsLength(10);
        grid->addWidget(label, i + 1, 0, Qt::AlignRight);
        grid->addWidget(pct, i + 1, 1);
        grid->addWidget(method, i + 1, 2);
    }
    grid->setColumnStretch(3, 1);
    v->addLayout(grid);
    v->addStretch(1);
    return page;
}

QWidget* DefaultsFormView::invoicesTab() {
    auto* page = new QWidget;
    auto* v = new QVBoxLayout(page);
    auto* print = new QGroupBox(tr("Print on quotes and invoices"), page);
    auto* pg = new QGridLayout(print);
    pg->addWidget(m_binder->bindCheck(new QCheckBox(tr("Company &name"), print), "PRINTNAME"), 0, 0);
    pg->addWidget(m_binder->bindCheck(new QCheckBox(tr("&Address"), print), "PRINTADDRESS"), 0, 1);
    pg->addWidget(m_binder->bindCheck(new QCheckBox(tr("P&hone numbers"), print), "PRINTPHONE"), 0, 2);
    pg->addWidget(m_binder->bindCheck(new QCheckBox(tr("&E-mail address"), print), "PRINTEMAIL"), 1, 0);
    pg->addWidget(m_binder->bindCheck(new QCheckBox(tr("&Web address"), print), "PRINTWWW"), 1, 1);
    v->addWidget(print);
    v->addWidget(m_binder->bindCheck(new QCheckBox(tr("Print Pac&king List"), page), "FLAG1"));
    v->addWidget(m_binder->bindCheck(new QCheckBox(tr("&Signature line on quotes"), page), "SIGONQUOTES"));
    v->addWidget(m_binder->bindCheck(new QCheckBox(tr("Si&gnature line on invoices"), page), "SIGONINV"));
    // The one-line notice about the program in the footer of quotes and invoices.
    v->addWidget(m_binder->bindCheck(new QCheckBox(tr("P&rogram notice in the footer of quotes and invoices"), page),
                                     "INVOICEAD"));
    auto* f = formLayout(nullptr);
    f->addRow(tr("&Logo File:"), text("LOGOFILE", 20));
    v->addLayout(f);
    auto* label = new QLabel(tr("&Comments printed on all quotes and invoices:"), page);
    auto* memo = m_binder->bindMemo(new QPlainTextEdit(page), "InvComments");
    label->setBuddy(memo);
    v->addWidget(label);
    v->addWidget(memo, 1);
    return page;
}

QWidget* DefaultsFormView::memoTab(const char* field, const QString& label) {
    auto* page = new QWidget;
    auto* v = new QVBoxLayout(page);
    auto* l = new QLabel(label, page);
    auto* memo = m_binder->bindMemo(new QPlainTextEdit(page), field);
    l->setBuddy(memo);
    v->addWidget(l);
    v->addWidget(memo, 1);
    return page;
}

QWidget* DefaultsFormView::pastDueTab() {
    auto* page = new QWidget;
    auto* v = new QVBoxLayout(page);
    const std::pair<const char*, QString> memos[] = {
        {"Bill30Comments", tr("&30 days past due:")},
        {"Bill60Comments", tr("&60 days past due:")},
        {"Bill90Comments", tr("&90 or more days past due:")},
    };
    for (const auto& [field, text] : memos) {
        auto* l = new QLabel(text, page);
        auto* memo = m_binder->bindMemo(new QPlainTextEdit(page), field);
        l->setBuddy(memo);
        v->addWidget(l);
        v->addWidget(memo, 1);
    }
    return page;
}

void registerDefaultsForm(WindowRegistry& registry) {
    registry.add(DefaultsForm::kProcedure, [](WindowContext& c, const WindowRequest&) {
        if (c.database == nullptr) return WindowResponse{};
        DefaultsForm form(c.ui, *c.database);
        if (!form.open()) return form.response();
        DefaultsFormView view(form, c.ui, c.parent);
        view.exec();
        if (!form.isClosed()) form.cancel();
        return form.response();
    });
}

}  // namespace quay::core
