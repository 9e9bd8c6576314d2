// The two logs of a call, both kept in the "Windows directory": the diagnostic
// log ZIPWELL.LOG (every call with the diagnostic switch set: its structure
// fields and its response) and the extraction log ZWUNLOG.TXT (sub-option bit
// 8: one line per member and the error lines). Each line is appended and
// flushed at once, so a log survives a crash of the caller.
#pragma once

#include <cstdint>
#include <string>

#include "zwunzip.h"

namespace zw::detail {

class CallLogs {
public:
    // Reads the switches of cmd; writes nothing yet.
    explicit CallLogs(const UNZIPCMDSTRUCT& cmd);

    // Opening lines of the call: the diagnostic header and structure fields,
    // the extraction log header.
    void begin(int32_t callerSize);
    // Closing lines of the diagnostic log.
    void end(int32_t code, int32_t returnCount, const void* returnString);

    void errorLine(const std::string& line);
    void memberLine(const std::string& name, const char* what);

    // The directory that holds both logs: $ZWUNZIP_WINDIR, else
    // $XDG_STATE_HOME/zwunzip, else ~/.local/state/zwunzip; created when missing.
    static std::string windowsDirectory();
    static std::string versionStamp();

private:
    void appendDiagnostic(const std::string& text);
    void appendExtraction(const std::string& text);

    const UNZIPCMDSTRUCT& m_cmd;
    bool m_diagnostic;
    bool m_extraction;
};

}  // namespace zw::detail
