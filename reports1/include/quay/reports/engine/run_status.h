// Result codes of the running report's operations.
#pragma once

#include "quay/export.h"

namespace quay::reports {

enum class RunStatus {
    Ok = 0,
    UnknownBand,     // no band has that number: a fault in the report, nothing printed
    UnknownControl,  // no control has that name: a fault in the report, nothing changed
    AutomaticBand,   // the page header and footer print themselves; print() refuses them
    InvalidValue,    // a negative size or a copy count below 1: nothing changed
    WrongKind,       // the setting does not apply to that kind of control: nothing changed
    Finished,        // the run has already handed over its pages
    PagesNotStored,  // a finished page could not be written to the run's page file (a full
                     // disk): the run is over and its report incomplete; the runner shows
                     // why and previews nothing
};

// The name of a status for messages and test output.
QUAY_EXPORT const char* runStatusName(RunStatus status);

}  // namespace quay::reports
