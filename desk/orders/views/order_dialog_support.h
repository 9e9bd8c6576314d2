// What the order-entry dialogs share in building their forms: a grid of labelled
// fields sized to what they hold, the "..." look-up button beside a field, the
// calendar title and the empty-date rule of date fields, and the row of command
// buttons.
#pragma once
#include <functional>
#include <string_view>
#include <vector>

#include <QObject>
#include <QString>

class QBoxLayout;
class QCheckBox;
class QComboBox;
class QDialog;
class QPlainTextEdit;
class QGridLayout;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;
class QWidget;

namespace quay::core {
class FieldBinder;
}

namespace quay::desk::detail {

inline QString qs(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<int>(s.size())); }

// The width of `chars` characters of the widget's font, as an entry field shows them.
int textWidth(const QWidget* w, int chars);

// A form's fields in rows of label and field, right-aligned labels; the rows may be
// laid out in several column pairs side by side (setColumn). Every field widget gets
// the field's name as its objectName, so the road tests and the help can find it.
class FormGrid {
public:
    explicit FormGrid(QWidget* owner);

    QGridLayout* layout() const { return m_grid; }
    // Following rows go into column pair `pair` (0 first), from its top.
    void setColumn(int pair);

    // An entry field `chars` characters wide; with `lookup` a "..." button sits
    // beside it (returned through the pointer; it takes no focus, so Tab follows the
    // fields).
    QLineEdit* entry(const char* label, const char* name, int chars, const char* tip = nullptr,
                     QToolButton** lookup = nullptr);
    // A field shown but not entered, framed like an entry field.
    QLabel* display(const char* label, const char* name, int chars, bool numeric);
    QCheckBox* check(const char* text, const char* name, const char* tip = nullptr);
    QComboBox* choice(const char* label, const char* name, int chars);
    // A widget over the whole width of the current column pair, without a label.
    void span(QWidget* widget);

private:
    int nextRow();

    QWidget* m_owner;
    QGridLayout* m_grid;
    int m_pair = 0;
    int m_rows[4] = {0, 0, 0, 0};
};

// A date field's calendar: whenever the field is entered or F2 is pressed on it the
// calendar's title becomes `title`; when `enterEmpty` is given, entering the field
// runs it, and when it answers true (it set the date to today) the calendar opens
// at once, as F2 would open it.
void titleCalendar(QLineEdit* edit, const char* title, std::function<bool()> enterEmpty = {});

// A command button in `row`; `isDefault` makes it the button Enter presses.
QPushButton* commandButton(QBoxLayout* row, const char* caption, QWidget* parent, bool isDefault = false);

// The body of a notes window: one multi-line field bound to the memo `field` of the
// binder's record (its objectName the field's), `lines` high.
QPlainTextEdit* notesBody(QWidget* parent, core::FieldBinder* binder, const char* field, const char* tip, int lines);

// Tab goes from each widget to the next, in the order given.
void chainTabs(const std::vector<QWidget*>& widgets);

}  // namespace quay::desk::detail
