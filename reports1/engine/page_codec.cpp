// Encoding and decoding of stored pages. Decoding trusts nothing it reads: every count,
// length and table number is checked against what is left and what the tables hold, so a
// damaged record is refused instead of read past its end.
#include "page_codec.h"

namespace quay::reports::detail {
namespace {

void putVarint(std::uint64_t v, std::string& out) {
    while (v >= 0x80) {
        out.push_back(static_cast<char>((v & 0x7F) | 0x80));
        v >>= 7;
    }
    out.push_back(static_cast<char>(v));
}

void putSigned(std::int64_t v, std::string& out) {
    putVarint((static_cast<std::uint64_t>(v) << 1) ^ static_cast<std::uint64_t>(v >> 63), out);
}

// A cursor over one stored page; every read fails once the data run out.
class Reader {
public:
    explicit Reader(std::string_view data) : m_data(data) {}

    bool varint(std::uint64_t& v) {
        v = 0;
        for (int shift = 0; shift < 64; shift += 7) {
            if (m_pos >= m_data.size()) return false;
            const auto b = static_cast<unsigned char>(m_data[m_pos++]);
            v |= static_cast<std::uint64_t>(b & 0x7F) << shift;
            if ((b & 0x80) == 0) return true;
        }
        return false;
    }
    bool units(Units& v) {
        std::uint64_t z = 0;
        if (!varint(z)) return false;
        const std::int64_t s = static_cast<std::int64_t>(z >> 1) ^ -static_cast<std::int64_t>(z & 1);
        if (s < INT32_MIN || s > INT32_MAX) return false;
        v = static_cast<Units>(s);
        return true;
    }
    bool byte(unsigned char& b) {
        if (m_pos >= m_data.size()) return false;
        b = static_cast<unsigned char>(m_data[m_pos++]);
        return true;
    }
    bool bytes(std::uint64_t n, std::string& out) {
        if (n > m_data.size() - m_pos) return false;
        out.assign(m_data.data() + m_pos, n);
        m_pos += n;
        return true;
    }
    std::size_t left() const { return m_data.size() - m_pos; }
    bool atEnd() const { return m_pos == m_data.size(); }

private:
    std::string_view m_data;
    std::size_t m_pos = 0;
};

enum Flag : std::uint64_t {
    kHasText = 1 << 0,
    kHasImage = 1 << 1,
    kPattern = 1 << 2,
};

void replaceAll(std::string& s, std::string_view from, const std::string& to) {
    for (std::size_t pos = s.find(from); pos != std::string::npos; pos = s.find(from, pos + to.size()))
        s.replace(pos, from.size(), to);
}

}  // namespace

std::string fillPageNumbers(std::string pattern, int pageNumber, int pageCount) {
    replaceAll(pattern, "{page}", std::to_string(pageNumber));
    replaceAll(pattern, "{pages}", std::to_string(pageCount));
    return pattern;
}

std::uint32_t PageCodec::fontNumber(const FontSpec& font) {
    // Items in a row mostly share the font of the item before.
    if (m_lastFont < m_fonts.size() && m_fonts[m_lastFont] == font) return m_lastFont;
    auto found = m_fontNumbers.find(font);
    if (found == m_fontNumbers.end()) {
        found = m_fontNumbers.emplace(font, static_cast<std::uint32_t>(m_fonts.size())).first;
        m_fonts.push_back(font);
    }
    m_lastFont = found->second;
    return m_lastFont;
}

void PageCodec::putText(const std::string& text, std::string& out) {
    if (text.size() <= kMaxTableText) {
        if (m_slots.empty()) m_slots.assign(kSlots, 0);
        // Open addressing over a table at most half full: a text not in it meets an empty
        // slot within a probe or two, which is what most texts of a long report do.
        const std::uint64_t hash = std::hash<std::string_view>{}(text);
        std::size_t slot = hash & (kSlots - 1);
        for (std::uint32_t entry; (entry = m_slots[slot]) != 0; slot = (slot + 1) & (kSlots - 1)) {
            if (m_hashes[entry - 1] == hash && m_texts[entry - 1] == text) {
                putVarint(std::uint64_t{entry - 1} << 1, out);
                return;
            }
        }
        if (m_texts.size() < kMaxTexts && m_textBytes + text.size() <= kMaxTextBytes) {
            const auto number = static_cast<std::uint32_t>(m_texts.size());
            m_texts.push_back(text);
            m_hashes.push_back(hash);
            m_slots[slot] = number + 1;
            m_textBytes += text.size();
            putVarint(std::uint64_t{number} << 1, out);
            return;
        }
    }
    putVarint((std::uint64_t{text.size()} << 1) | 1, out);
    out += text;
}

void PageCodec::encode(const Page& page, const std::vector<std::uint32_t>& patterns, std::string& out) {
    putVarint(page.items.size(), out);
    m_shapes.clear();
    std::size_t nextPattern = 0;
    Units lastY = 0;
    for (std::size_t i = 0; i < page.items.size(); ++i) {
        const PlacedItem& it = page.items[i];
        const Shape shape{it.kind, it.alignment, fontNumber(it.font), it.x, it.width, it.height, it.penWidth};
        std::uint64_t head = 0;
        for (std::size_t k = 0; k < m_shapes.size(); ++k) {
            if (m_shapes[k] == shape) {
                head = (k + 1) << 3;
                break;
            }
        }
        if (!it.text.empty()) head |= kHasText;
        if (!it.imagePath.empty()) head |= kHasImage;
        if (nextPattern < patterns.size() && patterns[nextPattern] == i) {
            head |= kPattern;
            ++nextPattern;
        }
        putVarint(head, out);
        if ((head >> 3) == 0) {
            out.push_back(
                static_cast<char>(static_cast<unsigned>(shape.kind) | (static_cast<unsigned>(shape.alignment) << 2)));
            putVarint(shape.font, out);
            putSigned(shape.x, out);
            putSigned(shape.width, out);
            putSigned(shape.height, out);
            putSigned(shape.penWidth, out);
            if (m_shapes.size() < kMaxShapes) m_shapes.push_back(shape);
        }
        putSigned(std::int64_t{it.y} - lastY, out);
        lastY = it.y;
        if (head & kHasText) putText(it.text, out);
        if (head & kHasImage) putText(it.imagePath, out);
    }
}

bool PageCodec::decode(std::string_view data, int pageNumber, int pageCount, Page& out) const {
    Reader in(data);
    std::uint64_t count = 0;
    // Every item takes at least two bytes, so a count beyond that is damage, not a page.
    if (!in.varint(count) || count > in.left() / 2) return false;
    out.items.clear();
    out.items.resize(count);
    auto text = [&](std::string& s) {
        std::uint64_t v = 0;
        if (!in.varint(v)) return false;
        if (v & 1) return in.bytes(v >> 1, s);
        if ((v >> 1) >= m_texts.size()) return false;
        s = m_texts[v >> 1];
        return true;
    };
    std::vector<Shape> shapes;
    Units lastY = 0;
    for (PlacedItem& it : out.items) {
        std::uint64_t head = 0;
        if (!in.varint(head)) return false;
        Shape shape{};
        if ((head >> 3) == 0) {
            unsigned char kinds = 0;
            std::uint64_t font = 0;
            if (!in.byte(kinds) || !in.varint(font) || font >= m_fonts.size()) return false;
            if ((kinds >> 4) != 0 || ((kinds >> 2) & 3u) > static_cast<unsigned>(Alignment::Right)) return false;
            shape.kind = static_cast<ItemKind>(kinds & 3u);
            shape.alignment = static_cast<Alignment>((kinds >> 2) & 3u);
            shape.font = static_cast<std::uint32_t>(font);
            if (!in.units(shape.x) || !in.units(shape.width) || !in.units(shape.height) || !in.units(shape.penWidth))
                return false;
            if (shapes.size() < kMaxShapes) shapes.push_back(shape);
        } else {
            if ((head >> 3) > shapes.size()) return false;
            shape = shapes[(head >> 3) - 1];
        }
        it.kind = shape.kind;
        it.alignment = shape.alignment;
        it.font = m_fonts[shape.font];
        it.x = shape.x;
        it.width = shape.width;
        it.height = shape.height;
        it.penWidth = shape.penWidth;
        Units dy = 0;
        if (!in.units(dy)) return false;
        const std::int64_t y = std::int64_t{lastY} + dy;
        if (y < INT32_MIN || y > INT32_MAX) return false;
        it.y = lastY = static_cast<Units>(y);
        if ((head & kHasText) && !text(it.text)) return false;
        if ((head & kHasImage) && !text(it.imagePath)) return false;
        if (head & kPattern) it.text = fillPageNumbers(std::move(it.text), pageNumber, pageCount);
    }
    return in.atEnd();
}

}  // namespace quay::reports::detail
