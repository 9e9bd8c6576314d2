// The receivables list: the customer list pattern with the account window as its
// form.
#include "accounts/ar_browse.h"

#include "accounts/ar_ledger.h"
#include "accounts/brws_cust_account.h"
#include "quay/app/globals.h"
#include "quay/types/picture.h"

namespace quay::desk {

ARBrowse::ARBrowse(core::Database& db, core::UiPort& ui, const core::WindowRequest& request)
    : m_db(db), m_ui(ui), m_cus(db, ui) {
    if (m_cus.isOpen()) m_list = std::make_unique<core::ListWindow>(*this, m_cus.handle, spec(), request);
}

ARBrowse::~ARBrowse() = default;

core::ListSpec ARBrowse::spec() {
    core::ListSpec s;
    s.procedure = kProcedure;
    s.title = kTitle;
    s.formProcedure = BrwsCustAccount::kProcedure;
    s.columns = {{"Company", 35, false},
                 {"First Name", 15, false},
                 {"Last Name", 20, false},
                 {"Bill To", 35, false},
                 core::pictureColumn("Balance Due", core::kMoneyPicture)};
    s.format = core::rowCells<core::Customer>([](const core::Customer& c) {
        return std::vector<std::string>{c.Name.str(), c.FNAME.str(), c.LNAME.str(), c.BILLTO.str(),
                                        core::cellText(core::moneyPicture(), c.BALANCEDUE)};
    });
    s.tabs = {{"by C&ompany", core::Customer::byName, core::fieldOf(&core::Customer::Name)},
              {"by &Last Name", core::Customer::byLastName, core::fieldOf(&core::Customer::LNAME)},
              {"by &First Name", core::Customer::byFirstName, core::fieldOf(&core::Customer::FNAME)},
              {"By &Bill To", core::Customer::byBillTo, core::fieldOf(&core::Customer::BILLTO)}};
    s.allowInsert = false;
    s.allowDelete = false;
    s.changeCaption = "&View";
    return s;
}

void ARBrowse::open() {
    if (!m_list) return;
    m_list->open();
    computeOutstanding();
}

void ARBrowse::view() {
    if (m_list) m_list->change();
}

void ARBrowse::computeOutstanding() {
    if (m_onCalculating) m_onCalculating(true);
    std::int64_t cents = 0;
    outstandingBalance(m_db, m_ui, cents);
    m_outstanding = cents;
    if (m_onCalculating) m_onCalculating(false);
}

core::Button ARBrowse::message(std::string_view caption, std::string_view text, core::Icon icon,
                               core::ButtonSet buttons, core::Button defaultButton) {
    return m_ui.message(caption, text, icon, buttons, defaultButton);
}
void ARBrowse::beep(int frequency, int duration) { m_ui.beep(frequency, duration); }
void ARBrowse::setBusy(bool on) { m_ui.setBusy(on); }
void ARBrowse::endProgram(std::string_view text) { m_ui.endProgram(text); }

core::WindowResponse ARBrowse::runWindow(core::WindowName window, const core::WindowRequest& request) {
    if (window != BrwsCustAccount::kProcedure) return m_ui.runWindow(window, request);
    // The highlighted customer is the one the account window shows.
    core::WindowRequest r = request;
    if (r.table != nullptr && r.table->desc().fileName == core::Customer::desc().fileName) {
        core::glo.CustName = static_cast<const core::Customer*>(r.table->buffer())->Name.view();
        r.text = core::glo.CustName.str();
    }
    core::WindowResponse response = m_ui.runWindow(window, r);
    computeOutstanding();
    return response;
}

}  // namespace quay::desk
