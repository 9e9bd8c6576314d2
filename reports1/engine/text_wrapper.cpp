// Greedy line filling: each line takes as many whole words as fit. A word wider than the
// whole line is cut between characters (never inside a UTF-8 sequence) so that nothing is
// lost past the right edge.
#include "text_wrapper.h"

namespace quay::reports::detail {
namespace {

// Length in bytes of the UTF-8 sequence that starts with lead.
std::size_t sequenceLength(unsigned char lead) {
    if (lead < 0x80) return 1;
    if ((lead >> 5) == 0x6) return 2;
    if ((lead >> 4) == 0xE) return 3;
    if ((lead >> 3) == 0x1E) return 4;
    return 1;  // a stray continuation byte stands alone
}

// Splits a word too wide for a line into pieces that fit, each at least one character.
void cutWord(std::string_view word, double width, const FontSpec& font, const TextMeasurer& measurer,
             std::vector<std::string>& lines) {
    std::string piece;
    std::size_t i = 0;
    while (i < word.size()) {
        std::size_t n = std::min(sequenceLength(static_cast<unsigned char>(word[i])), word.size() - i);
        std::string candidate = piece;
        candidate.append(word.substr(i, n));
        if (!piece.empty() && measurer.width(font, candidate) > width) {
            lines.push_back(std::move(piece));
            piece.assign(word.substr(i, n));
        } else {
            piece = std::move(candidate);
        }
        i += n;
    }
    if (!piece.empty()) lines.push_back(std::move(piece));
}

void wrapParagraph(std::string_view para, double width, const FontSpec& font, const TextMeasurer& measurer,
                   std::vector<std::string>& lines) {
    if (width <= 0) {
        lines.emplace_back(para);
        return;
    }
    std::string line;
    std::size_t pos = 0;
    bool any = false;
    while (pos < para.size()) {
        std::size_t start = para.find_first_not_of(' ', pos);
        if (start == std::string_view::npos) break;
        std::size_t end = para.find(' ', start);
        if (end == std::string_view::npos) end = para.size();
        std::string_view word = para.substr(start, end - start);
        // Blanks between words on the same line are kept as typed.
        std::string candidate = line.empty() ? std::string(word) : line + std::string(para.substr(pos, end - pos));
        if (measurer.width(font, candidate) <= width) {
            line = std::move(candidate);
        } else {
            if (!line.empty()) lines.push_back(std::move(line));
            line.clear();
            if (measurer.width(font, word) <= width) {
                line.assign(word);
            } else {
                cutWord(word, width, font, measurer, lines);
                // The word's last piece may take the following words on its line.
                line = std::move(lines.back());
                lines.pop_back();
            }
        }
        any = true;
        pos = end;
    }
    if (!line.empty() || !any) lines.push_back(std::move(line));
}

}  // namespace

std::vector<std::string> wrapText(std::string_view text, double width, const FontSpec& font,
                                  const TextMeasurer& measurer) {
    std::vector<std::string> lines;
    if (text.empty()) return lines;
    std::size_t pos = 0;
    while (pos <= text.size()) {
        std::size_t nl = text.find('\n', pos);
        std::string_view para = text.substr(pos, nl == std::string_view::npos ? text.size() - pos : nl - pos);
        if (!para.empty() && para.back() == '\r') para.remove_suffix(1);
        wrapParagraph(para, width, font, measurer, lines);
        if (nl == std::string_view::npos) break;
        pos = nl + 1;
    }
    // A trailing line break adds no empty last line.
    if (!text.empty() && text.back() == '\n' && !lines.empty() && lines.back().empty()) lines.pop_back();
    return lines;
}

}  // namespace quay::reports::detail
