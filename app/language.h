// The language the window speaks: Japanese (the program's own, and the
// default) or English. The choice is remembered in the settings under
// "Options" / "Language" ("ja" or "en"); "--lang ja|en" on the command line
// overrides it for one run.
#pragma once

#include <optional>
#include <string>
#include <string_view>

class QString;

namespace tavrin {
class SettingsStore;
}

namespace tavrin::app {

enum class Language { Japanese, English };

inline constexpr std::string_view kLanguageSection = "Options";
inline constexpr std::string_view kLanguageKey = "Language";

// "ja" / "en"; nothing for any other code.
std::optional<Language> parseLanguage(std::string_view code);
std::string languageCode(Language language);

// The remembered choice; Japanese when there is none or it is not understood.
Language storedLanguage(const SettingsStore& settings);
void storeLanguage(SettingsStore& settings, Language language);

// Takes "--lang CODE" or "--lang=CODE" out of the arguments (argv[1] ...),
// so that the rest of the program never sees it. `error` is set when the
// option has no code or an unknown one.
std::optional<Language> takeLanguageArgument(int& argc, char** argv, std::string& error);

// Installs the translations of `language` on the application: the game's own
// (translations/tavrin_<code>.qm in `dataFolder`) and Qt's, so that standard
// dialogs and buttons speak the same language. Translators of an earlier call
// are removed first. False when a translation file could not be loaded (the
// texts then stay in the program's own Japanese, or Qt's English).
bool applyLanguage(Language language, const QString& dataFolder);
// The language last applied; Japanese before the first call.
Language currentLanguage();

} // namespace tavrin::app
