// The window keeps the three tables open through the shared holder its list's
// functions read, and drops them when it closes.
#include "orders/views/invoice_serial_browse_view.h"

#include <memory>

#include "quay/views/list_view.h"
#include "serials/invoice_serial_search.h"

namespace quay::desk {

core::WindowResponse openInvoiceSerialBrowse(core::WindowContext& context, const core::WindowRequest& request) {
    if (context.database == nullptr) return core::WindowResponse{};
    auto tables = std::make_shared<InvoiceSerialTables>(*context.database, context.ui);
    if (!tables->isOpen()) return core::WindowResponse{};
    core::Table& serials = tables->ser.handle;
    return core::openListWindow(context, request, tables, serials, invoiceSerialSpec(tables));
}

}  // namespace quay::desk
