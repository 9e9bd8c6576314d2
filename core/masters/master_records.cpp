// The change and delete of master records. Order of a change:
//   1. open the master's table and every covered table through the open routine;
//   2. begin the transaction (2-second wait for other stations);
//   3. re-read the master by its primary key, compare it with the form's original
//      (a difference is another station's change) and watch it;
//   4. when the identity changed, carry the new value into each dependant: the
//      dependants are first collected by position and then rewritten, so that a
//      rewritten record moving to its new place in the key cannot be met twice;
//   5. write the master (89 here is another station's change after all; 40 a
//      taken identity), commit.
// A delete does 1-3, then tests the restricting dependants, deletes the cascading
// ones and last the master.
// Every error rolls back before its message is shown, so no other station waits
// while the user reads it.
#include "quay/masters/master_records.h"

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "master_rules.h"
#include "quay/app/last_error.h"
#include "quay/app/standard_messages.h"
#include "quay/app/table_access.h"
#include "quay/store/transaction.h"
#include "record_buffer.h"

namespace quay::core {
namespace {

using detail::DeleteRule;
using detail::Dependant;
using detail::MasterRule;
using detail::RawHandle;
using detail::RecordBuffer;

// The handles one change or delete works with, each opened through the open routine.
class Session {
public:
    Session(Database& db, UiPort& ui) : m_db(db), m_ui(ui) {}

    // Opens the master's table and the covered ones; false when the program was ended.
    bool open(const TableDesc& master, const std::vector<const TableDesc*>& covers) {
        if (!add(master)) return false;
        for (const TableDesc* t : covers) {
            if (!add(*t)) return false;
        }
        return true;
    }

    RawHandle& handle(const TableDesc& t) {
        for (auto& h : m_handles) {
            if (&h->table().desc() == &t) return *h;
        }
        // REQUIRES: t was opened in this session.
        return *m_handles.front();
    }

    std::vector<Table*> tables() {
        std::vector<Table*> out;
        for (auto& h : m_handles) out.push_back(&h->table());
        return out;
    }

private:
    bool add(const TableDesc& t) {
        for (auto& h : m_handles) {
            if (&h->table().desc() == &t) return true;
        }
        m_handles.push_back(std::make_unique<RawHandle>(m_db, t));
        m_access.push_back(std::make_unique<TableAccess>(m_ui, m_handles.back()->table()));
        return m_access.back()->isOpen();
    }

    Database& m_db;
    UiPort& m_ui;
    std::vector<std::unique_ptr<RawHandle>> m_handles;  // destroyed after the accesses below
    std::vector<std::unique_ptr<TableAccess>> m_access;
};

ErrorCode collectRun(RawHandle& h, const Dependant& d, std::string_view id, bool firstOnly,
                     std::vector<std::string>& out);

// Positions of the dependants naming `id` (only the first when firstOnly). A
// collection is a run of reads with no write between, so it reads ahead.
ErrorCode collect(RawHandle& h, const Dependant& d, std::string_view id, bool firstOnly,
                  std::vector<std::string>& out) {
    if (!firstOnly) h.table().send("QUICKSCAN=on");
    const ErrorCode e = collectRun(h, d, id, firstOnly, out);
    if (!firstOnly) h.table().send("QUICKSCAN=off");
    return e;
}

ErrorCode collectRun(RawHandle& h, const Dependant& d, std::string_view id, bool firstOnly,
                     std::vector<std::string>& out) {
    Table& t = h.table();
    t.clear();
    ErrorCode e;
    if (d.key) {
        h.rec().setText(d.field, id);
        h.rec().setLaterComponentsToFirst(*d.key);
        e = t.setAtKey(*d.key);
    } else {
        e = t.setFileOrder();
    }
    if (e != ErrorCode::None) return e;
    for (;;) {
        e = t.next();
        if (e == ErrorCode::RecordNotAvailable) return ErrorCode::None;
        if (e != ErrorCode::None) return e;
        if (detail::sameIdentity(h.rec().text(d.field), id)) {
            out.push_back(t.position());
            if (firstOnly) return ErrorCode::None;
        } else if (d.key) {
            return ErrorCode::None;  // past the value in key order
        }
    }
}

class Run {
public:
    Run(Database& db, UiPort& ui, const MasterRule& rule) : m_ui(ui), m_rule(rule), m_session(db, ui), m_db(db) {}

    MasterOutcome change(void* original, const void* edited, bool interactive);
    MasterOutcome remove(const void* record);

private:
    bool begin(const std::vector<const TableDesc*>& covers, MasterOutcome& outcome);
    MasterOutcome failTable(Table& t, StandardMessage m);
    MasterOutcome failCode(ErrorCode e, StandardMessage m, std::string_view name);
    const std::string& masterName() const { return m_rule.master->name; }

    UiPort& m_ui;
    const MasterRule& m_rule;
    Session m_session;
    Database& m_db;
    std::unique_ptr<Transaction> m_tx;
};

bool Run::begin(const std::vector<const TableDesc*>& covers, MasterOutcome& outcome) {
    if (!m_session.open(*m_rule.master, covers)) {
        outcome = MasterOutcome::ProgramEnded;
        return false;
    }
    m_tx = std::make_unique<Transaction>(m_db, m_session.tables());
    const ErrorCode e = m_tx->begin();
    if (e != ErrorCode::None) {
        saveError(e, errorCodeText(e));
        const std::string tables = m_tx->tableNames();
        showStandardMessage(m_ui, StandardMessage::TransactionFramingError, {masterName(), tables});
        outcome = MasterOutcome::Failed;
        return false;
    }
    return true;
}

MasterOutcome Run::failTable(Table& t, StandardMessage m) {
    saveError(t);
    m_tx->rollback();
    const std::string name = t.desc().name;
    showStandardMessage(m_ui, m, {name});
    return MasterOutcome::Failed;
}

MasterOutcome Run::failCode(ErrorCode e, StandardMessage m, std::string_view name) {
    saveError(e, errorCodeText(e));
    m_tx->rollback();
    showStandardMessage(m_ui, m, {name});
    return MasterOutcome::Failed;
}

MasterOutcome Run::change(void* original, const void* edited, bool interactive) {
    const TableDesc& desc = *m_rule.master;
    if (m_rule.identity >= 0) {
        // A blank identity names nothing; carried into the dependants it would cut
        // them all loose from their master.
        RecordBuffer check(desc);
        check.copyFrom(edited);
        if (check.text(m_rule.identity).empty()) {
            const std::string field = desc.fields[static_cast<std::size_t>(m_rule.identity)].name;
            m_ui.message("Update Operation Error", "The " + field + " of this record may not be blank.", Icon::Warning,
                         Button::Ok, Button::Ok);
            return MasterOutcome::Failed;
        }
    }
    MasterOutcome outcome{};
    if (!begin(m_rule.changeCovers, outcome)) return outcome;
    RawHandle& master = m_session.handle(desc);
    Table& mt = master.table();

    RecordBuffer before(desc);
    before.copyFrom(original);
    RecordBuffer after(desc);
    after.copyFrom(edited);

    const auto changedElsewhere = [&]() {
        m_tx->rollback();
        master.rec().copyFrom(original);
        if (mt.get(m_rule.primary) == ErrorCode::None) master.rec().copyTo(original);
        if (interactive) {
            showStandardMessage(m_ui, StandardMessage::RecordChanged);
        } else {
            m_ui.message("Update Operation Error", "Record Changed by Another Station", Icon::Warning, Button::Ok,
                         Button::Ok);
        }
        return MasterOutcome::ChangedElsewhere;
    };

    master.rec().copyFrom(original);
    if (mt.get(m_rule.primary) != ErrorCode::None) return failTable(mt, StandardMessage::RecordRetrievalError);
    if (!detail::sameRecord(desc, master.rec().data(), original)) return changedElsewhere();
    mt.watch();

    if (m_rule.identity >= 0) {
        const std::string oldId(before.text(m_rule.identity));
        const std::string newId(after.text(m_rule.identity));
        if (!oldId.empty() && oldId != newId) {
            for (const Dependant& d : m_rule.carries) {
                RawHandle& h = m_session.handle(*d.table);
                std::vector<std::string> positions;
                if (collect(h, d, oldId, false, positions) != ErrorCode::None)
                    return failTable(h.table(), StandardMessage::RecordRetrievalError);
                for (const std::string& pos : positions) {
                    if (h.table().reget(pos) != ErrorCode::None)
                        return failTable(h.table(), StandardMessage::RecordRetrievalError);
                    h.rec().setText(d.field, newId);
                    if (h.table().put() != ErrorCode::None) return failTable(h.table(), StandardMessage::UpdateError);
                }
            }
        }
    }

    master.rec().copyFrom(edited);
    const ErrorCode put = mt.put();
    if (put == ErrorCode::ChangedByOtherStation) return changedElsewhere();
    if (put == ErrorCode::DuplicateKey) {
        std::string label;
        for (std::size_t k = 0; k < desc.keys.size(); ++k) {
            if (desc.keys[k].unique && mt.duplicate(KeyId{static_cast<int>(k)})) {
                label = desc.keys[k].label;
                break;
            }
        }
        m_tx->rollback();
        clearSavedError();
        showStandardMessage(m_ui, StandardMessage::DuplicateKey, {label});
        return MasterOutcome::Failed;
    }
    if (put != ErrorCode::None) return failTable(mt, StandardMessage::UpdateError);

    const ErrorCode c = m_tx->commit();
    if (c != ErrorCode::None) return failCode(c, StandardMessage::UpdateError, masterName());
    return MasterOutcome::Done;
}

MasterOutcome Run::remove(const void* record) {
    MasterOutcome outcome{};
    if (!begin(m_rule.deleteCovers, outcome)) return outcome;
    RawHandle& master = m_session.handle(*m_rule.master);
    Table& mt = master.table();

    master.rec().copyFrom(record);
    if (mt.get(m_rule.primary) != ErrorCode::None) return failTable(mt, StandardMessage::RecordRetrievalError);

    const std::string id = m_rule.identity >= 0 ? std::string(master.rec().text(m_rule.identity)) : std::string();
    if (!id.empty()) {
        // The refusals are tested before anything is deleted: a refused delete then
        // writes nothing at all, however many notes the customer has.
        for (const detail::DeleteDependant& dd : m_rule.deletes) {
            if (dd.rule != DeleteRule::Restrict) continue;
            RawHandle& h = m_session.handle(*dd.dependant.table);
            std::vector<std::string> first;
            if (collect(h, dd.dependant, id, true, first) != ErrorCode::None)
                return failTable(h.table(), StandardMessage::RecordRetrievalError);
            if (first.empty()) continue;
            m_tx->rollback();
            const std::string name = h.table().desc().name;
            showStandardMessage(m_ui, StandardMessage::RestrictDelete, {name});
            return MasterOutcome::Refused;
        }
        for (const detail::DeleteDependant& dd : m_rule.deletes) {
            if (dd.rule != DeleteRule::Cascade) continue;
            RawHandle& h = m_session.handle(*dd.dependant.table);
            std::vector<std::string> positions;
            if (collect(h, dd.dependant, id, false, positions) != ErrorCode::None)
                return failTable(h.table(), StandardMessage::RecordRetrievalError);
            for (const std::string& pos : positions) {
                if (h.table().reget(pos) != ErrorCode::None)
                    return failTable(h.table(), StandardMessage::RecordRetrievalError);
                if (h.table().erase() != ErrorCode::None) return failTable(h.table(), StandardMessage::DeleteError);
            }
        }
    }

    if (mt.erase() != ErrorCode::None) return failTable(mt, StandardMessage::DeleteError);
    const ErrorCode c = m_tx->commit();
    if (c != ErrorCode::None) return failCode(c, StandardMessage::DeleteError, masterName());
    return MasterOutcome::Done;
}

}  // namespace

MasterRecords::MasterRecords(Database& db, UiPort& ui) : m_db(db), m_ui(ui) {}

MasterOutcome MasterRecords::change(const TableDesc& table, void* original, const void* edited, bool interactive) {
    const MasterRule* rule = detail::masterRuleFor(table);
    const MasterRule plain = detail::plainRuleFor(table);
    Run run(m_db, m_ui, rule != nullptr ? *rule : plain);
    return run.change(original, edited, interactive);
}

MasterOutcome MasterRecords::remove(const TableDesc& table, const void* record) {
    const MasterRule* rule = detail::masterRuleFor(table);
    const MasterRule plain = detail::plainRuleFor(table);
    Run run(m_db, m_ui, rule != nullptr ? *rule : plain);
    return run.remove(record);
}

}  // namespace quay::core
