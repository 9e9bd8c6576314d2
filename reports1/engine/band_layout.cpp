// Band layout in three steps:
//   1. Measure every visible wrapping text: its extra height is what its lines need beyond
//      the control's height.
//   2. Each control moves down by the largest (move + growth) of the stretching controls
//      whose original bottom lies at or above the control's original top: controls below a
//      stretching text move down, controls beside it stay put. The band's bottom moves the
//      same way, and the band also grows to hold any control placed beyond it.
//   3. Vertical lines that stretch keep their bottom's distance to the band's bottom, so a
//      column rule stays unbroken beside a description that wraps.
#include "band_layout.h"

#include <algorithm>

#include "text_wrapper.h"

namespace quay::reports::detail {
namespace {

struct Measured {
    const Control* control;
    std::vector<std::string> lines;  // wrapped texts only
    Units lineHeight = 0;
    Units extra = 0;  // growth of the control
    Units shift = 0;  // how far it moves down
};

bool isText(const Control& c) {
    return c.kind == ControlKind::Text || c.kind == ControlKind::Field || c.kind == ControlKind::PageNumber;
}

std::string oneLine(const std::string& text) {
    std::string s = text;
    std::replace(s.begin(), s.end(), '\n', ' ');
    s.erase(std::remove(s.begin(), s.end(), '\r'), s.end());
    return s;
}

}  // namespace

LaidBand layoutBand(const Band& band, const TextMeasurer& measurer) {
    std::vector<Measured> ms;
    for (const Control& c : band.controls) {
        if (c.hidden) continue;
        Measured m{&c, {}, 0, 0, 0};
        if (isText(c) && c.wraps && c.kind != ControlKind::PageNumber) {
            m.lines = wrapText(c.text, c.width, c.font, measurer);
            m.lineHeight = measurer.lineHeight(c.font);
            Units need = static_cast<Units>(m.lines.size()) * m.lineHeight;
            m.extra = std::max<Units>(0, need - c.height);
        }
        ms.push_back(std::move(m));
    }

    // Stretchers in order of their original bottom, so that a stretcher's own move is known
    // before it is passed on to the controls below it.
    std::vector<Measured*> stretchers;
    for (Measured& m : ms)
        if (m.extra > 0) stretchers.push_back(&m);
    std::stable_sort(stretchers.begin(), stretchers.end(), [](const Measured* a, const Measured* b) {
        return a->control->y + a->control->height < b->control->y + b->control->height;
    });
    auto shiftAt = [&](Units top, const Measured* self) {
        Units shift = 0;
        for (const Measured* s : stretchers) {
            if (s == self) continue;
            if (s->control->y + s->control->height <= top) shift = std::max(shift, s->shift + s->extra);
        }
        return shift;
    };
    for (Measured* s : stretchers) s->shift = shiftAt(s->control->y, s);
    for (Measured& m : ms)
        if (m.extra == 0) m.shift = shiftAt(m.control->y, &m);

    LaidBand out;
    Units growth = shiftAt(band.height, nullptr);
    out.height = band.height + growth;
    for (const Measured& m : ms) {
        const Control& c = *m.control;
        Units bottom = c.y + m.shift + std::max(c.height, c.height + m.extra);
        out.height = std::max(out.height, bottom);
    }

    for (const Measured& m : ms) {
        const Control& c = *m.control;
        Units top = c.y + m.shift;
        LaidItem li;
        li.item.x = c.x;
        li.item.y = top;
        li.item.width = c.width;
        li.item.height = c.height;
        li.item.font = c.font;
        li.item.alignment = c.alignment;
        switch (c.kind) {
        case ControlKind::Text:
        case ControlKind::Field:
        case ControlKind::PageNumber:
            li.unbreakable = true;
            li.item.kind = ItemKind::Text;
            if (c.kind == ControlKind::PageNumber) {
                li.pageNumber = true;
                li.item.text = c.text.empty() ? std::string("{page}") : c.text;
                out.items.push_back(std::move(li));
            } else if (c.wraps) {
                for (std::size_t i = 0; i < m.lines.size(); ++i) {
                    LaidItem line = li;
                    line.item.y = top + static_cast<Units>(i) * m.lineHeight;
                    line.item.height = m.lineHeight;
                    line.item.text = m.lines[i];
                    out.items.push_back(std::move(line));
                }
            } else if (!c.text.empty()) {
                li.item.text = oneLine(c.text);
                out.items.push_back(std::move(li));
            }
            break;
        case ControlKind::Line:
            li.item.kind = ItemKind::Line;
            li.item.penWidth = c.penWidth;
            if (c.width == 0 && c.stretches && c.height > 0) {
                // Keep the gap between the rule's bottom and the band's bottom.
                Units gap = std::max<Units>(0, band.height - (c.y + c.height));
                li.item.height = std::max(c.height, out.height - gap - top);
            }
            out.items.push_back(std::move(li));
            break;
        case ControlKind::Box:
            li.item.kind = ItemKind::Box;
            li.item.penWidth = c.penWidth;
            out.items.push_back(std::move(li));
            break;
        case ControlKind::Image:
            if (c.imagePath.empty()) break;  // an empty image shows nothing
            li.unbreakable = true;
            li.item.kind = ItemKind::Image;
            li.item.imagePath = c.imagePath;
            out.items.push_back(std::move(li));
            break;
        }
    }
    return out;
}

Units findCut(const LaidBand& band, Units limit) {
    Units cut = limit;
    bool moved = true;
    while (moved && cut > 0) {
        moved = false;
        for (const LaidItem& li : band.items) {
            if (!li.unbreakable) continue;
            Units top = li.item.y;
            Units bottom = li.item.y + li.item.height;
            if (top < cut && bottom > cut) {
                cut = top;
                moved = true;
            }
        }
    }
    return std::max<Units>(cut, 0);
}

LaidBand splitAt(LaidBand& band, Units cut) {
    LaidBand rest;
    rest.height = std::max<Units>(0, band.height - cut);
    std::vector<LaidItem> keep;
    for (LaidItem& li : band.items) {
        PlacedItem& it = li.item;
        Units top = it.y;
        Units bottom = it.y + it.height;
        if (top >= cut) {
            it.y -= cut;
            rest.items.push_back(std::move(li));
        } else if (bottom <= cut || li.unbreakable) {
            keep.push_back(std::move(li));
        } else {
            // A rule or box crossing the cut: its upper part stays, the lower part goes on.
            LaidItem lower = li;
            if (it.kind == ItemKind::Line && it.height != 0 && it.width != 0) {
                // A slanting line is not cut; it stays whole above.
                keep.push_back(std::move(li));
                continue;
            }
            it.height = cut - top;
            lower.item.y = 0;
            lower.item.height = bottom - cut;
            keep.push_back(std::move(li));
            rest.items.push_back(std::move(lower));
        }
    }
    band.items = std::move(keep);
    band.height = cut;
    return rest;
}

}  // namespace quay::reports::detail
