// Texts of the record store's codes, as the error insert of the standard messages
// shows them ("Record Not Found (35)").
#include "quay/store/error_code.h"

namespace quay::core {

const char* errorCodeText(ErrorCode code) {
    switch (code) {
    case ErrorCode::None: return "No Error";
    case ErrorCode::FileNotFound: return "File Not Found";
    case ErrorCode::AccessDenied: return "Access Denied";
    case ErrorCode::FileLocked: return "File Locked";
    case ErrorCode::RecordNotAvailable: return "Record Not Available";
    case ErrorCode::RecordNotFound: return "Record Not Found";
    case ErrorCode::FileNotOpen: return "File Not Open";
    case ErrorCode::DuplicateKey: return "Duplicate Key";
    case ErrorCode::RecordInUse: return "Record In Use Elsewhere";
    case ErrorCode::InvalidKeyFile: return "Key File Invalid";
    case ErrorCode::LayoutMismatch: return "Layout Mismatch";
    case ErrorCode::AlreadyOpen: return "Already Open";
    case ErrorCode::ChangedByOtherStation: return "Changed By Another Station";
    case ErrorCode::DriverError: return "Driver Error";
    }
    return "Unknown Error";
}

}  // namespace quay::core
