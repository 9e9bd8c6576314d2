// One member's output file. A new target is written under its own name and
// removed again if the member fails; for an existing target the bytes go to a
// temporary file beside it, which replaces it only when the member was
// decoded and checked in full, so a member that fails (bad data, bad CRC, a
// full disk, a cancel) leaves an existing target exactly as it was. Text mode turns CR LF
// into LF as the bytes are written.
#pragma once

#include <cstddef>
#include <cstdint>
#include <ctime>
#include <string>

namespace zw::detail {

class OutputFile {
public:
    OutputFile() = default;
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    // Creates the temporary file for `target`. Returns 0, or 28.
    int32_t open(const std::string& target, bool textMode);
    // Creates `target` when nothing of that name exists yet; false when
    // something does or it cannot be created (open() then tells which).
    bool openNew(const std::string& target, bool textMode);
    // Takes room on disk for `size` bytes before they are written, without
    // changing the file's length: a disk too full for the member shows
    // before its first byte, and the file system lays the file out at once
    // instead of page by page. Returns 0, or 50 when the room is not there;
    // a file system that cannot reserve simply has the bytes written.
    int32_t reserve(uint64_t size);
    // Writes bytes; false on a write error (then code() is 50).
    bool write(const uint8_t* data, size_t size);
    // Moves the file onto its target and sets its modification time from
    // the DOS date and time and its write permission from the DOS read-only
    // bit. Returns 0, or 28 (or 50 when the last bytes cannot be written).
    int32_t commit(uint16_t dosDate, uint16_t dosTime, uint32_t dosAttributes);
    // Removes the temporary file.
    void abandon();

    int32_t code() const { return m_code; }

    // A DOS date and time (local time) as a time_t; -1 when it has none.
    static time_t dosToTime(uint16_t dosDate, uint16_t dosTime);

private:
    bool writeRaw(const uint8_t* data, size_t size);

    std::string m_target;
    std::string m_temp;
    int m_fd = -1;
    bool m_textMode = false;
    bool m_pendingCr = false;
    bool m_inPlace = false;  // a new target written under its own name
    int32_t m_code = 0;
};

}  // namespace zw::detail
