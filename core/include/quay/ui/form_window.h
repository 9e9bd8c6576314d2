// FormWindow: the logic every record form shares. A form is called with request
// 1 (insert), 2 (change) or 3 (delete) and the caller's table handle holding the
// record, and answers 1 (completed) or 2 (cancelled).
//
//   insert: the new record is primed (numbered) and added when the form opens, so
//           the number is taken at once; OK writes the entered values into it;
//           cancelling deletes it again, so a cancelled insert leaves nothing.
//   change: a copy of the record is taken at open; OK writes only when a field
//           differs from it. Another station's change meanwhile (89) shows "Record
//           Was Not Updated" and the other station's version; the user's own
//           values stay available to Ctrl+' field by field.
//   delete: "Confirm Delete" is asked at open; OK deletes.
//
// Messages are the standard ones: "Duplicate Key Error" with the key's label (the
// cursor goes back to the first field), "Record Insert Error", "Update Cancelled",
// "Record Added", "Record Update Error", "Delete Operation Error".
//
// Ctrl+' in a field restores the value the field had when the window opened (after
// a 89, the value the user had typed).
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "quay/app/ui_port.h"
#include "quay/export.h"
#include "quay/store/error_code.h"
#include "quay/store/table.h"

namespace quay::core {

struct FormSpec {
    std::string procedure;  // the window's name and settings section: "VendorForm"
    std::string title;      // "Vendor Form"
    std::string insertText = "Record Will Be Added";
    std::string changeText = "Record Will Be Changed";
    std::string deleteText = "Record Will Be Deleted";
    // After a completed insert ask "Record Added" and, on Yes, start the next insert.
    bool askAddAnother = false;
    // Ask "Update Cancelled" before discarding entered values.
    bool confirmCancel = true;
    bool allowInsert = true;
    bool allowChange = true;
    bool allowDelete = true;
    // Fills a cleared buffer for a new record (numbering, defaults); the record is
    // added afterwards. Returns the store's code; anything but None ends the insert.
    std::function<ErrorCode(Table&)> prime;
    // Writes the changed record (default: put()). Forms with rules (renames carried
    // to other tables, a transaction) replace it.
    std::function<ErrorCode(Table&)> writeChange;
    // Deletes the current record (default: erase()).
    std::function<ErrorCode(Table&)> eraseRecord;
};

class QUAY_EXPORT FormWindow {
public:
    // REQUIRES: `table` is open and outlives the form; for change and delete it
    // holds the record as read (current).
    FormWindow(UiPort& ui, Table& table, FormSpec spec, const WindowRequest& request);
    virtual ~FormWindow();
    FormWindow(const FormWindow&) = delete;
    FormWindow& operator=(const FormWindow&) = delete;

    // Opens the form: adds the new record, takes the copy, or asks and deletes.
    // Returns false when the form is already over (see response()).
    bool open();
    // Opens as an insert of a record the caller has already added (it is current in
    // the table): OK writes the entered values into it, cancel deletes it.
    bool openAdded();

    const FormSpec& spec() const { return m_spec; }
    Request request() const { return m_request; }
    // "Record Will Be Added" / "Record Will Be Changed" / "Record Will Be Deleted".
    const std::string& statusText() const;
    Table& table() { return m_table; }
    void* record() { return m_table.buffer(); }

    // True when the record differs from the copy taken at open.
    bool isChanged() const;
    // Ctrl+': field `field` back to its value at open (after a 89: the user's value).
    void recallField(int field);

    // OK: writes as the request says. Returns true when the form is over.
    bool ok();
    // Cancel (also the window's close box). Returns true when the form is over.
    bool cancel();

    bool isClosed() const { return m_closed; }
    WindowResponse response() const { return m_response; }

    // Set when the cursor must go back to the first field (after a duplicate key);
    // the view reads and clears it.
    bool takeFirstFieldRequest();
    // Called when the record in the buffer was replaced as a whole (another station's
    // version, the next insert): the view shows every field again.
    void setReloadListener(std::function<void()> listener) { m_onReload = std::move(listener); }

protected:
    // Reports a finished form; the default sets the response and glo.GlobalResponse.
    void finish(Response response);

private:
    bool startInsert();
    void takeCopy();
    bool writeInsert();
    bool writeChange();
    void reload();
    void duplicateKeyMessage();

    UiPort& m_ui;
    Table& m_table;
    FormSpec m_spec;
    Request m_request;
    std::vector<unsigned char> m_original;  // the record as at open (as added, for an insert)
    std::vector<unsigned char> m_recall;    // what Ctrl+' restores
    bool m_added = false;                   // the insert's record is in the table
    bool m_closed = false;
    bool m_firstField = false;
    WindowResponse m_response;
    std::function<void()> m_onReload;
};

}  // namespace quay::core
