// File names of puzzle files: the ".kem" extension in any case, captions,
// and the high-score section named after a file.
#pragma once

#include "engine/ui_text.h"

#include <string>
#include <string_view>

namespace tavrin::kem {

inline constexpr std::string_view kExtension = "kem";

// True when the last four characters of `name` are ".kem" in any mix of cases.
bool hasPuzzleExtension(std::string_view name);

// `name` without a trailing ".kem" (any case); unchanged otherwise.
std::string stripPuzzleExtension(std::string_view name);

// The name a save writes to: `name` as typed when it ends in ".kem" (any case),
// otherwise `name` + ".kem".
std::string puzzleSaveName(std::string_view name);

// Every "\" of `path` replaced by "/".
std::string slashedPath(std::string_view path);

// Window caption once `path` has been read or written: the file name without
// folder and extension, " - ", the product name and the mode tag "[編集]" or
// "[実行]".
Text puzzleWindowCaption(std::string_view path, bool editMode);
// The same for a collection shown under `title` instead of a file's name.
Text puzzleWindowCaptionFor(const Text& title, bool editMode);

} // namespace tavrin::kem
