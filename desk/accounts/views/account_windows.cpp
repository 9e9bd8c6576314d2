// Factories of the account windows. A form works on its caller's handle when that is
// on the form's table (the account window hands its list's handle with the record),
// else on one it opens itself.
#include "accounts/views/account_windows.h"

#include <memory>

#include <QMdiSubWindow>

#include "accounts/views/account_dialogs.h"
#include "quay/app/table_access.h"
#include "quay/views/list_view.h"
#include "quay/views/placement_keeper.h"

namespace quay::desk {

namespace {

template <class R>
core::Table* formTable(core::WindowContext& c, const core::WindowRequest& r, std::unique_ptr<core::HeldTable<R>>& own) {
    if (r.table != nullptr && r.table->desc().fileName == R::desc().fileName) return r.table;
    own = std::make_unique<core::HeldTable<R>>(*c.database, c.ui);
    return own->isOpen() ? &own->handle : nullptr;
}

}  // namespace

void registerAccountWindows(core::WindowRegistry& registry) {
    registry.add(ARBrowse::kProcedure, [](core::WindowContext& c, const core::WindowRequest& r) {
        if (c.database == nullptr) return core::WindowResponse{};
        auto logic = std::make_shared<ARBrowse>(*c.database, c.ui, r);
        if (!logic->isOpen()) return core::WindowResponse{};
        auto* view = new ARBrowseView(logic);
        logic->open();
        view->resize(760, 460);
        QMdiSubWindow* sub = c.showChild(view);
        QWidget* window = sub ? static_cast<QWidget*>(sub) : view;
        core::keepPlacement(window, ARBrowse::kProcedure);
        QObject::connect(view->list(), &core::ListView::finished, window, &QWidget::close);
        view->setFocus();
        return core::WindowResponse{core::Response::Completed, 0, {}};
    });
    registry.add(BrwsCustAccount::kProcedure, [](core::WindowContext& c, const core::WindowRequest& r) {
        if (c.database == nullptr) return core::WindowResponse{};
        BrwsCustAccount window(*c.database, c.ui, r);
        if (!window.open()) return core::WindowResponse{};
        BrwsCustAccountDialog dialog(window, c.parent);
        const int result = dialog.exec();
        return core::WindowResponse{
            result == QDialog::Accepted ? core::Response::Completed : core::Response::Cancelled, 0, {}};
    });
    registry.add(EditPayments::kProcedure, [](core::WindowContext& c, const core::WindowRequest& r) {
        if (c.database == nullptr) return core::WindowResponse{};
        std::unique_ptr<core::HeldTable<core::Payments>> own;
        core::Table* t = formTable(c, r, own);
        if (t == nullptr) return core::WindowResponse{};
        EditPayments form(*c.database, c.ui, *t, r);
        if (!form.open()) return form.response();
        EditPaymentsDialog dialog(form, c.ui, c.parent);
        dialog.exec();
        if (!form.isClosed()) form.cancel();
        return form.response();
    });
    registry.add(EditCharges::kProcedure, [](core::WindowContext& c, const core::WindowRequest& r) {
        if (c.database == nullptr) return core::WindowResponse{};
        std::unique_ptr<core::HeldTable<core::Charges>> own;
        core::Table* t = formTable(c, r, own);
        if (t == nullptr) return core::WindowResponse{};
        EditCharges form(*c.database, c.ui, *t, r);
        if (!form.open()) return form.response();
        EditChargesDialog dialog(form, c.ui, c.parent);
        dialog.exec();
        if (!form.isClosed()) form.cancel();
        return form.response();
    });
}

}  // namespace quay::desk
