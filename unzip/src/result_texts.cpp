// The message table of result codes: text number n belongs to result code n - 15.
#include "result_texts.h"

namespace zw::detail {

const char* resultText(int32_t code) {
    switch (code) {
    case 0: return "";
    case 2: return "Unexpected end of zip file";
    case 3: return "Zip file structure invalid";
    case 4:
    case 5: return "Out of memory";
    case 9: return "File not found";
    case 11: return "No files to test, extract, etc.";
    case 25: return "Index out of bounds";
    case 26: return "Multi-disk archive, not supported";
    case 28: return "Error creating output file";
    case 29: return "Error opening archive";
    case 39: return "Bad CRC";
    case 40: return "Application cancelled operation";
    case 41: return "File skipped, encrypted";
    case 42: return "File skipped, unknown compression method";
    case 44: return "Bad or missing decryption key";
    case 45: return "Busy, can't re-enter now";
    case 46: return "Can't extract a Volume ID item";
    case 47: return "Command syntax error";
    case 48: return "User cancelled this operation";
    case 49: return "User skipped this operation";
    case 50: return "Disk full";
    default: return "-";
    }
}

std::string errorLine(int32_t code, const std::string& detail) {
    std::string line = std::string(kCaptionError) + " " + resultText(code);
    if (!detail.empty()) line += " (" + detail + ")";
    return line;
}

}  // namespace zw::detail
