// The record form pattern.
//
// Insert:  open: clear, prime, add (failure: "Record Insert Error", form over)
//          OK:   put when changed; duplicate: message 24, stay; other: 14, stay;
//                then "Record Added" when asked for (Yes: next insert)
//          Cancel: "Update Cancelled" when changed (No: stay); the added record is
//                erased
// Change:  open: copy, watch
//          OK:   nothing when unchanged; put; 89: message 38, show the other
//                station's version, keep the user's values for Ctrl+'; duplicate:
//                24; other: 16 (Yes again, No close unsaved, Cancel stay)
//          Cancel: "Update Cancelled" when changed
// Delete:  open: "Confirm Delete" (OK: erase; failure: 17)
#include "quay/ui/form_window.h"

#include <cstring>

#include "quay/app/globals.h"
#include "quay/app/last_error.h"
#include "quay/app/standard_messages.h"
#include "quay/ui/record_fields.h"

namespace quay::core {

namespace {

std::vector<unsigned char> snapshot(Table& t) {
    const auto* p = static_cast<const unsigned char*>(t.buffer());
    return std::vector<unsigned char>(p, p + t.desc().recordSize);
}

void restore(Table& t, const std::vector<unsigned char>& image) { std::memcpy(t.buffer(), image.data(), image.size()); }

}  // namespace

FormWindow::FormWindow(UiPort& ui, Table& table, FormSpec spec, const WindowRequest& request)
    : m_ui(ui), m_table(table), m_spec(std::move(spec)), m_request(request.request) {
    m_response.response = Response::Cancelled;
}

FormWindow::~FormWindow() = default;

const std::string& FormWindow::statusText() const {
    switch (m_request) {
        case Request::Insert: return m_spec.insertText;
        case Request::Delete: return m_spec.deleteText;
        default: return m_spec.changeText;
    }
}

void FormWindow::finish(Response response) {
    m_closed = true;
    m_response.response = response;
    glo.GlobalResponse = response;
}

void FormWindow::takeCopy() {
    m_original = snapshot(m_table);
    m_recall = m_original;
}

bool FormWindow::startInsert() {
    m_table.clear();
    if (m_spec.prime) {
        if (const ErrorCode ec = m_spec.prime(m_table); ec != ErrorCode::None) {
            saveError(m_table);
            showStandardMessage(m_ui, StandardMessage::InsertError);
            finish(Response::Cancelled);
            return false;
        }
    }
    if (m_table.add() != ErrorCode::None) {
        if (m_table.lastError() == ErrorCode::DuplicateKey) duplicateKeyMessage();
        else {
            saveError(m_table);
            showStandardMessage(m_ui, StandardMessage::InsertError);
        }
        finish(Response::Cancelled);
        return false;
    }
    m_added = true;
    takeCopy();
    return true;
}

bool FormWindow::open() {
    switch (m_request) {
        case Request::Insert:
            if (!m_spec.allowInsert) {
                showStandardMessage(m_ui, StandardMessage::InsertDisabled);
                finish(Response::Cancelled);
                return false;
            }
            return startInsert();
        case Request::Change:
            if (!m_spec.allowChange) {
                showStandardMessage(m_ui, StandardMessage::UpdateDisabled);
                finish(Response::Cancelled);
                return false;
            }
            takeCopy();
            m_table.watch();
            return true;
        case Request::Delete: {
            if (!m_spec.allowDelete) {
                showStandardMessage(m_ui, StandardMessage::DeleteDisabled);
                finish(Response::Cancelled);
                return false;
            }
            takeCopy();
            if (showStandardMessage(m_ui, StandardMessage::ConfirmDelete) != Button::Ok) {
                finish(Response::Cancelled);
                return false;
            }
            const ErrorCode ec = m_spec.eraseRecord ? m_spec.eraseRecord(m_table) : m_table.erase();
            if (ec != ErrorCode::None) {
                saveError(m_table);
                showStandardMessage(m_ui, StandardMessage::DeleteError, {m_table.desc().name});
                finish(Response::Cancelled);
                return false;
            }
            finish(Response::Completed);
            return false;
        }
        default:
            finish(Response::Cancelled);
            return false;
    }
}

bool FormWindow::openAdded() {
    m_request = Request::Insert;
    m_added = true;
    takeCopy();
    return true;
}

bool FormWindow::isChanged() const {
    return !m_original.empty() && !recordsEqual(m_table.desc(), m_original.data(), m_table.buffer());
}

void FormWindow::recallField(int field) {
    if (m_recall.empty()) return;
    copyField(m_table.desc(), field, m_recall.data(), m_table.buffer());
}

bool FormWindow::takeFirstFieldRequest() {
    const bool r = m_firstField;
    m_firstField = false;
    return r;
}

void FormWindow::reload() {
    if (m_onReload) m_onReload();
}

void FormWindow::duplicateKeyMessage() {
    const int key = m_table.duplicateKey();
    std::string label;
    if (key >= 0 && static_cast<std::size_t>(key) < m_table.desc().keys.size())
        label = m_table.desc().keys[static_cast<std::size_t>(key)].label;
    showStandardMessage(m_ui, StandardMessage::DuplicateKey, {label});
    m_firstField = true;
}

bool FormWindow::writeInsert() {
    if (isChanged()) {
        const ErrorCode ec = m_spec.writeChange ? m_spec.writeChange(m_table) : m_table.put();
        if (ec == ErrorCode::DuplicateKey) {
            duplicateKeyMessage();
            return false;
        }
        if (ec != ErrorCode::None) {
            saveError(m_table);
            showStandardMessage(m_ui, StandardMessage::InsertError);
            return false;
        }
    }
    m_added = false;
    if (m_spec.askAddAnother && showStandardMessage(m_ui, StandardMessage::RecordAdded) == Button::Yes) {
        glo.GlobalResponse = Response::Completed;
        if (startInsert()) reload();
        return m_closed;
    }
    finish(Response::Completed);
    return true;
}

bool FormWindow::writeChange() {
    if (!isChanged()) {
        finish(Response::Completed);
        return true;
    }
    for (;;) {
        const ErrorCode ec = m_spec.writeChange ? m_spec.writeChange(m_table) : m_table.put();
        if (ec == ErrorCode::None) {
            finish(Response::Completed);
            return true;
        }
        if (ec == ErrorCode::ChangedByOtherStation) {
            showStandardMessage(m_ui, StandardMessage::RecordChanged);
            // Keep what the user typed for Ctrl+', show the other station's version
            // and compare the next OK against it.
            const auto mine = snapshot(m_table);
            const std::string position = m_table.position();
            if (m_table.reget(position) != ErrorCode::None) {
                // Deleted by the other station meanwhile: nothing left to change.
                saveError(m_table);
                showStandardMessage(m_ui, StandardMessage::UpdateError, {m_table.desc().name});
                finish(Response::Cancelled);
                return true;
            }
            takeCopy();
            m_recall = mine;
            m_table.watch();
            reload();
            return false;
        }
        if (ec == ErrorCode::DuplicateKey) {
            duplicateKeyMessage();
            return false;
        }
        saveError(m_table);
        switch (showStandardMessage(m_ui, StandardMessage::RetryUpdate)) {
            case Button::Yes: continue;
            case Button::No: finish(Response::Cancelled); return true;
            default: return false;
        }
    }
}

bool FormWindow::ok() {
    if (m_closed) return true;
    switch (m_request) {
        case Request::Insert: return writeInsert();
        case Request::Change: return writeChange();
        default: finish(Response::Cancelled); return true;
    }
}

bool FormWindow::cancel() {
    if (m_closed) return true;
    if (m_spec.confirmCancel && isChanged() &&
        showStandardMessage(m_ui, StandardMessage::ConfirmCancel) != Button::Yes)
        return false;
    if (m_request == Request::Insert && m_added) {
        // The record added at open goes again; read it back first in case the buffer
        // was changed by a failed write.
        const std::string position = m_table.position();
        if (!position.empty()) m_table.reget(position);
        if (m_table.erase() != ErrorCode::None) {
            saveError(m_table);
            showStandardMessage(m_ui, StandardMessage::DeleteError, {m_table.desc().name});
        } else {
            m_added = false;
        }
    } else if (m_request == Request::Change) {
        restore(m_table, m_original);
    }
    finish(Response::Cancelled);
    return true;
}

}  // namespace quay::core
