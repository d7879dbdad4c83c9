#include "puzzles/kem_names.h"

#include <cctype>

namespace tavrin::kem {

bool hasPuzzleExtension(std::string_view name)
{
    if (name.size() < kExtension.size() + 1) {
        return false;
    }
    const std::string_view tail = name.substr(name.size() - kExtension.size() - 1);
    if (tail[0] != '.') {
        return false;
    }
    for (std::size_t i = 0; i < kExtension.size(); ++i) {
        const auto c = static_cast<unsigned char>(tail[i + 1]);
        if (std::toupper(c) != std::toupper(static_cast<unsigned char>(kExtension[i]))) {
            return false;
        }
    }
    return true;
}

std::string stripPuzzleExtension(std::string_view name)
{
    if (hasPuzzleExtension(name)) {
        name.remove_suffix(kExtension.size() + 1);
    }
    return std::string(name);
}

std::string puzzleSaveName(std::string_view name)
{
    std::string out(name);
    if (!hasPuzzleExtension(name)) {
        out += '.';
        out += kExtension;
    }
    return out;
}

std::string slashedPath(std::string_view path)
{
    std::string out(path);
    for (char& c : out) {
        if (c == '\\') {
            c = '/';
        }
    }
    return out;
}

Text puzzleWindowCaption(std::string_view path, bool editMode)
{
    const std::size_t cut = path.find_last_of("/\\");
    const std::string_view fileName = cut == std::string_view::npos ? path : path.substr(cut + 1);
    return puzzleWindowCaptionFor(Text(stripPuzzleExtension(fileName)), editMode);
}

Text puzzleWindowCaptionFor(const Text& title, bool editMode)
{
    const Phrase caption = editMode ? TAVRIN_TEXT("puzzles", "%1 - Tavrin for Windows[編集]")
                                    : TAVRIN_TEXT("puzzles", "%1 - Tavrin for Windows[実行]");
    return caption.arg(title);
}

} // namespace tavrin::kem
