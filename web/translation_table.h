// The page's English texts, made at build time from translations/tavrin_en.ts.
#pragma once

#include "engine/ui_text.h"

#include <cstddef>
#include <string>

namespace tavrin::web {

struct TranslationEntry {
    const char* context;
    const char* source;
    const char* english;
};

// Sorted by context, then source (byte order).
extern const TranslationEntry kEnglishTexts[];
extern const std::size_t kEnglishTextCount;

// The English of `phrase`; its Japanese when it has none.
std::string english(const Phrase& phrase);

} // namespace tavrin::web
