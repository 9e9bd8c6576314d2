// Shared helpers of the zwunzip32 tests: a temporary folder per test, the
// test corpus, file reading and writing, a command builder over the public
// structure, and a scripted message callback that records every message.
#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "zwunzip.h"

namespace zwtest {

// A fresh folder, removed with its contents at the end of the test.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::string& path() const { return m_path; }
    std::string operator/(const std::string& name) const { return m_path + "/" + name; }

private:
    std::string m_path;
};

// Path of a corpus file: $QUAY_TESTDATA/zip/<relative>.
std::string corpus(const std::string& relative);
bool exists(const std::string& path);
std::string readFile(const std::string& path);
void writeFile(const std::string& path, const std::string& bytes);
// Names below a folder, relative, sorted, directories with a trailing "/".
std::vector<std::string> listTree(const std::string& root);
// Runs a shell command; its exit status.
int shell(const std::string& command);
bool haveTool(const char* name);

// One message the library sent to the message callback.
struct Message {
    int32_t type, buttons, code, extra;
    std::string text, caption;
};

// Scripted message callback: answers from a queue (then `fallback`) and
// records every message, type-13 look-ups included.
struct MessageScript {
    std::deque<int32_t> answers;
    int32_t fallback = ZW_ID_CANCEL;
    std::vector<Message> messages;
    std::vector<Message> of(int32_t type) const;
    static int32_t ZWCALL callback(int32_t type, int32_t buttons, int32_t code, int32_t extra, char* text,
                                   const char* caption, void* self);
};

// A full-layout command whose strings live in the object.
struct Command {
    UNZIPCMDSTRUCT c{};
    std::string zip, spec, dest, code, title;
    char ret[ZW_RETURN_STRING_SIZE] = {};
    ZINFO info{};
    MessageScript script;

    Command(int32_t function, const std::string& archive);
    Command& filespec(const std::string& s);
    Command& destination(const std::string& d);
    Command& password(const std::string& p);
    Command& withScript();  // routes messages to `script`
    int32_t run();
    std::string returned() const { return ret; }
};

}  // namespace zwtest
