// Reading an import file. The whole file is read into memory and every line is split
// once to check it; only when all lines pass are records handed out, each line then
// being split again into the record. Lines are kept as offsets into the text, so the
// check costs one pass and no copy of the columns. The text is checked as UTF-8 line
// by line, so a file from a program writing another code page is refused with the
// first line that shows it, rather than imported as garbled names.
#include "quay/tables/import_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <sys/stat.h>

#include "csv_line.h"

namespace quay::core {

namespace {

constexpr detail::CsvLimits kLimits{ImportFile::kMaxColumns, ImportFile::kMaxColumnLength};

}  // namespace

TextFileStatus ImportFile::fail(TextFileStatus status, long line, std::size_t column) {
    m_open = false;
    m_lines.clear();
    m_text.clear();
    m_errorLine = line;
    m_errorText = std::string(textFileStatusText(status));
    if (line > 0 && column > 0) {
        m_errorText = "Line " + std::to_string(line) + ", column " + std::to_string(column) + ": " + m_errorText;
    } else if (line > 0) {
        m_errorText = "Line " + std::to_string(line) + ": " + m_errorText;
    }
    if (!m_fileName.empty()) m_errorText = m_fileName + ": " + m_errorText;
    return status;
}

TextFileStatus ImportFile::open(std::string_view fileName) {
    close();
    m_fileName.assign(fileName);
    if (fileName.empty()) return fail(TextFileStatus::NameMissing);
    if (fileName.size() > kMaxNameLength) return fail(TextFileStatus::NameTooLong);

    struct stat info {};
    if (::stat(m_fileName.c_str(), &info) != 0) {
        return fail(errno == ENOENT ? TextFileStatus::NotFound : TextFileStatus::CannotRead);
    }
    if (!S_ISREG(info.st_mode)) return fail(TextFileStatus::CannotRead);

    std::FILE* file = std::fopen(m_fileName.c_str(), "rb");
    if (file == nullptr) return fail(errno == ENOENT ? TextFileStatus::NotFound : TextFileStatus::CannotRead);
    std::string text;
    text.reserve(static_cast<std::size_t>(info.st_size));
    char chunk[1 << 16];
    std::size_t got = 0;
    while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0) text.append(chunk, got);
    const bool readFailed = std::ferror(file) != 0;
    std::fclose(file);
    if (readFailed) return fail(TextFileStatus::CannotRead);

    const std::string name = m_fileName;
    const TextFileStatus status = openText(std::move(text));
    m_fileName = name;
    if (status != TextFileStatus::Ok) {
        m_errorText = m_fileName + ": " + m_errorText;
    }
    return status;
}

TextFileStatus ImportFile::openText(std::string text) {
    m_open = false;
    m_lines.clear();
    m_nextLine = 0;
    m_columns = 0;
    m_currentLine = 0;
    m_errorLine = 0;
    m_errorText.clear();
    m_text = std::move(text);
    m_fileName.clear();

    std::vector<std::string>& columns = m_scratch;
    std::size_t count = 0;
    std::size_t faultColumn = 0;
    long number = 0;
    std::size_t pos = 0;
    // Spreadsheets often begin a text file with the UTF-8 byte order mark; it is not
    // part of the first column.
    if (m_text.compare(0, 3, "\xEF\xBB\xBF") == 0) pos = 3;
    const std::size_t size = m_text.size();
    while (pos < size) {
        ++number;
        // A line ends at LF, at CR LF, or at a CR alone.
        std::size_t lineEnd = m_text.find_first_of("\r\n", pos);
        std::size_t next = size;
        if (lineEnd == std::string::npos) {
            lineEnd = size;
        } else {
            next = lineEnd + 1;
            if (m_text[lineEnd] == '\r' && next < size && m_text[next] == '\n') ++next;
        }
        if (lineEnd > pos) {
            const std::string_view line(m_text.data() + pos, lineEnd - pos);
            if (line.find('\0') != std::string_view::npos) return fail(TextFileStatus::NotText, number);
            if (detail::firstInvalidUtf8(line) != std::string_view::npos) return fail(TextFileStatus::NotUtf8, number);
            const TextFileStatus status = detail::splitCsvLine(line, kLimits, columns, count, faultColumn);
            if (status != TextFileStatus::Ok) return fail(status, number, faultColumn);
            m_lines.push_back(Line{pos, lineEnd, number});
        }
        pos = next;
    }
    m_open = true;
    return TextFileStatus::Ok;
}

TextFileStatus ImportFile::next() {
    if (!m_open) return TextFileStatus::NotOpen;
    if (m_nextLine >= m_lines.size()) return TextFileStatus::EndOfFile;
    const Line& line = m_lines[m_nextLine++];
    std::vector<std::string>& columns = m_scratch;
    std::size_t count = 0;
    std::size_t faultColumn = 0;
    // The line passed this very split when the file was opened.
    detail::splitCsvLine(std::string_view(m_text.data() + line.begin, line.end - line.begin), kLimits, columns, count,
                         faultColumn);
    for (std::size_t i = 0; i < rec.DATAGROUP.size(); ++i) {
        if (i < count) {
            rec.DATAGROUP[i] = columns[i];
        } else {
            rec.DATAGROUP[i].clear();
        }
    }
    m_columns = static_cast<int>(count);
    m_currentLine = line.number;
    return TextFileStatus::Ok;
}

void ImportFile::close() {
    m_open = false;
    m_lines.clear();
    m_text.clear();
    m_text.shrink_to_fit();
    m_nextLine = 0;
    m_columns = 0;
    m_currentLine = 0;
}

}  // namespace quay::core
