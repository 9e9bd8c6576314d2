// ScriptedUi: the UI port that tests drive window logic with. It answers questions
// in order from a queue of scripted buttons, runs sub-windows through handlers the
// test registers, and records every message (caption, text, icon, buttons,
// default, the answer given), every beep, busy-cursor change, program end and
// sub-window call, so a test can assert exactly what the user would have seen.
//
// A box with a single button (an OK-only message) is answered with it and takes
// nothing from the queue: the queue holds the answers to real questions only.
// When the answer queue is empty a message is answered with the default answer
// (the box's own default button unless the test set another); a test that wants
// every question scripted installs an unscripted-message handler that fails it.
// A scripted answer that the box does not offer is reported the same way and the
// box's default is given instead.
//
// Not thread-safe: one ScriptedUi serves the thread that runs the window under test.
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "quay/app/ui_port.h"
#include "quay/export.h"

namespace quay::core {

// One message box as shown, with the answer it got.
struct RecordedMessage {
    std::string caption;
    std::string text;
    Icon icon = Icon::None;
    ButtonSet buttons;
    Button defaultButton = Button::None;
    Button answer = Button::None;
};

// One sub-window call as made.
struct RecordedWindow {
    std::string window;
    WindowRequest request;
    WindowResponse response;
};

struct RecordedBeep {
    int frequency = 0;
    int duration = 0;
};

class QUAY_EXPORT ScriptedUi : public UiPort {
public:
    using WindowHandler = std::function<WindowResponse(const WindowRequest&)>;
    // Called for a message that found no usable scripted answer; `why` says what was wrong.
    using UnscriptedHandler = std::function<void(const RecordedMessage&, const std::string& why)>;

    ScriptedUi();
    ~ScriptedUi() override;

    // --- script ---
    void answer(Button b);                           // queues one answer
    void answers(std::initializer_list<Button> bs);  // queues several, in order
    std::size_t pendingAnswers() const { return m_answers.size(); }
    // The answer given when the queue is empty; unset means the box's default button.
    void setDefaultAnswer(std::optional<Button> b) { m_defaultAnswer = b; }
    void onUnscripted(UnscriptedHandler h) { m_onUnscripted = std::move(h); }
    // Registers what the sub-window `window` does when run; unregistered windows
    // answer Cancelled and are reported to the unscripted handler.
    void onWindow(const std::string& window, WindowHandler h);

    // --- UiPort ---
    Button message(std::string_view caption, std::string_view text, Icon icon, ButtonSet buttons,
                   Button defaultButton) override;
    void beep(int frequency, int duration) override;
    void setBusy(bool on) override;
    void endProgram(std::string_view text) override;
    WindowResponse runWindow(WindowName window, const WindowRequest& request) override;

    // --- what happened ---
    const std::vector<RecordedMessage>& messages() const { return m_messages; }
    const std::vector<RecordedBeep>& beeps() const { return m_beeps; }
    const std::vector<RecordedWindow>& windows() const { return m_windows; }
    const std::vector<std::string>& endings() const { return m_endings; }
    const std::vector<bool>& busyChanges() const { return m_busyChanges; }
    bool isBusy() const { return m_busy; }
    bool programEnded() const { return !m_endings.empty(); }
    // Captions and texts of the messages, for compact assertions.
    std::vector<std::string> captions() const;
    std::vector<std::string> texts() const;
    // Forgets everything recorded (the script stays).
    void clearRecord();

private:
    void reportUnscripted(const RecordedMessage& m, const std::string& why);

    std::deque<Button> m_answers;
    std::optional<Button> m_defaultAnswer;
    UnscriptedHandler m_onUnscripted;
    std::map<std::string, WindowHandler, std::less<>> m_windowHandlers;

    std::vector<RecordedMessage> m_messages;
    std::vector<RecordedBeep> m_beeps;
    std::vector<RecordedWindow> m_windows;
    std::vector<std::string> m_endings;
    std::vector<bool> m_busyChanges;
    bool m_busy = false;
};

}  // namespace quay::core
