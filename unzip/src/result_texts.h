// Result codes of zwunzip32 and the library's message table: the texts shown for
// each code, the detail texts added in parentheses, and the captions and fixed
// texts of the message protocol.
#pragma once

#include <cstdint>
#include <string>

namespace zw::detail {

// Text of a result code ("-" for codes without text, "" for success).
const char* resultText(int32_t code);

// Number of a result code's text in the message table (code + 15): the number
// passed to the message callback with a type-13 look-up.
inline int32_t textNumberOf(int32_t code) { return code + 15; }

// Detail texts (the part of an error line in parentheses).
namespace detailText {
inline constexpr const char* kNoValidZip = "No valid ZIP file indicated";
inline constexpr const char* kProblemReading = "Problem reading ZIP file";
inline constexpr const char* kNoFilespec = "ZIP filename or filespec not provided";
inline constexpr const char* kEmptyFilespec = "ZIP filename or filespec empty";
inline constexpr const char* kNoStruct = "UNZIP command structure not provided";
inline constexpr const char* kNoMoreItems = "No more items found";
inline constexpr const char* kProblemOpening = "Problem opening ZIP file";
inline constexpr const char* kNeedDestination = "Need destination path when updating or freshening";
inline constexpr const char* kDestinationNotComplete = "Destination path not complete";
inline constexpr const char* kNeedDrive = "Destination path must include drive letter";
inline constexpr const char* kLocalHeap = "Error allocating memory from local heap";
inline constexpr const char* kGlobalHeap = "Error allocating memory from global heap";
inline constexpr const char* kNoZipName = "ZIP filename not provided";
inline constexpr const char* kStructureProblem = "Can't understand ZIP file, structure problem";
inline constexpr const char* kIndexOutOfRange = "Specified index is out of range";
inline constexpr const char* kReentry = "Re-entry not permitted";
inline constexpr const char* kBadSize = "UNZIPCMDSTRUCT Size is incorrect.";
inline constexpr const char* kFreshenAndUpdate = "Can't freshen and update at the same time";
inline constexpr const char* kBadKey = "Decryption key not provided, or too long";
inline constexpr const char* kNoDestination = "Destination path not provided";
inline constexpr const char* kUnknownFunction = "Unknown function requested";
inline constexpr const char* kNoItemList = "Item list not provided";
inline constexpr const char* kIndexTooHigh = "Index is too high";
inline constexpr const char* kProblemExtracting = "Problem extracting file(s)";
inline constexpr const char* kNoMatch = "No items match filespec";
inline constexpr const char* kQuotesMismatched = "Double Quotes mismatched.";
inline constexpr const char* kLongFileName = "Index references Long File Name.";
inline constexpr const char* kFileToMem = "Inconsistent UNZIP_FILETOMEM parameters.";
}  // namespace detailText

// Captions of the message protocol.
inline constexpr const char* kCaptionRequest = "Zipwell UnZIP Request:";
inline constexpr const char* kCaptionError = "ZipWell UnZIP Error:";
inline constexpr const char* kCaptionWarning = "Zipwell UnZIP Warning";
inline constexpr const char* kCaptionAlert = "Zipwell UnZIP Alert";
inline constexpr const char* kCaptionRename = "Zipwell Rename Request";
inline constexpr const char* kDefaultProgressTitle = "Extract Progress";
inline constexpr const char* kVersionText = "Version: 3.00.16";

// Error line: "ZipWell UnZIP Error: <code text> (<detail>)", without the line break.
std::string errorLine(int32_t code, const std::string& detail);

}  // namespace zw::detail
