// QtUiPort: the UI port of the desktop. Messages are QMessageBoxes (a "|" in the
// text is a line break), beeps go to the platform, the busy cursor is the
// application's override cursor, and sub-windows are opened through the
// WindowRegistry by procedure name.
//
// Lives on the GUI thread.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "quay/app/ui_port.h"
#include "quay/export.h"

class QWidget;

namespace quay::core {

class WindowRegistry;

class QUAY_EXPORT QtUiPort : public UiPort {
public:
    // Called by endProgram() after the ending text has been shown; the default ends
    // the process with exit status 1.
    using EndHandler = std::function<void(std::string_view text)>;

    explicit QtUiPort(WindowRegistry& registry, QWidget* parent = nullptr);
    ~QtUiPort() override;

    // The window message boxes and sub-windows are shown over.
    void setParent(QWidget* parent) { m_parent = parent; }
    QWidget* parent() const { return m_parent; }
    void setEndHandler(EndHandler handler) { m_endHandler = std::move(handler); }

    Button message(std::string_view caption, std::string_view text, Icon icon, ButtonSet buttons,
                   Button defaultButton) override;
    void beep(int frequency, int duration) override;
    void setBusy(bool on) override;
    void endProgram(std::string_view text) override;
    WindowResponse runWindow(WindowName window, const WindowRequest& request) override;

    // The text as a message box shows it: each "|" becomes a line break.
    static std::string displayText(std::string_view text);

private:
    WindowRegistry& m_registry;
    QWidget* m_parent;
    EndHandler m_endHandler;
    int m_busyDepth = 0;
};

}  // namespace quay::core
