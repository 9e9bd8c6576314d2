// Messages of the command-line programs on standard error.
#include "quay/app/console_ui.h"

#include <cstdlib>
#include <iostream>
#include <string>

namespace quay::core {

Button ConsoleUi::message(std::string_view caption, std::string_view text, Icon, ButtonSet, Button defaultButton) {
    std::string shown(text);
    for (char& c : shown)
        if (c == '|') c = '\n';
    std::cerr << caption << ": " << shown << '\n';
    return defaultButton;
}

void ConsoleUi::endProgram(std::string_view text) {
    std::cerr << text << '\n';
    std::exit(m_stopStatus);
}

}  // namespace quay::core
