// Writing an export file. Lines go to "<name>.part" beside the target; close() flushes
// the C stream, syncs the file to disk and renames it over the target, which on POSIX
// replaces the old file in one step. Any write failure marks the export failed, and a
// failed export is removed instead of put in place.
#include "quay/tables/export_file.h"

#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace quay::core {

ExportFile::~ExportFile() { discard(); }

TextFileStatus ExportFile::fail(TextFileStatus status, const std::string& detail) {
    m_errorText = std::string(textFileStatusText(status));
    if (!m_fileName.empty()) m_errorText = m_fileName + ": " + m_errorText;
    if (!detail.empty()) m_errorText += " (" + detail + ")";
    return status;
}

TextFileStatus ExportFile::create(std::string_view fileName) {
    discard();
    m_errorText.clear();
    m_fileName.assign(fileName);
    m_lines = 0;
    m_failed = false;
    if (fileName.empty()) return fail(TextFileStatus::NameMissing, "");
    if (fileName.size() > kMaxNameLength) return fail(TextFileStatus::NameTooLong, "");
    m_scratchName = m_fileName + ".part";
    m_file = std::fopen(m_scratchName.c_str(), "wb");
    if (m_file == nullptr) return fail(TextFileStatus::CannotWrite, std::strerror(errno));
    return TextFileStatus::Ok;
}

TextFileStatus ExportFile::writeLine(std::string_view line) {
    if (m_file == nullptr) return fail(TextFileStatus::NotOpen, "");
    if (m_failed) return fail(TextFileStatus::CannotWrite, "an earlier line could not be written");
    if (std::fwrite(line.data(), 1, line.size(), m_file) != line.size() || std::fwrite("\r\n", 1, 2, m_file) != 2) {
        m_failed = true;
        return fail(TextFileStatus::CannotWrite, std::strerror(errno));
    }
    ++m_lines;
    return TextFileStatus::Ok;
}

TextFileStatus ExportFile::add() {
    const std::string_view line = rec.DATAFIELD.view();
    if (line.find_first_of("\r\n") != std::string_view::npos) return fail(TextFileStatus::LineTooLong, "");
    return writeLine(line);
}

TextFileStatus ExportFile::add(std::string_view line) {
    if (m_file == nullptr) return fail(TextFileStatus::NotOpen, "");
    if (line.size() > kMaxLineLength || line.find_first_of("\r\n") != std::string_view::npos) {
        return fail(TextFileStatus::LineTooLong, "line " + std::to_string(m_lines + 1));
    }
    rec.DATAFIELD = line;
    return writeLine(rec.DATAFIELD.view());
}

TextFileStatus ExportFile::close() {
    if (m_file == nullptr) return fail(TextFileStatus::NotOpen, "");
    bool ok = !m_failed;
    std::string detail = ok ? "" : "an earlier line could not be written";
    if (ok && std::fflush(m_file) != 0) {
        ok = false;
        detail = std::strerror(errno);
    }
    if (ok && ::fsync(::fileno(m_file)) != 0) {
        ok = false;
        detail = std::strerror(errno);
    }
    if (std::fclose(m_file) != 0 && ok) {
        ok = false;
        detail = std::strerror(errno);
    }
    m_file = nullptr;
    if (ok && std::rename(m_scratchName.c_str(), m_fileName.c_str()) != 0) {
        ok = false;
        detail = std::strerror(errno);
    }
    if (!ok) {
        std::remove(m_scratchName.c_str());
        return fail(TextFileStatus::CannotWrite, detail);
    }
    return TextFileStatus::Ok;
}

void ExportFile::discard() {
    if (m_file == nullptr) return;
    std::fclose(m_file);
    m_file = nullptr;
    std::remove(m_scratchName.c_str());
}

}  // namespace quay::core
