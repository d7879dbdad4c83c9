#include "app/language.h"

#include "scores/settings_store.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QString>
#include <QTranslator>

#include <cstring>
#include <memory>

namespace tavrin::app {

namespace {

struct Installed {
    Language language = Language::Japanese;
    std::unique_ptr<QTranslator> game;
    std::unique_ptr<QTranslator> qt;
};

Installed& installed()
{
    static Installed state;
    return state;
}

void removeTranslator(std::unique_ptr<QTranslator>& translator)
{
    if (translator) {
        QCoreApplication::removeTranslator(translator.get());
        translator.reset();
    }
}

std::unique_ptr<QTranslator> loadTranslator(const QString& name, const QString& folder, bool& ok)
{
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(name, folder) || !QCoreApplication::installTranslator(translator.get())) {
        ok = false;
        return nullptr;
    }
    return translator;
}

} // namespace

std::optional<Language> parseLanguage(std::string_view code)
{
    if (code == "ja") {
        return Language::Japanese;
    }
    if (code == "en") {
        return Language::English;
    }
    return std::nullopt;
}

std::string languageCode(Language language)
{
    return language == Language::English ? "en" : "ja";
}

Language storedLanguage(const SettingsStore& settings)
{
    return parseLanguage(settings.get(kLanguageSection, kLanguageKey, "ja")).value_or(Language::Japanese);
}

void storeLanguage(SettingsStore& settings, Language language)
{
    settings.save(kLanguageSection, kLanguageKey, languageCode(language));
}

std::optional<Language> takeLanguageArgument(int& argc, char** argv, std::string& error)
{
    std::optional<Language> chosen;
    int out = 1;
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        const char* code = nullptr;
        if (std::strcmp(arg, "--lang") == 0) {
            code = i + 1 < argc ? argv[++i] : "";
        } else if (std::strncmp(arg, "--lang=", 7) == 0) {
            code = arg + 7;
        } else {
            argv[out++] = argv[i];
            continue;
        }
        chosen = parseLanguage(code);
        if (!chosen) {
            error = std::string("--lang: \"") + code + "\" is not a language of the game (ja, en)";
        }
    }
    argc = out;
    argv[argc] = nullptr;
    return chosen;
}

bool applyLanguage(Language language, const QString& dataFolder)
{
    Installed& state = installed();
    removeTranslator(state.game);
    removeTranslator(state.qt);
    state.language = language;
    bool ok = true;
    const QString code = QString::fromStdString(languageCode(language));
    // The game's texts are written in Japanese: only other languages need a file.
    if (language != Language::Japanese) {
        state.game = loadTranslator(QStringLiteral("tavrin_") + code, QDir(dataFolder).filePath(QStringLiteral("translations")), ok);
    }
    // Qt's own texts are written in English.
    if (language != Language::English) {
        state.qt = loadTranslator(QStringLiteral("qtbase_") + code, QLibraryInfo::path(QLibraryInfo::TranslationsPath), ok);
    }
    return ok;
}

Language currentLanguage()
{
    return installed().language;
}

} // namespace tavrin::app
