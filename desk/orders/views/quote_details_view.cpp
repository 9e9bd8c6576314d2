// The header window. Look-up fields are accepted through the logic, which opens
// the table's list when a typed value names no record; after a customer is taken
// the fields its copy rule fills are shown again. Ok (the form dialog's) stores
// every field first and re-checks the look-ups without opening a list a second time.
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
    : OwnedLogic(db, ui, order), FormDialog(m_logic, parent, {"&Ok", "&Cancel"}), m_order(order) {
    m_opened = m_logic.open();
    m_binder = binder();
    core::FieldBinder& b = *m_binder;
    std::vector<QWidget*> tabs;

    FormGrid g(this);
    QToolButton* pick[4] = {};
    QLineEdit* date = b.bindDate(g.entry("Da&te:", "OrdDate", 10), "OrdDate", ui);
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
    tabs.push_back(lookupField("C&ustomer:", "CustName", 35, HeaderField::CustName));
    tabs.push_back(b.bindText(g.entry("Re&ference:", "REFERENCE", 30), "REFERENCE"));
    tabs.push_back(lookupField("Sa&lesperson:", "Salesperson", 6, HeaderField::Salesperson));
    tabs.push_back(lookupField("Ter&ms:", "TERMS", 15, HeaderField::TERMS));
    tabs.push_back(b.bindChoice(g.choice("Pric&e Class:", "PRICECLASS", 2), "PRICECLASS", priceClasses()));
    tabs.push_back(b.bindText(g.entry("&PO#:", "PONUM", 12), "PONUM"));
    tabs.push_back(lookupField("Ship &Via:", "SHIPVIA", 20, HeaderField::SHIPVIA));

    g.setColumn(1);
    tabs.push_back(b.bindText(g.entry("Tax &Rate 1:", "SLSTAXRATE1", 10), "SLSTAXRATE1", "@n10.4"));
    tabs.push_back(b.bindCheck(g.check("Tax &1 Exempt", "TAX1EXEMPT"), "TAX1EXEMPT"));
    tabs.push_back(b.bindText(g.entry("Ta&x Rate 2:", "SLSTAXRATE2", 10), "SLSTAXRATE2", "@n10.4"));
    tabs.push_back(b.bindCheck(g.check("Tax &2 Exempt", "TAX2EXEMPT"), "TAX2EXEMPT"));
    tabs.push_back(
        b.bindText(g.entry("Do&wn Payment:", "DOWNPAYMENT", 13, "Payment at Invoice Time"), "DOWNPAYMENT", "@n-13.2"));
    tabs.push_back(b.bindText(g.entry("H&andling:", "HANDLING", 13), "HANDLING", "@n-13.2"));
    tabs.push_back(b.bindText(g.entry("S&hipping:", "SHIPPING", 13), "SHIPPING", "@n-13.2"));
    tabs.push_back(b.bindText(g.entry("CO&D:", "COD", 13), "COD", "@n-13.2"));
    tabs.push_back(b.bindText(g.entry("D&iscount%:", "DISCOUNTPCT", 8), "DISCOUNTPCT", "@n-8.2"));
    tabs.push_back(b.bindText(g.entry("Surchar&ge%:", "SURCHARGEPCT", 8), "SURCHARGEPCT", "@n-8.2"));
    g.layout()->setColumnMinimumWidth(2, 24);

    auto* shipTo = new QGroupBox("&Ship To", this);
    FormGrid s(shipTo);
    tabs.push_back(b.bindText(s.entry("&Name:", "ST_NAME", 35), "ST_NAME"));
    tabs.push_back(b.bindText(s.entry("Address:", "ST_ADD1", 35), "ST_ADD1"));
    tabs.push_back(b.bindText(s.entry("", "ST_ADD2", 35), "ST_ADD2"));
    tabs.push_back(b.bindText(s.entry("Cit&y:", "ST_CITY", 20), "ST_CITY"));
    tabs.push_back(b.bindText(s.entry("State:", "ST_STATE", 3), "ST_STATE"));
    tabs.push_back(b.bindText(s.entry("&Zip:", "ST_ZIP", 10), "ST_ZIP"));
    s.setColumn(1);
    tabs.push_back(b.bindText(s.entry("Attn:", "ST_ATTN", 35), "ST_ATTN"));
    tabs.push_back(b.bindText(s.entry("Phone:", "ST_PHONE", 13), "ST_PHONE"));
    s.layout()->setColumnMinimumWidth(2, 24);
    s.layout()->setColumnStretch(4, 1);
    auto* note = new QLabel(
        "Only put Ship To information if different from customer information.  These fields "
        "will override the customer fields.",
        shipTo);
    note->setWordWrap(true);
    s.layout()->addWidget(note, 6, 0, 1, 5);
    shipTo->setLayout(s.layout());

    tabs.push_back(okButton());
    tabs.push_back(cancelButton());
    detail::chainTabs(tabs);

    auto* top = new QHBoxLayout;
    top->addLayout(g.layout());
    top->addStretch(1);
    auto* body = new QVBoxLayout;
    body->addLayout(top);
    body->addWidget(shipTo);
    setBody(body, date);
}

bool QuoteDetailsView::acceptLookup(HeaderField field) {
    const bool accepted = m_logic.acceptField(field, !isFinishing());
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

}  // namespace quay::desk
