// Hostile bodies posted to the score server's registration script.
#include "scores/registration_form.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view body(reinterpret_cast<const char*>(data), size);
    const tavrin::RegistrationCheck check = tavrin::checkRegistration(body, {2025, 1, 1}); // the seeds pass then
    if (check.error == tavrin::RegistrationError::None) {
        const tavrin::Registration& entry = check.entry;
        // What passes is what may be stored: cut texts, a real date, a known kind.
        if (entry.name.empty() || tavrin::utf8Length(entry.name) > tavrin::kMaxNameCharacters ||
            tavrin::utf8Length(entry.comment) > tavrin::kMaxCommentCharacters || entry.comment.empty() ||
            entry.gameType < 3 || entry.gameType > 5 || entry.score < 0 ||
            !tavrin::isRealDate(entry.date.year, entry.date.month, entry.date.day)) {
            std::abort();
        }
    } else if (tavrin::registrationErrorText(check).empty()) {
        std::abort();
    }
    return 0;
}
