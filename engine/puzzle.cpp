#include "engine/puzzle.h"

namespace tavrin {

namespace {

// Byte length of the UTF-8 sequence starting with lead byte c (1 for stray bytes).
std::size_t sequenceLength(unsigned char c)
{
    if (c >= 0xF0 && c < 0xF8) return 4;
    if (c >= 0xE0) return c < 0xF0 ? 3 : 1;
    if (c >= 0xC0) return 2;
    return 1;
}

} // namespace

Puzzle::Puzzle() : comment(fitComment(kDefaultComment))
{
    cells.fill(kEmpty);
}

std::size_t utf8Length(std::string_view text)
{
    std::size_t n = 0;
    for (std::size_t i = 0; i < text.size(); ++n) {
        const std::size_t len = sequenceLength(static_cast<unsigned char>(text[i]));
        i += (i + len <= text.size()) ? len : 1;
    }
    return n;
}

std::string fitComment(std::string_view text)
{
    std::string out;
    std::size_t chars = 0;
    std::size_t i = 0;
    while (i < text.size() && chars < kCommentLength) {
        std::size_t len = sequenceLength(static_cast<unsigned char>(text[i]));
        if (i + len > text.size()) {
            len = 1;
        }
        out.append(text.substr(i, len));
        i += len;
        ++chars;
    }
    out.append(kCommentLength - chars, ' ');
    return out;
}

std::string trimComment(std::string_view comment)
{
    std::size_t end = comment.size();
    while (end > 0 && comment[end - 1] == ' ') {
        --end;
    }
    return std::string(comment.substr(0, end));
}

Puzzle newPuzzle()
{
    return Puzzle{};
}

} // namespace tavrin
