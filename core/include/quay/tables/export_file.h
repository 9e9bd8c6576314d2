// ExportFile: a plain text file written one line per record (prefix EXP). The record is
// the single field DATAFIELD, STRING(2048); each add() writes it as one line, trailing
// blanks removed, ended by CR LF as the spreadsheets and mail programs the business
// exchanges files with expect.
//
// The lines go to a scratch file beside the target; close() flushes it to disk and only
// then puts it in place of the named file. So an export that fails midway (disk full)
// or is abandoned with discard() leaves an earlier file of that name untouched.
// Not thread-safe; one writer per object.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

#include "quay/export.h"
#include "quay/tables/text_file_status.h"
#include "quay/types/fixed_string.h"

namespace quay::core {

class QUAY_EXPORT ExportFile {
public:
    static constexpr std::size_t kMaxNameLength = 99;    // GLO:ExportFileName
    static constexpr std::size_t kMaxLineLength = 2048;  // EXP:DATAFIELD

    struct Record {
        FixedString<2048> DATAFIELD;  // one line of text
    };

    ExportFile() = default;
    ~ExportFile();  // an export still open is discarded, never half put in place
    ExportFile(const ExportFile&) = delete;
    ExportFile& operator=(const ExportFile&) = delete;

    // Starts a new export to `fileName` (the name in GLO:ExportFileName). NameMissing,
    // NameTooLong, CannotWrite. REQUIRES: not already open.
    TextFileStatus create(std::string_view fileName);

    // Writes rec.DATAFIELD as the next line. NotOpen, CannotWrite.
    TextFileStatus add();
    // Writes `line` as the next line (and leaves it in rec.DATAFIELD). A line longer
    // than 2048 characters or holding CR or LF is refused with LineTooLong and nothing
    // is written. NotOpen, CannotWrite.
    TextFileStatus add(std::string_view line);

    // Finishes the export: every line reaches the disk, then the file takes the place
    // of any earlier file of that name. After a failed write or a failed close, the
    // earlier file is kept and CannotWrite is returned. NotOpen when nothing was begun.
    TextFileStatus close();
    // Abandons the export: the scratch file is removed, the named file is untouched.
    void discard();

    bool isOpen() const { return m_file != nullptr; }
    const std::string& fileName() const { return m_fileName; }
    long linesWritten() const { return m_lines; }
    // The last failure as a sentence for the user, naming the file.
    const std::string& errorText() const { return m_errorText; }

    Record rec;

private:
    TextFileStatus fail(TextFileStatus status, const std::string& detail);
    TextFileStatus writeLine(std::string_view line);

    std::FILE* m_file = nullptr;
    std::string m_fileName;
    std::string m_scratchName;
    bool m_failed = false;
    long m_lines = 0;
    std::string m_errorText;
};

}  // namespace quay::core
