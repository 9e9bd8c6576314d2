// Message protocol: callback first, then the terminal, then the quiet answer.
#include "messenger.h"

#include <cstring>

#include "call_logs.h"
#include "result_texts.h"
#include "terminal_prompt.h"

namespace zw::detail {
namespace {

// Copies text into the callback's fixed buffer, always terminated.
void fill(char (&buf)[ZW_MESSAGE_TEXT_SIZE], const std::string& text) {
    size_t n = text.size() < sizeof buf - 1 ? text.size() : sizeof buf - 1;
    std::memcpy(buf, text.data(), n);
    buf[n] = '\0';
}

}  // namespace

Messenger::Messenger(const UNZIPCMDSTRUCT& cmd, CallLogs& logs) : m_cmd(cmd), m_logs(logs) {}

const char* Messenger::captionOf(int32_t type) {
    switch (type) {
    case ZW_MSG_INSERT_DISK:
    case ZW_MSG_INSERT_DISK_OF: return kCaptionRequest;
    case ZW_MSG_OVERWRITE:
    case ZW_MSG_OVERWRITE_FIVE: return kCaptionWarning;
    case ZW_MSG_INVALID_DISK: return kCaptionAlert;
    default: return kCaptionError;
    }
}

bool Messenger::answerFits(int32_t answer, int32_t buttons) {
    const bool five = buttons == ZW_MB_FIVEBUTTON;
    switch (answer) {
    case ZW_ID_OK: return buttons == ZW_MB_OK || buttons == ZW_MB_OKCANCEL;
    case ZW_ID_CANCEL:
        return buttons == ZW_MB_OKCANCEL || buttons == ZW_MB_YESNOCANCEL || buttons == ZW_MB_RETRYCANCEL || five;
    case ZW_ID_ABORT:
    case ZW_ID_IGNORE: return buttons == ZW_MB_ABORTRETRYIGNORE || five;
    case ZW_ID_RETRY: return buttons == ZW_MB_ABORTRETRYIGNORE || buttons == ZW_MB_RETRYCANCEL;
    case ZW_ID_YES:
    case ZW_ID_NO: return buttons == ZW_MB_YESNOCANCEL || buttons == ZW_MB_YESNO || five;
    case ZW_ID_YESTOALL: return five;
    case ZW_ID_RENAME: return true;
    default: return false;
    }
}

int32_t Messenger::ask(int32_t type, int32_t buttons, int32_t code, int32_t extra, const std::string& text,
                       int32_t quietAnswer) {
    const char* caption = captionOf(type);
    if (m_cmd.lpMessageDisplay) {
        char buf[ZW_MESSAGE_TEXT_SIZE];
        fill(buf, text);
        int32_t answer = m_cmd.lpMessageDisplay(type, buttons, code, extra, buf, caption, m_cmd.lpMessageDisplayData);
        if (answerFits(answer, buttons)) return answer;
    }
    if (quiet()) return quietAnswer;
    std::optional<int32_t> answer = TerminalPrompt::ask(caption, text, buttons);
    return answer ? *answer : quietAnswer;
}

std::string Messenger::lookUp(int32_t textNumber, const std::string& text) {
    if (!m_cmd.lpMessageDisplay) return text;
    char buf[ZW_MESSAGE_TEXT_SIZE];
    fill(buf, text);
    m_cmd.lpMessageDisplay(ZW_MSG_TEXT_LOOKUP, ZW_MB_OK, textNumber, 0, buf, kCaptionError, m_cmd.lpMessageDisplayData);
    buf[sizeof buf - 1] = '\0';
    return buf;
}

void Messenger::reportError(int32_t code, const std::string& detail) {
    std::string codeText = lookUp(textNumberOf(code), resultText(code));
    std::string line = std::string(kCaptionError) + " " + codeText;
    if (!detail.empty()) line += " (" + detail + ")";
    m_lastError = line;
    m_logs.errorLine(line);
    if (!quiet()) ask(ZW_MSG_ERROR, ZW_MB_OK, code, 0, line + "\n", ZW_ID_OK);
}

std::string Messenger::askFileName(const std::string& proposed) {
    std::optional<std::string> name = TerminalPrompt::askLine(kCaptionRename, "New name for " + proposed);
    return name ? *name : std::string();
}

}  // namespace zw::detail
