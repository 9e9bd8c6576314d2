// The controls a report band holds: texts, fields shown through a display picture, lines,
// boxes, images and the page number. A control is plain data; the running report changes
// its text, picture, visibility, position and size by the control's name.
#pragma once

#include <string>

#include "quay/reports/engine/font_spec.h"

namespace quay::reports {

enum class ControlKind {
    Text,        // fixed or report-set text
    Field,       // a value shown through its picture ("@n$-13.2", "@d2", "@s20")
    Line,        // a rule from (x, y) to (x + width, y + height); width 0 makes it vertical
    Box,         // a rectangle outline
    Image,       // a picture file scaled into the control's rectangle
    PageNumber,  // text with "{page}" and "{pages}" replaced by the page number and count
};

// A control placed in its band: x from the left margin, y from the band's top, both in
// layout units. Texts and fields that wrap break at word boundaries and grow downwards,
// moving the controls below them and stretching their band; vertical lines that stretch
// follow the band's bottom when it grows.
struct Control {
    std::string name;  // how the running report addresses it; may be empty for fixed texts
    ControlKind kind = ControlKind::Text;
    Units x = 0;
    Units y = 0;
    Units width = 0;
    Units height = 0;
    std::string text;     // Text, Field (the shown value), PageNumber (the pattern)
    std::string picture;  // Field: the display picture handed to the picture formatter
    std::string imagePath;
    FontSpec font;
    Alignment alignment = Alignment::Left;
    bool hidden = false;
    bool wraps = false;     // Text and Field: wrap at the width and grow
    bool stretches = true;  // vertical Line: grow with the band
    Units penWidth = 10;    // Line and Box
};

// Shorthands that read like a band's layout listing.
inline Control textControl(std::string name, Units x, Units y, Units width, Units height, std::string text,
                           FontSpec font = {}, Alignment alignment = Alignment::Left) {
    Control c;
    c.name = std::move(name);
    c.kind = ControlKind::Text;
    c.x = x, c.y = y, c.width = width, c.height = height;
    c.text = std::move(text);
    c.font = std::move(font);
    c.alignment = alignment;
    return c;
}

inline Control fieldControl(std::string name, Units x, Units y, Units width, Units height, std::string picture,
                            FontSpec font = {}, Alignment alignment = Alignment::Left) {
    Control c = textControl(std::move(name), x, y, width, height, {}, std::move(font), alignment);
    c.kind = ControlKind::Field;
    c.picture = std::move(picture);
    return c;
}

inline Control wrappedText(std::string name, Units x, Units y, Units width, Units height, std::string text = {},
                           FontSpec font = {}) {
    Control c = textControl(std::move(name), x, y, width, height, std::move(text), std::move(font));
    c.wraps = true;
    return c;
}

inline Control lineControl(std::string name, Units x, Units y, Units width, Units height, Units penWidth = 10) {
    Control c;
    c.name = std::move(name);
    c.kind = ControlKind::Line;
    c.x = x, c.y = y, c.width = width, c.height = height;
    c.penWidth = penWidth;
    return c;
}

inline Control boxControl(std::string name, Units x, Units y, Units width, Units height, Units penWidth = 10) {
    Control c = lineControl(std::move(name), x, y, width, height, penWidth);
    c.kind = ControlKind::Box;
    return c;
}

inline Control imageControl(std::string name, Units x, Units y, Units width, Units height, std::string imagePath = {}) {
    Control c;
    c.name = std::move(name);
    c.kind = ControlKind::Image;
    c.x = x, c.y = y, c.width = width, c.height = height;
    c.imagePath = std::move(imagePath);
    return c;
}

// The pattern "{page}" gives the page number, "{pages}" the number of pages of the run.
inline Control pageNumberControl(std::string name, Units x, Units y, Units width, Units height,
                                 std::string pattern = "{page}", FontSpec font = {},
                                 Alignment alignment = Alignment::Left) {
    Control c = textControl(std::move(name), x, y, width, height, std::move(pattern), std::move(font), alignment);
    c.kind = ControlKind::PageNumber;
    return c;
}

}  // namespace quay::reports
