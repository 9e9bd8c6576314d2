// Binding form widgets to record fields.
#include "quay/views/field_binder.h"

#include <cassert>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QShortcut>
#include <QToolTip>

#include "quay/tools/date_select.h"
#include "quay/tools/mail_launch.h"
#include "quay/ui/field_entry.h"
#include "quay/ui/record_fields.h"

namespace quay::core {

namespace {

QString qs(const std::string& s) { return QString::fromStdString(s); }

}  // namespace

FieldBinder::FieldBinder(const TableDesc& desc, std::function<void*()> record, QWidget* window,
                         std::function<void(int field)> recall)
    : QObject(window), m_desc(desc), m_record(std::move(record)), m_window(window), m_recall(std::move(recall)) {
    auto* ditto = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Apostrophe), window);
    ditto->setContext(Qt::WindowShortcut);
    connect(ditto, &QShortcut::activated, this, [this] {
        const int field = fieldOf(QApplication::focusWidget());
        if (field < 0 || !m_recall) return;
        m_recall(field);
        loadField(field);
    });
}

int FieldBinder::index(const char* field) const {
    const int i = m_desc.fieldIndex(field);
    assert(i >= 0);  // REQUIRES: a field of the table
    return i;
}

QLineEdit* FieldBinder::bindText(QLineEdit* edit, int field, const std::string& picture) {
    return bindText(edit, m_desc.fields[static_cast<std::size_t>(field)].name.c_str(),
                    picture.empty() ? nullptr : picture.c_str());
}

QLineEdit* FieldBinder::bindText(QLineEdit* edit, const char* field, const char* picture,
                                 std::function<bool()> accepted) {
    Binding b{Binding::Kind::Text, index(field), {edit}, std::nullopt, {}, std::move(accepted), {}};
    if (picture) b.picture = Picture::parse(picture);
    const FieldDesc& f = m_desc.fields[static_cast<std::size_t>(b.field)];
    if (f.type == FieldType::String) edit->setMaxLength(static_cast<int>(f.size));
    if (f.type != FieldType::String) edit->setAlignment(Qt::AlignRight);
    m_byWidget[edit] = m_bindings.size();
    m_bindings.push_back(std::move(b));
    connect(edit, &QLineEdit::editingFinished, this, [this, edit] {
        if (m_loading) return;
        auto it = m_byWidget.find(edit);
        if (it == m_byWidget.end() || (m_typedOnly && !edit->isModified())) return;
        storeText(m_bindings[it->second], edit);
    });
    return edit;
}

QLineEdit* FieldBinder::bindDate(QLineEdit* edit, const char* field, UiPort& ui, const char* picture) {
    bindText(edit, field, picture);
    m_dates[edit] = &ui;
    edit->installEventFilter(this);
    auto* pick = edit->addAction(QIcon(), QLineEdit::TrailingPosition);
    pick->setText(tr("..."));
    pick->setToolTip(tr("Choose the date from the calendar (F2)"));
    connect(pick, &QAction::triggered, this, [this, edit] {
        QKeyEvent f2(QEvent::KeyPress, Qt::Key_F2, Qt::NoModifier);
        eventFilter(edit, &f2);
    });
    return edit;
}

QLineEdit* FieldBinder::bindLookup(QLineEdit* edit, const char* field, FieldLookup& lookup) {
    const int i = index(field);
    FieldLookup* l = &lookup;
    bindText(edit, field, nullptr, [this, i, l] {
        const LookupResult r = l->check(fieldText(m_desc, i, m_record()));
        if (!r.accepted()) return false;
        setFieldText(m_desc, i, m_record(), r.value);
        return true;
    });
    auto* pick = edit->addAction(QIcon(), QLineEdit::TrailingPosition);
    pick->setText(tr("..."));
    pick->setToolTip(tr("Choose from the list"));
    connect(pick, &QAction::triggered, this, [this, i, l, edit] {
        const LookupResult r = l->browse();
        if (r.accepted()) setFieldText(m_desc, i, m_record(), r.value);
        loadField(i);
        edit->setFocus();
    });
    return edit;
}

void FieldBinder::openOnDoubleClick(QLineEdit* edit, Address kind, UiPort& ui) {
    m_addresses[edit] = {kind, &ui};
    edit->installEventFilter(this);
    edit->setToolTip(kind == Address::Mail ? tr("Double-click to write a message to this address")
                                           : tr("Double-click to open this address in the web browser"));
}

QCheckBox* FieldBinder::bindCheck(QCheckBox* box, const char* field) { return bindCheck(box, index(field)); }

QCheckBox* FieldBinder::bindCheck(QCheckBox* box, int i) {
    m_byWidget[box] = m_bindings.size();
    m_bindings.push_back(Binding{Binding::Kind::Check, i, {box}, std::nullopt, {}, {}, {}});
    connect(box, &QCheckBox::toggled, this, [this, i](bool on) {
        if (m_loading) return;
        setFieldNumber(m_desc, i, m_record(), on ? 1 : 0);
        entered(i);
    });
    return box;
}

QComboBox* FieldBinder::bindChoice(QComboBox* combo, const char* field, const std::vector<std::string>& values) {
    return bindChoice(combo, index(field), values);
}

QComboBox* FieldBinder::bindChoice(QComboBox* combo, int i, const std::vector<std::string>& values) {
    combo->clear();
    for (const auto& v : values) combo->addItem(qs(v));
    m_byWidget[combo] = m_bindings.size();
    m_bindings.push_back(Binding{Binding::Kind::Choice, i, {combo}, std::nullopt, values, {}, {}});
    connect(combo, &QComboBox::currentIndexChanged, this, [this, i, values](int n) {
        if (m_loading || n < 0 || static_cast<std::size_t>(n) >= values.size()) return;
        setFieldText(m_desc, i, m_record(), values[static_cast<std::size_t>(n)]);
        entered(i);
    });
    return combo;
}

QLabel* FieldBinder::bindDisplay(QLabel* label, int field, const std::string& picture) {
    Binding b{Binding::Kind::Display, field, {label}, std::nullopt, {}, {}, {}};
    if (!picture.empty()) b.picture = Picture::parse(picture);
    m_byWidget[label] = m_bindings.size();
    m_bindings.push_back(std::move(b));
    return label;
}

QLabel* FieldBinder::bindComputed(QLabel* label, std::function<std::string()> text) {
    m_bindings.push_back(Binding{Binding::Kind::Computed, -1, {label}, std::nullopt, {}, {}, std::move(text)});
    return label;
}

bool FieldBinder::entered(int field) {
    if (!m_onEntry) return true;
    const bool accepted = m_onEntry(field);
    load();
    return accepted;
}

void FieldBinder::bindRadio(const std::vector<std::pair<QRadioButton*, std::string>>& buttons, const char* field) {
    const int i = index(field);
    Binding b{Binding::Kind::Radio, i, {}, std::nullopt, {}, {}, {}};
    for (const auto& [button, value] : buttons) {
        b.widgets.push_back(button);
        b.values.push_back(value);
        m_byWidget[button] = m_bindings.size();
        const std::string v = value;
        connect(button, &QRadioButton::toggled, this, [this, i, v](bool on) {
            if (!m_loading && on) setFieldText(m_desc, i, m_record(), v);
        });
    }
    m_bindings.push_back(std::move(b));
}

QPlainTextEdit* FieldBinder::bindMemo(QPlainTextEdit* edit, const char* field) { return bindMemo(edit, index(field)); }

QPlainTextEdit* FieldBinder::bindMemo(QPlainTextEdit* edit, int i) {
    const std::size_t limit = m_desc.fields[static_cast<std::size_t>(i)].size;
    m_byWidget[edit] = m_bindings.size();
    m_bindings.push_back(Binding{Binding::Kind::Memo, i, {edit}, std::nullopt, {}, {}, {}});
    connect(edit, &QPlainTextEdit::textChanged, this, [this, i, edit, limit] {
        if (m_loading) return;
        std::string text = edit->toPlainText().toStdString();
        if (text.size() > limit) {
            // The memo holds no more: the extra text is refused where it was typed,
            // never dropped silently from the stored record.
            QApplication::beep();
            m_loading = true;
            const QString kept = QString::fromStdString(text.substr(0, limit));
            edit->setPlainText(kept);
            QTextCursor c = edit->textCursor();
            c.movePosition(QTextCursor::End);
            edit->setTextCursor(c);
            m_loading = false;
            text = kept.toStdString();
            QToolTip::showText(edit->mapToGlobal(QPoint(0, 0)),
                               tr("This text can hold at most %1 characters.").arg(limit), edit);
        }
        setFieldText(m_desc, i, m_record(), text);
    });
    return edit;
}

bool FieldBinder::storeText(const Binding& b, QLineEdit* edit) {
    std::string reason;
    const std::string text = edit->text().toStdString();
    if (readField(m_desc, b.field, m_record(), b.picture, text, &reason) != EntryStatus::Ok) {
        QApplication::beep();
        QToolTip::showText(edit->mapToGlobal(QPoint(0, edit->height())), qs(reason), edit);
        edit->setFocus();
        edit->selectAll();
        if (m_onRefused) m_onRefused(reason);
        return false;
    }
    if ((b.accepted && !b.accepted()) || !entered(b.field)) {
        show(b);
        if (m_onRefused) m_onRefused({});
        edit->setFocus();
        edit->selectAll();
        return false;
    }
    show(b);
    return true;
}

void FieldBinder::show(const Binding& b) {
    const bool was = m_loading;
    m_loading = true;
    void* rec = m_record();
    switch (b.kind) {
    case Binding::Kind::Text:
        static_cast<QLineEdit*>(b.widgets[0])->setText(qs(formatField(m_desc, b.field, rec, b.picture)).trimmed());
        break;
    case Binding::Kind::Check:
        static_cast<QCheckBox*>(b.widgets[0])->setChecked(fieldNumber(m_desc, b.field, rec) != 0);
        break;
    case Binding::Kind::Choice: {
        const std::string v = fieldText(m_desc, b.field, rec);
        int n = -1;
        for (std::size_t i = 0; i < b.values.size(); ++i)
            if (b.values[i] == v) n = static_cast<int>(i);
        static_cast<QComboBox*>(b.widgets[0])->setCurrentIndex(n);
        break;
    }
    case Binding::Kind::Radio: {
        const std::string v = fieldText(m_desc, b.field, rec);
        for (std::size_t i = 0; i < b.widgets.size(); ++i)
            static_cast<QRadioButton*>(b.widgets[i])->setChecked(b.values[i] == v);
        break;
    }
    case Binding::Kind::Memo: {
        // Set only when it differs, so the cursor of a box being typed in stays.
        auto* memo = static_cast<QPlainTextEdit*>(b.widgets[0]);
        const QString text = qs(fieldText(m_desc, b.field, rec));
        if (memo->toPlainText() != text) memo->setPlainText(text);
        break;
    }
    case Binding::Kind::Display:
        static_cast<QLabel*>(b.widgets[0])->setText(qs(formatField(m_desc, b.field, rec, b.picture)).trimmed());
        break;
    case Binding::Kind::Computed: static_cast<QLabel*>(b.widgets[0])->setText(qs(b.computed())); break;
    }
    m_loading = was;
}

void FieldBinder::load() {
    for (const auto& b : m_bindings) show(b);
}

void FieldBinder::loadField(int field) {
    for (const auto& b : m_bindings)
        if (b.field == field) show(b);
}

bool FieldBinder::hasPendingEntry() const {
    for (const auto& b : m_bindings)
        if (b.kind == Binding::Kind::Text && static_cast<QLineEdit*>(b.widgets[0])->isModified()) return true;
    return false;
}

bool FieldBinder::storeAll() {
    for (const auto& b : m_bindings) {
        if (b.kind != Binding::Kind::Text) continue;
        auto* edit = static_cast<QLineEdit*>(b.widgets[0]);
        if (m_typedOnly && !edit->isModified()) continue;
        if (!storeText(b, edit)) return false;
    }
    return true;
}

int FieldBinder::fieldOf(const QWidget* widget) const {
    for (; widget; widget = widget->parentWidget()) {
        auto it = m_byWidget.find(widget);
        if (it != m_byWidget.end()) return m_bindings[it->second].field;
    }
    return -1;
}

QWidget* FieldBinder::widgetOf(int field) const {
    for (const auto& b : m_bindings)
        if (b.field == field) return b.widgets.front();
    return nullptr;
}

bool FieldBinder::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonDblClick) {
        auto it = m_addresses.find(static_cast<const QWidget*>(watched));
        if (it != m_addresses.end() && programLauncher()) {
            const std::string address = static_cast<QLineEdit*>(watched)->text().toStdString();
            if (it->second.first == Address::Mail)
                SENDEMAIL(*it->second.second, *programLauncher(), 0, address);
            else
                OPENURL(*it->second.second, *programLauncher(), 0, address);
            return true;
        }
    }
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_F2) {
        auto it = m_dates.find(static_cast<const QWidget*>(watched));
        auto bit = m_byWidget.find(static_cast<const QWidget*>(watched));
        if (it != m_dates.end() && bit != m_byWidget.end()) {
            const Binding& b = m_bindings[bit->second];
            auto* edit = static_cast<QLineEdit*>(b.widgets[0]);
            if (!storeText(b, edit)) return true;
            const auto current = static_cast<std::int32_t>(fieldNumber(m_desc, b.field, m_record()));
            const std::int32_t chosen = DATESELECT(*it->second, current);
            setFieldNumber(m_desc, b.field, m_record(), chosen);
            show(b);
            entered(b.field);
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace quay::core
