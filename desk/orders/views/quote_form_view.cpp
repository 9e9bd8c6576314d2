// The order form's window: buttons and keys forward to QuoteForm1; after each the
// view redraws lines, totals, command availability and the serial-number indicator.
#include "orders/views/quote_form_view.h"

#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

#include "orders/views/order_dialogs.h"
#include "orders/views/order_view_text.h"
#include "quay/reports/quote/quote_print.h"
#include "quay/reports/tickets/order_tickets.h"
#include "quay/views/placement_keeper.h"

namespace quay::desk {

using text::amountText;
using text::dateText;
using text::qstr;

namespace {

// Each print of an order and the report procedure that makes it on the desktop.
void runOrderPrint(OrderPrint print, core::Database& db, std::int32_t ordNum, core::UiPort& ui) {
    switch (print) {
    case OrderPrint::QuoteOrInvoice: reports::QUOTEPRINT(db, ordNum, ui); return;
    case OrderPrint::DetailTicket: reports::QUOTEPRINTDETAIL(db, ordNum, ui); return;
    case OrderPrint::PackingList: reports::QUOTEPACKINGLIST(db, ordNum, ui); return;
    }
}

}  // namespace

QuoteForm1View::QuoteForm1View(core::Database& db, core::UiPort& ui, core::Request request, const core::Orders& order,
                               QWidget* parent)
    : QDialog(parent), m_db(db), m_ui(ui) {
    setObjectName("QuoteForm1");
    setWindowTitle("Quote Form");
    OrderFormHooks hooks;
    hooks.details = [this](core::Orders& o) {
        const core::Response r = runQuoteDetails(m_db, m_ui, o, this);
        // The header shows the chosen customer at once, also while the first line of
        // a new quote is being entered right after it.
        if (m_logic) refresh();
        return r;
    };
    hooks.editLine = [this](core::Request r, LineEntry& l) { return runItemOrdForm(m_db, m_ui, r, l, this); };
    hooks.editSerials = [this](std::vector<core::FixedString<20>>& n) { return runQuoteSerialList(m_ui, n, this); };
    hooks.notes = [this](core::Orders& o) { runOrderComments(m_ui, "Quote Comments", o, true, this); };
    hooks.profit = [this] { runProfitMarginWindow(this); };
    hooks.print = [this](OrderPrint print, std::int32_t ordNum) {
        refresh();  // the stored order, with its number, shows while it prints
        runOrderPrint(print, m_db, ordNum, m_ui);
    };
    hooks.status = [this](const std::string& text) {
        m_status->setText(text.empty() ? QString() : QString(OrderSave::kStatusCaption) + "  " + qstr(text));
        QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    };
    m_logic = std::make_unique<QuoteForm1>(db, ui, request, order, std::move(hooks));

    auto* layout = new QVBoxLayout(this);
    m_header = new QLabel;
    layout->addWidget(m_header);
    m_lines = new QTableWidget(0, 5);
    m_lines->setHorizontalHeaderLabels({"Part#", "Description", "Qty", "Price Ea.", "Total"});
    m_lines->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    m_lines->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_lines->setSelectionMode(QAbstractItemView::SingleSelection);
    m_lines->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_lines->verticalHeader()->hide();
    connect(m_lines, &QTableWidget::cellDoubleClicked, this, [this] {
        m_logic->changeLine();
        after();
    });
    connect(m_lines, &QTableWidget::currentCellChanged, this, [this](int row) {
        m_logic->select(row);
        showSerialMark();
    });
    m_lines->installEventFilter(this);
    layout->addWidget(m_lines);
    auto* lineRow = new QHBoxLayout;
    m_insert = command("&Insert", QKeySequence(), &QuoteForm1::insertLine);
    lineRow->addWidget(m_insert, 0, Qt::AlignTop);
    m_lineCommands.push_back(command("&Change", QKeySequence(), &QuoteForm1::changeLine));
    m_lineCommands.push_back(command("&Delete", QKeySequence(), &QuoteForm1::deleteLine));
    for (QPushButton* b : m_lineCommands) lineRow->addWidget(b, 0, Qt::AlignTop);
    m_serials = command("F7 - Serial Numbers", QKeySequence(Qt::Key_F7), &QuoteForm1::serialNumbers);
    m_lineCommands.push_back(m_serials);
    lineRow->addWidget(m_serials, 0, Qt::AlignTop);
    lineRow->addStretch();
    // The totals stand in a column of their own, the amounts right-aligned under each other.
    auto* totals = new QGridLayout;
    totals->setHorizontalSpacing(12);
    totals->setVerticalSpacing(2);
    const char* captions[] = {
        "Sub Total:", "Sales Tax 1:", "Sales Tax 2:", "Discount:", "Surcharge:", "Shipping / Handling / COD:",
        "Total:"};
    for (int i = 0; i < kTotalCount; ++i)
        m_totals[i] = text::amountRow(totals, i, 0, captions[i], i == kTotalCount - 1);
    lineRow->addLayout(totals);
    lineRow->setAlignment(totals, Qt::AlignTop);
    layout->addLayout(lineRow);

    auto* grid = new QGridLayout;
    grid->addWidget(command("F2 - &Details", QKeySequence(Qt::Key_F2), &QuoteForm1::details), 0, 0);
    grid->addWidget(command("F4 - &Notes", QKeySequence(Qt::Key_F4), &QuoteForm1::notes), 0, 1);
    const struct {
        const char* text;
        Qt::Key key;
        void (QuoteForm1::*fn)();
    } saves[] = {
        {"F8 - Save / Print Dtl Ticket", Qt::Key_F8, &QuoteForm1::saveDetailTicket},
        {"F9 - Save / Print Quote", Qt::Key_F9, &QuoteForm1::saveQuote},
        {"F10 - Invoice / Print", Qt::Key_F10, &QuoteForm1::invoice},
        {"Save", Qt::Key_unknown, &QuoteForm1::save},
        {"&Save && Close", Qt::Key_unknown, &QuoteForm1::saveAndClose},
        {"Save As ...", Qt::Key_unknown, &QuoteForm1::saveAs},
    };
    int col = 2;
    for (const auto& s : saves) {
        QPushButton* b = command(s.text, s.key == Qt::Key_unknown ? QKeySequence() : QKeySequence(s.key), s.fn);
        m_lineCommands.push_back(b);
        grid->addWidget(b, col / 4, col % 4);
        ++col;
    }
    grid->addWidget(command("Cancel", QKeySequence(), &QuoteForm1::cancel), col / 4, col % 4);
    auto* f6 = new QShortcut(QKeySequence(Qt::Key_F6), this);
    connect(f6, &QShortcut::activated, this, [this] {
        m_logic->profitMargin();
        after();
    });
    layout->addLayout(grid);
    m_status = new QLabel;
    layout->addWidget(m_status);
    resize(800, 560);
    core::keepPlacement(this, "QuoteForm1");
}

QuoteForm1View::~QuoteForm1View() = default;

QPushButton* QuoteForm1View::command(const char* text, const QKeySequence& key, void (QuoteForm1::*fn)()) {
    auto* b = new QPushButton(text);
    b->setAutoDefault(false);
    connect(b, &QPushButton::clicked, this, [this, fn] {
        ((*m_logic).*fn)();
        after();
    });
    if (!key.isEmpty()) {
        auto* sc = new QShortcut(key, this);
        connect(sc, &QShortcut::activated, b, &QPushButton::click);
    }
    return b;
}

bool QuoteForm1View::start() {
    const bool opened = m_logic->open();
    if (opened) refresh();
    return opened;
}

void QuoteForm1View::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (m_ticked) return;
    m_ticked = true;
    QTimer::singleShot(0, this, [this] {
        m_logic->firstTick();
        after();
    });
}

bool QuoteForm1View::eventFilter(QObject* watched, QEvent* event) {
    // Insert, Enter and Delete in the line list are the line commands.
    if (watched == m_lines && event->type() == QEvent::KeyPress) {
        switch (static_cast<QKeyEvent*>(event)->key()) {
        case Qt::Key_Insert:
            m_logic->insertLine();
            after();
            return true;
        case Qt::Key_Delete:
            m_logic->deleteLine();
            after();
            return true;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            m_logic->changeLine();
            after();
            return true;
        default: break;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void QuoteForm1View::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        m_logic->cancel();
        after();
        return;
    }
    QDialog::keyPressEvent(event);
}

void QuoteForm1View::after() {
    if (m_logic->isClosed()) {
        done(m_logic->response() == core::Response::Completed ? QDialog::Accepted : QDialog::Rejected);
        return;
    }
    refresh();
}

void QuoteForm1View::refresh() {
    core::Orders& o = m_logic->order();
    m_header->setText(QString("Quote#: %1    Date: %2    Customer: %3    Price Class: %4")
                          .arg(o.OrdNum)
                          .arg(dateText(o.OrdDate), qstr(o.CustName.view()), qstr(o.PRICECLASS.view())));
    const auto& lines = m_logic->work().lines;
    m_lines->setRowCount(static_cast<int>(lines.size()));
    for (int r = 0; r < static_cast<int>(lines.size()); ++r) {
        const LineEntry& l = lines[static_cast<std::size_t>(r)];
        const QString cells[] = {qstr(l.PARTNUM.view()), qstr(l.DESCRIPTION.view()), qstr(l.QTY.toString()),
                                 qstr(l.PRICE.toString()), qstr(l.TOTAL.toString())};
        for (int c = 0; c < 5; ++c) {
            auto* item = new QTableWidgetItem(cells[c]);
            if (c >= 2) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            m_lines->setItem(r, c, item);
        }
    }
    if (m_logic->selected() >= 0) m_lines->selectRow(m_logic->selected());
    const QString amounts[kTotalCount] = {
        amountText(o.LISTSUB),   amountText(o.SALESTAX1),         amountText(o.SALESTAX2), amountText(o.DISCOUNT),
        amountText(o.SURCHARGE), amountText(m_logic->shipping()), amountText(o.TOTAL)};
    for (int i = 0; i < kTotalCount; ++i) m_totals[i]->setText(amounts[i]);
    m_insert->setEnabled(m_logic->canInsert());
    for (QPushButton* b : m_lineCommands) b->setEnabled(m_logic->canUseLines());
    showSerialMark();
}

void QuoteForm1View::showSerialMark() {
    // A line that tracks serial numbers shows a check when it has some and a cross
    // when it has none; for other lines the button is hidden.
    const SerialMark mark = m_logic->serialMark();
    m_serials->setVisible(mark != SerialMark::Hidden);
    if (mark == SerialMark::Hidden) return;
    const bool check = mark == SerialMark::Check;
    m_serials->setIcon(QIcon(check ? ":/orders/icons/serial_check.svg" : ":/orders/icons/serial_cross.svg"));
    m_serials->setProperty("serialMark", check ? "check" : "cross");
}

}  // namespace quay::desk
