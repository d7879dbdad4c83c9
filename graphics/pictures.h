// The four replaceable pictures: replacing one from a bitmap file with every
// check and message, remembering the replacements ("fn0".."fn3") and loading
// them again at start-up.
#pragma once

#include "graphics/graphics_host.h"
#include "graphics/graphics_set.h"
#include "graphics/program_settings.h"

#include <QString>
#include <QStringList>

#include <array>

namespace tavrin::graphics {

// Outcome of a load-from-path operation.
enum class PictureLoad {
    Skipped,   // empty path: nothing done
    Applied,   // the picture is in use
    NotLoaded, // the file is not a picture the platform can read; nothing changed
    Refused,   // wrong size: the message was shown and the built-in picture is in use
    Declined,  // the player kept the current game: the built-in items are in use
};

// Title of the open-file dialog of the replace command for `kind`
// ("ハイパーロードのﾛｰﾄﾞ", "通常の背景のﾛｰﾄﾞ", "目標達成後の背景のﾛｰﾄﾞ", "アイテムのﾛｰﾄﾞ").
Text replaceDialogTitle(int kind);

// The question before a new item picture cuts the current free game short:
// "新しいアイテムをロードすると現在の" + "プレーモードでの" in the editor +
// "ゲームは中断されますがよいですか？" ("ゲームを" when the default theme
// is being restored).
Text itemChangeQuestion(bool editMode, bool restoringDefault);

// The part of `s` before its first NUL character.
QString cutAtNul(const QString& s);

// Reads a picture file with the platform's loader, opaque; null when the file
// cannot be read or is not a picture.
PixelBuffer loadPicture(const QString& path);

// Settings key of remembered slot k: "fn0".."fn3".
QString graphicsFileKey(int k);

class Pictures {
public:
    Pictures(GraphicsSet& graphics, SettingsStore& settings, GraphicsHost& host);

    // Remembered replacement of picture k (0..3), "" when none.
    QString graphicsFile(int k) const;
    void rememberGraphicsFile(int k, const QString& path);
    void forgetGraphicsFiles();

    bool themeLoading() const { return themeLoading_; }
    void setThemeLoading(bool loading) { themeLoading_ = loading; }

    // The replace commands of the file-kind chooser. `path` is the answer of
    // the open-file dialog titled replaceDialogTitle(kind): "" when cancelled.
    void replaceHyperRoadSheet(const QString& path);
    void replaceBackground(const QString& path, int which); // 0 normal, 1 goal-achieved
    void replaceItems(const QString& path);

    // Load a picture without a dialog (theme loader; backgrounds also for
    // replaceBackground). NotLoaded is the caller's to report.
    PictureLoad applyHyperRoadSheet(const QString& path);
    PictureLoad applyBackground(const QString& path, int which);
    PictureLoad applyItems(const QString& path);

    // Start-up: reads "fn0".."fn3" and loads the named files. A file that no
    // longer loads, or no longer fits its picture's size rule, is skipped and
    // forgotten, and the built-in picture stays; their paths are returned.
    QStringList loadRememberedGraphics();

    GraphicsSet& graphics() { return graphics_; }
    const GraphicsSet& graphics() const { return graphics_; }

private:
    // Whether a new item picture of `newCount` items may replace the current
    // one; asks when a game would be cut short. `asked` tells whether it did.
    bool itemChangeAccepted(int oldCount, int newCount, bool askDuringStartUp, bool& asked);

    GraphicsSet& graphics_;
    SettingsStore& settings_;
    GraphicsHost& host_;
    std::array<QString, 5> graphicsFiles_;
    bool themeLoading_ = false;
};

} // namespace tavrin::graphics
