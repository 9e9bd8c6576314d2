// The purchase-order print as the window "PrintPO", which the utilities' PO forms and
// lists run by name with the PO number in the request.
#include "quay/reports/po/po_print.h"
#include "quay/views/window_registry.h"

namespace quay::reports {

void registerPoPrintWindow(core::WindowRegistry& registry) {
    registry.add("PrintPO", [](core::WindowContext& c, const core::WindowRequest& r) {
        if (c.database == nullptr) return core::WindowResponse{};
        const RunResult result = PRINTPO(*c.database, r.number, c.ui);
        return core::WindowResponse{result.response, 0, {}};
    });
}

}  // namespace quay::reports
