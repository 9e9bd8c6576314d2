// The form pattern.
//
// Insert (by name):  open: clear, prime        OK: checks, blank identity refused,
//                    taken key -> 24, add (other failure -> 14)   Cancel: ask when changed
// Insert (numbered): open: clear, prime, add with the next number (or the form ends);
//                    or the caller added it (openAdded)
//                    OK: checks, put when changed (taken key -> 24)
//                    Cancel: ask when changed, delete the record added at open
// Change:            open: copy, watch        OK: nothing when unchanged; taken key ->
//                    24; the rules' change (89 -> the other station's version, kept as
//                    the new copy; failure -> 16)   Cancel: ask when changed, restore
// Delete:            open: 32, the rules' delete (failure -> 18: Yes again); or, when
//                    deleted at OK, open: copy   OK: the delete
// Buffer forms:      open: copy               OK: checks, completed
//                    Cancel: ask when changed, restore
//
// A key taken by another record is tested before anything is written, so that a
// form whose save goes on to write notes or vendor part numbers never writes them
// for a record that is then refused.
//
// The copy is taken field by field through the description, so a buffer that also
// holds values the description does not name (a line's notes) is never copied as
// raw bytes.
#include "quay/ui/form_window.h"

#include "quay/app/globals.h"
#include "quay/app/last_error.h"
#include "quay/masters/master_records.h"
#include "quay/masters/numbered_insert.h"
#include "quay/ui/record_fields.h"

namespace quay::core {
namespace {

int primaryKey(const TableDesc& desc) {
    for (std::size_t k = 0; k < desc.keys.size(); ++k) {
        if (desc.keys[k].primary) return static_cast<int>(k);
    }
    return 0;
}

// The first unique key on which the buffer collides with another stored record, or -1.
int takenKey(Table& t) {
    const TableDesc& desc = t.desc();
    for (std::size_t k = 0; k < desc.keys.size(); ++k) {
        if (desc.keys[k].unique && t.duplicate(KeyId{static_cast<int>(k)})) return static_cast<int>(k);
    }
    return -1;
}

}  // namespace

FormWindow::FormWindow(Database& db, UiPort& ui, Table& table, FormSpec spec, const WindowRequest& request)
    : m_db(&db),
      m_ui(ui),
      m_table(&table),
      m_desc(table.desc()),
      m_buffer(table.buffer()),
      m_spec(std::move(spec)),
      m_request(request.request) {
    m_response.response = Response::Cancelled;
}

FormWindow::FormWindow(UiPort& ui, const TableDesc& desc, void* buffer, FormSpec spec, const WindowRequest& request)
    : m_ui(ui), m_desc(desc), m_buffer(buffer), m_spec(std::move(spec)), m_request(request.request) {
    m_response.response = Response::Cancelled;
}

FormWindow::~FormWindow() = default;

std::string FormWindow::windowTitle() const {
    if (m_request == Request::Insert && !m_spec.insertTitle.empty()) return m_spec.insertTitle;
    if (m_request == Request::Change && !m_spec.changeTitle.empty()) return m_spec.changeTitle;
    return m_spec.title;
}

std::string FormWindow::statusText() const {
    if (!isStored()) return {};
    switch (m_request) {
    case Request::Insert: return "Record Will Be Added";
    case Request::Delete: return "Record Will Be Deleted";
    default: return "Record Will Be Changed";
    }
}

void FormWindow::finish(Response response) {
    m_closed = true;
    m_response.response = response;
    glo.GlobalResponse = response;
}

std::vector<unsigned char> FormWindow::snapshot() const {
    std::vector<unsigned char> image(m_desc.recordSize, 0);
    for (std::size_t i = 0; i < m_desc.fields.size(); ++i)
        copyField(m_desc, static_cast<int>(i), m_buffer, image.data());
    return image;
}

void FormWindow::restore(const std::vector<unsigned char>& image) {
    if (image.empty()) return;
    for (std::size_t i = 0; i < m_desc.fields.size(); ++i)
        copyField(m_desc, static_cast<int>(i), image.data(), m_buffer);
}

void FormWindow::takeCopy() {
    m_original = snapshot();
    m_recall = m_original;
}

void FormWindow::reloaded() {
    if (m_onReload) m_onReload();
}

int FormWindow::takeFocusRequest() {
    const int f = m_focus;
    m_focus = -1;
    return f;
}

bool FormWindow::refuse(int field, std::string reason) {
    m_ui.beep(kBeepFrequency, kBeepDuration);
    m_notice = std::move(reason);
    requestFocus(field);
    return false;
}

bool FormWindow::open() {
    if (!mayOpen()) {
        finish(Response::Cancelled);
        return false;
    }
    switch (m_request) {
    case Request::Insert:
        if (isStored()) m_table->clear();
        if (!primeInsert()) {
            finish(Response::Cancelled);
            return false;
        }
        if (isStored() && m_spec.numberField >= 0) {
            if (addNumbered(*m_db, m_ui, *m_table, m_spec.numberKey, m_spec.numberField) != NumberedInsert::Added) {
                finish(Response::Cancelled);
                return false;
            }
            m_added = true;
        }
        takeCopy();
        return true;
    case Request::Change:
        takeCopy();
        if (isStored()) m_table->watch();
        return true;
    case Request::Delete:
        if (!isStored()) break;
        takeCopy();
        if (m_spec.deleteAtOk) return true;
        if (showStandardMessage(m_ui, StandardMessage::ConfirmDelete) != Button::Ok) {
            finish(Response::Cancelled);
            return false;
        }
        removeRecord();
        return false;
    default: break;
    }
    finish(Response::Cancelled);
    return false;
}

bool FormWindow::openAdded() {
    m_request = Request::Insert;
    m_added = isStored();
    takeCopy();
    return true;
}

bool FormWindow::isChanged() const { return !m_original.empty() && !recordsEqual(m_desc, m_original.data(), m_buffer); }

void FormWindow::recallField(int field) {
    if (m_recall.empty() || field < 0) return;
    copyField(m_desc, field, m_recall.data(), m_buffer);
}

void FormWindow::duplicateKeyMessage(int key) {
    std::string label;
    if (key >= 0 && static_cast<std::size_t>(key) < m_desc.keys.size())
        label = m_desc.keys[static_cast<std::size_t>(key)].label;
    clearSavedError();
    showStandardMessage(m_ui, StandardMessage::DuplicateKey, {label});
    requestFocus(firstField());
}

bool FormWindow::blankIdentity() {
    const KeyDesc& key = m_desc.keys[static_cast<std::size_t>(primaryKey(m_desc))];
    if (key.parts.size() != 1) return false;
    const int field = key.parts.front().field;
    if (m_desc.fields[static_cast<std::size_t>(field)].type != FieldType::String) return false;
    if (!fieldText(m_desc, field, m_buffer).empty()) return false;
    // A record without a name could never be told apart or referred to.
    const std::string text =
        "The " + m_desc.fields[static_cast<std::size_t>(field)].name + " of this record may not be blank.";
    m_ui.message(m_request == Request::Insert ? "Record Insert Error" : "Update Operation Error", text, Icon::Warning,
                 Button::Ok, Button::Ok);
    m_notice = text;
    requestFocus(firstField());
    return true;
}

void FormWindow::makeCurrent() {
    // The rules wrote through handles of their own: read the record back into the
    // caller's handle so that it is current there (the list highlights it).
    m_table->get(KeyId{primaryKey(m_desc)});
}

bool FormWindow::store(bool add) {
    if (const int key = takenKey(*m_table); key >= 0) {
        duplicateKeyMessage(key);
        return false;
    }
    if (!beforeWrite()) return false;
    const ErrorCode ec = add ? m_table->add() : m_table->put();
    if (ec == ErrorCode::DuplicateKey) {
        duplicateKeyMessage(m_table->duplicateKey());
        return false;
    }
    if (ec != ErrorCode::None) {
        saveError(*m_table);
        showStandardMessage(m_ui, StandardMessage::InsertError);
        return false;
    }
    return true;
}

bool FormWindow::writeInsert() {
    if (blankIdentity() || !store(true)) return false;
    afterWrite();
    finish(Response::Completed);
    return true;
}

bool FormWindow::writeAdded() {
    if (isChanged() && !store(false)) return false;
    m_added = false;
    afterWrite();
    finish(Response::Completed);
    return true;
}

bool FormWindow::writeBuffer() {
    if (!beforeWrite()) return false;
    afterWrite();
    finish(Response::Completed);
    return true;
}

bool FormWindow::writeChange() {
    if (!beforeWrite()) return false;
    if (!isChanged()) {
        finish(Response::Completed);
        return true;
    }
    if (blankIdentity()) return false;
    if (const int key = takenKey(*m_table); key >= 0) {
        duplicateKeyMessage(key);
        return false;
    }
    MasterRecords rules(*m_db, m_ui);
    for (;;) {
        const std::vector<unsigned char> mine = snapshot();
        const MasterOutcome outcome = rules.change(m_desc, m_original.data(), m_buffer, true);
        switch (outcome) {
        case MasterOutcome::Done:
            makeCurrent();
            afterWrite();
            finish(Response::Completed);
            return true;
        case MasterOutcome::ChangedElsewhere:
            // m_original now holds the other station's version: show it, compare
            // the next OK against it, and keep the user's values for Ctrl+'.
            restore(m_original);
            m_recall = mine;
            makeCurrent();
            m_table->watch();
            reloaded();
            return false;
        case MasterOutcome::ProgramEnded: finish(Response::Cancelled); return true;
        default: break;
        }
        switch (showStandardMessage(m_ui, StandardMessage::RetryUpdate)) {
        case Button::Yes: continue;
        case Button::No:
            restore(m_original);
            finish(Response::Cancelled);
            return true;
        default: return false;
        }
    }
}

bool FormWindow::removeRecord() {
    MasterRecords rules(*m_db, m_ui);
    for (;;) {
        switch (rules.remove(m_desc, m_buffer)) {
        case MasterOutcome::Done: finish(Response::Completed); return true;
        case MasterOutcome::Failed:
            if (showStandardMessage(m_ui, StandardMessage::RetryDelete) == Button::Yes) continue;
            finish(Response::Cancelled);
            return true;
        default: finish(Response::Cancelled); return true;
        }
    }
}

bool FormWindow::ok() {
    if (m_closed) return true;
    m_notice.clear();
    m_focus = -1;
    if (!checkBeforeSave()) return false;
    if (const std::optional<Response> own = writeRecord()) {
        if (*own == Response::None) return false;
        finish(*own);
        return true;
    }
    if (!isStored()) return writeBuffer();
    switch (m_request) {
    case Request::Insert: return m_added ? writeAdded() : writeInsert();
    case Request::Change: return writeChange();
    case Request::Delete:
        if (m_spec.deleteAtOk) return removeRecord();
        [[fallthrough]];
    default: finish(Response::Cancelled); return true;
    }
}

bool FormWindow::cancel(bool entryPending) {
    if (m_closed) return true;
    if (isChanged() || entryPending) {
        const Button b = showStandardMessage(m_ui, m_spec.cancelQuestion);
        if (m_spec.cancelQuestion == StandardMessage::SaveOnCancel) {
            if (b == Button::Yes) return ok();
            if (b != Button::No) return false;
        } else if (b != Button::Yes) {
            return false;
        }
    }
    if (!isStored()) {
        restore(m_original);
    } else if (m_request == Request::Insert) {
        if (m_added && eraseAdded()) m_added = false;
        afterCancelledInsert();
        m_table->clear();
    } else if (m_request == Request::Change) {
        restore(m_original);
        afterCancelledChange();
    }
    finish(Response::Cancelled);
    return true;
}

bool FormWindow::eraseAdded() {
    // The record added at open goes again; read it back first, the buffer holds the
    // user's values.
    const std::string position = m_table->position();
    if (!position.empty()) m_table->reget(position);
    if (m_table->erase() != ErrorCode::None) {
        saveError(*m_table);
        showStandardMessage(m_ui, StandardMessage::DeleteError, {m_desc.name});
        return false;
    }
    return true;
}

bool FormWindow::accept(int) { return true; }
void FormWindow::doubleClick(int) {}
bool FormWindow::lookup(int) { return false; }

}  // namespace quay::core
