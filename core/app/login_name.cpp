// Log-in name: the user database first (it names the account the process runs as,
// whatever the environment says), $USER only when the account has no entry.
#include "quay/app/login_name.h"

#include <pwd.h>
#include <unistd.h>

#include <cctype>
#include <cstdlib>
#include <vector>

namespace quay::core {

std::string loginName() {
    std::vector<char> buf(16384);
    passwd pw{};
    passwd* result = nullptr;
    if (getpwuid_r(geteuid(), &pw, buf.data(), buf.size(), &result) == 0 && result && result->pw_name &&
        *result->pw_name)
        return result->pw_name;
    if (const char* user = std::getenv("USER"); user && *user) return user;
    return {};
}

std::string userIdForLoginName(std::string_view name) {
    constexpr std::size_t kUserIdLength = 20;
    while (!name.empty() && (name.back() == ' ' || name.back() == '\t')) name.remove_suffix(1);
    if (name.find_first_not_of(" \t") == std::string_view::npos) return "DEFAULT";
    std::string id(name.substr(0, kUserIdLength));
    for (char& c : id) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return id;
}

}  // namespace quay::core
