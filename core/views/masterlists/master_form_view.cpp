// The master form dialog. Layout: fields without a tab above the tabs; on each tab
// a grid whose rows hold one field, or several when a field sits beside the one
// before (label and widget in column pairs); memos and related lists fill their
// tab. The form dialog's status line, "&OK" and "Cancel" below.
#include "quay/views/masterlists/master_form_view.h"

#include <algorithm>
#include <map>
#include <optional>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>
#include <QTabWidget>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include "quay/app/globals.h"
#include "quay/masterlists/related_list.h"
#include "quay/tools/date_select.h"
#include "quay/types/picture.h"
#include "quay/ui/field_entry.h"
#include "quay/ui/record_fields.h"
#include "quay/views/field_binder.h"

namespace quay::core {
namespace {

QString qs(const std::string& s) { return QString::fromStdString(s); }

std::optional<Picture> pictureOf(const FormField& f) {
    if (f.picture.empty()) return std::nullopt;
    return Picture::parse(f.picture);
}

// Characters a field shows: its picture's width, else its stored length.
int charsOf(const TableDesc& desc, const FormField& f) {
    if (f.width > 0) return f.width;
    if (const auto p = pictureOf(f)) return p->width();
    if (f.field < 0) return 12;
    const FieldDesc& d = desc.fields[static_cast<std::size_t>(f.field)];
    if (d.type == FieldType::String) return static_cast<int>(d.size);
    return 12;
}

// The letter Alt reaches in a caption ("P&O Comments" -> 'o'), or 0.
QChar mnemonicOf(const QString& text) {
    for (int i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != QLatin1Char('&')) continue;
        if (text[i + 1] == QLatin1Char('&')) {
            ++i;
            continue;
        }
        return text[i + 1].toLower();
    }
    return QChar();
}

// `caption` with its Alt+letter moved to the first letter no other control shown
// with it already answers ("&Insert" beside the tab "Customer &Information" becomes
// "Ins&ert"), so every Alt+letter reaches one control.
QString captionAvoiding(const QString& caption, const std::vector<QChar>& taken) {
    const QString plain = QString(caption).remove(QLatin1Char('&'));
    const QChar own = mnemonicOf(caption);
    if (std::find(taken.begin(), taken.end(), own) == taken.end()) return caption;
    for (int i = 0; i < plain.size(); ++i) {
        const QChar c = plain[i].toLower();
        if (c.isLetterOrNumber() && std::find(taken.begin(), taken.end(), c) == taken.end())
            return plain.left(i) + QLatin1Char('&') + plain.mid(i);
    }
    return plain;
}

}  // namespace

namespace {

FormButtons buttonsOf(const FormWindow& form) {
    FormButtons b;
    if (!form.layout().okCaption.empty()) b.ok = form.layout().okCaption.c_str();
    return b;
}

}  // namespace

MasterFormView::MasterFormView(FormWindow& form, QWidget* parent)
    : FormDialog(form, parent, buttonsOf(form)), m_form(form) {
    FieldBinder* b = binder();
    b->setReadTypedOnly(true);
    b->setEntryListener([this](int field) {
        const bool accepted = m_form.accept(field);
        if (!accepted) showRefusal();
        return accepted;
    });
    QWidget* body = build();
    form.setReloadListener([this] { showRecord(); });
    QWidget* first = form.layout().fields.empty() ? nullptr : widgetFor(form.layout().fields.front().field);
    setBody(body, first);
    showRecord();
}

QWidget* MasterFormView::makeWidget(const FormField& f, QWidget* parent) {
    const TableDesc& desc = m_form.desc();
    FieldBinder* b = binder();
    const int chars = charsOf(desc, f);
    const int charWidth = fontMetrics().horizontalAdvance(QLatin1Char('M')) * 3 / 4;
    switch (f.kind) {
    case FieldKind::Check: return b->bindCheck(new QCheckBox(qs(f.label), parent), f.field);
    case FieldKind::Choice: {
        std::vector<std::string> values;
        for (const QString& c : qs(f.choices).split(QLatin1Char('|'))) values.push_back(c.toStdString());
        auto* combo = b->bindChoice(new QComboBox(parent), f.field, values);
        combo->setMinimumWidth(charWidth * 6 + 30);
        return combo;
    }
    case FieldKind::Memo: return b->bindMemo(new QPlainTextEdit(parent), f.field);
    case FieldKind::Display: {
        auto* label = new QLabel(parent);
        label->setFrameShape(QFrame::StyledPanel);
        label->setFrameShadow(QFrame::Sunken);
        label->setMinimumWidth(charWidth * std::min(chars, 40) + 8);
        if (pictureOf(f) && pictureOf(f)->kind() == PictureKind::Numeric)
            label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        if (f.text) return b->bindComputed(label, f.text);
        if (f.field >= 0) return b->bindDisplay(label, f.field, f.picture);
        return label;
    }
    case FieldKind::Entry:
    case FieldKind::Lookup: {
        auto* edit = new QLineEdit(parent);
        b->bindText(edit, f.field, f.picture);
        // As wide as the field holds, so a state code does not look like a name.
        edit->setFixedWidth(charWidth * std::clamp(chars, 4, 40) + 14);
        if (!f.picture.empty()) edit->setMaxLength(32767);
        if (pictureOf(f) && pictureOf(f)->kind() == PictureKind::Numeric)
            edit->setAlignment(Qt::AlignRight);
        else
            edit->setAlignment(Qt::AlignLeft);
        edit->installEventFilter(this);
        m_doubleClick.push_back(edit);
        if (f.kind == FieldKind::Entry) return edit;
        auto* holder = new QWidget(parent);
        auto* row = new QHBoxLayout(holder);
        row->setContentsMargins(0, 0, 0, 0);
        row->setSpacing(2);
        row->addWidget(edit, 1);
        auto* pick = new QToolButton(holder);
        pick->setText(QStringLiteral("..."));
        pick->setFocusPolicy(Qt::NoFocus);
        row->addWidget(pick);
        holder->setFocusProxy(edit);
        const int field = f.field;
        connect(pick, &QToolButton::clicked, this, [this, field, edit] {
            m_form.lookup(field);
            showRecord();
            edit->setFocus();
        });
        return holder;
    }
    }
    return nullptr;
}

QWidget* MasterFormView::build() {
    const FormLayout& layout = m_form.layout();
    auto* body = new QWidget(this);
    auto* outer = new QVBoxLayout(body);
    outer->setContentsMargins(0, 0, 0, 0);

    // One grid per tab ("" for above the tabs).
    std::map<std::string, QGridLayout*> grids;
    std::map<std::string, int> rows, cols;
    std::map<std::string, QHBoxLayout*> lastCell;  // the cell of the last entry, per tab
    std::map<std::string, QWidget*> pages;
    auto* top = new QWidget(body);
    auto* topGrid = new QGridLayout(top);
    topGrid->setContentsMargins(0, 0, 0, 0);
    grids[""] = topGrid;
    pages[""] = top;
    outer->addWidget(top);
    if (!layout.tabs.empty()) {
        m_tabs = new QTabWidget(body);
        for (const std::string& t : layout.tabs) {
            auto* page = new QWidget(m_tabs);
            auto* v = new QVBoxLayout(page);
            auto* gridHolder = new QWidget(page);
            auto* grid = new QGridLayout(gridHolder);
            grid->setContentsMargins(0, 0, 0, 0);
            v->addWidget(gridHolder);
            grids[t] = grid;
            pages[t] = page;
            m_tabs->addTab(page, qs(t));
        }
        outer->addWidget(m_tabs, 1);
    }
    for (const FormField& f : layout.fields) {
        const std::string tab = grids.count(f.tab) ? f.tab : std::string();
        QGridLayout* grid = grids[tab];
        QWidget* page = grid->parentWidget();
        if (!f.besideLast || !rows.count(tab)) {
            rows[tab] = rows.count(tab) ? rows[tab] + 1 : 0;
            cols[tab] = 0;
        }
        int row = rows[tab];
        int col = cols[tab];
        QWidget* widget = makeWidget(f, page);
        if (!f.tip.empty()) widget->setToolTip(qs(f.tip));
        if (f.kind == FieldKind::Memo) {
            if (!f.label.empty()) {
                auto* label = new QLabel(qs(f.label), page);
                label->setBuddy(widget);
                grid->addWidget(label, row++, 0, 1, 8);
            }
            grid->addWidget(widget, row++, 0, 1, 8);
            if (!f.note.empty()) {
                auto* note = new QLabel(qs(f.note), page);
                note->setWordWrap(true);
                grid->addWidget(note, row, 0, 1, 8);
            }
            rows[tab] = row;
            continue;
        }
        if (f.besideLast && f.label.empty() && lastCell[tab]) {
            // A field without a label of its own (the time of a date) sits right
            // beside the field it belongs to.
            lastCell[tab]->insertWidget(lastCell[tab]->count() - 1, widget);
            continue;
        }
        if (f.kind == FieldKind::Check) {
            grid->addWidget(widget, row, col + 1);
            lastCell[tab] = nullptr;
        } else {
            auto* label = new QLabel(qs(f.label), page);
            // A look-up's label leads to its entry, not to the row holding its "...".
            QWidget* bound = f.field >= 0 ? binder()->widgetOf(f.field) : nullptr;
            label->setBuddy(bound != nullptr ? bound : widget);
            grid->addWidget(label, row, col, Qt::AlignRight);
            auto* cell = new QHBoxLayout;
            cell->setSpacing(4);
            cell->addWidget(widget);
            cell->addStretch(1);
            grid->addLayout(cell, row, col + 1);
            lastCell[tab] = cell;
        }
        cols[tab] = col + 2;
    }
    for (auto& [tab, grid] : grids) {
        grid->setColumnStretch(7, 1);
        if (!tab.empty()) grid->setRowStretch(rows[tab] + 1, 1);
    }
    if (layout.dittoButton) {
        // Ditto works on the field the cursor was in, so the button never takes it.
        auto* ditto = new QPushButton(tr("Ditto"), this);
        ditto->setFocusPolicy(Qt::NoFocus);
        ditto->setAutoDefault(false);
        ditto->setToolTip(tr("Copy the value this field had in the last record saved (Ctrl+')"));
        buttonRow()->insertWidget(1, ditto);
        connect(ditto, &QPushButton::clicked, this, [this] {
            QWidget* focused = QApplication::focusWidget();
            const int field = binder()->fieldOf(focused);
            if (field < 0) return;
            m_form.recallField(field);
            binder()->loadField(field);
            if (!m_form.accept(field)) showRefusal();
            showRecord();
        });
    }
    for (const FormButton& fb : layout.buttons) {
        QWidget* page = pages.count(fb.tab) ? pages[fb.tab] : top;
        auto* button = new QPushButton(qs(fb.caption), page);
        button->setAutoDefault(false);
        auto* v = qobject_cast<QVBoxLayout*>(page->layout());
        auto* line = new QHBoxLayout;
        line->addStretch(1);
        line->addWidget(button);
        if (v)
            v->addLayout(line);
        else
            grids[""]->addWidget(button, rows[""] + 1, 0, 1, 2);
        auto action = fb.action;
        connect(button, &QPushButton::clicked, this, [this, action] {
            if (!binder()->storeAll()) return;
            if (action) action();
            showRecord();
        });
    }
    m_lists.reserve(layout.lists.size());
    for (const FormListTab& lt : layout.lists) {
        QWidget* page = pages.count(lt.tab) ? pages[lt.tab] : top;
        auto* v = qobject_cast<QVBoxLayout*>(page->layout());
        if (!v) continue;
        m_lists.push_back(ListBox{lt, nullptr});
        ListBox& box = m_lists.back();
        box.table = new QTableWidget(page);
        box.table->setColumnCount(static_cast<int>(lt.list->spec().headings.size()));
        QStringList heads;
        for (const std::string& h : lt.list->spec().headings) heads << qs(h);
        box.table->setHorizontalHeaderLabels(heads);
        box.table->horizontalHeader()->setStretchLastSection(true);
        box.table->verticalHeader()->hide();
        box.table->setSelectionBehavior(QAbstractItemView::SelectRows);
        box.table->setSelectionMode(QAbstractItemView::SingleSelection);
        box.table->setEditTriggers(QAbstractItemView::NoEditTriggers);
        box.table->setWordWrap(false);
        box.table->verticalHeader()->setDefaultSectionSize(box.table->fontMetrics().height() + 6);
        v->insertWidget(0, box.table, 1);
        if (lt.commands && !lt.list->spec().formProcedure.empty()) {
            auto* line = new QHBoxLayout;
            line->addStretch(1);
            const std::pair<const char*, Request> commands[] = {
                {"&Insert", Request::Insert}, {"&Change", Request::Change}, {"&Delete", Request::Delete}};
            // The tabs and OK are shown with the list on every page.
            std::vector<QChar> taken{mnemonicOf(okButton()->text())};
            for (const std::string& t : layout.tabs) taken.push_back(mnemonicOf(qs(t)));
            for (const auto& [caption, request] : commands) {
                const QString text = captionAvoiding(tr(caption), taken);
                taken.push_back(mnemonicOf(text));
                auto* button = new QPushButton(text, page);
                button->setAutoDefault(false);
                const Request r = request;
                const std::size_t index = m_lists.size() - 1;
                connect(button, &QPushButton::clicked, this, [this, index, r] { listCommand(m_lists[index], r); });
                line->addWidget(button);
            }
            v->addLayout(line);
            const std::size_t index = m_lists.size() - 1;
            connect(box.table, &QTableWidget::cellDoubleClicked, this,
                    [this, index](int, int) { listCommand(m_lists[index], Request::Change); });
        }
    }
    return body;
}

QWidget* MasterFormView::widgetFor(int field) const { return binder()->widgetOf(field); }

void MasterFormView::showRecord() {
    setWindowTitle(qs(m_form.windowTitle()));
    binder()->load();
    for (ListBox& box : m_lists) fillList(box);
}

void MasterFormView::fillList(ListBox& box) {
    const auto& rows = box.spec.list->rows();
    box.table->setRowCount(static_cast<int>(rows.size()));
    for (std::size_t r = 0; r < rows.size(); ++r) {
        for (std::size_t c = 0; c < rows[r].cells.size(); ++c)
            box.table->setItem(static_cast<int>(r), static_cast<int>(c), new QTableWidgetItem(qs(rows[r].cells[c])));
    }
    box.table->resizeColumnsToContents();
    for (int c = 0; c + 1 < box.table->columnCount(); ++c)
        box.table->setColumnWidth(c, std::max(box.table->columnWidth(c), 110));
    if (const auto cur = box.spec.list->current()) box.table->selectRow(static_cast<int>(*cur));
}

void MasterFormView::listCommand(ListBox& box, Request request) {
    if (!binder()->storeAll()) return;
    const int row = box.table->currentRow();
    if (row >= 0) box.spec.list->setCurrent(static_cast<std::size_t>(row));
    const std::string owner = m_form.owner();
    const std::int32_t number = m_form.ownerNumber();
    switch (request) {
    case Request::Insert: box.spec.list->insert(owner, number); break;
    case Request::Change: box.spec.list->change(owner, number); break;
    case Request::Delete: box.spec.list->remove(owner, number); break;
    default: break;
    }
    showRecord();
}

bool MasterFormView::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_F2) {
        const int field = binder()->fieldOf(qobject_cast<QWidget*>(watched));
        const FormField* f = nullptr;
        for (const FormField& each : m_form.layout().fields)
            if (each.field == field && field >= 0) f = &each;
        const auto picture = f ? pictureOf(*f) : std::nullopt;
        if (picture && picture->kind() == PictureKind::Date) {
            if (!binder()->storeAll()) return true;
            // The calendar opens on the field's date (today for none) and its choice
            // is entered as if typed.
            if (!f->calendarTitle.empty()) glo.CalendarTitle = f->calendarTitle;
            const auto current = static_cast<std::int32_t>(fieldNumber(m_form.desc(), field, m_form.buffer()));
            const std::int32_t chosen = DATESELECT(m_form.ui(), current);
            setFieldNumber(m_form.desc(), field, m_form.buffer(), chosen);
            if (!m_form.accept(field)) showRefusal();
            showRecord();
            return true;
        }
    }
    if (event->type() == QEvent::MouseButtonDblClick &&
        std::find(m_doubleClick.begin(), m_doubleClick.end(), watched) != m_doubleClick.end()) {
        m_form.doubleClick(binder()->fieldOf(qobject_cast<QWidget*>(watched)));
        return true;
    }
    return FormDialog::eventFilter(watched, event);
}

WindowResponse runMasterForm(WindowContext& context, FormWindow& form) {
    if (!form.open()) return form.response();
    MasterFormView view(form, context.parent);
    view.exec();
    if (!form.isClosed()) form.cancel();
    return form.response();
}

}  // namespace quay::core
