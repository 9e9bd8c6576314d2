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
#include "orders/views/order_view_text.h"
#include "quay/app/globals.h"
#include "quay/app/table_access.h"
#include "quay/reports/quote/quote_print.h"
#include "quay/tables/all_tables.h"
#include "quay/types/date.h"
#include "quay/views/placement_keeper.h"

namespace quay::desk {

using text::amountText;
using text::dateText;
using text::qstr;

namespace {
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
    const struct {
        const char* caption;
        const char* name;
    } heads[] = {
        {"Invoice#:", "InvoiceNum"}, {"Quote#:", "OrdNum"},       {"Date:", "OrdDate"},
        {"Customer:", "CustName"},   {"Reference:", "REFERENCE"}, {"PO#:", "PONUM"},
        {"Terms:", "TERMS"},         {"Ship Via:", "SHIPVIA"},    {"Ship Trak:", "SHIPTRAK"},
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
    const char* captions[] = {"Handling:",   "Sub Total:", "Shipping:",    "Sales Tax 1:", "COD:", "Sales Tax 2:",
                              "Discount %:", "Discount:",  "Surcharge %:", "Surcharge:",   "",     "Total:"};
    for (int i = 0; i < kTotalCount; ++i)
        m_totals[i] = text::amountRow(totals, i / 2, 1 + (i % 2) * 2, captions[i], i == kTotalCount - 1);
    layout->addLayout(totals);
    auto* row = new QHBoxLayout;
    auto add = [&](const char* text, Qt::Key key, auto fn) {
        auto* b = new QPushButton(text);
        b->setAutoDefault(false);
        connect(b, &QPushButton::clicked, this, fn);
        if (key != Qt::Key_unknown)
            connect(new QShortcut(QKeySequence(key), this), &QShortcut::activated, b, &QPushButton::click);
        row->addWidget(b);
    };
    add("F10 - &Reprint Invoice", Qt::Key_F10, [this] {
        core::glo.OrdNum = m_order.OrdNum;
        reports::QUOTEPRINT(m_db, m_order.OrdNum, m_ui);
        load();
    });
    add("F4 - &Invoice Comments", Qt::Key_F4,
        [this] { runOrderComments(m_ui, "Invoice Comments", m_order, false, this); });
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
                             qstr(o.CustName.view()),
                             qstr(o.REFERENCE.view()),
                             qstr(o.PONUM.view()),
                             qstr(o.TERMS.view()),
                             qstr(o.SHIPVIA.view()),
                             qstr(o.SHIPTRAK.view())};
    for (std::size_t i = 0; i < m_fields.size(); ++i) m_fields[i]->setText(heads[i]);
    m_lines->setRowCount(0);
    ite.handle.rec.OrdNum = o.OrdNum;
    ite.handle.setAtKey(core::ItemsOrd::byOrdNum);
    while (o.OrdNum != 0 && ite.handle.next() == core::ErrorCode::None && ite.handle.rec.OrdNum == o.OrdNum) {
        const int r = m_lines->rowCount();
        m_lines->insertRow(r);
        const core::ItemsOrd& l = ite.handle.rec;
        const QString cells[] = {qstr(l.PartNum.view()), qstr(l.DESCRIPTION.view()), qstr(l.QTY.toString()),
                                 qstr(l.PRICE.toString()), amountText(l.TOTAL)};
        for (int c = 0; c < 5; ++c) {
            auto* item = new QTableWidgetItem(cells[c]);
            if (c >= 2) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            m_lines->setItem(r, c, item);
        }
    }
    const QString shown[kTotalCount] = {amountText(o.HANDLING),
                                        amountText(o.SUBTOTAL),
                                        amountText(o.SHIPPING),
                                        amountText(o.SALESTAX1),
                                        amountText(o.COD),
                                        amountText(o.SALESTAX2),
                                        qstr(o.DISCOUNTPCT.toString()),
                                        amountText(o.DISCOUNT),
                                        qstr(o.SURCHARGEPCT.toString()),
                                        amountText(o.SURCHARGE),
                                        QString(),
                                        amountText(o.TOTAL)};
    for (int i = 0; i < kTotalCount; ++i) m_totals[i]->setText(shown[i]);
}

void InvoiceForm1View::convert() {
    if (m_order.OrdNum == 0 || m_order.Status.view() != "I") return;
    if (convertInvoiceToQuote(m_db, m_ui, m_order.OrdNum) == core::Response::Completed) {
        m_response = core::Response::Completed;
        accept();
    }
}

}  // namespace quay::desk
