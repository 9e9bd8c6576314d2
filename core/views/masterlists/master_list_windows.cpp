// Factories of the small master tables' lists and forms, and the registration of
// every master-data window.
#include <memory>

#include <QDesktopServices>
#include <QUrl>

#include "quay/app/table_access.h"
#include "quay/masterlists/master_lists.h"
#include "quay/store/table.h"
#include "quay/tools/mail_launch.h"
#include "quay/views/list_view.h"
#include "quay/views/masterlists/master_form_view.h"
#include "quay/views/masterlists/master_windows.h"

namespace quay::core {
namespace {

// A handle on any table with a buffer of its own, for forms run without a caller's handle.
class OwnHandle {
public:
    OwnHandle(Database& db, const TableDesc& desc) : m_buffer(desc.recordSize), m_table(db, desc, m_buffer.data()) {}
    Table& table() { return m_table; }

private:
    std::vector<unsigned char> m_buffer;
    Table m_table;
};

struct OwnTable {
    OwnTable(Database& db, UiPort& ui, const TableDesc& desc) : handle(db, desc), access(ui, handle.table()) {}
    OwnHandle handle;
    TableAccess access;
};

WindowResponse openList(WindowContext& context, const WindowRequest& request, const TableDesc& desc, ListSpec spec) {
    if (context.database == nullptr) return WindowResponse{};
    auto held = std::make_shared<OwnTable>(*context.database, context.ui, desc);
    if (!held->access.isOpen()) return WindowResponse{};
    Table& table = held->handle.table();
    return openListWindow(context, request, held, table, std::move(spec));
}

// Opens mail and web targets with the desktop's default programs.
class DesktopLauncher : public Launcher {
public:
    void open(const std::string& target) override { QDesktopServices::openUrl(QUrl(QString::fromStdString(target))); }
};

}  // namespace

void registerMasterListWindows(WindowRegistry& registry) {
    for (const MasterListMember& m : masterListMembers()) {
        const TableDesc* desc = m.table;
        auto list = [desc, browse = m.browse](WindowContext& c, const WindowRequest& r) {
            return openList(c, r, *desc, browse());
        };
        registry.add(m.browseProcedure, list);
        registry.add(m.exportedName, list);
        registry.add(m.formProcedure, [desc, config = m.form](WindowContext& c, const WindowRequest& r) {
            if (c.database == nullptr) return WindowResponse{};
            std::unique_ptr<OwnTable> own;
            Table* table = r.table;
            if (table == nullptr || table->desc().fileName != desc->fileName) {
                own = std::make_unique<OwnTable>(*c.database, c.ui, *desc);
                if (!own->access.isOpen()) return WindowResponse{};
                table = &own->handle.table();
            }
            MasterListForm form(*c.database, c.ui, *table, config(), r);
            return runMasterForm(c, form);
        });
    }
}

void registerMasterWindows(WindowRegistry& registry) {
    // The e-mail and web double-clicks need the desktop's launcher; the program may
    // have set one of its own already.
    if (programLauncher() == nullptr) {
        static DesktopLauncher launcher;
        setProgramLauncher(&launcher);
    }
    registerCustomerWindows(registry);
    registerProductWindows(registry);
    registerMasterListWindows(registry);
}

}  // namespace quay::core
