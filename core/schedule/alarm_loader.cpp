// The alarm-list loader. The read goes through the store's read-ahead, so a batch
// of ten records is usually served from memory; each seek holds no read
// transaction, so other stations and this station's windows write freely meanwhile.
#include "quay/schedule/alarm_loader.h"

#include <thread>

#include "quay/types/fixed_string.h"

namespace quay::core {

AlarmLoader::AlarmLoader(Database& db, std::string userId, AlarmQueue& queue)
    : m_db(db), m_user(std::move(userId)), m_queue(queue), m_schedule(db) {
    m_queue.beginLoad();
}

AlarmLoader::~AlarmLoader() {
    end();
    m_queue.endLoad();
}

void AlarmLoader::end() {
    if (m_schedule.isOpen()) {
        m_schedule.send("QUICKSCAN=off");
        m_schedule.close();
    }
    m_over = true;
}

ErrorCode AlarmLoader::start() {
    m_entries.clear();
    m_over = false;
    const ErrorCode opened = m_schedule.open();
    if (opened == ErrorCode::FileNotFound) {
        m_over = true;  // no schedule kept yet: nothing to load
        return ErrorCode::None;
    }
    if (opened != ErrorCode::None && opened != ErrorCode::AlreadyOpen) {
        m_over = true;
        return opened;
    }
    m_schedule.clear();
    m_schedule.rec.UserID = m_user;
    m_schedule.rec.Completed = 0;
    m_schedule.rec.ALARMDATE = 0;
    m_schedule.rec.ALARMTIME = 0;
    m_schedule.send("QUICKSCAN=on");
    const ErrorCode set = m_schedule.setAtKey(Schedule::ByUsrCompAlarmDtTm);
    if (set != ErrorCode::None) {
        end();
        return set;
    }
    return ErrorCode::None;
}

bool AlarmLoader::step(int records) {
    for (int i = 0; i < records && !m_over; ++i) {
        if (m_schedule.next() != ErrorCode::None) {
            end();
            break;
        }
        const Schedule& r = m_schedule.rec;
        if (!r.UserID.equalsNoCase(m_user) || r.Completed != 0) {
            end();
            break;
        }
        // An open entry without an alarm is passed over: stopping at it would leave
        // every later alarm of the user unset.
        if (r.ALARMDATE == 0) continue;
        m_entries.push_back(AlarmEntry{r.ALARMDATE, r.ALARMTIME, r.SCHID, 0});
    }
    return !m_over;
}

NextAlarm AlarmLoader::install() { return m_queue.replace(m_entries); }

ErrorCode loadAlarmQueueNow(const std::string& dataDirectory, const std::string& userId, AlarmQueue& queue) {
    Database db(dataDirectory);
    if (!db.isOpen()) return db.lastError();
    AlarmLoader loader(db, userId, queue);
    const ErrorCode ec = loader.start();
    if (ec != ErrorCode::None) return ec;
    while (loader.step(512)) {
    }
    loader.install();
    return ErrorCode::None;
}

AlarmLoadJob::AlarmLoadJob(std::string userId, AlarmQueue& queue) : m_user(std::move(userId)), m_queue(queue) {}

WorkerOutcome AlarmLoadJob::run(const std::string& dataDirectory, WorkerProgress& progress) {
    Database db(dataDirectory);
    if (!db.isOpen()) {
        m_failure = "The schedule could not be read: " + db.driverErrorText();
        return WorkerOutcome::Failed;
    }
    AlarmLoader loader(db, m_user, m_queue);
    if (const ErrorCode ec = loader.start(); ec != ErrorCode::None) {
        m_failure = "The schedule could not be read (error " + std::to_string(static_cast<int>(ec)) + ").";
        return WorkerOutcome::Failed;
    }
    long batches = 0;
    while (loader.step()) {
        if (progress.isCancelled()) {
            m_loaded = loader.loaded();
            loader.install();
            return WorkerOutcome::Cancelled;
        }
        if (++batches % 100 == 0) progress.report(static_cast<long>(loader.loaded()), 0, {});
        std::this_thread::yield();
    }
    m_loaded = loader.loaded();
    loader.install();
    progress.report(static_cast<long>(m_loaded), 0, {});
    return WorkerOutcome::Finished;
}

}  // namespace quay::core
