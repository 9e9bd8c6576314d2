// The closed invoice recomputes nothing: it shows what the save stored.
#include "orders/views/invoice_form_view.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
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
#include "serials/invoice_serial_search.h"

namespace quay::desk {

namespace {
QString qs(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<int>(s.size())); }
QString dateText(std::int32_t day) {
    const auto c = core::civilFromDate(day);
    return c ? QString::asprintf("%02d/%02d/%04d", c->month, c->day, c->year) : QString();
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
    m_header = new QLabel;
    layout->addWidget(m_header);
    m_lines = table({"Part#", "Description", "Qty", "Price", "Total"});
    m_lines->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    layout->addWidget(m_lines);
    m_totals = new QLabel;
    m_totals->setAlignment(Qt::AlignRight);
    layout->addWidget(m_totals);
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
    add("Close", Qt::Key_unknown, [this] { reject(); });
    layout->addLayout(row);
    resize(720, 440);
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
    m_header->setText(QString("Invoice#: %1   Quote#: %2   Date: %3\nCustomer: %4   PO#: %5   Terms: %6   Ship Via: %7")
                          .arg(o.InvoiceNum)
                          .arg(o.OrdNum)
                          .arg(dateText(o.OrdDate), qs(o.CustName.view()), qs(o.PONUM.view()), qs(o.TERMS.view()),
                               qs(o.SHIPVIA.view())));
    m_lines->setRowCount(0);
    ite.handle.rec.OrdNum = o.OrdNum;
    ite.handle.setAtKey(core::ItemsOrd::byOrdNum);
    while (o.OrdNum != 0 && ite.handle.next() == core::ErrorCode::None && ite.handle.rec.OrdNum == o.OrdNum) {
        const int r = m_lines->rowCount();
        m_lines->insertRow(r);
        const core::ItemsOrd& l = ite.handle.rec;
        const QString cells[] = {qs(l.PartNum.view()), qs(l.DESCRIPTION.view()), qs(l.QTY.toString()),
                                 qs(l.PRICE.toString()), qs(l.TOTAL.toString())};
        for (int c = 0; c < 5; ++c) m_lines->setItem(r, c, new QTableWidgetItem(cells[c]));
    }
    m_totals->setText(QString("Handling: %1   Sub Total: %2\nShipping: %3   Sales Tax 1: %4\nCOD: %5   Sales Tax 2: %6\n"
                              "Discount %7%: %8   Surcharge %9%: %10\nTotal: %11")
                          .arg(qs(o.HANDLING.toString()), qs(o.SUBTOTAL.toString()), qs(o.SHIPPING.toString()),
                               qs(o.SALESTAX1.toString()), qs(o.COD.toString()), qs(o.SALESTAX2.toString()),
                               qs(o.DISCOUNTPCT.toString()), qs(o.DISCOUNT.toString()), qs(o.SURCHARGEPCT.toString()))
                          .arg(qs(o.SURCHARGE.toString()), qs(o.TOTAL.toString())));
}

void InvoiceForm1View::convert() {
    if (m_order.OrdNum == 0 || m_order.Status.view() != "I") return;
    if (convertInvoiceToQuote(m_db, m_ui, m_order.OrdNum) == core::Response::Completed) {
        m_response = core::Response::Completed;
        accept();
    }
}

void runInvoiceSerialBrowse(core::Database& db, core::UiPort& ui, QWidget* parent) {
    QDialog d(parent);
    d.setObjectName("InvoiceSerialBrowse");
    d.setWindowTitle("Invoice Search by Serial Number");
    auto* layout = new QVBoxLayout(&d);
    layout->addWidget(new QLabel("Find Invoice Serial Number"));
    auto* locate = new QLineEdit;
    locate->setPlaceholderText("Serial#");
    layout->addWidget(locate);
    QTableWidget* t = table({"Serial#", "Part#", "Description", "Invoice#", "Date", "Cust Name"});
    layout->addWidget(t);
    std::vector<InvoiceSerialRow> rows;
    auto fill = [&] {
        rows = invoiceSerialRows(db, ui, locate->text().toStdString(), 200);
        t->setRowCount(static_cast<int>(rows.size()));
        for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
            const InvoiceSerialRow& x = rows[static_cast<std::size_t>(r)];
            const QString cells[] = {qs(x.serial.view()), qs(x.partNum.view()), qs(x.description.view()),
                                     QString::number(x.invoiceNum), dateText(x.ordDate), qs(x.custName.view())};
            for (int c = 0; c < 6; ++c) t->setItem(r, c, new QTableWidgetItem(cells[c]));
        }
    };
    auto view = [&] {
        const int r = t->currentRow();
        if (r < 0 || r >= static_cast<int>(rows.size())) return;
        core::Orders o;
        o.OrdNum = rows[static_cast<std::size_t>(r)].ordNum;
        InvoiceForm1View f(db, ui, o, &d);
        f.exec();
        fill();
    };
    QObject::connect(locate, &QLineEdit::textChanged, &d, fill);
    QObject::connect(t, &QTableWidget::cellDoubleClicked, &d, view);
    auto* row = new QHBoxLayout;
    for (const char* text : {"&Insert", "&View", "&Delete"}) {
        auto* b = new QPushButton(text);
        QObject::connect(b, &QPushButton::clicked, &d, view);
        row->addWidget(b);
    }
    auto* close = new QPushButton("Close");
    QObject::connect(close, &QPushButton::clicked, &d, &QDialog::reject);
    row->addWidget(close);
    layout->addLayout(row);
    d.resize(760, 420);
    fill();
    d.exec();
}

}  // namespace quay::desk
