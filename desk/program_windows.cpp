// The one list of what the program registers, shared by main() and the test that walks the
// window catalogue, so the two cannot drift apart.
#include "program_windows.h"

#include "accounts/views/account_windows.h"
#include "counts/views/count_windows.h"
#include "desk_windows.h"
#include "orders/views/order_dialogs.h"
#include "orders/views/order_windows.h"
#include "quay/app/window_name.h"
#include "quay/reports/reports2_windows.h"
#include "quay/reports/reports3_windows.h"
#include "quay/reports/select/report_windows.h"
#include "quay/util/maintenance_windows.h"
#include "quay/util/po_windows.h"
#include "quay/util/util_windows.h"
#include "quay/util/verify_windows.h"
#include "quay/views/masterlists/master_windows.h"
#include "quay/views/schedule/schedule_windows.h"
#include "quay/views/tool_views.h"
#include "quay/views/window_registry.h"

namespace quay::desk {

void registerProgramWindows(core::WindowRegistry& registry) {
    core::registerFrameworkWindows(registry);
    core::registerMasterWindows(registry);
    core::registerScheduleWindows(registry);
    util::registerUtilWindows(registry);
    util::registerMaintenanceWindows(registry);
    util::registerPoWindows(registry);
    registerCountWindows(registry);
    registerDeskWindows(registry);
    registerOrderWindows(registry);
    registerOrderDialogs(registry);
    registerAccountWindows(registry);
    util::registerVerifyWindows(registry);
    reports::registerReports1Windows(registry);
    reports::registerReports2Windows(registry);
    reports::registerReports3Windows(registry);
    aliasDocumentedProcedures(registry);
}

std::vector<std::string> unregisteredWindows(const core::WindowRegistry& registry) {
    std::vector<std::string> missing;
    for (std::string_view name : core::kWindowCatalogue)
        if (!registry.contains(name)) missing.emplace_back(name);
    return missing;
}

}  // namespace quay::desk
