// What a record form shows: its fields with their labels, pictures and tabs, the
// lists of related records on tabs of their own, and the extra buttons. The window
// logic describes its form once here; the view builds its widgets from it, so every
// label and picture of a form is in its logic, where tests see it.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace quay::core {

class RelatedList;

enum class FieldKind {
    Entry,    // a text entry through the field's picture
    Check,    // a check box (BYTE 1 / 0); the label is its caption
    Choice,   // a drop list of the texts in `choices` ("1|2|3|4|5|6|C|R")
    Memo,     // a text box over a memo
    Display,  // shown only
    Lookup,   // an entry with a "..." button that picks the value from a list
};

struct FormField {
    std::string label;  // "Phone:", "Active"
    int field = -1;     // index in the table's fields; -1 for a value the form computes
    FieldKind kind = FieldKind::Entry;
    std::string picture;      // "@n$-15.2"; empty for the field's plain text
    int width = 0;            // characters shown (0: from the picture or the field)
    std::string choices;      // Choice: "|"-separated texts
    std::string tab;          // the tab the field is on; empty for above the tabs
    bool besideLast = false;  // on the same line as the field before
    std::string note;         // a line of text shown under a memo
    // Display fields without a record field: the text to show.
    std::function<std::string()> text;
    // Date fields: the title of the calendar F2 opens ("Select Ship Date for PO"),
    // empty for the calendar's own.
    std::string calendarTitle;
    // The tip shown over the field ("Shipping Charges"), or empty.
    std::string tip;
};

// A field of `kind` with its label, record field and picture.
inline FormField formField(std::string label, int field, FieldKind kind = FieldKind::Entry, std::string picture = {}) {
    FormField f;
    f.label = std::move(label);
    f.field = field;
    f.kind = kind;
    f.picture = std::move(picture);
    return f;
}

struct FormButton {
    std::string caption;  // "Set Price Classes to &Default"
    std::string tab;
    std::function<void()> action;
};

struct FormListTab {
    std::string tab;  // "&History"
    RelatedList* list = nullptr;
    bool commands = true;  // Insert / Change / Delete below the list
    std::string owner;     // handed to the list's form (request text)
};

struct FormLayout {
    std::string okCaption;          // the OK button's caption ("Save and Print"); empty for "&OK"
    bool dittoButton = false;       // a "Ditto" button doing what Ctrl+' does in the focused field
    std::vector<std::string> tabs;  // in order; fields with an empty tab sit above them
    std::vector<FormField> fields;
    std::vector<FormButton> buttons;
    std::vector<FormListTab> lists;
};

}  // namespace quay::core
