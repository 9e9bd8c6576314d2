// Opening a report's selection window from the program's menu.
#include "quay/reports/select/report_windows.h"

#include "quay/reports/select/selection_window.h"
#include "quay/views/window_registry.h"

namespace quay::reports {

void addReportWindow(core::WindowRegistry& registry, const std::string& procedure, std::function<ReportWindow()> make) {
    registry.add(procedure, [make = std::move(make)](core::WindowContext& c, const core::WindowRequest&) {
        core::WindowResponse w;
        if (c.database == nullptr) return w;
        ReportWindow window = make();
        core::Database& db = *c.database;
        ReportSelection logic(c.ui, std::move(window.spec),
                              [&db, job = std::move(window.report)](core::UiPort& ui, const RunOptions& options) {
                                  return runReportOnDesktop(db, job, ui, options);
                              });
        SelectionWindow view(logic, c.parent);
        view.exec();
        w.response = core::Response::Completed;
        return w;
    });
}

}  // namespace quay::reports
