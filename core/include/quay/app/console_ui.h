// ConsoleUi: the user interface of the command-line programs. Each message goes to
// standard error ("Caption: text", a "|" in the text as a line break) and is answered
// with the box's default button, so a run never waits for a user who is not there.
// No sounds, no busy pointer, no windows; a program stop prints its text and exits with
// the status given at construction.
#pragma once

#include "quay/app/ui_port.h"
#include "quay/export.h"

namespace quay::core {

class QUAY_EXPORT ConsoleUi final : public UiPort {
public:
    explicit ConsoleUi(int stopStatus = 1) : m_stopStatus(stopStatus) {}

    Button message(std::string_view caption, std::string_view text, Icon icon, ButtonSet buttons,
                   Button defaultButton) override;
    void beep(int, int) override {}
    void setBusy(bool) override {}
    void endProgram(std::string_view text) override;
    WindowResponse runWindow(WindowName, const WindowRequest&) override { return {}; }

private:
    int m_stopStatus;
};

}  // namespace quay::core
