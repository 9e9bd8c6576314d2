// The tables a report reads, opened together through the program's open routine (with
// its repairs and messages) and closed together when the report ends.
#pragma once

#include <initializer_list>
#include <memory>
#include <vector>

#include "quay/app/table_access.h"
#include "quay/app/ui_port.h"
#include "quay/export.h"
#include "quay/store/table.h"

namespace quay::reports {

class QUAY_EXPORT ReportTables {
public:
    ReportTables() = default;
    ~ReportTables();
    ReportTables(const ReportTables&) = delete;
    ReportTables& operator=(const ReportTables&) = delete;

    // Opens each table in turn; false as soon as the open routine ended the program, with
    // the tables opened before it closed again.
    bool open(core::UiPort& ui, std::initializer_list<core::Table*> tables);
    bool open(core::UiPort& ui, const std::vector<core::Table*>& tables);
    // Closes every table this set opened; later calls do nothing.
    void close();

private:
    std::vector<std::unique_ptr<core::TableAccess>> m_held;
};

}  // namespace quay::reports
