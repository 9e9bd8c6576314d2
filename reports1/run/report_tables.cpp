// Opening and closing a report's tables as one set.
#include "quay/reports/run/report_tables.h"

namespace quay::reports {

ReportTables::~ReportTables() { close(); }

bool ReportTables::open(core::UiPort& ui, std::initializer_list<core::Table*> tables) {
    return open(ui, std::vector<core::Table*>(tables));
}

bool ReportTables::open(core::UiPort& ui, const std::vector<core::Table*>& tables) {
    for (core::Table* t : tables) {
        auto access = std::make_unique<core::TableAccess>(ui, *t);
        if (!access->isOpen()) {
            close();
            return false;
        }
        m_held.push_back(std::move(access));
    }
    return true;
}

void ReportTables::close() {
    // Closed in the reverse order of opening, as the windows do.
    while (!m_held.empty()) m_held.pop_back();
}

}  // namespace quay::reports
