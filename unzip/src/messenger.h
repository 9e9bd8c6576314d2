// The message protocol: every question and error of a call passes through one
// Messenger, which asks the caller's message callback first, honours its answer
// only when it belongs to the button set, and otherwise asks on the controlling
// terminal, or, when there is none, takes the answer quietFlag would take.
#pragma once

#include <cstdint>
#include <string>

#include "zwunzip.h"

namespace zw::detail {

class CallLogs;

class Messenger {
public:
    // cmd is the call's full-layout command; it must outlive the messenger.
    Messenger(const UNZIPCMDSTRUCT& cmd, CallLogs& logs);

    // Asks a question or shows a message of the given type; returns the button
    // answer (ZW_ID_*). quietAnswer is what a quiet call, or a call without a
    // terminal, answers.
    int32_t ask(int32_t type, int32_t buttons, int32_t code, int32_t extra, const std::string& text,
                int32_t quietAnswer);

    // Passes a message-table text to the callback as a type-13 look-up, which
    // may replace it; returns the text to use.
    std::string lookUp(int32_t textNumber, const std::string& text);

    // Reports a failure: builds the error line, appends it to the diagnostic
    // and extraction logs and shows it (type 11) unless quietFlag is set. The
    // line, without its break, is kept as the call's last error.
    void reportError(int32_t code, const std::string& detail);

    // Asks for a new target name, the counterpart of the "Rename" save-file
    // dialog; empty when nothing was chosen.
    std::string askFileName(const std::string& proposed);

    const std::string& lastError() const { return m_lastError; }
    bool quiet() const { return m_cmd.quietFlag != 0; }

    static bool answerFits(int32_t answer, int32_t buttons);
    static const char* captionOf(int32_t type);

private:
    const UNZIPCMDSTRUCT& m_cmd;
    CallLogs& m_logs;
    std::string m_lastError;
};

}  // namespace zw::detail
