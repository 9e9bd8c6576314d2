// The lists read one page of rows at a time from the locator's position; scrolling
// to the end reads the next page, so a list over a million orders opens as fast as
// one over ten.
#include "orders/views/order_list_view.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QScrollBar>
#include <QTabBar>
#include <QTableWidget>
#include <QVBoxLayout>

#include "orders/views/copy_order_view.h"
#include "orders/views/invoice_form_view.h"
#include "orders/views/invoice_serial_browse_view.h"
#include "orders/views/order_view_text.h"
#include "orders/views/quote_form_view.h"
#include "quay/app/globals.h"

namespace quay::desk {

using text::dateText;
using text::qstr;

namespace {
constexpr std::size_t kPage = 60;
}  // namespace

OrderListView::OrderListView(core::Database& db, core::UiPort& ui, OrderListKind kind, QWidget* parent)
    : QWidget(parent), m_db(db), m_ui(ui), m_list(db, ui, kind) {
    const bool quotes = kind == OrderListKind::Quotes;
    setObjectName(quotes ? "QuoteBrowse" : "InvoiceBrowse");
    setWindowTitle(OrderList::caption(kind));
    auto* layout = new QVBoxLayout(this);
    m_tabs = new QTabBar;
    m_tabs->addTab("by Customer &Name");
    m_tabs->addTab(quotes ? "by &Quote Number" : "by &Invoice Number");
    connect(m_tabs, &QTabBar::currentChanged, this, [this](int i) {
        m_locator.setTab(i == 0 ? OrderListTab::ByName : OrderListTab::ByNumber);
        reload();
    });
    layout->addWidget(m_tabs);
    m_table = new QTableWidget(0, quotes ? 5 : 6);
    QStringList heads;
    if (!quotes) heads << "Invoice#";
    heads << "Quote#" << "Date" << "Customer Name" << "Reference" << "Total";
    m_table->setHorizontalHeaderLabels(heads);
    m_table->horizontalHeader()->setSectionResizeMode(quotes ? 2 : 3, QHeaderView::Stretch);
    m_table->horizontalHeader()->setMinimumSectionSize(60);
    // Numbers and dates take what they need; "Reference" enough to read; the customer
    // name the rest.
    const int numbers = quotes ? 1 : 2;
    for (int c = 0; c < numbers; ++c) m_table->setColumnWidth(c, 72);
    m_table->setColumnWidth(numbers, 92);
    m_table->setColumnWidth(numbers + 2, 170);
    m_table->setWordWrap(false);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->verticalHeader()->hide();
    m_table->installEventFilter(this);
    connect(m_table, &QTableWidget::cellDoubleClicked, this, [this] { change(core::Request::Change); });
    connect(m_table->verticalScrollBar(), &QScrollBar::valueChanged, this, [this](int v) {
        if (v == m_table->verticalScrollBar()->maximum()) more();
    });
    layout->addWidget(m_table);
    m_locatorLabel = new QLabel;
    layout->addWidget(m_locatorLabel);
    auto* row = new QHBoxLayout;
    auto add = [&](const char* text, auto fn) {
        auto* b = new QPushButton(text);
        connect(b, &QPushButton::clicked, this, fn);
        row->addWidget(b);
    };
    add("&Insert", [this] { insert(); });
    add(quotes ? "&Change" : "&View", [this] { change(core::Request::Change); });
    add("&Delete", [this] { change(core::Request::Delete); });
    add(quotes ? "F4 - Copy Q&uote" : "F4 - Copy I&nvoice", [this] { copy(); });
    if (!quotes) add("&Find Invoice by Serial Number", [this] { findBySerial(); });
    add("Close", [this] { window()->close(); });
    layout->addLayout(row);
    // The list opens wide enough for a customer name beside its numbers and total; the
    // frame's child window takes its first size from this minimum.
    setMinimumSize(quotes ? 680 : 760, 400);
    resize(quotes ? 760 : 840, 480);
    reload();
}

void OrderListView::reload() {
    bool pastEnd = false;
    m_rows = m_list.page(m_locator.tab(), m_locator.text(), kPage, &pastEnd);
    m_locatorLabel->setText(m_locator.text().empty() ? QString() : "Locate: " + qstr(m_locator.text()));
    m_table->setRowCount(0);
    more();
    if (!m_rows.empty()) m_table->selectRow(pastEnd ? static_cast<int>(m_rows.size()) - 1 : 0);
}

void OrderListView::refresh() {
    const core::Orders* o = current();
    const std::int32_t keep = o != nullptr ? o->OrdNum : 0;
    const int scroll = m_table->verticalScrollBar()->value();
    reload();
    for (std::size_t r = 0; keep != 0 && r < m_rows.size(); ++r) {
        if (m_rows[r].OrdNum == keep) {
            m_table->selectRow(static_cast<int>(r));
            m_table->verticalScrollBar()->setValue(scroll);
            break;
        }
    }
}

void OrderListView::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // Orders change in other windows (an invoice converted back to a quote, a quote
    // invoiced from another list, another workstation): the list is read again each
    // time the user comes back to it, keeping the highlighted order.
    QMdiSubWindow* sub = nullptr;
    for (QWidget* w = parentWidget(); w != nullptr && sub == nullptr; w = w->parentWidget())
        sub = qobject_cast<QMdiSubWindow*>(w);
    QMdiArea* area = sub != nullptr ? sub->mdiArea() : nullptr;
    if (area == nullptr || m_watchesArea) return;
    m_watchesArea = true;
    connect(area, &QMdiArea::subWindowActivated, this, [this, sub](QMdiSubWindow* active) {
        if (active == sub) refresh();
    });
}

void OrderListView::more() {
    const int shown = m_table->rowCount();
    if (shown > 0 && static_cast<std::size_t>(shown) == m_rows.size()) {
        auto next = m_list.pageAfter(m_locator.tab(), m_rows.back(), kPage);
        m_rows.insert(m_rows.end(), next.begin(), next.end());
    }
    const bool quotes = m_list.kind() == OrderListKind::Quotes;
    m_table->setRowCount(static_cast<int>(m_rows.size()));
    for (int r = shown; r < static_cast<int>(m_rows.size()); ++r) {
        const core::Orders& o = m_rows[static_cast<std::size_t>(r)];
        QStringList cells;
        if (!quotes) cells << QString::number(o.InvoiceNum);
        cells << QString::number(o.OrdNum) << dateText(o.OrdDate) << qstr(o.CustName.view()) << qstr(o.REFERENCE.view())
              << text::amountText(o.TOTAL);
        const int numbers = quotes ? 1 : 2;  // the order and invoice numbers lead the row
        for (int c = 0; c < cells.size(); ++c) {
            auto* item = new QTableWidgetItem(cells[c]);
            // Numbers and money read down their right edge, as on a printed list.
            if (c < numbers || c == cells.size() - 1) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            m_table->setItem(r, c, item);
        }
    }
}

const core::Orders* OrderListView::current() const {
    const int r = m_table->currentRow();
    return (r >= 0 && r < static_cast<int>(m_rows.size())) ? &m_rows[static_cast<std::size_t>(r)] : nullptr;
}

void OrderListView::insert() {
    if (m_list.kind() == OrderListKind::Invoices) {
        InvoiceForm1View view(m_db, m_ui, core::Orders{}, this);
        view.exec();
        return;
    }
    QuoteForm1View form(m_db, m_ui, core::Request::Insert, core::Orders{}, this);
    if (form.start()) form.exec();
    reload();
}

void OrderListView::change(core::Request request) {
    const core::Orders* o = current();
    if (o == nullptr) return;
    if (m_list.kind() == OrderListKind::Invoices) {
        InvoiceForm1View view(m_db, m_ui, *o, this);
        view.exec();
    } else {
        QuoteForm1View form(m_db, m_ui, request, *o, this);
        if (form.start()) form.exec();
    }
    reload();
}

void OrderListView::copy() {
    const core::Orders* o = current();
    if (o == nullptr) return;
    core::glo.OrdNum = o->OrdNum;
    std::int32_t copied = 0;
    if (runCopyOrder(m_db, m_ui, copied, this) == core::Response::Completed && copied != 0) {
        // The list shows the new quote: the quote list positioned on its number.
        if (m_list.kind() == OrderListKind::Quotes) {
            m_tabs->setCurrentIndex(1);
            m_locator.clear();
            for (char c : std::to_string(copied)) m_locator.type(c);
        }
    }
    reload();
}

void OrderListView::findBySerial() {
    InvoiceSerialBrowseView search(m_db, m_ui, core::Request::None, this);
    search.exec();
    reload();
}

bool OrderListView::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_table && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        const int k = key->key();
        const bool ours = k == Qt::Key_Insert || k == Qt::Key_Delete || k == Qt::Key_Return || k == Qt::Key_Enter ||
                          k == Qt::Key_F4 || k == Qt::Key_Backspace ||
                          (key->text().size() == 1 && key->text().at(0).isPrint());
        if (ours) {
            keyPressEvent(key);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void OrderListView::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Insert: insert(); return;
    case Qt::Key_Delete: change(core::Request::Delete); return;
    case Qt::Key_Return:
    case Qt::Key_Enter: change(core::Request::Change); return;
    case Qt::Key_F4: copy(); return;
    case Qt::Key_Backspace:
        if (m_locator.backspace()) reload();
        return;
    default: break;
    }
    const QString t = event->text();
    if (t.size() == 1 && m_locator.type(t.at(0).toLatin1())) {
        reload();
        return;
    }
    QWidget::keyPressEvent(event);
}

}  // namespace quay::desk
