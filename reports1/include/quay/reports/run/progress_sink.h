// The progress of a report run as the progress window shows it: the percentage of
// records read, and the user's Cancel. The run reports after every record and polls for
// a cancel at the same moment, so a cancel is answered before the next record is read.
#pragma once

#include <string>

#include "quay/export.h"

namespace quay::reports {

class QUAY_EXPORT ProgressSink {
public:
    virtual ~ProgressSink();
    // The walk starts: title "Generating Report", caption "% Completed" as the settings
    // word them.
    virtual void begin(const std::string& title, const std::string& percentText);
    // After each record: the share read so far, 0 to 100.
    virtual void progress(int percent) = 0;
    // True once for each press of Cancel since the last call.
    virtual bool cancelRequested() = 0;
    // The walk is over (finished, cancelled or failed).
    virtual void end();
};

// Percentage of `read` records out of `total`, 0 to 100; 100 when the total is unknown.
QUAY_EXPORT int percentRead(long long read, long long total);

}  // namespace quay::reports
