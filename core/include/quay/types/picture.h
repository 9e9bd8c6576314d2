// Display pictures: how a window's entry field or a report's column shows a value, and
// how text typed into an entry field is read back. A picture is compiled once from its
// text and then formats and reads any number of values:
//   numbers  "@n$-13.2"  currency sign, leading minus, 13 characters, 2 places
//            "@n9.2~%~"  a literal (here "%") between tildes, shown after the number;
//                        before the width it stands where "$" would
//            "b"         anywhere after the width: blank when the value is zero
//            "_"         after the width: no thousands grouping ("0" before the width:
//                        zero-filled, never grouped)
//   dates    "@d1" mm/dd/yy, "@d2" mm/dd/yyyy, "@d14" mm/yyyy
//   times    "@t1" hh:mm, "@t4" hh:mm:ss, "@t7" h:mm AM / h:mm PM
//   strings  "@s20"      the text cut to 20 characters
// The leading "@" may be left out ("n$-13.2"), and the letters may be upper case.
// Formatting a number rounds it half away from zero to the picture's places, groups
// thousands with commas, puts a minus before the currency sign ("-$1,234.56") and
// right-aligns the text in the width; a value that does not fit shows the whole width as
// "#". No date, no time and a zero number under "b" show as empty text. Reading text back
// refuses anything that is not a value of the picture's kind with a reason for the user,
// and leaves the field as it was.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>

#include "quay/export.h"
#include "quay/types/decimal.h"
#include "quay/types/fixed_string.h"

namespace quay::core {

enum class PictureKind : std::uint8_t { Numeric, Date, Time, String };

// Outcome of reading typed text through a picture.
enum class EntryStatus : std::uint8_t {
    Ok,          // the field holds the value read
    NotANumber,  // the text is not a number: ask again
    TooLarge,    // the number does not fit the field's digits
    NotADate,    // the text is not written as a date of the picture
    NoSuchDate,  // the date does not exist or lies outside 1801..9999 (02/31/2026)
    NotATime,    // the text is not written as a time
    NoSuchTime,  // the time does not exist (25:00, 13:00 PM)
};

// The kind of refusal, for diagnostics; the user sees Picture::reason().
QUAY_EXPORT std::string_view entryStatusName(EntryStatus status);
inline std::ostream& operator<<(std::ostream& os, EntryStatus status) { return os << entryStatusName(status); }

class QUAY_EXPORT Picture {
public:
    // Compiles a picture; nullopt when the text is not a picture of the kinds above.
    static std::optional<Picture> parse(std::string_view text);

    PictureKind kind() const { return m_kind; }
    // Characters the picture shows: a number's total width, a date's or time's longest
    // text, a string's length.
    int width() const { return m_width; }
    int places() const { return m_places; }
    bool blankWhenZero() const { return m_blankWhenZero; }

    // A number given as scaled / 10^places. Under a date or time picture the whole part
    // is taken as the day number or time value.
    std::string formatScaled(std::int64_t scaled, int places) const;
    template <int D, int P>
    std::string format(const Decimal<D, P>& value) const {
        return formatScaled(value.scaled(), P);
    }
    // A LONG field: a whole number, a day number or a time value, by the picture's kind.
    std::string format(std::int64_t value) const { return formatScaled(value, 0); }
    // A STRING field: cut to the width under a string picture, shown as is otherwise.
    std::string format(std::string_view text) const;
    template <std::size_t N>
    std::string format(const FixedString<N>& text) const {
        return format(text.view());
    }

    // Reads typed text as a number with `places` places whose scaled value may not exceed
    // maxScaled in magnitude. Blank text reads as 0. "1,234.56", "$1,234.56", "-12",
    // "12.5%" (under a "%" literal) are numbers; places beyond `places` are rounded half
    // away from zero. Under a date or time picture the text is read as a date or time.
    EntryStatus readScaled(std::string_view text, int places, std::int64_t maxScaled, std::int64_t& out) const;

    // Reads typed text into a DECIMAL field; on failure the field keeps its value.
    template <int D, int P>
    EntryStatus read(std::string_view text, Decimal<D, P>& field) const {
        std::int64_t v = 0;
        const EntryStatus s = readScaled(text, P, Decimal<D, P>::kMaxScaled, v);
        if (s == EntryStatus::Ok) field = Decimal<D, P>::fromScaled(v);
        return s;
    }
    // Reads typed text into a LONG field: a date, a time or a whole number by the
    // picture's kind; blank text reads as 0 (no date, no time).
    EntryStatus read(std::string_view text, std::int32_t& field) const;
    // Reads typed text into a STRING field, cut to the picture's and the field's length.
    template <std::size_t N>
    EntryStatus read(std::string_view text, FixedString<N>& field) const {
        field = m_kind == PictureKind::String ? text.substr(0, static_cast<std::size_t>(m_width)) : text;
        return EntryStatus::Ok;
    }

    // The sentence shown to the user for a refused entry, naming the form expected,
    // e.g. "Enter a date as mm/dd/yyyy, such as 12/31/2026."
    std::string reason(EntryStatus status) const;

private:
    enum class DateForm : std::uint8_t { Short, Long, MonthYear };
    enum class TimeForm : std::uint8_t { HoursMinutes, HoursMinutesSeconds, Short12Hour };

    Picture() = default;

    std::string formatNumber(std::int64_t scaled, int places) const;
    std::string formatDate(std::int32_t day) const;
    std::string formatTime(std::int32_t time) const;
    EntryStatus readNumber(std::string_view text, int places, std::int64_t maxScaled, std::int64_t& out) const;
    EntryStatus readDate(std::string_view text, std::int32_t& out) const;
    static EntryStatus readTime(std::string_view text, std::int32_t& out);

    PictureKind m_kind = PictureKind::String;
    int m_width = 0;
    int m_places = 0;
    bool m_blankWhenZero = false;
    bool m_grouping = true;
    bool m_zeroFill = false;
    DateForm m_dateForm = DateForm::Long;
    TimeForm m_timeForm = TimeForm::HoursMinutes;
    std::string m_prefix;  // shown before a number, after its minus: "$" or a literal
    std::string m_suffix;  // literal shown after a number ("%")
};

// Formats through a picture given as text; a picture that cannot be compiled shows the
// value's plain text so that a faulty layout never hides a figure.
template <int D, int P>
std::string formatPicture(std::string_view picture, const Decimal<D, P>& value) {
    const std::optional<Picture> p = Picture::parse(picture);
    return p ? p->format(value) : value.toString();
}
QUAY_EXPORT std::string formatPicture(std::string_view picture, std::int64_t value);

}  // namespace quay::core
