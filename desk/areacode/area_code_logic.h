// EnterDefaultAreaCode: asks for the company's default telephone area code when the
// company record is first made. OK gives the three digits typed; Cancel answers
// response 2 and the caller abandons the set-up. An entry that is not three digits is
// refused with a clear message and the window stays open.
#pragma once

#include <string>

#include "quay/app/ui_port.h"

namespace quay::desk {

inline constexpr const char* kAreaCodeSection = "EnterDefaultAreaCode";
inline constexpr const char* kAreaCodeTitle = "Default Area Code";
inline constexpr const char* kAreaCodePrompt =
    "Please enter your default area code (or the area code that you use most).  "
    "This is used to complete phone number entry when 7 digits are entered.";
inline constexpr const char* kAreaCodeLabel = "Default Area Code:";
inline constexpr const char* kAreaCodeInvalid = "The area code must be three digits, for example 617.";

class AreaCodeWindow {
public:
    explicit AreaCodeWindow(core::UiPort& ui) : m_ui(ui) {}

    // OK pressed with `typed` in the entry: true (the window closes, response
    // Completed, result areaCode()) or false after telling the user what is wrong.
    bool ok(const std::string& typed);
    // Cancel pressed: the window closes with response Cancelled.
    void cancel();

    const core::WindowResponse& response() const { return m_response; }
    const std::string& areaCode() const { return m_response.text; }

private:
    core::UiPort& m_ui;
    core::WindowResponse m_response;
};

}  // namespace quay::desk
