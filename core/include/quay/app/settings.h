// The per-workstation settings file tallvane.ini: window placement per window,
// the tip-of-the-day switch and position, the report engine's texts.
//
// Windows INI syntax: "[Section]" headers, "key=value" lines, whole-line comments
// starting with ";" or "#". Sections and keys are found case-insensitively and
// written as the caller spells them. A value is read with surrounding blanks
// removed, and one pair of surrounding double quotes removed; a value that needs
// its blanks kept is written quoted. A line that is none of these (a header
// without "]", a line without "=", a key before any section) is skipped when
// reading and kept as it stands when writing: a damaged file never stops the
// program and never loses the lines around the damage. Where a section or key
// occurs twice, the first occurrence counts.
//
// Writing re-reads the file, changes or adds the one line, and replaces the file
// atomically (a temporary file in the same directory, flushed, then renamed), so
// a crash leaves either the old or the new file, and comments, order and the
// other keys stay as they were.
//
// The file lives in the user's configuration directory ($XDG_CONFIG_HOME, else
// ~/.config); $QUAY_SETTINGS names another file (tests, several set-ups on one
// account), and a Settings may be constructed on any path.
//
// Thread-safe: reads open the file afresh; writes are serialised process-wide.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "quay/export.h"

namespace quay::core {

enum class SettingsStatus {
    Ok = 0,
    InvalidName,  // a section or key that cannot be written (empty, or holding "]", "=", a line break): nothing changed
    InvalidValue,  // a value holding a line break: nothing changed
    IoError,       // the file could not be read or replaced: nothing changed
};

class QUAY_EXPORT Settings {
public:
    static constexpr const char* kFileName = "tallvane.ini";
    static constexpr const char* kPathVariable = "QUAY_SETTINGS";

    // The file at the default place (see above).
    Settings();
    explicit Settings(std::filesystem::path file);

    // $QUAY_SETTINGS when set, else $XDG_CONFIG_HOME/tallvane.ini (when absolute),
    // else ~/.config/tallvane.ini.
    static std::filesystem::path defaultPath();

    const std::filesystem::path& path() const { return m_path; }

    // The value of `key` in `section`, or nullopt when either is absent (or the
    // file does not exist).
    std::optional<std::string> find(std::string_view section, std::string_view key) const;

    // The value, or `defaultValue` when absent.
    std::string read(std::string_view section, std::string_view key, std::string_view defaultValue = {}) const;

    // The value as a whole number (optional sign, digits), or `defaultValue` when
    // absent or not a whole number within LONG's range.
    std::int32_t readNumber(std::string_view section, std::string_view key, std::int32_t defaultValue) const;

    // Sets `key` in `section` to `value`, adding the section or key when missing.
    SettingsStatus write(std::string_view section, std::string_view key, std::string_view value);
    SettingsStatus writeNumber(std::string_view section, std::string_view key, std::int64_t value);

    // What went wrong in the last write that did not return Ok.
    const std::string& lastErrorText() const { return m_lastErrorText; }

private:
    std::filesystem::path m_path;
    std::string m_lastErrorText;
};

}  // namespace quay::core
