// Serial numbers, notes and profit windows.
#include "orders/views/order_small_windows.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>
#include <QTableWidget>
#include <QVBoxLayout>

#include "orders/quote_details.h"
#include "orders/views/order_dialog_support.h"
#include "quay/app/globals.h"
#include "quay/types/picture.h"
#include "quay/views/field_binder.h"
#include "quay/views/placement_keeper.h"

namespace quay::desk {

using detail::FormGrid;
using detail::qs;

// --- SerialNumberForm ---------------------------------------------------------------

SerialNumberFormView::SerialNumberFormView(core::UiPort& ui, core::Request request, QuoteSerialList::Number& number,
                                           QWidget* parent)
    : OwnedLogic(ui, request, number), FormDialog(m_logic, parent, {"&Save", "&Cancel"}) {
    m_logic.open();
    FormGrid g(this);
    g.display("Part#:", "PartNum", 20, false)->setText(qs(core::glo.PartNum.view()));
    m_serial = binder()->bindText(g.entry("Serial#:", "SERIALNUMBER", 20), "SERIALNUMBER");
    setBody(g.layout(), m_serial);
}

// --- QuoteSerialList ----------------------------------------------------------------

namespace {

// Insert, Delete and Enter on the list run the commands, as in every list.
class ListKeys : public QObject {
public:
    ListKeys(QuoteSerialListView* view) : QObject(view), m_view(view) {}

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() != QEvent::KeyPress) return false;
        switch (static_cast<QKeyEvent*>(event)->key()) {
        case Qt::Key_Insert: m_view->edit(core::Request::Insert); return true;
        case Qt::Key_Delete: m_view->remove(); return true;
        case Qt::Key_Return:
        case Qt::Key_Enter: m_view->edit(core::Request::Change); return true;
        default: return false;
        }
    }

private:
    QuoteSerialListView* m_view;
};

}  // namespace

QuoteSerialListView::QuoteSerialListView(core::UiPort& ui, std::vector<QuoteSerialList::Number>& numbers,
                                         QWidget* parent)
    : QDialog(parent), m_ui(ui), m_logic(ui, numbers) {
    setObjectName("QuoteSerialList");
    setWindowTitle("Serial Numbers");
    auto* title = new QLabel("Serial Number List", this);
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    FormGrid g(this);
    g.display("Part#:", "PartNum", 20, false)->setText(qs(core::glo.PartNum.view()));
    g.layout()->setColumnStretch(2, 1);
    m_list = new QTableWidget(0, 1, this);
    m_list->setObjectName("SerialNumbers");
    m_list->setHorizontalHeaderLabels({"Serial Numbers"});
    m_list->horizontalHeader()->setStretchLastSection(true);
    m_list->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft);
    m_list->verticalHeader()->hide();
    m_list->verticalHeader()->setDefaultSectionSize(m_list->fontMetrics().height() + 6);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setMinimumSize(detail::textWidth(m_list, 24), m_list->fontMetrics().height() * 12);
    m_list->installEventFilter(new ListKeys(this));
    connect(m_list, &QTableWidget::cellDoubleClicked, this, [this] { edit(core::Request::Change); });

    auto* buttons = new QHBoxLayout;
    QPushButton* insert = detail::commandButton(buttons, "&Insert", this);
    QPushButton* change = detail::commandButton(buttons, "&Change", this);
    QPushButton* del = detail::commandButton(buttons, "&Delete", this);
    buttons->addStretch(1);
    QPushButton* save = detail::commandButton(buttons, "&Save", this, true);
    QPushButton* cancel = detail::commandButton(buttons, "Cancel", this);
    connect(insert, &QPushButton::clicked, this, [this] { edit(core::Request::Insert); });
    connect(change, &QPushButton::clicked, this, [this] { edit(core::Request::Change); });
    connect(del, &QPushButton::clicked, this, [this] { remove(); });
    connect(save, &QPushButton::clicked, this, [this] {
        m_logic.save();
        accept();
    });
    connect(cancel, &QPushButton::clicked, this, [this] { reject(); });

    auto* outer = new QVBoxLayout(this);
    outer->addWidget(title);
    outer->addLayout(g.layout());
    outer->addWidget(m_list, 1);
    outer->addLayout(buttons);
    refresh();
    m_list->setFocus();
    core::keepPlacement(this, "QuoteSerialList");
}

void QuoteSerialListView::edit(core::Request request) {
    m_logic.select(m_list->currentRow());
    if (request == core::Request::Change && m_logic.selected() < 0) return;
    QuoteSerialList::Number number;
    if (request == core::Request::Change) number = m_logic.numbers()[static_cast<std::size_t>(m_logic.selected())];
    SerialNumberFormView form(m_ui, request, number, this);
    form.exec();
    if (form.response() != core::Response::Completed) return;
    if (request == core::Request::Insert)
        m_logic.insert(number.view());
    else
        m_logic.change(number.view());
    refresh();
}

void QuoteSerialListView::remove() {
    m_logic.select(m_list->currentRow());
    m_logic.remove();
    refresh();
}

void QuoteSerialListView::refresh() {
    const auto& numbers = m_logic.numbers();
    m_list->setRowCount(static_cast<int>(numbers.size()));
    for (std::size_t i = 0; i < numbers.size(); ++i)
        m_list->setItem(static_cast<int>(i), 0, new QTableWidgetItem(qs(numbers[i].view())));
    if (m_logic.selected() >= 0) m_list->selectRow(m_logic.selected());
}

void QuoteSerialListView::reject() {
    m_logic.cancel();
    QDialog::reject();
}

// --- QuoteComments / InvoiceComments ------------------------------------------------

namespace {

core::FormSpec commentsSpec(const std::string& procedure) {
    core::FormSpec s;
    s.procedure = procedure;
    s.title = procedure == "InvoiceComments" ? "Invoice Comments" : "Quote Comments";
    return s;
}

}  // namespace

OrderCommentsView::OrderCommentsView(core::UiPort& ui, const std::string& procedure, core::Orders& order,
                                     QWidget* parent)
    : OwnedLogic(ui, core::Orders::desc(), &order, commentsSpec(procedure),
                 core::WindowRequest{core::Request::Change, nullptr, 0, {}}),
      FormDialog(m_logic, parent, {"Close", nullptr}) {
    m_logic.open();
    QPlainTextEdit* notes = detail::notesBody(this, binder(), "Notes", "Order Comments to be printed on Invoices", 14);
    setBody(notes, notes);
}

// --- ProfitMarginWindow -------------------------------------------------------------

ProfitMarginView::ProfitMarginView(QWidget* parent) : QDialog(parent) {
    setObjectName("ProfitMarginWindow");
    setWindowTitle("Profit Information");
    const ProfitFigures f = profitFigures();
    const auto money = core::Picture::parse("@n$-14.2");
    const auto percent = core::Picture::parse("@n-10.2~%~");
    FormGrid g(this);
    g.display("Order Cost:", "OrdCost", 14, true)->setText(qs(money->format(core::glo.OrdCost)).trimmed());
    g.display("Sub Total:", "ListSubTotal", 14, true)->setText(qs(money->format(core::glo.ListSubTotal)).trimmed());
    g.display("Discount:", "DiscountAmt", 14, true)->setText(qs(money->format(core::glo.DiscountAmt)).trimmed());
    g.display("Profit:", "Profit", 14, true)->setText(qs(money->format(f.profit)).trimmed());
    g.display("Markup:", "Markup", 14, true)->setText(qs(percent->format(f.markup)).trimmed());
    g.display("Margin:", "Margin", 14, true)->setText(qs(percent->format(f.margin)).trimmed());
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    QPushButton* ok = detail::commandButton(buttons, "&OK", this, true);
    connect(ok, &QPushButton::clicked, this, [this] { accept(); });
    auto* outer = new QVBoxLayout(this);
    outer->addLayout(g.layout());
    outer->addLayout(buttons);
    // Wide enough that the window system shows the whole caption over the figures.
    setMinimumWidth(fontMetrics().horizontalAdvance(windowTitle()) * 2 + 120);
    core::keepPlacement(this, "ProfitMarginWindow");
}

}  // namespace quay::desk
