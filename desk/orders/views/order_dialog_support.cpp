// Building blocks of the order-entry dialogs. Fields are as wide as their contents
// need, so a state code does not look like a name and a money field shows its
// largest amount.
#include "orders/views/order_dialog_support.h"

#include <algorithm>

#include <QAction>
#include <QApplication>
#include <QBoxLayout>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QEvent>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>

#include "quay/app/globals.h"
#include "quay/views/field_binder.h"

namespace quay::desk::detail {

int textWidth(const QWidget* w, int chars) {
    // Digits and capitals are wider than the average letter: field widths are taken
    // on a mixed sample so a full field shows whole.
    const QFontMetrics fm = w->fontMetrics();
    const int sample = fm.horizontalAdvance(QStringLiteral("0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghij"));
    const int each = std::max(sample / 46, fm.horizontalAdvance(QLatin1Char('0')));
    return each * std::clamp(chars, 2, 40) + 18;
}

FormGrid::FormGrid(QWidget* owner) : m_owner(owner), m_grid(new QGridLayout) {
    m_grid->setHorizontalSpacing(8);
    m_grid->setVerticalSpacing(5);
}

void FormGrid::setColumn(int pair) { m_pair = std::clamp(pair, 0, 3); }

int FormGrid::nextRow() { return m_rows[m_pair]++; }

QLineEdit* FormGrid::entry(const char* label, const char* name, int chars, const char* tip, QToolButton** lookup) {
    auto* edit = new QLineEdit(m_owner);
    edit->setObjectName(name);
    edit->setFixedWidth(textWidth(edit, chars));
    if (tip) {
        edit->setToolTip(tip);
        edit->setStatusTip(tip);
    }
    const int row = nextRow();
    auto* text = new QLabel(label, m_owner);
    text->setBuddy(edit);
    m_grid->addWidget(text, row, m_pair * 2, Qt::AlignRight | Qt::AlignVCenter);
    auto* cell = new QHBoxLayout;
    cell->setSpacing(2);
    cell->addWidget(edit);
    if (lookup) {
        auto* button = new QToolButton(m_owner);
        button->setObjectName(QString(name) + "Lookup");
        button->setText(QStringLiteral("..."));
        button->setToolTip(QStringLiteral("Mouse Look Up Button"));
        button->setFocusPolicy(Qt::NoFocus);
        cell->addWidget(button);
        *lookup = button;
    }
    cell->addStretch(1);
    m_grid->addLayout(cell, row, m_pair * 2 + 1);
    return edit;
}

QLabel* FormGrid::display(const char* label, const char* name, int chars, bool numeric) {
    auto* shown = new QLabel(m_owner);
    shown->setObjectName(name);
    shown->setFrameShape(QFrame::StyledPanel);
    shown->setFrameShadow(QFrame::Sunken);
    shown->setFixedWidth(textWidth(shown, chars));
    shown->setAlignment((numeric ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
    shown->setTextInteractionFlags(Qt::TextSelectableByMouse);
    const int row = nextRow();
    m_grid->addWidget(new QLabel(label, m_owner), row, m_pair * 2, Qt::AlignRight | Qt::AlignVCenter);
    m_grid->addWidget(shown, row, m_pair * 2 + 1, Qt::AlignLeft | Qt::AlignVCenter);
    return shown;
}

QCheckBox* FormGrid::check(const char* text, const char* name, const char* tip) {
    auto* box = new QCheckBox(text, m_owner);
    box->setObjectName(name);
    if (tip) box->setToolTip(tip);
    m_grid->addWidget(box, nextRow(), m_pair * 2 + 1, Qt::AlignLeft | Qt::AlignVCenter);
    return box;
}

QComboBox* FormGrid::choice(const char* label, const char* name, int chars) {
    auto* combo = new QComboBox(m_owner);
    combo->setObjectName(name);
    combo->setMinimumWidth(textWidth(combo, chars) + 24);
    const int row = nextRow();
    auto* text = new QLabel(label, m_owner);
    text->setBuddy(combo);
    m_grid->addWidget(text, row, m_pair * 2, Qt::AlignRight | Qt::AlignVCenter);
    m_grid->addWidget(combo, row, m_pair * 2 + 1, Qt::AlignLeft | Qt::AlignVCenter);
    return combo;
}

void FormGrid::span(QWidget* widget) { m_grid->addWidget(widget, nextRow(), m_pair * 2, 1, 2); }

namespace {

class CalendarTitle : public QObject {
public:
    CalendarTitle(QLineEdit* edit, const char* title, std::function<bool()> enterEmpty)
        : QObject(edit), m_edit(edit), m_title(title), m_enterEmpty(std::move(enterEmpty)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != m_edit) return false;
        if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_F2) {
            core::glo.CalendarTitle = m_title;
        } else if (event->type() == QEvent::FocusIn) {
            core::glo.CalendarTitle = m_title;
            if (m_enterEmpty && m_enterEmpty()) {
                // Opened once focus has settled: the calendar is a modal window of its own.
                QLineEdit* edit = m_edit;
                QTimer::singleShot(0, edit, [edit] {
                    QKeyEvent f2(QEvent::KeyPress, Qt::Key_F2, Qt::NoModifier);
                    QApplication::sendEvent(edit, &f2);
                });
            }
        }
        return false;
    }

private:
    QLineEdit* m_edit;
    const char* m_title;
    std::function<bool()> m_enterEmpty;
};

}  // namespace

void titleCalendar(QLineEdit* edit, const char* title, std::function<bool()> enterEmpty) {
    // Installed after the binder's own filter, so it runs first and the title is set
    // before the binder opens the calendar on F2.
    edit->installEventFilter(new CalendarTitle(edit, title, std::move(enterEmpty)));
    // Room for the calendar button the field carries at its end, drawn as the "..."
    // of the look-up buttons so the mouse finds it.
    edit->setFixedWidth(edit->minimumWidth() + 26);
    for (QAction* a : edit->actions()) {
        if (!a->icon().isNull()) continue;
        QPixmap dots(16, 16);
        dots.fill(Qt::transparent);
        QPainter p(&dots);
        p.setRenderHint(QPainter::Antialiasing);
        p.setBrush(edit->palette().color(QPalette::Text));
        p.setPen(Qt::NoPen);
        for (int x : {3, 8, 13}) p.drawEllipse(QPointF(x, 11), 1.4, 1.4);
        a->setIcon(QIcon(dots));
    }
    core::glo.CalendarTitle = title;
}

QPushButton* commandButton(QBoxLayout* row, const char* caption, QWidget* parent, bool isDefault) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QString(caption).remove('&').remove(' ').remove('-'));
    if (isDefault)
        b->setDefault(true);
    else
        b->setAutoDefault(false);
    row->addWidget(b);
    return b;
}

QPlainTextEdit* notesBody(QWidget* parent, core::FieldBinder* binder, const char* field, const char* tip, int lines) {
    auto* text = binder->bindMemo(new QPlainTextEdit(parent), field);
    text->setObjectName(field);
    if (tip) text->setToolTip(tip);
    text->setTabChangesFocus(true);  // Tab reaches "Close"; the notes need no tab stops
    text->setMinimumSize(textWidth(text, 40) + 160, text->fontMetrics().height() * lines);
    return text;
}

void chainTabs(const std::vector<QWidget*>& widgets) {
    for (std::size_t i = 1; i < widgets.size(); ++i) QWidget::setTabOrder(widgets[i - 1], widgets[i]);
}

}  // namespace quay::desk::detail
