#include "web/translation_table.h"

#include <algorithm>
#include <cstring>

namespace tavrin::web {

std::string english(const Phrase& phrase)
{
    const auto less = [](const TranslationEntry& a, const TranslationEntry& b) {
        const int c = std::strcmp(a.context, b.context);
        return c != 0 ? c < 0 : std::strcmp(a.source, b.source) < 0;
    };
    const TranslationEntry wanted{phrase.context, phrase.source, ""};
    const TranslationEntry* end = kEnglishTexts + kEnglishTextCount;
    const TranslationEntry* found = std::lower_bound(kEnglishTexts, end, wanted, less);
    if (found != end && !less(wanted, *found)) {
        return found->english;
    }
    return phrase.source;
}

} // namespace tavrin::web
