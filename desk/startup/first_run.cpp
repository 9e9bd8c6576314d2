// First run: add the record, ask for the area code, store it, run the company
// window. Each window's cancel, and any failure to store, leaves no company record
// behind; a half-made company record would make the next start skip the set-up.
#include "startup/first_run.h"

#include "quay/app/standard_messages.h"
#include "quay/app/last_error.h"
#include "quay/defaults/company_defaults.h"

namespace quay::desk {

using core::ErrorCode;

void primeFirstRunRecord(core::Defaults& rec) {
    rec.COMPANYNUM = 1;
    rec.PRINTNAME = 1;
    rec.PRINTADDRESS = 1;
    rec.PRINTPHONE = 1;
    rec.PRINTEMAIL = 1;
    rec.PRINTWWW = 1;
    rec.CREDITLIMIT = "W";
    rec.LOWINVENTORY = "W";
    for (auto* method :
         {&rec.PC1METHOD, &rec.PC2METHOD, &rec.PC3METHOD, &rec.PC4METHOD, &rec.PC5METHOD, &rec.PC6METHOD})
        *method = "MARKUP";
    rec.ROUNDPC = "C";
    rec.DEFAULTTOAR = 1;
    rec.UPDATECOSTSATINV = 1;
    // Quotes and invoices of a new installation carry the program notice.
    rec.INVOICEAD = 1;
}

ErrorCode removeCompanyRecords(core::Handle<core::Defaults>& defaults) {
    ErrorCode first = ErrorCode::None;
    // Each delete restarts the scan, since erasing moves the file position.
    for (int guard = 0; guard < 1000000; ++guard) {
        if (defaults.setFileOrder() != ErrorCode::None) break;
        if (defaults.next() != ErrorCode::None) break;
        const ErrorCode c = defaults.erase();
        if (c != ErrorCode::None) {
            first = c;
            break;
        }
    }
    return first;
}

namespace {

FirstRunOutcome abandon(core::UiPort& ui, core::Handle<core::Defaults>& defaults, const char* why) {
    removeCompanyRecords(defaults);
    ui.endProgram(why);
    return FirstRunOutcome::ProgramEnded;
}

}  // namespace

FirstRunOutcome runFirstRun(core::UiPort& ui, core::Handle<core::Defaults>& defaults) {
    defaults.clear();
    primeFirstRunRecord(defaults.rec);
    if (defaults.add() != ErrorCode::None) {
        core::saveError(defaults);
        core::showStandardMessage(ui, core::StandardMessage::InsertError);
        return abandon(ui, defaults, "The company record could not be created, so Billquay cannot start.");
    }
    // Read the record back as stored, so the windows below see what the file holds.
    if (core::GETCOMPANYDEFAULTS(defaults, 1) != 0)
        return abandon(ui, defaults, "The company record could not be read back, so Billquay cannot start.");

    const core::WindowResponse area = ui.runWindow(kAreaCodeWindow, core::WindowRequest{});
    if (area.response != core::Response::Completed) return abandon(ui, defaults, kFirstRunCancelled);

    defaults.rec.DEFAREACODE = area.text;
    if (defaults.put() != ErrorCode::None) {
        core::saveError(defaults);
        core::showStandardMessage(ui, core::StandardMessage::UpdateError, {"Defaults"});
        return abandon(ui, defaults, "The company record could not be stored, so Billquay cannot start.");
    }

    core::WindowRequest change;
    change.request = core::Request::Change;
    change.table = &defaults;
    const core::WindowResponse form = ui.runWindow(kDefaultsForm, change);
    if (form.response != core::Response::Completed) return abandon(ui, defaults, kFirstRunCancelled);

    // The company window wrote through its own handle; take up what it stored.
    if (core::GETCOMPANYDEFAULTS(defaults, 1) != 0)
        return abandon(ui, defaults, "The company record could not be read back, so Billquay cannot start.");
    return FirstRunOutcome::Completed;
}

}  // namespace quay::desk
