// FieldBinder: binds the entry widgets of a form to the fields of its record
// buffer. Text fields show the field through its picture and read typed text back
// through it when the user leaves the field; a refused entry beeps, says why and
// keeps the cursor there. Check boxes, drop-down lists, radio groups and memo
// boxes write their field as they change. Ctrl+' restores the focused field
// through the form's recall, and F2 on a date field opens the calendar.
#pragma once

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include <QObject>

#include "quay/app/ui_port.h"
#include "quay/export.h"
#include "quay/store/table_desc.h"
#include "quay/types/picture.h"
#include "quay/ui/field_lookup.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QRadioButton;
class QWidget;

namespace quay::core {

class QUAY_EXPORT FieldBinder : public QObject {
    Q_OBJECT
public:
    // `record` gives the buffer (it may move between calls). `recall` restores a
    // field (Ctrl+'); empty for none.
    FieldBinder(const TableDesc& desc, std::function<void*()> record, QWidget* window,
                std::function<void(int field)> recall = {});

    // A text field; `accepted` runs after a good entry (phone formatting) and may
    // refuse it by returning false.
    QLineEdit* bindText(QLineEdit* edit, const char* field, const char* picture = nullptr,
                        std::function<bool()> accepted = {});
    // A date field: F2 and the "..." action open DATESELECT through `ui`.
    QLineEdit* bindDate(QLineEdit* edit, const char* field, UiPort& ui, const char* picture = "@d2");
    // A field checked against another table: a typed value that names no record
    // opens that table's list to pick from; the "..." action opens it directly. A
    // pick copies the record's key value into the field; a refusal keeps the cursor.
    QLineEdit* bindLookup(QLineEdit* edit, const char* field, FieldLookup& lookup);
    // Double-clicking the field hands its address to the desktop: a new mail
    // message (SENDEMAIL) or the web page (OPENURL), through the program's launcher.
    enum class Address { Mail, Web };
    void openOnDoubleClick(QLineEdit* edit, Address kind, UiPort& ui);
    QCheckBox* bindCheck(QCheckBox* box, const char* field);
    QComboBox* bindChoice(QComboBox* combo, const char* field, const std::vector<std::string>& values);
    void bindRadio(const std::vector<std::pair<QRadioButton*, std::string>>& buttons, const char* field);
    QPlainTextEdit* bindMemo(QPlainTextEdit* edit, const char* field);
    // A field shown but not entered, through `picture` (empty: its plain text).
    QLabel* bindDisplay(QLabel* label, int field, const std::string& picture = {});
    // A value the form computes, shown again with every field.
    QLabel* bindComputed(QLabel* label, std::function<std::string()> text);
    // The same bindings by field index, for forms described by their layout.
    QLineEdit* bindText(QLineEdit* edit, int field, const std::string& picture);
    QCheckBox* bindCheck(QCheckBox* box, int field);
    QComboBox* bindChoice(QComboBox* combo, int field, const std::vector<std::string>& values);
    QPlainTextEdit* bindMemo(QPlainTextEdit* edit, int field);

    // Text fields are read back only when the user typed in them, so a value shown
    // with fewer places than it is kept with is never cut by reading it back.
    void setReadTypedOnly(bool on) { m_typedOnly = on; }
    // Called after an entry of a text, check, choice or date field was stored into
    // the record; false refuses it (the cursor stays there). Every field is shown
    // again afterwards, since one entry may change others (a built name, a
    // formatted phone).
    void setEntryListener(std::function<bool(int field)> listener) { m_onEntry = std::move(listener); }

    // Shows every bound field from the record.
    void load();
    void loadField(int field);
    // Reads every text field back (the one being typed in may not have been left
    // yet). False when one is refused; the cursor is then in it.
    bool storeAll();
    // Told when an entry is refused: with the picture's sentence when the text could
    // not be read, empty when the form's own check refused it (the form says why).
    void setRefusalListener(std::function<void(const std::string& reason)> listener) {
        m_onRefused = std::move(listener);
    }
    // True when the user has typed into a text field that was not read back yet.
    bool hasPendingEntry() const;
    // The field a widget is bound to, or -1.
    int fieldOf(const QWidget* widget) const;
    QWidget* widgetOf(int field) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Binding {
        enum class Kind { Text, Check, Choice, Radio, Memo, Display, Computed } kind;
        int field;
        std::vector<QWidget*> widgets;
        std::optional<Picture> picture;
        std::vector<std::string> values;
        std::function<bool()> accepted;
        std::function<std::string()> computed;
    };
    int index(const char* field) const;
    bool storeText(const Binding& b, QLineEdit* edit);
    // Runs the entry listener for a stored field and shows the record again.
    bool entered(int field);
    void show(const Binding& b);

    const TableDesc& m_desc;
    std::function<void*()> m_record;
    QWidget* m_window;
    std::function<void(int)> m_recall;
    std::vector<Binding> m_bindings;
    std::map<const QWidget*, std::size_t> m_byWidget;
    std::map<const QWidget*, UiPort*> m_dates;
    std::map<const QWidget*, std::pair<Address, UiPort*>> m_addresses;
    bool m_loading = false;
    std::function<void(const std::string&)> m_onRefused;
    std::function<bool(int)> m_onEntry;
    bool m_typedOnly = false;
};

}  // namespace quay::core
