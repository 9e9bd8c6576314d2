// The UI port: the only way window logic talks to the user. A window asks a
// question, shows a message, beeps, shows the busy cursor, ends the program or runs
// a sub-window through it, and never touches a widget. The desktop implements the
// port with Qt message boxes and windows; tests use ScriptedUi, which answers from a
// script and records everything asked.
//
// In message texts a "|" is a line break; the port that draws the box turns it into
// one, the logic always passes the text as the catalogue gives it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "quay/app/window_name.h"
#include "quay/export.h"

namespace quay::core {

class Table;

// The icon of a message box. Warning is also the "exclamation" icon.
enum class Icon { None, Warning, Question, Information, Error };

// One button of a message box; also the answer a message returns. None is the
// answer when the box was closed without a button (or the program ended).
enum class Button : std::uint8_t {
    None = 0,
    Ok = 1,
    Cancel = 2,
    Yes = 4,
    No = 8,
    Retry = 16,
    Abort = 32,
    Ignore = 64,
};

// The set of buttons a message box offers.
class ButtonSet {
public:
    constexpr ButtonSet() = default;
    constexpr ButtonSet(Button b) : m_bits(static_cast<std::uint8_t>(b)) {}  // NOLINT: implicit by design
    constexpr bool has(Button b) const { return b != Button::None && (m_bits & static_cast<std::uint8_t>(b)) != 0; }
    constexpr bool isEmpty() const { return m_bits == 0; }
    constexpr std::uint8_t bits() const { return m_bits; }
    constexpr ButtonSet operator|(ButtonSet other) const { return fromBits(m_bits | other.m_bits); }
    constexpr bool operator==(const ButtonSet&) const = default;
    static constexpr ButtonSet fromBits(unsigned bits) {
        ButtonSet s;
        s.m_bits = static_cast<std::uint8_t>(bits & 0x7f);
        return s;
    }

private:
    std::uint8_t m_bits = 0;
};

constexpr ButtonSet operator|(Button a, Button b) { return ButtonSet(a) | ButtonSet(b); }

// Display name of a button ("OK", "Cancel", "Yes", ...), for logs and test output.
QUAY_EXPORT const char* buttonName(Button b);

// The request a form is called with and the response it answers (GlobalRequest and
// GlobalResponse in the window protocol).
enum class Request : std::int32_t { None = 0, Insert = 1, Change = 2, Delete = 3, Select = 4 };
enum class Response : std::int32_t { None = 0, Completed = 1, Cancelled = 2 };

// What a window is called with: the request, the caller's table handle holding "the
// record in the table's buffer" (may be null), and the documented LONG or string
// argument of procedures that take one (SCHEDULEFORM's id, FORMATPHONE's text).
struct WindowRequest {
    Request request = Request::None;
    Table* table = nullptr;
    std::int32_t number = 0;
    std::string text;
};

// What a window answers: its response and, for procedures with a result, the value.
struct WindowResponse {
    Response response = Response::Cancelled;
    std::int32_t number = 0;
    std::string text;
};

// The port itself. Implementations are used from the thread that owns the window.
class QUAY_EXPORT UiPort {
public:
    virtual ~UiPort();

    // Shows a message box and returns the button pressed. REQUIRES: `buttons` is not
    // empty and holds `defaultButton`.
    virtual Button message(std::string_view caption, std::string_view text, Icon icon, ButtonSet buttons,
                           Button defaultButton) = 0;

    // Sounds the speaker (frequency in Hz, duration in milliseconds).
    virtual void beep(int frequency, int duration) = 0;

    // Shows or hides the busy cursor.
    virtual void setBusy(bool on) = 0;

    // Ends the program with the short text the ending message gives ("Invalid Key!").
    // A desktop port does not return; a scripted port records the call and returns,
    // and the caller then returns its "program ended" outcome at once.
    virtual void endProgram(std::string_view text) = 0;

    // Runs the sub-window `window` (a catalogued name, "CustomerForm") with the request
    // and returns its response.
    virtual WindowResponse runWindow(WindowName window, const WindowRequest& request) = 0;

    // Convenience: a message with only OK.
    Button inform(std::string_view caption, std::string_view text, Icon icon = Icon::Warning) {
        return message(caption, text, icon, Button::Ok, Button::Ok);
    }
};

}  // namespace quay::core
