// Reading and creating the company record. The number of a new record is the highest
// DEF:COMPANYNUM + 1, read from the end of DEF:byCompanyNum inside the transaction that
// adds the record, so two stations creating it at once collide on the unique key and
// the later one numbers again instead of overwriting.
#include "quay/defaults/company_defaults.h"

#include <cassert>
#include <memory>

#include "quay/store/transaction.h"

namespace quay::core {

namespace {

constexpr int kNumberingAttempts = 3;

// One numbering attempt: the highest stored number + 1 into the buffer.
ErrorCode takeNextCompanyNumber(Handle<Defaults>& defaults, std::int32_t& number) {
    ErrorCode code = defaults.setEnd(Defaults::byCompanyNum);
    if (code != ErrorCode::None) return code;
    code = defaults.previous();
    if (code == ErrorCode::RecordNotAvailable) {
        number = 1;
        return ErrorCode::None;
    }
    if (code != ErrorCode::None) return code;
    number = defaults.rec.COMPANYNUM + 1;
    return ErrorCode::None;
}

void fillInitialValues(Defaults& rec, std::int32_t number, CompanyCreation creation) {
    rec.COMPANYNUM = number;
    rec.CREDITLIMIT = "I";
    rec.LOWINVENTORY = "I";
    rec.PRINTNAME = 1;
    rec.PRINTADDRESS = 1;
    rec.DEFAULTTOAR = 1;
    rec.ROUNDPC = "C";
    if (creation == CompanyCreation::AtFirstStart) rec.INVOICEAD = 1;
}

}  // namespace

std::int32_t GETCOMPANYDEFAULTS(Handle<Defaults>& defaults, std::int32_t n) {
    assert(n >= 1);  // REQUIRES: at least one record is to be read
    if (n < 1) return 1;
    if (defaults.setFileOrder() != ErrorCode::None) return 1;
    for (std::int32_t i = 0; i < n; ++i) {
        if (defaults.next() != ErrorCode::None) return 1;
    }
    return 0;
}

ErrorCode createCompanyRecord(Database& db, Handle<Defaults>& defaults, CompanyCreation creation) {
    ErrorCode code = ErrorCode::None;
    for (int attempt = 0; attempt < kNumberingAttempts; ++attempt) {
        // A caller that already frames its work in a transaction keeps it; otherwise
        // the numbering read and the add are framed here.
        std::unique_ptr<Transaction> transaction;
        if (!db.inTransaction()) {
            transaction = std::make_unique<Transaction>(db, std::initializer_list<Table*>{&defaults});
            code = transaction->begin();
            if (code != ErrorCode::None) return code;
        }
        std::int32_t number = 0;
        code = takeNextCompanyNumber(defaults, number);
        if (code != ErrorCode::None) return code;
        defaults.clear();
        fillInitialValues(defaults.rec, number, creation);
        code = defaults.add();
        if (code == ErrorCode::DuplicateKey) continue;  // another station took the number
        if (code != ErrorCode::None) return code;
        if (transaction) code = transaction->commit();
        return code;
    }
    return code;
}

}  // namespace quay::core
