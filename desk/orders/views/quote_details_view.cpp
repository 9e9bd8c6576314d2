// The header window. Look-up fields are accepted through the logic, which opens
// the table's list when a typed value names no record; after a customer is taken
// the fields its copy rule fills are shown again. Ok stores every field first and
// re-checks the look-ups without opening a list a second time.
#include "orders/views/quote_details_view.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "orders/views/order_dialog_support.h"
#include "quay/views/field_binder.h"
#include "quay/views/placement_keeper.h"

namespace quay::desk {

using detail::FormGrid;

namespace {

std::vector<std::string> priceClasses() {
    std::vector<std::string> v;
    const std::string all = QuoteDetails::kPriceClasses;
    for (std::size_t start = 0; start <= all.size();) {
        const std::size_t bar = all.find('|', start);
        v.push_back(all.substr(start, bar == std::string::npos ? std::string::npos : bar - start));
        if (bar == std::string::npos) break;
        start = bar + 1;
    }
    return v;
}

int fieldIndex(const char* name) { return fieldIndexOf(core::Orders::desc(), name); }

}  // namespace

QuoteDetailsView::QuoteDetailsView(core::Database& db, core::UiPort& ui, core::Orders& order, QWidget* parent)
    : QDialog(parent), m_logic(db, ui, order), m_order(order) {
    setObjectName("QuoteDetails");
    setWindowTitle("Quote Details");
    m_opened = m_logic.open();
    m_binder = new core::FieldBinder(core::Orders::desc(), [this] { return static_cast<void*>(&m_order); }, this);
    core::FieldBinder& b = *m_binder;
    std::vector<QWidget*> tabs;

    FormGrid g(this);
    QToolButton* pick[4] = {};
    QLineEdit* date = b.bindDate(g.entry("Date:", "OrdDate", 10), "OrdDate", ui);
    detail::titleCalendar(date, QuoteDetails::kCalendarTitle, [this] {
        if (!m_logic.enterDate()) return false;
        m_binder->loadField(fieldIndex("OrdDate"));
        return true;
    });
    auto lookupField = [&](const char* label, const char* name, int chars, HeaderField f) {
        QLineEdit* e = g.entry(label, name, chars, nullptr, &pick[static_cast<int>(f)]);
        b.bindText(e, name, nullptr, [this, f] { return acceptLookup(f); });
        connect(pick[static_cast<int>(f)], &QToolButton::clicked, this, [this, f] { browse(f); });
        m_lookups[static_cast<int>(f)] = e;
        return e;
    };
    tabs.push_back(date);
    tabs.push_back(lookupField("Customer:", "CustName", 35, HeaderField::CustName));
    tabs.push_back(b.bindText(g.entry("Reference:", "REFERENCE", 30), "REFERENCE"));
    tabs.push_back(lookupField("Salesperson:", "Salesperson", 6, HeaderField::Salesperson));
    tabs.push_back(lookupField("Terms:", "TERMS", 15, HeaderField::TERMS));
    tabs.push_back(b.bindChoice(g.choice("Price Class:", "PRICECLASS", 2), "PRICECLASS", priceClasses()));
    tabs.push_back(b.bindText(g.entry("PO#:", "PONUM", 12), "PONUM"));
    tabs.push_back(lookupField("Ship Via:", "SHIPVIA", 20, HeaderField::SHIPVIA));

    g.setColumn(1);
    tabs.push_back(b.bindText(g.entry("Tax Rate 1:", "SLSTAXRATE1", 10), "SLSTAXRATE1", "@n10.4"));
    tabs.push_back(b.bindCheck(g.check("Tax 1 Exempt", "TAX1EXEMPT"), "TAX1EXEMPT"));
    tabs.push_back(b.bindText(g.entry("Tax Rate 2:", "SLSTAXRATE2", 10), "SLSTAXRATE2", "@n10.4"));
    tabs.push_back(b.bindCheck(g.check("Tax 2 Exempt", "TAX2EXEMPT"), "TAX2EXEMPT"));
    tabs.push_back(b.bindText(g.entry("Down Payment:", "DOWNPAYMENT", 13, "Payment at Invoice Time"), "DOWNPAYMENT",
                              "@n-13.2"));
    tabs.push_back(b.bindText(g.entry("Handling:", "HANDLING", 13), "HANDLING", "@n-13.2"));
    tabs.push_back(b.bindText(g.entry("Shipping:", "SHIPPING", 13), "SHIPPING", "@n-13.2"));
    tabs.push_back(b.bindText(g.entry("COD:", "COD", 13), "COD", "@n-13.2"));
    tabs.push_back(b.bindText(g.entry("Discount%:", "DISCOUNTPCT", 8), "DISCOUNTPCT", "@n-8.2"));
    tabs.push_back(b.bindText(g.entry("Surcharge%:", "SURCHARGEPCT", 8), "SURCHARGEPCT", "@n-8.2"));
    g.layout()->setColumnMinimumWidth(2, 24);

    auto* shipTo = new QGroupBox("&Ship To", this);
    FormGrid s(shipTo);
    tabs.push_back(b.bindText(s.entry("Name:", "ST_NAME", 35), "ST_NAME"));
    tabs.push_back(b.bindText(s.entry("Address:", "ST_ADD1", 35), "ST_ADD1"));
    tabs.push_back(b.bindText(s.entry("", "ST_ADD2", 35), "ST_ADD2"));
    tabs.push_back(b.bindText(s.entry("City:", "ST_CITY", 20), "ST_CITY"));
    tabs.push_back(b.bindText(s.entry("State:", "ST_STATE", 3), "ST_STATE"));
    tabs.push_back(b.bindText(s.entry("Zip:", "ST_ZIP", 10), "ST_ZIP"));
    s.setColumn(1);
    tabs.push_back(b.bindText(s.entry("Attn:", "ST_ATTN", 35), "ST_ATTN"));
    tabs.push_back(b.bindText(s.entry("Phone:", "ST_PHONE", 13), "ST_PHONE"));
    s.layout()->setColumnMinimumWidth(2, 24);
    s.layout()->setColumnStretch(4, 1);
    auto* note = new QLabel("Only put Ship To information if different from customer information.  These fields "
                            "will override the customer fields.",
                            shipTo);
    note->setWordWrap(true);
    s.layout()->addWidget(note, 6, 0, 1, 5);
    shipTo->setLayout(s.layout());

    const detail::OkCancelRow buttons = detail::okCancelRow(this, "&Ok", "&Cancel", [this] { onOk(); });
    tabs.push_back(buttons.ok);
    tabs.push_back(buttons.cancel);
    detail::chainTabs(tabs);

    auto* top = new QHBoxLayout;
    top->addLayout(g.layout());
    top->addStretch(1);
    auto* outer = new QVBoxLayout(this);
    outer->addLayout(top);
    outer->addWidget(shipTo);
    outer->addLayout(buttons.row);
    b.load();
    core::keepPlacement(this, "QuoteDetails");
}

bool QuoteDetailsView::acceptLookup(HeaderField field) {
    const bool accepted = m_logic.acceptField(field, !m_inOk);
    if (accepted && field == HeaderField::CustName) showCopiedFields();
    return accepted;
}

void QuoteDetailsView::browse(HeaderField field) {
    if (m_logic.browseField(field) && field == HeaderField::CustName) showCopiedFields();
    m_binder->load();
    m_lookups[static_cast<int>(field)]->setFocus();
}

void QuoteDetailsView::showCopiedFields() {
    for (const char* f : {"CustName", "PRICECLASS", "TAX1EXEMPT", "TAX2EXEMPT", "SLSTAXRATE1", "SLSTAXRATE2"})
        m_binder->loadField(fieldIndex(f));
}

QWidget* QuoteDetailsView::widgetOf(HeaderField field) const { return m_lookups[static_cast<int>(field)]; }

void QuoteDetailsView::onOk() {
    m_inOk = true;
    const bool stored = m_binder->storeAll();
    m_inOk = false;
    if (!stored) return;
    if (m_logic.ok()) {
        QDialog::accept();
        return;
    }
    QWidget* w = widgetOf(m_logic.focus());
    w->setFocus();
    if (auto* e = qobject_cast<QLineEdit*>(w)) e->selectAll();
}

void QuoteDetailsView::reject() {
    m_logic.cancel();
    QDialog::reject();
}

}  // namespace quay::desk
