// Questions asked on the controlling terminal, this platform's counterpart of
// the library's own message boxes and dialogs. When the process has no
// controlling terminal (or ZWUNZIP_NO_TERMINAL is set in the environment) no
// question can be asked and the caller takes its default answer.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace zw::detail {

class TerminalPrompt {
public:
    // Shows caption and text with the buttons of the set; returns the chosen
    // ZW_ID_* answer, or nothing when there is no terminal.
    static std::optional<int32_t> ask(const std::string& caption, const std::string& text, int32_t buttons);
    // Asks for one line of text; nothing when there is no terminal.
    static std::optional<std::string> askLine(const std::string& caption, const std::string& prompt);
};

}  // namespace zw::detail
