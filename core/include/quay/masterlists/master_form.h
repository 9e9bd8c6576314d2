// MasterForm: the logic every master-record form shares (customers, products,
// vendors, salespeople, terms, manufacturers, groups, shipping methods, and the
// numbered notes and vendor part numbers kept beside them). A form is called with
// request 1 (insert), 2 (change) or 3 (delete) and the caller's table handle holding
// the record, and answers 1 (completed) or 2 (cancelled); on completion the record
// is current in the caller's handle, so the list can highlight it.
//
//   insert, record known by its name or code: the buffer is cleared and primed at
//           open; OK adds it. A blank identity is refused, a taken one gives
//           "Duplicate Key Error" with the key's label and the cursor goes back to
//           the first field; another failure "Record Insert Error".
//   insert, numbered record (a note, a vendor part number): the record is added at
//           open with the next number (three tries, then "Auto Increment Error"), OK
//           writes the entered values into it, cancelling deletes it again.
//   change: a copy is taken at open; OK writes only when something differs, through
//           the master-record rules, so a new name reaches every record that names
//           the old one in the same transaction. Another station's change shows
//           "Record Was Not Updated" and that station's version; the user's values
//           stay available to Ctrl+'. Another failure asks "Record Update Error"
//           (Yes again, No close unsaved, Cancel back to the form).
//   delete: "Confirm Delete" at open; OK deletes through the rules (dependants go
//           with the record or the delete is refused while one exists).
//
// Subclasses add the checks and side effects of their window through the hooks.
// Not thread-safe: a form lives on its window's thread.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "quay/app/standard_messages.h"
#include "quay/app/ui_port.h"
#include "quay/export.h"
#include "quay/store/database.h"
#include "quay/store/table.h"
#include "quay/masterlists/form_layout.h"

namespace quay::core {

struct MasterFormSpec {
    std::string procedure;    // window name and settings section: "VendorForm"
    std::string title;        // "Vendor Form"
    std::string insertTitle;  // window title while inserting, when it differs from title
    std::string changeTitle;  // window title while changing
    // Numbered records: the LONG number field and its key; -1 for records known by name.
    int numberField = -1;
    KeyId numberKey{0};
    // Message asked when a changed form is cancelled: 23 "Are you sure you want to
    // cancel?" or 33 "Do you want to save the changes to this record?".
    StandardMessage cancelQuestion = StandardMessage::ConfirmCancel;
};

class QUAY_EXPORT MasterForm {
public:
    // REQUIRES: `table` is open on `db` and outlives the form; for change and delete
    // it holds the record as read.
    MasterForm(Database& db, UiPort& ui, Table& table, MasterFormSpec spec, const WindowRequest& request);
    virtual ~MasterForm();
    MasterForm(const MasterForm&) = delete;
    MasterForm& operator=(const MasterForm&) = delete;

    // Opens the form. Returns false when the form is already over (see response()).
    bool open();
    // OK. Returns true when the form is over.
    bool ok();
    // Cancel or the close box. Returns true when the form is over.
    bool cancel();

    const MasterFormSpec& spec() const { return m_spec; }
    Request request() const { return m_request; }
    // The window title for the request.
    std::string windowTitle() const;
    // "Record Will Be Added" / "Record Will Be Changed" / "Record Will Be Deleted".
    std::string statusText() const;
    Table& table() { return m_table; }
    Database& database() { return m_db; }
    UiPort& ui() { return m_ui; }

    bool isChanged() const;
    // Ctrl+': field back to its value at open (after another station's change: the
    // value the user had typed).
    void recallField(int field);
    bool isClosed() const { return m_closed; }
    WindowResponse response() const { return m_response; }

    // The field the cursor is to go to (set after a refused save), -1 for none; the
    // view reads and clears it.
    int takeFocusRequest();
    // Called when the buffer was replaced as a whole (another station's version).
    void setReloadListener(std::function<void()> listener) { m_onReload = std::move(listener); }
    // Tells the view to show every field again.
    void reloaded();

    // --- what the form shows and the events of its fields ---
    const FormLayout& layout() const { return m_layout; }
    // A field's entry was accepted (its value is in the buffer). False: refused, the
    // cursor stays on the field. Fields may have changed others (a built name).
    virtual bool accept(int field);
    // Double-click on a field (an e-mail or web address).
    virtual void doubleClick(int field);
    // The "..." button of a look-up field; true when a value was picked.
    virtual bool lookup(int field);
    // Owner text handed to related lists' forms (the customer's or product's key).
    virtual std::string owner() const { return {}; }

protected:
    // Insert: fills the cleared buffer (defaults); false ends the form.
    virtual bool primeInsert() { return true; }
    // Before the form opens for any request; false ends the form (cancelled).
    virtual bool mayOpen() { return true; }
    // OK: the window's own checks; false keeps the form open unsaved.
    virtual bool checkBeforeSave() { return true; }
    // OK, after the checks and before the record is written; false keeps the form open.
    virtual bool beforeWrite() { return true; }
    // After the record was written (completed).
    virtual void afterWrite() {}
    // OK, after checkBeforeSave(), for a form that writes its record its own way (its
    // own numbering and messages): Completed or Cancelled ends the form so, None keeps
    // it open. The default, nullopt, lets the pattern write.
    virtual std::optional<Response> writeRecord() { return std::nullopt; }
    // After a cancelled insert (the numbered record, if any, is already gone).
    virtual void afterCancelledInsert() {}
    // The field the cursor returns to after a duplicate key (default: the first).
    virtual int firstField() const { return 0; }

    void requestFocus(int field) { m_focus = field; }
    FormLayout& mutableLayout() { return m_layout; }
    void finish(Response response);
    const std::vector<unsigned char>& original() const { return m_original; }

private:
    // Adds (or rewrites) the buffer after the key and the window's checks.
    bool store(bool add);
    bool writeInsert();
    bool writeNumbered();
    bool writeChange();
    bool removeRecord();
    bool blankIdentity();
    void duplicateKeyMessage(int key);
    void takeCopy();
    void makeCurrent();

    Database& m_db;
    UiPort& m_ui;
    Table& m_table;
    MasterFormSpec m_spec;
    Request m_request;
    std::vector<unsigned char> m_original;
    std::vector<unsigned char> m_recall;
    bool m_added = false;  // a numbered insert's record is stored
    bool m_closed = false;
    int m_focus = -1;
    WindowResponse m_response;
    std::function<void()> m_onReload;
    FormLayout m_layout;
};

}  // namespace quay::core
