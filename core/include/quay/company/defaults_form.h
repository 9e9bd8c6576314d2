// DefaultsForm ("Company Defaults", exported as DEFAULTSFORM): the window that
// edits the one company record. It opens Defaults, reads the first record and runs
// as a change ("Record Will Be Changed"); when there is no record it adds one with
// its initial values before the window shows and runs as an insert ("Record Will Be
// Added"), and cancelling then deletes that record again.
//
// The window runs on the form pattern (FormWindow). OK of a change writes only when
// a field or one of the six memos differs from what was read, in a transaction
// over Defaults; another station's change meanwhile shows "Record Was Not Updated"
// and its version; a failure asks "Record Update Error" (Yes tries again, No
// closes unsaved, Cancel returns to the window). OK of an insert writes the record
// back; a duplicate company number names the key "by Company Number" and keeps the
// window open; another failure shows "Record Insert Error". OK without a company
// name is refused with kNameRequired and the cursor on the name: every quote,
// invoice and statement is headed by it. The three phone fields go through the
// phone formatter when accepted; a rejected number beeps (150, 16) and the cursor
// stays on the field.
//
// The window keeps its placement under section "DefaultsForm".
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "quay/app/table_access.h"
#include "quay/app/ui_port.h"
#include "quay/export.h"
#include "quay/store/database.h"
#include "quay/tables/defaults.h"
#include "quay/ui/form_window.h"

namespace quay::core {

class QUAY_EXPORT DefaultsForm {
public:
    static constexpr const char* kProcedure = "DefaultsForm";
    static constexpr const char* kTitle = "Company Defaults";
    // The methods a price class may use, as the list offers them.
    static constexpr const char* kMethods = "DISCOUNT|MARKUP|MARGIN";
    static std::vector<std::string> methods();
    static constexpr const char* kNameRequired = "Enter the company name: it heads every quote, invoice and statement.";

    // The phone fields the formatter checks.
    enum class Phone { Phone1, Phone2, Fax };

    DefaultsForm(UiPort& ui, Database& db);
    ~DefaultsForm();
    DefaultsForm(const DefaultsForm&) = delete;
    DefaultsForm& operator=(const DefaultsForm&) = delete;

    // Opens the table and the record. False when the window does not open (the
    // table could not be opened, or no record could be added: the message was shown).
    bool open();

    Defaults& rec() { return m_defaults->rec(); }
    FormWindow& form() { return *m_form; }
    Request request() const { return m_form ? m_form->request() : Request::None; }
    // "Record Will Be Added" / "Record Will Be Changed".
    std::string statusText() const;

    // Accepting a phone field: formats it in place. False when the number was
    // rejected (the field is left as typed, the form has beeped).
    bool acceptPhone(Phone which);
    // Ctrl+' on a field (its index in Defaults::desc()).
    void recallField(int field) { m_form->recallField(field); }

    // The reason the last OK was refused, for the status line; empty when none.
    const std::string& notice() const { return m_form->notice(); }

    bool ok() { return m_form->ok(); }
    bool cancel() { return m_form->cancel(); }
    bool isClosed() const { return m_closed || (m_form && m_form->isClosed()); }
    WindowResponse response() const;

    static constexpr int kBeepFrequency = 150;
    static constexpr int kBeepDuration = 16;

private:
    class Record;

    UiPort& m_ui;
    Database& m_db;
    std::unique_ptr<HeldTable<Defaults>> m_defaults;
    std::unique_ptr<FormWindow> m_form;
    bool m_closed = false;
};

// DEFAULTSFORM(): runs the window "DefaultsForm" through the UI port.
QUAY_EXPORT Response DEFAULTSFORM(UiPort& ui);

}  // namespace quay::core
