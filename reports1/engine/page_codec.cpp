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

enum Flag : unsigned char {
  kHasText = 1 << 4,
  kHasImage = 1 << 5,
  kHasPen = 1 << 6,
  kPattern = 1 << 7,
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
  auto found = m_fontNumbers.find(font);
  if (found != m_fontNumbers.end()) return found->second;
  const auto number = static_cast<std::uint32_t>(m_fonts.size());
  m_fonts.push_back(font);
  m_fontNumbers.emplace(font, number);
  return number;
}

void PageCodec::putText(const std::string& text, std::string& out) {
  if (text.size() <= kMaxTableText) {
    auto found = m_textNumbers.find(text);
    if (found != m_textNumbers.end()) {
      putVarint(std::uint64_t{found->second} << 1, out);
      return;
    }
    if (m_texts.size() < kMaxTexts && m_textBytes + text.size() <= kMaxTextBytes) {
      const auto number = static_cast<std::uint32_t>(m_texts.size());
      auto added = m_textNumbers.emplace(text, number).first;
      m_texts.push_back(&added->first);
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
  std::size_t nextPattern = 0;
  Units lastY = 0;
  for (std::size_t i = 0; i < page.items.size(); ++i) {
    const PlacedItem& it = page.items[i];
    unsigned char flags = static_cast<unsigned char>(static_cast<unsigned>(it.kind) |
                                                     (static_cast<unsigned>(it.alignment) << 2));
    if (!it.text.empty()) flags |= kHasText;
    if (!it.imagePath.empty()) flags |= kHasImage;
    if (it.penWidth != 0) flags |= kHasPen;
    if (nextPattern < patterns.size() && patterns[nextPattern] == i) {
      flags |= kPattern;
      ++nextPattern;
    }
    out.push_back(static_cast<char>(flags));
    putVarint(fontNumber(it.font), out);
    putSigned(it.x, out);
    putSigned(std::int64_t{it.y} - lastY, out);
    putSigned(it.width, out);
    putSigned(it.height, out);
    lastY = it.y;
    if (flags & kHasText) putText(it.text, out);
    if (flags & kHasImage) putText(it.imagePath, out);
    if (flags & kHasPen) putSigned(it.penWidth, out);
  }
}

bool PageCodec::decode(std::string_view data, int pageNumber, int pageCount, Page& out) const {
  Reader in(data);
  std::uint64_t count = 0;
  // Every item takes at least six bytes, so a count beyond that is damage, not a page.
  if (!in.varint(count) || count > in.left() / 6) return false;
  out.items.clear();
  out.items.resize(count);
  auto text = [&](std::string& s) {
    std::uint64_t v = 0;
    if (!in.varint(v)) return false;
    if (v & 1) return in.bytes(v >> 1, s);
    if ((v >> 1) >= m_texts.size()) return false;
    s = *m_texts[v >> 1];
    return true;
  };
  Units lastY = 0;
  for (PlacedItem& it : out.items) {
    unsigned char flags = 0;
    std::uint64_t font = 0;
    Units dy = 0;
    if (!in.byte(flags) || !in.varint(font) || font >= m_fonts.size()) return false;
    const unsigned kind = flags & 3u;
    const unsigned alignment = (flags >> 2) & 3u;
    if (alignment > static_cast<unsigned>(Alignment::Right)) return false;
    it.kind = static_cast<ItemKind>(kind);
    it.alignment = static_cast<Alignment>(alignment);
    it.font = m_fonts[font];
    if (!in.units(it.x) || !in.units(dy) || !in.units(it.width) || !in.units(it.height)) return false;
    const std::int64_t y = std::int64_t{lastY} + dy;
    if (y < INT32_MIN || y > INT32_MAX) return false;
    it.y = lastY = static_cast<Units>(y);
    if ((flags & kHasText) && !text(it.text)) return false;
    if ((flags & kHasImage) && !text(it.imagePath)) return false;
    if ((flags & kHasPen) && !in.units(it.penWidth)) return false;
    if (flags & kPattern) it.text = fillPageNumbers(std::move(it.text), pageNumber, pageCount);
  }
  return in.atEnd();
}

}  // namespace quay::reports::detail
