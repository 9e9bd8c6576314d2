// Names of the running report's result codes.
#include "quay/reports/engine/run_status.h"

namespace quay::reports {

const char* runStatusName(RunStatus status) {
    switch (status) {
    case RunStatus::Ok: return "Ok";
    case RunStatus::UnknownBand: return "UnknownBand";
    case RunStatus::UnknownControl: return "UnknownControl";
    case RunStatus::AutomaticBand: return "AutomaticBand";
    case RunStatus::InvalidValue: return "InvalidValue";
    case RunStatus::WrongKind: return "WrongKind";
    case RunStatus::Finished: return "Finished";
    case RunStatus::PagesNotStored: return "PagesNotStored";
    }
    return "Unknown";
}

}  // namespace quay::reports
