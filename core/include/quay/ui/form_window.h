// FormWindow: the logic every form of the program shares: the company defaults,
// the master-record forms (customers, products, vendors, salespeople, terms,
// manufacturers, groups, shipping methods, and the numbered notes and vendor part
// numbers kept beside them) and the dialogs of order entry (header, line, invoice,
// payment, serial number, notes). A form is called with request 1 (insert), 2
// (change) or 3 (delete) and answers 1 (completed) or 2 (cancelled).
//
// A form edits one record buffer described by a table description, and keeps the
// copy it took when it opened: Cancel asks before throwing changes away, and a
// change is written only when the buffer differs from the copy.
//
// Stored forms work on the caller's table handle; on completion the record is
// current there, so a list can highlight it.
//   insert, record known by its name or code: the buffer is cleared and primed at
//           open; OK adds it. A blank identity is refused, a taken one gives
//           "Duplicate Key Error" with the key's label and the cursor goes back to
//           the first field; another failure "Record Insert Error".
//   insert, numbered record (a note, a vendor part number, the first company
//           record): the record is added at open with the next number (three
//           tries, then "Auto Increment Error"), or by the caller (openAdded); OK
//           writes the entered values into it, cancelling deletes it again.
//   change: OK writes only when something differs, through the master-record
//           rules in one transaction, so a new name reaches every record that
//           names the old one. Another station's change shows "Record Was Not
//           Updated" and that station's version; the user's values stay
//           available to Ctrl+'. Another failure asks "Record Update Error" (Yes
//           again, No close unsaved, Cancel back to the form).
//   delete: "Confirm Delete" at open; the rules delete the record (dependants go
//           with it or the delete is refused while one exists). With
//           FormSpec::deleteAtOk the form opens on the record and OK deletes it.
//
// Buffer forms (the dialogs of order entry) fill a buffer that their caller
// stores: OK completes once the window's checks pass, Cancel puts the buffer back
// as it was at open.
//
// A refused OK or entry says which field and why (notice()) and asks the view to
// put the cursor there (takeFocusRequest()). Subclasses add the checks and side
// effects of their window through the hooks. Not thread-safe: a form lives on its
// window's thread.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "quay/app/standard_messages.h"
#include "quay/app/ui_port.h"
#include "quay/export.h"
#include "quay/store/database.h"
#include "quay/store/table.h"
#include "quay/ui/form_layout.h"

namespace quay::core {

struct FormSpec {
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
    // Delete shows the record ("Record will be Deleted") and OK removes it, instead of
    // "Confirm Delete" at open (the charge form).
    bool deleteAtOk = false;
};

class QUAY_EXPORT FormWindow {
public:
    static constexpr int kBeepFrequency = 150;
    static constexpr int kBeepDuration = 16;

    // A stored record. REQUIRES: `table` is open on `db` and outlives the form; for
    // change and delete it holds the record as read.
    FormWindow(Database& db, UiPort& ui, Table& table, FormSpec spec, const WindowRequest& request);
    // A record in a buffer the caller stores. REQUIRES: `buffer` is a record of
    // `desc` and outlives the form.
    FormWindow(UiPort& ui, const TableDesc& desc, void* buffer, FormSpec spec, const WindowRequest& request);
    virtual ~FormWindow();
    FormWindow(const FormWindow&) = delete;
    FormWindow& operator=(const FormWindow&) = delete;

    // Opens the form. Returns false when the form is already over (see response()).
    bool open();
    // Opens as an insert of a record the caller has already added (current in the
    // table): OK writes the entered values into it, cancel deletes it.
    bool openAdded();
    // OK. Returns true when the form is over.
    bool ok();
    // Cancel, Escape or the close box. Returns true when the form is over.
    // `entryPending`: the user has typed into a field not yet read back, which
    // counts as a change to ask about.
    bool cancel(bool entryPending = false);

    const FormSpec& spec() const { return m_spec; }
    Request request() const { return m_request; }
    // The window title for the request.
    std::string windowTitle() const;
    // Stored forms: "Record Will Be Added" / "Record Will Be Changed" / "Record Will
    // Be Deleted"; buffer forms: empty. A form with texts of its own says them instead.
    virtual std::string statusText() const;

    const TableDesc& desc() const { return m_desc; }
    void* buffer() { return m_buffer; }
    const void* buffer() const { return m_buffer; }
    bool isStored() const { return m_table != nullptr; }
    // REQUIRES: isStored().
    Table& table() { return *m_table; }
    Database& database() { return *m_db; }
    UiPort& ui() { return m_ui; }

    // True when the buffer differs from the copy taken at open.
    bool isChanged() const;
    // Ctrl+': field back to its value at open (after another station's change: the
    // value the user had typed). A form with a ditto of its own (the last record it
    // saved) copies from there instead.
    virtual void recallField(int field);
    bool isClosed() const { return m_closed; }
    WindowResponse response() const { return m_response; }

    // The field the cursor is to go to (set after a refusal), -1 for none; the view
    // reads and clears it.
    int takeFocusRequest();
    // Why the last OK or entry was refused, in the program's words ("Choose the
    // customer's price class."); empty when nothing was refused since.
    const std::string& notice() const { return m_notice; }
    // Called when the buffer was replaced as a whole (another station's version, a
    // customer's values copied in): the view shows every field again.
    void setReloadListener(std::function<void()> listener) { m_onReload = std::move(listener); }
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
    // Owner number handed to related lists' forms (a purchase order's number), 0 for none.
    virtual std::int32_t ownerNumber() const { return 0; }

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
    // After a cancelled change (the buffer is back as it was at open).
    virtual void afterCancelledChange() {}
    // The field the cursor returns to after a duplicate key (default: the first).
    virtual int firstField() const { return 0; }
    // Delete (after "Confirm Delete"): removes the record through the master-record
    // rules, asking "Record Update Error" again on failure, and finishes the form. A
    // form whose record takes others with it in one transaction of its own overrides
    // it. Always returns true (the form is over).
    virtual bool removeRecord();
    // Cancel of a numbered insert: deletes the record added at open (the buffer holds
    // the user's values). False when it could not be deleted (the user was told).
    virtual bool eraseAdded();

    void requestFocus(int field) { m_focus = field; }
    // Refuses OK or an entry: beeps, keeps `reason` for the view and sends the cursor
    // to `field`. Always false, for `return refuse(...)`.
    bool refuse(int field, std::string reason);
    void clearNotice() { m_notice.clear(); }
    FormLayout& mutableLayout() { return m_layout; }
    void finish(Response response);
    const std::vector<unsigned char>& original() const { return m_original; }
    // Takes the copy again from the buffer (after the form has shown another
    // station's version of its own accord): Cancel and the next OK compare with it.
    void takeCopy();

private:
    // Adds (or rewrites) the buffer after the key and the window's checks.
    bool store(bool add);
    bool writeInsert();
    bool writeAdded();
    bool writeChange();
    bool writeBuffer();
    bool blankIdentity();
    void duplicateKeyMessage(int key);
    std::vector<unsigned char> snapshot() const;
    void restore(const std::vector<unsigned char>& image);
    void makeCurrent();

    Database* m_db = nullptr;
    UiPort& m_ui;
    Table* m_table = nullptr;
    const TableDesc& m_desc;
    void* m_buffer;
    FormSpec m_spec;
    Request m_request;
    std::vector<unsigned char> m_original;
    std::vector<unsigned char> m_recall;
    bool m_added = false;  // a numbered insert's record is stored
    bool m_closed = false;
    int m_focus = -1;
    std::string m_notice;
    WindowResponse m_response;
    std::function<void()> m_onReload;
    FormLayout m_layout;
};

}  // namespace quay::core
