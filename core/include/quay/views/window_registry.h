// WindowRegistry: procedure name -> the factory that opens that window, so that a
// window's logic can run any other window by its name (ui.runWindow("DefaultsForm",
// request)) and the menu can open "QuoteBrowse" without knowing its classes.
//
// A form's factory runs it modally and returns its response. A list's factory shows
// it as a child window of the frame through WindowContext::showChild() and returns
// at once; called with Request::Select it runs the list modally instead and answers
// whether a record was picked. An unknown name shows standard message 6
// ("Procedure not defined") and answers Cancelled.
//
// Single-instance lists (runSingle) are kept in ThreadQueue under their list name:
// a second choice brings the open window to the front, and the entry goes when the
// window is destroyed.
//
// The registry and its windows live on the GUI thread.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "quay/app/ui_port.h"
#include "quay/export.h"

class QWidget;
class QMdiArea;
class QMdiSubWindow;

namespace quay::core {

class Database;
class WindowRegistry;

// What a factory gets: where to open, with what, and how to show a child window.
struct QUAY_EXPORT WindowContext {
    WindowRegistry& registry;
    UiPort& ui;
    Database* database = nullptr;  // the desk's connection to the data set
    QWidget* parent = nullptr;     // the parent for a modal window (the frame when null)
    std::string procedure;         // the name the window was run under

    // Shows `widget` as a child window of the frame (a top-level window when no MDI
    // area is set) and takes ownership of it. For a single-instance list the child
    // is entered in ThreadQueue. Returns the sub-window, or null without an MDI area.
    QMdiSubWindow* showChild(QWidget* widget) const;

    // Set by runSingle: the list name and the window number the child is kept under.
    std::string singleListName;
    std::int64_t windowId = 0;
};

class QUAY_EXPORT WindowRegistry {
public:
    using Factory = std::function<WindowResponse(WindowContext&, const WindowRequest&)>;

    WindowRegistry();
    ~WindowRegistry();
    WindowRegistry(const WindowRegistry&) = delete;
    WindowRegistry& operator=(const WindowRegistry&) = delete;

    // The registry of the program.
    static WindowRegistry& instance();

    // Registers (or replaces) the factory of `procedure`.
    void add(const std::string& procedure, Factory factory);
    bool contains(std::string_view procedure) const;
    std::vector<std::string> procedures() const;

    // Opens `procedure` with `request`. Unknown: message 6, Cancelled.
    WindowResponse run(UiPort& ui, std::string_view procedure, const WindowRequest& request, QWidget* parent = nullptr);

    // Opens the single-instance list `procedure` kept under `listName`, or brings
    // its open window to the front. Answers the window's response (Completed when it
    // was brought to the front; Cancelled for an unknown procedure).
    WindowResponse runSingle(UiPort& ui, std::string_view procedure, const std::string& listName);

    // Un-minimises the window entered under `windowId` and makes it active.
    bool bringToFront(std::int64_t windowId);

    void setMdiArea(QMdiArea* area) { m_mdiArea = area; }
    QMdiArea* mdiArea() const { return m_mdiArea; }
    void setDatabase(Database* db) { m_database = db; }
    Database* database() const { return m_database; }
    void setFrame(QWidget* frame) { m_frame = frame; }
    QWidget* frame() const { return m_frame; }

private:
    friend struct WindowContext;
    void enterChild(const WindowContext& context, QWidget* window);

    std::map<std::string, Factory, std::less<>> m_factories;
    std::map<std::int64_t, QWidget*> m_singleWindows;
    std::int64_t m_nextWindowId = 1;
    QMdiArea* m_mdiArea = nullptr;
    QWidget* m_frame = nullptr;
    Database* m_database = nullptr;
};

}  // namespace quay::core
