// LOADALARMQUEUE: rebuilds the alarm list (SCHQ) from the user's open schedule
// entries. The entries are read in the order of SCH:ByUsrCompAlarmDtTm from (user,
// open, no date, no time): open entries without an alarm date come first and are
// passed over; the read ends at the first completed entry or another user's. The
// entries read are put in the list in one step when the read ends (also when it is
// cancelled, so the alarms read so far are set), and the next alarm is chosen.
//
// AlarmLoader does the reading in small batches (step()), so that whoever drives it
// can look at a cancel request and let others run between batches. AlarmLoadJob runs
// it on a worker thread with its own connection to the data set; the frame never
// waits for it. Not thread-safe itself: one loader belongs to one thread.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "quay/app/alarm_queue.h"
#include "quay/export.h"
#include "quay/store/database.h"
#include "quay/store/table.h"
#include "quay/tables/schedule.h"
#include "quay/ui/worker.h"

namespace quay::core {

class QUAY_EXPORT AlarmLoader {
public:
    // Records read per step.
    static constexpr int kBatch = 10;

    // REQUIRES: `db` and `queue` outlive the loader. Changes made to `queue` while the
    // loader lives are kept over what it reads (AlarmQueue::beginLoad()).
    AlarmLoader(Database& db, std::string userId, AlarmQueue& queue = AlarmQueue::instance());
    ~AlarmLoader();
    AlarmLoader(const AlarmLoader&) = delete;
    AlarmLoader& operator=(const AlarmLoader&) = delete;

    // Opens the schedule and positions it at the user's first open entry. A data
    // set without a schedule yet loads nothing (None); other open failures are
    // returned and the load is over.
    ErrorCode start();
    // Reads up to `records` entries. Returns false once the read has ended.
    bool step(int records = kBatch);
    bool isOver() const { return m_over; }
    // Entries queued so far.
    std::size_t loaded() const { return m_entries.size(); }
    // Puts what was read into the queue (replacing its entries, changes made meanwhile
    // kept) and chooses the next alarm.
    NextAlarm install();

private:
    void end();

    Database& m_db;
    std::string m_user;
    AlarmQueue& m_queue;
    Handle<Schedule> m_schedule;
    std::vector<AlarmEntry> m_entries;
    bool m_over = false;
};

// The whole load on the calling thread, through a connection of its own on
// `dataDirectory`: used when the list is found inconsistent and the frame must
// rebuild it at once. Returns the store's code of a failed open (None otherwise).
QUAY_EXPORT ErrorCode loadAlarmQueueNow(const std::string& dataDirectory, const std::string& userId,
                                        AlarmQueue& queue = AlarmQueue::instance());

// The load as a worker job. Cancelled leaves the alarms read so far installed.
class QUAY_EXPORT AlarmLoadJob : public WorkerJob {
public:
    explicit AlarmLoadJob(std::string userId, AlarmQueue& queue = AlarmQueue::instance());
    WorkerOutcome run(const std::string& dataDirectory, WorkerProgress& progress) override;
    std::string failureText() const override { return m_failure; }
    std::size_t loaded() const { return m_loaded; }

private:
    std::string m_user;
    AlarmQueue& m_queue;
    std::string m_failure;
    std::size_t m_loaded = 0;
};

// "Loading schedule is incomplete.  All alarms may not be set." under "Loading Incomplete".
inline constexpr const char* kLoadIncompleteCaption = "Loading Incomplete";
inline constexpr const char* kLoadIncompleteText = "Loading schedule is incomplete.  All alarms may not be set.";

}  // namespace quay::core
