// The closed invoice recomputes nothing: it shows what the save stored.
#include "orders/views/invoice_form_view.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QTableWidget>
#include <QVBoxLayout>

#include "orders/invoice_reversal.h"
#include "orders/views/order_dialogs.h"
#include "quay/app/globals.h"
#include "quay/app/table_access.h"
#include "quay/reports/quote/quote_print.h"
#include "quay/tables/all_tables.h"
#include "quay/types/date.h"
#include "quay/types/picture.h"
#include "quay/views/placement_keeper.h"

namespace quay::desk {

namespace {
QString qs(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<int>(s.size())); }
QString dateText(std::int32_t day) {
    const auto c = core::civilFromDate(day);
    return c ? QString::asprintf("%02d/%02d/%04d", c->month, c->day, c->year) : QString();
}
// Amounts as a list shows them: grouped, two places, minus in front.
template <int D>
std::string amount(const core::Decimal<D, 2>& value) {
    static const auto picture = core::Picture::parse("@n-20.2");
    std::string text = picture ? picture->format(value) : value.toString();
    text.erase(0, text.find_first_not_of(' '));
    return text;
}
QTableWidget* table(const QStringList& heads) {
    auto* t = new QTableWidget(0, static_cast<int>(heads.size()));
    t->setHorizontalHeaderLabels(heads);
    t->setSelectionBehavior(QAbstractItemView::SelectRows);
    t->setEditTriggers(QAbstractItemView::NoEditTriggers);
    t->verticalHeader()->hide();
    t->horizontalHeader()->setStretchLastSection(true);
    return t;
}
}  // namespace

InvoiceForm1View::InvoiceForm1View(core::Database& db, core::UiPort& ui, const core::Orders& order, QWidget* parent)
    : QDialog(parent), m_db(db), m_ui(ui), m_order(order) {
    setObjectName("InvoiceForm1");
    setWindowTitle("Closed Invoice");
    core::glo.OrdNum = order.OrdNum;
    auto* layout = new QVBoxLayout(this);
    // The header: caption and value pairs in three columns, read-only.
    auto* header = new QGridLayout;
    header->setHorizontalSpacing(10);
    const struct { const char* caption; const char* name; } heads[] = {
        {"Invoice#:", "InvoiceNum"}, {"Quote#:", "OrdNum"},     {"Date:", "OrdDate"},  {"Customer:", "CustName"},
        {"Reference:", "REFERENCE"}, {"PO#:", "PONUM"},         {"Terms:", "TERMS"},   {"Ship Via:", "SHIPVIA"},
        {"Ship Trak:", "SHIPTRAK"},
    };
    int cell = 0;
    for (const auto& h : heads) {
        auto* caption = new QLabel(h.caption);
        auto* value = new QLabel;
        value->setObjectName(h.name);
        value->setTextInteractionFlags(Qt::TextSelectableByMouse);
        header->addWidget(caption, cell / 3, (cell % 3) * 2);
        header->addWidget(value, cell / 3, (cell % 3) * 2 + 1);
        header->setColumnStretch((cell % 3) * 2 + 1, 1);
        m_fields.push_back(value);
        ++cell;
    }
    layout->addLayout(header);
    m_lines = table({"Part#", "Description", "Qty", "Price", "Total"});
    m_lines->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    m_lines->setColumnWidth(0, 120);
    layout->addWidget(m_lines, 1);
    // The stored totals in pairs, amounts right-aligned: charges on the left, the
    // subtotal, taxes, discount and surcharge on the right, the total last.
    auto* totals = new QGridLayout;
    totals->setHorizontalSpacing(10);
    totals->setVerticalSpacing(2);
    totals->setColumnStretch(0, 1);
    const char* captions[] = {"Handling:", "Sub Total:", "Shipping:", "Sales Tax 1:", "COD:", "Sales Tax 2:",
                              "Discount %:", "Discount:", "Surcharge %:", "Surcharge:", "",  "Total:"};
    const QFontMetrics metrics(font());
    for (int i = 0; i < kTotalCount; ++i) {
        auto* caption = new QLabel(captions[i]);
        caption->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        m_totals[i] = new QLabel;
        m_totals[i]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        m_totals[i]->setMinimumWidth(metrics.horizontalAdvance("-9,999,999,999.99"));
        const int row = i / 2;
        const int col = 1 + (i % 2) * 2;
        totals->addWidget(caption, row, col);
        totals->addWidget(m_totals[i], row, col + 1);
    }
    QFont bold = m_totals[kTotalCount - 1]->font();
    bold.setBold(true);
    m_totals[kTotalCount - 1]->setFont(bold);
    layout->addLayout(totals);
    auto* row = new QHBoxLayout;
    auto add = [&](const char* text, Qt::Key key, auto fn) {
        auto* b = new QPushButton(text);
        b->setAutoDefault(false);
        connect(b, &QPushButton::clicked, this, fn);
        if (key != Qt::Key_unknown) connect(new QShortcut(QKeySequence(key), this), &QShortcut::activated, b, &QPushButton::click);
        row->addWidget(b);
    };
    add("F10 - &Reprint Invoice", Qt::Key_F10, [this] {
        core::glo.OrdNum = m_order.OrdNum;
        reports::QUOTEPRINT(m_db, m_order.OrdNum, m_ui);
        load();
    });
    add("F4 - &Invoice Comments", Qt::Key_F4, [this] { runOrderComments("Invoice Comments", m_order, false, this); });
    add("F9 - Con&vert to Quote", Qt::Key_F9, [this] { convert(); });
    row->addStretch();
    add("Close", Qt::Key_unknown, [this] { reject(); });
    layout->addLayout(row);
    resize(780, 520);
    core::keepPlacement(this, "InvoiceForm1");
    load();
}

void InvoiceForm1View::load() {
    core::HeldTable<core::Orders> ord(m_db, m_ui);
    core::HeldTable<core::ItemsOrd> ite(m_db, m_ui);
    if (!ord.isOpen() || !ite.isOpen()) return;
    if (m_order.OrdNum != 0) {
        ord.handle.rec.OrdNum = m_order.OrdNum;
        if (ord.handle.get(core::Orders::byOrdNum) == core::ErrorCode::None) m_order = ord.handle.rec;
    }
    const core::Orders& o = m_order;
    const QString heads[] = {o.InvoiceNum != 0 ? QString::number(o.InvoiceNum) : QString(),
                             o.OrdNum != 0 ? QString::number(o.OrdNum) : QString(),
                             dateText(o.OrdDate),
                             qs(o.CustName.view()),
                             qs(o.REFERENCE.view()),
                             qs(o.PONUM.view()),
                             qs(o.TERMS.view()),
                             qs(o.SHIPVIA.view()),
                             qs(o.SHIPTRAK.view())};
    for (std::size_t i = 0; i < m_fields.size(); ++i) m_fields[i]->setText(heads[i]);
    m_lines->setRowCount(0);
    ite.handle.rec.OrdNum = o.OrdNum;
    ite.handle.setAtKey(core::ItemsOrd::byOrdNum);
    while (o.OrdNum != 0 && ite.handle.next() == core::ErrorCode::None && ite.handle.rec.OrdNum == o.OrdNum) {
        const int r = m_lines->rowCount();
        m_lines->insertRow(r);
        const core::ItemsOrd& l = ite.handle.rec;
        const QString cells[] = {qs(l.PartNum.view()), qs(l.DESCRIPTION.view()), qs(l.QTY.toString()),
                                 qs(l.PRICE.toString()), qs(amount(l.TOTAL))};
        for (int c = 0; c < 5; ++c) {
            auto* item = new QTableWidgetItem(cells[c]);
            if (c >= 2) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            m_lines->setItem(r, c, item);
        }
    }
    const std::string shown[kTotalCount] = {amount(o.HANDLING),    amount(o.SUBTOTAL), amount(o.SHIPPING),
                                            amount(o.SALESTAX1),   amount(o.COD),      amount(o.SALESTAX2),
                                            o.DISCOUNTPCT.toString(), amount(o.DISCOUNT), o.SURCHARGEPCT.toString(),
                                            amount(o.SURCHARGE),   std::string(),      amount(o.TOTAL)};
    for (int i = 0; i < kTotalCount; ++i) m_totals[i]->setText(qs(shown[i]));
}

void InvoiceForm1View::convert() {
    if (m_order.OrdNum == 0 || m_order.Status.view() != "I") return;
    if (convertInvoiceToQuote(m_db, m_ui, m_order.OrdNum) == core::Response::Completed) {
        m_response = core::Response::Completed;
        accept();
    }
}

}  // namespace quay::desk
