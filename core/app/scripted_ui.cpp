// ScriptedUi: answers from a queue, records everything. The unscripted handler is
// how a test turns "the logic asked something nobody expected" into a failure
// without the port depending on the test framework.
#include "quay/app/scripted_ui.h"

namespace quay::core {

UiPort::~UiPort() = default;

const char* buttonName(Button b) {
    switch (b) {
    case Button::None: return "None";
    case Button::Ok: return "OK";
    case Button::Cancel: return "Cancel";
    case Button::Yes: return "Yes";
    case Button::No: return "No";
    case Button::Retry: return "Retry";
    case Button::Abort: return "Abort";
    case Button::Ignore: return "Ignore";
    }
    return "?";
}

ScriptedUi::ScriptedUi() = default;
ScriptedUi::~ScriptedUi() = default;

void ScriptedUi::answer(Button b) { m_answers.push_back(b); }

void ScriptedUi::answers(std::initializer_list<Button> bs) {
    for (Button b : bs) m_answers.push_back(b);
}

void ScriptedUi::onWindow(const std::string& window, WindowHandler h) { m_windowHandlers[window] = std::move(h); }

void ScriptedUi::reportUnscripted(const RecordedMessage& m, const std::string& why) {
    if (m_onUnscripted) m_onUnscripted(m, why);
}

Button ScriptedUi::message(std::string_view caption, std::string_view text, Icon icon, ButtonSet buttons,
                           Button defaultButton) {
    RecordedMessage m;
    m.caption = std::string(caption);
    m.text = std::string(text);
    m.icon = icon;
    m.buttons = buttons;
    m.defaultButton = defaultButton;

    const unsigned bits = buttons.bits();
    if (bits != 0 && (bits & (bits - 1)) == 0) {
        // One button, one possible answer: nothing to script.
        m.answer = static_cast<Button>(bits);
    } else if (!m_answers.empty()) {
        Button scripted = m_answers.front();
        m_answers.pop_front();
        if (buttons.has(scripted)) {
            m.answer = scripted;
        } else {
            m.answer = defaultButton;
            reportUnscripted(
                m, std::string("scripted answer ") + buttonName(scripted) + " is not a button of this message");
        }
    } else if (m_defaultAnswer && buttons.has(*m_defaultAnswer)) {
        m.answer = *m_defaultAnswer;
        reportUnscripted(m, "no scripted answer left");
    } else {
        m.answer = defaultButton;
        reportUnscripted(m, "no scripted answer left");
    }
    m_messages.push_back(m);
    return m.answer;
}

void ScriptedUi::beep(int frequency, int duration) { m_beeps.push_back({frequency, duration}); }

void ScriptedUi::setBusy(bool on) {
    m_busy = on;
    m_busyChanges.push_back(on);
}

void ScriptedUi::endProgram(std::string_view text) { m_endings.emplace_back(text); }

WindowResponse ScriptedUi::runWindow(WindowName name, const WindowRequest& request) {
    const std::string_view window = name.name();
    RecordedWindow w;
    w.window = std::string(window);
    w.request = request;
    auto it = m_windowHandlers.find(window);
    if (it != m_windowHandlers.end()) {
        w.response = it->second(request);
    } else {
        w.response = WindowResponse{Response::Cancelled, 0, {}};
        RecordedMessage m;
        m.caption = w.window;
        reportUnscripted(m, "no handler for window " + w.window);
    }
    m_windows.push_back(w);
    return w.response;
}

std::vector<std::string> ScriptedUi::captions() const {
    std::vector<std::string> out;
    for (const auto& m : m_messages) out.push_back(m.caption);
    return out;
}

std::vector<std::string> ScriptedUi::texts() const {
    std::vector<std::string> out;
    for (const auto& m : m_messages) out.push_back(m.text);
    return out;
}

void ScriptedUi::clearRecord() {
    m_messages.clear();
    m_beeps.clear();
    m_windows.clear();
    m_endings.clear();
    m_busyChanges.clear();
}

}  // namespace quay::core
