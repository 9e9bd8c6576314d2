// The area code window's OK and Cancel.
#include "areacode/area_code_logic.h"

namespace quay::desk {

bool AreaCodeWindow::ok(const std::string& typed) {
    std::string code;
    for (char c : typed)
        if (c != ' ' && c != '\t') code += c;
    bool valid = code.size() == 3;
    for (char c : code) valid = valid && c >= '0' && c <= '9';
    if (!valid) {
        m_ui.inform(kAreaCodeTitle, kAreaCodeInvalid, core::Icon::Warning);
        return false;
    }
    m_response = core::WindowResponse{core::Response::Completed, 0, code};
    return true;
}

void AreaCodeWindow::cancel() { m_response = core::WindowResponse{core::Response::Cancelled, 0, {}}; }

}  // namespace quay::desk
