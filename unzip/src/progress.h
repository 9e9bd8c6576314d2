// Progress reporting of an extraction: the major status once per member
// ("Item %d of %d"), the minor status as a member's bytes are written, the
// shared cancel flag, and the external progress program. Whether an answer
// may cancel depends on the layout version and sub-option bit 1.
#pragma once

#include <sys/types.h>

#include <cstdint>
#include <string>

#include "zwunzip.h"

namespace zw::detail {

// Integer percentage: done * 100 / total up to a total of 100000, else
// done / (total / 100); capped at 100.
int32_t percentOf(uint64_t done, uint64_t total);

class Progress {
public:
    Progress(const UNZIPCMDSTRUCT& cmd, int32_t layoutVersion, const std::string& title);
    ~Progress();
    Progress(const Progress&) = delete;
    Progress& operator=(const Progress&) = delete;

    // Reports the member about to be handled; true when the answer cancels.
    bool major(int32_t item, int32_t total);
    // Reports bytes written of a member; true when the answer cancels.
    bool minor(uint64_t done, uint64_t total, const std::string& text);
    // True when the shared cancel flag is set.
    bool cancelRequested() const;

    // Starts the external progress program (sub-option bit 2) when it can be
    // found on PATH; the callbacks are used when it cannot.
    void startExternal();
    void stopExternal();
    bool externalRunning() const { return m_child > 0; }

    // Status callbacks registered by the external program.
    void registerExternal(void* window, ZWMAJORSTATUSPROC major, void* majorData, ZWMINORSTATUSPROC minor,
                          void* minorData);

private:
    // Sends one status record to the program; returns its answer.
    int32_t sendExternal(int32_t kind, int32_t percent, uint64_t bytes, const std::string& text);

    const UNZIPCMDSTRUCT& m_cmd;
    int32_t m_version;
    std::string m_title;
    pid_t m_child = -1;
    int m_socket = -1;
    void* m_window = nullptr;
    ZWMAJORSTATUSPROC m_major;
    void* m_majorData;
    ZWMINORSTATUSPROC m_minor;
    void* m_minorData;
};

}  // namespace zw::detail
