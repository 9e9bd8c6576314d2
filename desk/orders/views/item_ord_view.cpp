// The line form. The fields copied from the product are bound to the line entry
// like any record's fields; the price is not, because a four-place price shown
// with two places must not be cut by reading the shown text back: it is read only
// when the user typed in it. The total and the stock on hand are redrawn after
// every accepted entry and while the quantity or price is being typed.
#include "orders/views/item_ord_view.h"

#include <QApplication>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>
#include <QToolButton>
#include <QVBoxLayout>

#include "orders/quote_details.h"
#include "orders/views/order_dialog_support.h"
#include "quay/types/picture.h"
#include "quay/ui/field_entry.h"
#include "quay/views/field_binder.h"

namespace quay::desk {

using detail::FormGrid;
using detail::qs;

namespace {
int lineField(const char* name) { return fieldIndexOf(lineEntryDesc(), name); }
}  // namespace

ItemOrdView::ItemOrdView(core::Database& db, core::UiPort& ui, core::Request request, LineEntry& line, QWidget* parent)
    : OwnedLogic(db, ui, request, line), FormDialog(m_logic, parent, {"&Ok", "Cancel"}), m_ui(ui), m_line(line) {
    m_opened = m_logic.open();
    m_binder = binder();
    core::FieldBinder& b = *m_binder;

    FormGrid g(this);
    QToolButton* pick = nullptr;
    m_part = b.bindText(g.entry("Ven.Part#:", "PARTNUM", 20, nullptr, &pick), "PARTNUM", nullptr, [this] {
        const bool accepted = m_logic.acceptPart(!isFinishing());
        showLine();
        return accepted;
    });
    connect(pick, &QToolButton::clicked, this, [this] {
        m_logic.browsePart();
        showLine();
        m_part->setFocus();
    });
    QWidget* desc = b.bindText(g.entry("Description:", "DESCRIPTION", 35), "DESCRIPTION");
    QWidget* group = b.bindText(g.entry("Group:", "GROUP", 15), "GROUP");
    QWidget* tax1 = b.bindCheck(g.check("Sales Taxable 1", "SALESTAXABLE1"), "SALESTAXABLE1");
    QWidget* tax2 = b.bindCheck(g.check("Sales Taxable 2", "SALESTAXABLE2"), "SALESTAXABLE2");
    QWidget* track = b.bindText(g.entry("Track Serial:", "TRACKSERIAL", 4), "TRACKSERIAL");
    m_qty = b.bindText(g.entry("Qty:", "QTY", 12, "Part Quantity Sold"), "QTY", "@n-12.2", [this] {
        m_logic.recompute();
        showFigures();
        return true;
    });
    m_price = g.entry("X Price Ea.:", "PRICE", 14, "Part Price Ea");
    m_price->setAlignment(Qt::AlignRight);
    m_onHand = g.display("On Hand:", "OnHand", 12, true);
    m_total = g.display("=  Total:", "TOTAL", 14, true);
    for (const char* hint : {"(Ctrl+1 - Ctrl+6 to set price to price class 1-6)", "(Ctrl+7 to set price to Cost)",
                             "(Ctrl+8 to set price to Retail)"})
        g.span(new QLabel(hint, this));
    g.layout()->setColumnStretch(2, 1);

    connect(m_price, &QLineEdit::editingFinished, this, [this] {
        if (readPrice()) {
            m_logic.recompute();
            showLine();
        }
    });
    connect(m_qty, &QLineEdit::textEdited, this, [this] { showFigures(); });
    connect(m_price, &QLineEdit::textEdited, this, [this] { showFigures(); });
    for (int k = 1; k <= 8; ++k) {
        auto* sc = new QShortcut(QKeySequence(Qt::CTRL | static_cast<Qt::Key>(Qt::Key_0 + k)), this);
        connect(sc, &QShortcut::activated, this, [this, k] { priceKey(k); });
    }

    QPushButton* notesButton = new QPushButton("F4 - &Notes", this);
    notesButton->setObjectName("F4Notes");
    notesButton->setAutoDefault(false);
    buttonRow()->insertWidget(1, notesButton);
    connect(notesButton, &QPushButton::clicked, this, [this] { notes(); });
    auto* f4 = new QShortcut(QKeySequence(Qt::Key_F4), this);
    connect(f4, &QShortcut::activated, this, [this] { notes(); });

    detail::chainTabs(
        {m_part, desc, group, tax1, tax2, track, m_qty, m_price, okButton(), cancelButton(), notesButton});

    setBody(g.layout(), m_part);
    showLine();
}

void ItemOrdView::showLine() {
    m_binder->load();
    const auto picture = core::Picture::parse(m_logic.pricePicture());
    m_price->setText(qs(picture->format(m_line.PRICE)).trimmed());  // setText leaves it unmodified
    showFigures();
}

void ItemOrdView::showFigures() {
    // While the quantity or price is being typed the total shows what they would make.
    LineEntry shown = m_line;
    const auto qtyPicture = core::Picture::parse("@n-12.2");
    if (m_qty->isModified())
        (void)core::readField(lineEntryDesc(), lineField("QTY"), &shown, qtyPicture, m_qty->text().toStdString());
    if (m_price->isModified())
        (void)core::readField(lineEntryDesc(), lineField("PRICE"), &shown, core::Picture::parse(m_logic.pricePicture()),
                              m_price->text().toStdString());
    const bool fits = computeLineTotal(shown) == core::DecimalStatus::Ok;
    m_total->setText(fits ? qs(core::Picture::parse("@n$-14.2")->format(shown.TOTAL)).trimmed() : QString("#"));
    m_onHand->setText(qs(core::Picture::parse("@n-12.2")->format(m_logic.onHand())).trimmed());
}

bool ItemOrdView::readPrice() {
    if (!m_price->isModified()) return true;
    std::string reason;
    if (core::readField(lineEntryDesc(), lineField("PRICE"), &m_line, core::Picture::parse(m_logic.pricePicture()),
                        m_price->text().toStdString(), &reason) != core::EntryStatus::Ok) {
        QApplication::beep();
        m_price->setToolTip(qs(reason));
        m_price->setFocus();
        m_price->selectAll();
        return false;
    }
    m_price->setToolTip("Part Price Ea");
    m_price->setModified(false);
    return true;
}

void ItemOrdView::priceKey(int key) {
    m_logic.priceKey(key);
    showLine();
}

void ItemOrdView::notes() {
    ItemCommentsView comments(m_ui, m_line, this);
    comments.exec();
    m_qty->setFocus();
}

QWidget* ItemOrdView::unboundWidget(int field) const { return field == lineField("PRICE") ? m_price : nullptr; }

bool ItemOrdView::hasUnboundEntry() const { return m_price->isModified(); }

bool ItemOrdView::storeUnbound() {
    if (!readPrice()) return false;
    m_logic.recompute();
    return true;
}

ItemCommentsView::ItemCommentsView(core::UiPort& ui, LineEntry& line, QWidget* parent)
    : OwnedLogic(ui, line), FormDialog(m_logic, parent, {"Close", nullptr}) {
    m_logic.open();
    QPlainTextEdit* notes = detail::notesBody(this, binder(), "COMMENTS", nullptr, 10);
    setBody(notes, notes);
}

}  // namespace quay::desk
