// The company defaults window's logic.
//
// The record is read with GETCOMPANYDEFAULTS (the first record in file order);
// without one, createCompanyRecord numbers and adds it inside a transaction and the
// form runs as an insert of that record. The change is written by the form
// pattern in a transaction over Defaults alone, so a failure leaves the stored
// record as it was.
#include "quay/company/defaults_form.h"

#include "quay/app/globals.h"
#include "quay/app/last_error.h"
#include "quay/app/standard_messages.h"
#include "quay/defaults/company_defaults.h"
#include "quay/tools/format_phone.h"

namespace quay::core {

std::vector<std::string> DefaultsForm::methods() { return {"DISCOUNT", "MARKUP", "MARGIN"}; }

// The company record on the form pattern, with the window's own check.
class DefaultsForm::Record : public FormWindow {
public:
    Record(Database& db, UiPort& ui, Handle<Defaults>& h, const WindowRequest& request)
        : FormWindow(db, ui, h, spec(), request), m_rec(h.rec) {}

protected:
    bool checkBeforeSave() override {
        if (m_rec.COMPANYNAME.isBlank()) return refuse(fieldOf(&Defaults::COMPANYNAME), kNameRequired);
        return true;
    }

private:
    static FormSpec spec() {
        FormSpec s;
        s.procedure = kProcedure;
        s.title = kTitle;
        return s;
    }
    Defaults& m_rec;
};

DefaultsForm::DefaultsForm(UiPort& ui, Database& db) : m_ui(ui), m_db(db) {}

DefaultsForm::~DefaultsForm() = default;

bool DefaultsForm::open() {
    m_defaults = std::make_unique<HeldTable<Defaults>>(m_db, m_ui);
    if (!m_defaults->isOpen()) {
        m_closed = true;
        return false;
    }
    Handle<Defaults>& h = m_defaults->handle;
    WindowRequest request;

    if (GETCOMPANYDEFAULTS(h, 1) == 0) {
        request.request = Request::Change;
        m_form = std::make_unique<Record>(m_db, m_ui, h, request);
        return m_form->open();
    }
    for (;;) {
        const ErrorCode ec = createCompanyRecord(m_db, h, CompanyCreation::FromDefaultsForm);
        if (ec == ErrorCode::None) break;
        saveError(h);
        // Three numbering collisions: "Auto Increment Error" offers to number again.
        if (ec == ErrorCode::DuplicateKey &&
            showStandardMessage(m_ui, StandardMessage::AutoIncrementError) == Button::Retry)
            continue;
        if (ec != ErrorCode::DuplicateKey)
            showStandardMessage(m_ui, StandardMessage::RecordRetrievalError, {"Defaults"});
        m_closed = true;
        glo.GlobalResponse = Response::Cancelled;
        return false;
    }
    request.request = Request::Insert;
    m_form = std::make_unique<Record>(m_db, m_ui, h, request);
    return m_form->openAdded();
}

std::string DefaultsForm::statusText() const { return m_form ? m_form->statusText() : std::string(); }

WindowResponse DefaultsForm::response() const {
    if (m_form) return m_form->response();
    return WindowResponse{Response::Cancelled, 0, {}};
}

bool DefaultsForm::acceptPhone(Phone which) {
    Defaults& d = rec();
    FixedString<13>& field = which == Phone::Phone1 ? d.PHONE1 : which == Phone::Phone2 ? d.PHONE2 : d.FAX;
    const PhoneResult r = formatPhone(field.view(), d.DEFAREACODE);
    glo.GlobalResponse = r.accepted ? Response::Completed : Response::Cancelled;
    if (!r.accepted) {
        m_ui.beep(kBeepFrequency, kBeepDuration);
        return false;
    }
    field = r.text;
    return true;
}

Response DEFAULTSFORM(UiPort& ui) {
    const WindowResponse r = ui.runWindow(DefaultsForm::kProcedure, WindowRequest{});
    glo.GlobalResponse = r.response;
    return r.response;
}

}  // namespace quay::core
