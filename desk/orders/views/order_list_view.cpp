// The list reads its first page as it is built; the loading window closes at the
// first turn of the event loop after that, as the list's first timer tick would.
#include "orders/views/order_list_view.h"

#include <memory>

#include <QLabel>
#include <QTimer>

#include "quay/tables/orders.h"
#include "quay/views/list_view.h"

namespace quay::desk {

core::WindowResponse openOrderList(core::WindowContext& context, const core::WindowRequest& request,
                                   OrderListKind kind) {
    if (context.database == nullptr) return core::WindowResponse{};
    const OrderListNames& names = orderListNames(kind);
    QLabel* loading = nullptr;
    if (request.request != core::Request::Select) {
        loading = new QLabel(QString(names.loadingTitle) + " ...");
        loading->setWindowTitle(names.loadingTitle);
        loading->setAttribute(Qt::WA_DeleteOnClose);
        loading->setMargin(24);
        loading->show();
    }
    const core::WindowResponse response = core::openListWindow<core::Orders>(context, request, orderListSpec(kind));
    if (loading != nullptr) QTimer::singleShot(0, loading, &QWidget::close);
    return response;
}

}  // namespace quay::desk
