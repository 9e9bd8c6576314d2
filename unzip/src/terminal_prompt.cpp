// Terminal questions: the buttons of a set are offered as letters, and the
// answer is read as one line from /dev/tty.
#include "terminal_prompt.h"

#include <fcntl.h>
#include <unistd.h>

#include <cctype>
#include <cstdlib>
#include <vector>

#include "zwunzip.h"

namespace zw::detail {
namespace {

struct Choice {
    char key;
    const char* label;
    int32_t answer;
};

std::vector<Choice> choicesOf(int32_t buttons) {
    switch (buttons) {
    case ZW_MB_OKCANCEL: return {{'o', "OK", ZW_ID_OK}, {'c', "Cancel", ZW_ID_CANCEL}};
    case ZW_MB_ABORTRETRYIGNORE:
        return {{'a', "Abort", ZW_ID_ABORT}, {'r', "Retry", ZW_ID_RETRY}, {'i', "Ignore", ZW_ID_IGNORE}};
    case ZW_MB_YESNOCANCEL: return {{'y', "Yes", ZW_ID_YES}, {'n', "No", ZW_ID_NO}, {'c', "Cancel", ZW_ID_CANCEL}};
    case ZW_MB_YESNO: return {{'y', "Yes", ZW_ID_YES}, {'n', "No", ZW_ID_NO}};
    case ZW_MB_RETRYCANCEL: return {{'r', "Retry", ZW_ID_RETRY}, {'c', "Cancel", ZW_ID_CANCEL}};
    case ZW_MB_FIVEBUTTON:
        return {{'y', "Yes", ZW_ID_YES},
                {'n', "No", ZW_ID_NO},
                {'c', "Cancel", ZW_ID_CANCEL},
                {'a', "Yes to all", ZW_ID_YESTOALL},
                {'r', "Rename", ZW_ID_RENAME}};
    default: return {{'o', "OK", ZW_ID_OK}};
    }
}

// Owns the terminal descriptor for one question.
class Tty {
public:
    Tty() {
        const char* off = std::getenv("ZWUNZIP_NO_TERMINAL");
        if (off && *off && *off != '0') return;
        m_fd = ::open("/dev/tty", O_RDWR | O_NOCTTY | O_CLOEXEC);
    }
    ~Tty() {
        if (m_fd >= 0) ::close(m_fd);
    }
    Tty(const Tty&) = delete;
    Tty& operator=(const Tty&) = delete;
    bool ok() const { return m_fd >= 0; }
    void write(const std::string& s) {
        size_t done = 0;
        while (done < s.size()) {
            ssize_t n = ::write(m_fd, s.data() + done, s.size() - done);
            if (n <= 0) return;
            done += size_t(n);
        }
    }
    std::optional<std::string> readLine() {
        std::string line;
        char c;
        for (;;) {
            ssize_t n = ::read(m_fd, &c, 1);
            if (n <= 0) return line.empty() ? std::nullopt : std::optional<std::string>(line);
            if (c == '\n') return line;
            if (line.size() < 4096) line.push_back(c);
        }
    }

private:
    int m_fd = -1;
};

std::string withLineBreaks(std::string text) {
    for (char& c : text)
        if (c == '|') c = '\n';
    return text;
}

}  // namespace

std::optional<int32_t> TerminalPrompt::ask(const std::string& caption, const std::string& text, int32_t buttons) {
    Tty tty;
    if (!tty.ok()) return std::nullopt;
    const std::vector<Choice> choices = choicesOf(buttons);
    std::string menu;
    for (const Choice& c : choices) menu += std::string(" [") + c.key + "] " + c.label;
    tty.write("\n" + caption + "\n" + withLineBreaks(text) + "\n");
    for (int attempt = 0; attempt < 10; ++attempt) {
        tty.write(menu + ": ");
        std::optional<std::string> line = tty.readLine();
        if (!line) return std::nullopt;
        if (choices.size() == 1) return choices.front().answer;
        for (const Choice& c : choices)
            if (!line->empty() && std::tolower(static_cast<unsigned char>((*line)[0])) == c.key) return c.answer;
    }
    return std::nullopt;
}

std::optional<std::string> TerminalPrompt::askLine(const std::string& caption, const std::string& prompt) {
    Tty tty;
    if (!tty.ok()) return std::nullopt;
    tty.write("\n" + caption + "\n" + prompt + ": ");
    return tty.readLine();
}

}  // namespace zw::detail
