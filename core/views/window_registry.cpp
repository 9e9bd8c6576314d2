// The registry of window factories, the child windows of the frame and the
// single-instance rule over ThreadQueue.
#include "quay/views/window_registry.h"

#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QWidget>

#include "quay/app/standard_messages.h"
#include "quay/ui/thread_queue.h"

namespace quay::core {

QMdiSubWindow* WindowContext::showChild(QWidget* widget) const {
    QMdiSubWindow* sub = nullptr;
    QWidget* window = widget;
    if (QMdiArea* area = registry.mdiArea()) {
        sub = area->addSubWindow(widget);
        sub->setAttribute(Qt::WA_DeleteOnClose);
        sub->setWindowTitle(widget->windowTitle());
        sub->setWindowIcon(widget->windowIcon());
        window = sub;
    } else {
        widget->setParent(registry.frame(), Qt::Window);
        widget->setAttribute(Qt::WA_DeleteOnClose);
    }
    if (!singleListName.empty()) registry.enterChild(*this, window);
    window->show();
    window->activateWindow();
    window->raise();
    if (sub && registry.mdiArea()) registry.mdiArea()->setActiveSubWindow(sub);
    return sub;
}

WindowRegistry::WindowRegistry() = default;
WindowRegistry::~WindowRegistry() = default;

WindowRegistry& WindowRegistry::instance() {
    static WindowRegistry registry;
    return registry;
}

void WindowRegistry::add(const std::string& procedure, Factory factory) { m_factories[procedure] = std::move(factory); }

bool WindowRegistry::contains(std::string_view procedure) const {
    return m_factories.find(procedure) != m_factories.end();
}

std::vector<std::string> WindowRegistry::procedures() const {
    std::vector<std::string> out;
    out.reserve(m_factories.size());
    for (const auto& [name, f] : m_factories) out.push_back(name);
    return out;
}

WindowResponse WindowRegistry::run(UiPort& ui, std::string_view procedure, const WindowRequest& request,
                                   QWidget* parent) {
    auto it = m_factories.find(procedure);
    if (it == m_factories.end()) {
        showStandardMessage(ui, StandardMessage::ProcedureToDo, {procedure});
        return WindowResponse{Response::Cancelled, 0, {}};
    }
    WindowContext context{*this, ui, m_database, parent ? parent : m_frame, std::string(procedure), {}, 0};
    // The factory may replace itself in the registry while it runs; keep it alive.
    Factory factory = it->second;
    return factory(context, request);
}

WindowResponse WindowRegistry::runSingle(UiPort& ui, std::string_view procedure, const std::string& listName) {
    auto it = m_factories.find(procedure);
    if (it == m_factories.end()) {
        showStandardMessage(ui, StandardMessage::ProcedureToDo, {procedure});
        return WindowResponse{Response::Cancelled, 0, {}};
    }
    const std::int64_t id = m_nextWindowId++;
    if (auto existing = ThreadQueue::instance().claim(listName, id)) {
        bringToFront(existing->THREADID);
        return WindowResponse{Response::Completed, 0, {}};
    }
    WindowContext context{*this, ui, m_database, m_frame, std::string(procedure), listName, id};
    Factory factory = it->second;
    WindowResponse response = factory(context, WindowRequest{});
    // A window that did not stay open as a child of the frame (a modal one that has
    // closed, or one whose tables could not be opened) leaves no entry.
    if (m_singleWindows.find(id) == m_singleWindows.end()) ThreadQueue::instance().remove(listName, id);
    return response;
}

void WindowRegistry::enterChild(const WindowContext& context, QWidget* window) {
    const std::int64_t id = context.windowId;
    const std::string name = context.singleListName;
    m_singleWindows[id] = window;
    QObject::connect(window, &QObject::destroyed, [this, id, name] {
        m_singleWindows.erase(id);
        ThreadQueue::instance().remove(name, id);
    });
}

bool WindowRegistry::bringToFront(std::int64_t windowId) {
    auto it = m_singleWindows.find(windowId);
    if (it == m_singleWindows.end()) return false;
    QWidget* window = it->second;
    if (window->isMinimized()) window->showNormal();
    window->show();
    window->raise();
    window->activateWindow();
    if (auto* sub = qobject_cast<QMdiSubWindow*>(window); sub && m_mdiArea) m_mdiArea->setActiveSubWindow(sub);
    return true;
}

}  // namespace quay::core
