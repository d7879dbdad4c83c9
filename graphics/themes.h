// Eco themes on the window side: loading the current theme at start-up,
// unpacking a theme file through a temporary folder into the four pictures,
// the built-in default theme, and creating and saving a theme from the four
// individually replaced pictures. The file format itself is theme_file.h.
#pragma once

#include "graphics/graphics_host.h"
#include "graphics/pictures.h"
#include "graphics/program_settings.h"

#include <QString>

#include <functional>

namespace tavrin::graphics {

// Settings key of the current theme file ("" = the default theme).
QString themeFileKey();
// Prompt of the input box that asks for a new theme's goal.
Phrase themeGoalPrompt();
// Dialog texts: the open dialog ("エコ・テーマのロード", one filter entry) and
// the save dialog ("名前をつけてエコ・テーマの保存", the theme entry and
// "全てのファイル(*.*)"); the filter entries as shown, their patterns apart.
Phrase themeOpenDialogTitle();
Phrase themeSaveDialogTitle();
Phrase themeFilterName();    // "エコ・テーマ(*.ket)", pattern "*.ket"
Phrase allFilesFilterName(); // "全てのファイル(*.*)", pattern "*"
// Help topic of the message that asks for a missing picture.
inline constexpr int kLoadingPicturesHelpTopic = 47;

enum class ThemeOpen {
    Nothing, // empty path
    Opened,  // applied and remembered as the current theme
    Refused, // not a theme file: told, default theme restored
    Failed,  // unreadable, or a section is not a picture: the caller reports it
};

class Themes {
public:
    Themes(Pictures& pictures, SettingsStore& settings, GraphicsHost& host);

    // The built-in goal is ours; a theme file's goal is its data.
    const Text& themeGoal() const { return themeGoal_; }
    QString newThemeGoal() const { return newThemeGoal_; }
    // Folder of a theme load in progress, with a trailing separator; "" when none.
    QString themeTempFolder() const { return themeTempFolder_; }
    // Where the temporary folders are made (the system's temporary folder by default).
    void setTempRoot(const QString& root) { tempRoot_ = root; }

    // Loads the theme named by "Theme File" (start-up, after creating a theme).
    void loadThemeFile();
    // Unpacks and applies a theme file.
    ThemeOpen openThemeFile(const QString& path);
    // `answer`: the open-file dialog's answer ("" when cancelled).
    void chooseThemeFile(const QString& answer);
    // Returns every picture that is not individually replaced, and the goal,
    // to the built-in default. False when the player kept the current game.
    bool restoreDefaultTheme();

    // The option-menu command, in two steps around the window's dialogs:
    // canCreateTheme() shows the message (with Help) and returns false while a
    // picture is not individually replaced; createTheme() takes the input
    // box's answer and asks `askSavePath` for the file name only when the
    // goal is not empty.
    bool canCreateTheme();
    void createTheme(const QString& goalAnswer, const std::function<QString()>& askSavePath);
    // Writes newThemeGoal() and the four remembered picture files to `answer`
    // (the save dialog's answer; "" does nothing). The file is written beside
    // the target and renamed over it only when complete. True when written.
    bool saveThemeFile(const QString& answer);

    void rememberThemeFile(const QString& path);
    // Exit clean-up: deletes the temporary files and folder of a theme load.
    void removeThemeTempFolder();

private:
    bool makeTempFolder();
    void showGoalOrHint();

    Pictures& pictures_;
    SettingsStore& settings_;
    GraphicsHost& host_;
    Text themeGoal_;
    QString newThemeGoal_;
    QString themeTempFolder_;
    QString tempRoot_;
};

} // namespace tavrin::graphics
