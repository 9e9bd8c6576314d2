// The program's folder, from the kernel's link to the running executable.
#include "quay/reports/run/program_directory.h"

#include <system_error>

namespace quay::reports {

std::filesystem::path programDirectory() {
    std::error_code ec;
    std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (!ec && exe.has_parent_path()) return exe.parent_path();
    return std::filesystem::current_path(ec);
}

}  // namespace quay::reports
