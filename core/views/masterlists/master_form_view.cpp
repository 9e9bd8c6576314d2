// The master form dialog. Layout: fields without a tab above the tabs; on each tab
// a grid whose rows hold one field, or several when a field sits beside the one
// before (label and widget in column pairs); memos and related lists fill their
// tab. "&OK" and "Cancel" below. The close box is Cancel.
#include "quay/views/masterlists/master_form_view.h"

#include <algorithm>

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

#include "quay/masterlists/related_list.h"
#include "quay/tools/date_select.h"
#include "quay/types/picture.h"
#include "quay/ui/field_entry.h"
#include "quay/ui/record_fields.h"
#include "quay/views/placement_keeper.h"

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

}  // namespace

MasterFormView::MasterFormView(MasterForm& form, QWidget* parent) : QDialog(parent), m_form(form) {
    setWindowTitle(qs(form.windowTitle()));
    setObjectName(qs(form.spec().procedure));
    build();
    showRecord();
    form.setReloadListener([this] { showRecord(); });
    auto* recall = new QShortcut(QKeySequence(QStringLiteral("Ctrl+'")), this);
    connect(recall, &QShortcut::activated, this, [this] {
        QWidget* focus = QApplication::focusWidget();
        for (Bound& b : m_bound) {
            if (b.widget == focus || (b.widget && b.widget->isAncestorOf(focus))) {
                m_form.recallField(b.spec.field);
                b.typed = false;
                showRecord();
                return;
            }
        }
    });
}

QWidget* MasterFormView::makeWidget(Bound& b, QWidget* parent) {
    const TableDesc& desc = m_form.table().desc();
    const FormField& f = b.spec;
    const int chars = charsOf(desc, f);
    const int charWidth = fontMetrics().horizontalAdvance(QLatin1Char('M')) * 3 / 4;
    switch (f.kind) {
        case FieldKind::Check: {
            auto* box = new QCheckBox(qs(f.label), parent);
            connect(box, &QCheckBox::toggled, this, [this, &b](bool on) {
                if (m_showing) return;
                setFieldNumber(m_form.table().desc(), b.spec.field, m_form.table().buffer(), on ? 1 : 0);
                afterAccept(b, m_form.accept(b.spec.field));
            });
            return box;
        }
        case FieldKind::Choice: {
            auto* combo = new QComboBox(parent);
            for (const QString& c : qs(f.choices).split(QLatin1Char('|'))) combo->addItem(c);
            combo->setMinimumWidth(charWidth * 6 + 30);
            connect(combo, &QComboBox::activated, this, [this, &b, combo](int) {
                setFieldText(m_form.table().desc(), b.spec.field, m_form.table().buffer(),
                             combo->currentText().toStdString());
                afterAccept(b, m_form.accept(b.spec.field));
            });
            return combo;
        }
        case FieldKind::Memo: {
            auto* memo = new QPlainTextEdit(parent);
            connect(memo, &QPlainTextEdit::textChanged, this, [this, &b, memo] {
                if (m_showing) return;
                setFieldText(m_form.table().desc(), b.spec.field, m_form.table().buffer(),
                             memo->toPlainText().toStdString());
            });
            return memo;
        }
        case FieldKind::Display: {
            auto* label = new QLabel(parent);
            label->setFrameShape(QFrame::StyledPanel);
            label->setFrameShadow(QFrame::Sunken);
            label->setMinimumWidth(charWidth * std::min(chars, 40) + 8);
            if (pictureOf(f) && pictureOf(f)->kind() == PictureKind::Numeric)
                label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
            return label;
        }
        case FieldKind::Entry:
        case FieldKind::Lookup: {
            auto* edit = new QLineEdit(parent);
            // As wide as the field holds, so a state code does not look like a name.
            edit->setFixedWidth(charWidth * std::clamp(chars, 4, 40) + 14);
            if (f.field >= 0 && desc.fields[static_cast<std::size_t>(f.field)].type == FieldType::String &&
                f.picture.empty())
                edit->setMaxLength(static_cast<int>(desc.fields[static_cast<std::size_t>(f.field)].size));
            if (pictureOf(f) && pictureOf(f)->kind() == PictureKind::Numeric) edit->setAlignment(Qt::AlignRight);
            edit->installEventFilter(this);
            connect(edit, &QLineEdit::textEdited, this, [&b] { b.typed = true; });
            connect(edit, &QLineEdit::editingFinished, this, [this, &b] {
                if (m_finishing || !b.typed) return;
                commit(b);
            });
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
            connect(pick, &QToolButton::clicked, this, [this, &b] {
                if (m_form.lookup(b.spec.field)) b.typed = false;
                showRecord();
            });
            return holder;
        }
    }
    return nullptr;
}

void MasterFormView::build() {
    const FormLayout& layout = m_form.layout();
    auto* outer = new QVBoxLayout(this);
    m_bound.reserve(layout.fields.size());
    for (const FormField& f : layout.fields) m_bound.push_back(Bound{f, nullptr, false});

    // One grid per tab ("" for above the tabs).
    std::map<std::string, QGridLayout*> grids;
    std::map<std::string, int> rows, cols;
    std::map<std::string, QHBoxLayout*> lastCell;  // the cell of the last entry, per tab
    std::map<std::string, QWidget*> pages;
    auto* top = new QWidget(this);
    auto* topGrid = new QGridLayout(top);
    topGrid->setContentsMargins(0, 0, 0, 0);
    grids[""] = topGrid;
    pages[""] = top;
    outer->addWidget(top);
    if (!layout.tabs.empty()) {
        m_tabs = new QTabWidget(this);
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
    for (Bound& b : m_bound) {
        const std::string tab = grids.count(b.spec.tab) ? b.spec.tab : std::string();
        QGridLayout* grid = grids[tab];
        QWidget* page = grid->parentWidget();
        if (!b.spec.besideLast || !rows.count(tab)) {
            rows[tab] = rows.count(tab) ? rows[tab] + 1 : 0;
            cols[tab] = 0;
        }
        int row = rows[tab];
        int col = cols[tab];
        b.widget = makeWidget(b, page);
        if (b.spec.kind == FieldKind::Memo) {
            if (!b.spec.label.empty()) grid->addWidget(new QLabel(qs(b.spec.label), page), row++, 0, 1, 8);
            grid->addWidget(b.widget, row++, 0, 1, 8);
            if (!b.spec.note.empty()) {
                auto* note = new QLabel(qs(b.spec.note), page);
                note->setWordWrap(true);
                grid->addWidget(note, row, 0, 1, 8);
            }
            rows[tab] = row;
            continue;
        }
        if (b.spec.besideLast && b.spec.label.empty() && lastCell[tab]) {
            // A field without a label of its own (the time of a date) sits right
            // beside the field it belongs to.
            lastCell[tab]->insertWidget(lastCell[tab]->count() - 1, b.widget);
            continue;
        }
        if (b.spec.kind == FieldKind::Check) {
            grid->addWidget(b.widget, row, col + 1);
            lastCell[tab] = nullptr;
        } else {
            auto* label = new QLabel(qs(b.spec.label), page);
            label->setBuddy(b.widget);
            grid->addWidget(label, row, col, Qt::AlignRight);
            auto* cell = new QHBoxLayout;
            cell->setSpacing(4);
            cell->addWidget(b.widget);
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
    for (const FormButton& fb : layout.buttons) {
        QWidget* page = pages.count(fb.tab) ? pages[fb.tab] : top;
        auto* button = new QPushButton(qs(fb.caption), page);
        auto* v = qobject_cast<QVBoxLayout*>(page->layout());
        auto* line = new QHBoxLayout;
        line->addStretch(1);
        line->addWidget(button);
        if (v) v->addLayout(line);
        else grids[""]->addWidget(button, rows[""] + 1, 0, 1, 2);
        auto action = fb.action;
        connect(button, &QPushButton::clicked, this, [this, action] {
            commitFocused();
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
            for (const auto& [caption, request] : commands) {
                auto* button = new QPushButton(tr(caption), page);
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
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(new QLabel(qs(m_form.statusText()), this));
    buttons->addStretch(1);
    auto* ok = new QPushButton(tr("&OK"), this);
    ok->setDefault(true);
    auto* cancel = new QPushButton(tr("Cancel"), this);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    outer->addLayout(buttons);
    connect(ok, &QPushButton::clicked, this, &MasterFormView::onOk);
    connect(cancel, &QPushButton::clicked, this, &MasterFormView::onCancel);
}

QWidget* MasterFormView::widgetFor(int field) const {
    for (const Bound& b : m_bound) {
        if (b.spec.field == field) return b.widget;
    }
    return nullptr;
}

void MasterFormView::showRecord() {
    m_showing = true;
    const TableDesc& desc = m_form.table().desc();
    const void* rec = m_form.table().buffer();
    setWindowTitle(qs(m_form.windowTitle()));
    for (Bound& b : m_bound) {
        const std::string text = b.spec.text ? b.spec.text()
                                 : b.spec.field >= 0 ? formatField(desc, b.spec.field, rec, pictureOf(b.spec))
                                                     : std::string();
        b.typed = false;
        switch (b.spec.kind) {
            case FieldKind::Check:
                static_cast<QCheckBox*>(b.widget)->setChecked(fieldNumber(desc, b.spec.field, rec) != 0);
                break;
            case FieldKind::Choice: {
                auto* combo = static_cast<QComboBox*>(b.widget);
                const int i = combo->findText(qs(fieldText(desc, b.spec.field, rec)));
                combo->setCurrentIndex(i);
                break;
            }
            case FieldKind::Memo: {
                auto* memo = static_cast<QPlainTextEdit*>(b.widget);
                const QString t = qs(fieldText(desc, b.spec.field, rec));
                if (memo->toPlainText() != t) memo->setPlainText(t);
                break;
            }
            case FieldKind::Display: static_cast<QLabel*>(b.widget)->setText(qs(text)); break;
            case FieldKind::Entry: static_cast<QLineEdit*>(b.widget)->setText(qs(text)); break;
            case FieldKind::Lookup:
                b.widget->findChild<QLineEdit*>()->setText(qs(text));
                break;
        }
    }
    for (ListBox& box : m_lists) fillList(box);
    m_showing = false;
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
    commitFocused();
    const int row = box.table->currentRow();
    if (row >= 0) box.spec.list->setCurrent(static_cast<std::size_t>(row));
    const std::string owner = m_form.owner();
    switch (request) {
        case Request::Insert: box.spec.list->insert(owner); break;
        case Request::Change: box.spec.list->change(owner); break;
        case Request::Delete: box.spec.list->remove(owner); break;
        default: break;
    }
    showRecord();
}

bool MasterFormView::commit(Bound& b) {
    auto* edit = b.spec.kind == FieldKind::Lookup ? b.widget->findChild<QLineEdit*>() : qobject_cast<QLineEdit*>(b.widget);
    if (!edit) return true;
    std::string reason;
    const EntryStatus s = readField(m_form.table().desc(), b.spec.field, m_form.table().buffer(), pictureOf(b.spec),
                                    edit->text().toStdString(), &reason);
    if (s != EntryStatus::Ok) {
        m_form.ui().beep(150, 16);
        m_form.ui().message(m_form.spec().title, reason.empty() ? "The value is not valid for this field." : reason,
                            Icon::Warning, Button::Ok, Button::Ok);
        edit->setFocus();
        return false;
    }
    b.typed = false;
    const bool accepted = m_form.accept(b.spec.field);
    afterAccept(b, accepted);
    return accepted;
}

bool MasterFormView::commitFocused() {
    for (Bound& b : m_bound) {
        if (b.typed && !commit(b)) return false;
    }
    return true;
}

void MasterFormView::afterAccept(Bound& b, bool accepted) {
    showRecord();
    if (!accepted) {
        applyFocusRequest();
        if (b.widget) b.widget->setFocus();
    }
}

void MasterFormView::applyFocusRequest() {
    const int field = m_form.takeFocusRequest();
    if (field < 0) return;
    for (Bound& b : m_bound) {
        if (b.spec.field != field || !b.widget) continue;
        if (m_tabs) {
            for (int i = 0; i < m_tabs->count(); ++i) {
                if (m_tabs->widget(i)->isAncestorOf(b.widget)) m_tabs->setCurrentIndex(i);
            }
        }
        b.widget->setFocus();
        return;
    }
}

void MasterFormView::onOk() {
    if (!commitFocused()) return;
    m_finishing = true;
    const bool over = m_form.ok();
    m_finishing = false;
    if (over) {
        QDialog::done(m_form.response().response == Response::Completed ? Accepted : Rejected);
        return;
    }
    showRecord();
    applyFocusRequest();
}

void MasterFormView::onCancel() {
    m_finishing = true;
    const bool over = m_form.cancel();
    m_finishing = false;
    if (over) QDialog::done(Rejected);
}

void MasterFormView::done(int result) {
    // Escape and the close box come here: they are Cancel, which may keep the form.
    if (!m_form.isClosed()) {
        onCancel();
        return;
    }
    QDialog::done(result);
}

bool MasterFormView::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_F2) {
        for (Bound& b : m_bound) {
            const auto picture = pictureOf(b.spec);
            if (b.widget != watched || !picture || picture->kind() != PictureKind::Date) continue;
            if (b.typed && !commit(b)) return true;
            // The calendar opens on the field's date (today for none) and its choice
            // is entered as if typed.
            const TableDesc& desc = m_form.table().desc();
            const auto current = static_cast<std::int32_t>(fieldNumber(desc, b.spec.field, m_form.table().buffer()));
            const std::int32_t chosen = DATESELECT(m_form.ui(), current);
            setFieldNumber(desc, b.spec.field, m_form.table().buffer(), chosen);
            afterAccept(b, m_form.accept(b.spec.field));
            return true;
        }
    }
    if (event->type() == QEvent::MouseButtonDblClick) {
        for (Bound& b : m_bound) {
            if (b.widget == watched || (b.widget && b.widget->isAncestorOf(qobject_cast<QWidget*>(watched)))) {
                m_form.doubleClick(b.spec.field);
                return true;
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

WindowResponse runMasterForm(WindowContext& context, MasterForm& form) {
    if (!form.open()) return form.response();
    MasterFormView view(form, context.parent);
    keepPlacement(&view, QString::fromStdString(form.spec().procedure));
    view.exec();
    if (!form.isClosed()) form.cancel();
    return form.response();
}

}  // namespace quay::core
