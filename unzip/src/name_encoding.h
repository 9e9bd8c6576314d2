// Member names as file names of this platform. Names flagged UTF-8 (general
// purpose bit 11, ZIP application note 4.4.4) are used as they are; other
// names written on MS-DOS, OS/2 or Windows (host 0, 6, 11 of the "version made
// by", 4.4.2) are in the IBM PC character set (code page 437, appendix D) and
// are converted to UTF-8; names from other hosts are in that host's own
// character set and are used as they are.
#pragma once

#include <cstdint>
#include <string>

namespace zw::detail {

std::string fileSystemName(const std::string& stored, bool isUtf8, uint16_t madeBy);

}  // namespace zw::detail
