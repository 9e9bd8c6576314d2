// The search keeps the rows read so far; reaching the last row (scrolling to the
// bottom, Page Down or the Down arrow on it) reads the next page after it by the
// record's position. Every command that may have changed an invoice reads the
// first page again, from the typed serial number.
#include "orders/views/invoice_serial_browse_view.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QVBoxLayout>

#include "orders/views/invoice_form_view.h"
#include "orders/views/order_view_text.h"
#include "quay/views/placement_keeper.h"

namespace quay::desk {

using text::dateText;
using text::qstr;

InvoiceSerialBrowseView::InvoiceSerialBrowseView(core::Database& db, core::UiPort& ui, core::Request request,
                                                 QWidget* parent)
    : QDialog(parent), m_db(db), m_ui(ui), m_request(request) {
    setObjectName("InvoiceSerialBrowse");
    setWindowTitle("Invoice Search by Serial Number");
    auto* layout = new QVBoxLayout(this);
    auto* title = new QLabel("Find Invoice Serial Number");
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    layout->addWidget(title);
    auto* locateRow = new QHBoxLayout;
    auto* locateLabel = new QLabel("Serial#:");
    m_locate = new QLineEdit;
    m_locate->setObjectName("Locator");
    m_locate->setMaxLength(20);
    locateLabel->setBuddy(m_locate);
    locateRow->addWidget(locateLabel);
    locateRow->addWidget(m_locate, 1);
    layout->addLayout(locateRow);

    m_table = new QTableWidget(0, 6);
    m_table->setHorizontalHeaderLabels({"Serial#", "Part#", "Description", "Invoice#", "Date", "Cust Name"});
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setWordWrap(false);
    m_table->verticalHeader()->hide();
    QHeaderView* head = m_table->horizontalHeader();
    head->setSectionResizeMode(QHeaderView::Interactive);
    head->setSectionResizeMode(2, QHeaderView::Stretch);
    m_table->setColumnWidth(0, 150);
    m_table->setColumnWidth(1, 120);
    m_table->setColumnWidth(3, 80);
    m_table->setColumnWidth(4, 90);
    m_table->setColumnWidth(5, 200);
    m_table->installEventFilter(this);
    connect(m_table, &QTableWidget::cellDoubleClicked, this, [this] {
        if (m_request == core::Request::Select) select();
        else openInvoice(core::Request::Change);
    });
    connect(m_table->verticalScrollBar(), &QScrollBar::valueChanged, this, [this](int v) {
        if (v == m_table->verticalScrollBar()->maximum()) more();
    });
    layout->addWidget(m_table, 1);

    auto* buttons = new QHBoxLayout;
    auto add = [&](const char* text, auto fn) {
        auto* b = new QPushButton(text);
        b->setAutoDefault(false);
        connect(b, &QPushButton::clicked, this, fn);
        buttons->addWidget(b);
        return b;
    };
    add("&Insert", [this] { openInvoice(core::Request::Insert); });
    add("&View", [this] { openInvoice(core::Request::Change); });
    add("&Delete", [this] { openInvoice(core::Request::Delete); });
    QPushButton* pick = add("&Select", [this] { select(); });
    pick->setVisible(m_request == core::Request::Select);
    buttons->addStretch();
    add("Close", [this] { reject(); });
    layout->addLayout(buttons);

    connect(m_locate, &QLineEdit::textChanged, this, [this] { reload(); });
    resize(860, 460);
    core::keepPlacement(this, "InvoiceSerialBrowse");
    reload();
}

void InvoiceSerialBrowseView::reload() {
    m_rows = invoiceSerialRows(m_db, m_ui, m_locate->text().toStdString(), kPageSize);
    m_atEnd = m_rows.size() < kPageSize;
    m_table->setRowCount(0);
    showRows(0);
    if (!m_rows.empty()) m_table->selectRow(0);
}

bool InvoiceSerialBrowseView::more() {
    if (m_atEnd || m_rows.empty()) return false;
    auto next = invoiceSerialRowsAfter(m_db, m_ui, m_rows.back().position, kPageSize);
    m_atEnd = next.size() < kPageSize;
    if (next.empty()) return false;
    const std::size_t from = m_rows.size();
    m_rows.insert(m_rows.end(), std::make_move_iterator(next.begin()), std::make_move_iterator(next.end()));
    showRows(from);
    return true;
}

void InvoiceSerialBrowseView::showRows(std::size_t from) {
    m_table->setRowCount(static_cast<int>(m_rows.size()));
    for (std::size_t r = from; r < m_rows.size(); ++r) {
        const InvoiceSerialRow& x = m_rows[r];
        const QString cells[] = {qstr(x.serial.view()),  qstr(x.partNum.view()), qstr(x.description.view()),
                                 QString::number(x.invoiceNum), dateText(x.ordDate), qstr(x.custName.view())};
        for (int c = 0; c < 6; ++c) {
            auto* item = new QTableWidgetItem(cells[c]);
            if (c == 3) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            m_table->setItem(static_cast<int>(r), c, item);
        }
    }
}

void InvoiceSerialBrowseView::openInvoice(core::Request) {
    const int r = m_table->currentRow();
    if (r < 0 || r >= static_cast<int>(m_rows.size())) return;
    core::Orders o;
    o.OrdNum = m_rows[static_cast<std::size_t>(r)].ordNum;
    const std::string position = m_rows[static_cast<std::size_t>(r)].position;
    InvoiceForm1View form(m_db, m_ui, o, this);
    form.exec();
    reload();
    // The row stays highlighted when it is still listed (a converted invoice drops out).
    for (std::size_t i = 0; i < m_rows.size(); ++i)
        if (m_rows[i].position == position) {
            m_table->selectRow(static_cast<int>(i));
            break;
        }
}

void InvoiceSerialBrowseView::select() {
    const int r = m_table->currentRow();
    if (m_request != core::Request::Select || r < 0 || r >= static_cast<int>(m_rows.size())) return;
    m_selectedOrdNum = m_rows[static_cast<std::size_t>(r)].ordNum;
    m_response = core::Response::Completed;
    accept();
}

bool InvoiceSerialBrowseView::eventFilter(QObject* watched, QEvent* event) {
    if (watched != m_table || event->type() != QEvent::KeyPress) return QDialog::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    switch (key->key()) {
    case Qt::Key_Insert: openInvoice(core::Request::Insert); return true;
    case Qt::Key_Delete: openInvoice(core::Request::Delete); return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (m_request == core::Request::Select) select();
        else openInvoice(core::Request::Change);
        return true;
    case Qt::Key_Down:
    case Qt::Key_PageDown:
    case Qt::Key_End:
        // At the last row read, the next page is read before the cursor moves on.
        if (m_table->currentRow() >= static_cast<int>(m_rows.size()) - 1 || key->key() != Qt::Key_Down) more();
        break;
    default: break;
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace quay::desk
