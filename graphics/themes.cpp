#include "graphics/themes.h"

#include "engine/goals.h"
#include "graphics/theme_file.h"
#include "puzzles/atomic_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <array>
#include <filesystem>
#include <string>

namespace tavrin::graphics {

namespace {

// A theme is read or written section by section with the window's events
// handled in between: busy from first to last, so that no second command
// starts in the middle of it.
class BusyWhile {
public:
    explicit BusyWhile(GraphicsHost& host) : host_(host) { host_.setBusy(true); }
    ~BusyWhile() { host_.setBusy(false); }
    BusyWhile(const BusyWhile&) = delete;
    BusyWhile& operator=(const BusyWhile&) = delete;

private:
    GraphicsHost& host_;
};

std::filesystem::path nativePath(const QString& path)
{
    return std::filesystem::path(QFile::encodeName(path).toStdString());
}

Text unreadableMessage(const QString& path)
{
    return theme::kThemeUnreadableMessage.arg(path.toStdString());
}

// Reads a whole picture file for a theme; no value when it cannot be read.
std::optional<std::string> readWholeFile(const QString& path)
{
    QFile file(path);
    if (path.isEmpty() || !QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly)) {
        return std::nullopt;
    }
    if (file.size() > static_cast<qint64>(theme::kMaxThemeFileSize)) {
        return std::nullopt;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        return std::nullopt;
    }
    return bytes.toStdString();
}

} // namespace

QString themeFileKey()
{
    return QStringLiteral("Theme File");
}

Phrase themeGoalPrompt()
{
    return TAVRIN_TEXT("graphics", "何かエコ・テーマの目標を入力してください。");
}

Phrase themeOpenDialogTitle()
{
    return TAVRIN_TEXT("graphics", "エコ・テーマのロード");
}

Phrase themeSaveDialogTitle()
{
    return TAVRIN_TEXT("graphics", "名前をつけてエコ・テーマの保存");
}

Phrase themeFilterName()
{
    return TAVRIN_TEXT("graphics", "エコ・テーマ(*.ket)");
}

Phrase allFilesFilterName()
{
    return TAVRIN_TEXT("graphics", "全てのファイル(*.*)");
}

Themes::Themes(Pictures& pictures, SettingsStore& settings, GraphicsHost& host)
    : pictures_(pictures), settings_(settings), host_(host), themeGoal_(kDefaultThemeGoal),
      tempRoot_(QDir::tempPath())
{
}

void Themes::rememberThemeFile(const QString& path)
{
    setProgramSetting(settings_, themeFileKey(), path);
    host_.setThemeResetEnabled(true);
}

bool Themes::makeTempFolder()
{
    const QDir root(tempRoot_);
    for (int n = 0; n < 100000; ++n) {
        const QString name = QStringLiteral("~tempket") + QString::number(n);
        if (QFileInfo::exists(root.filePath(name))) {
            continue;
        }
        if (!root.mkdir(name)) {
            return false;
        }
        themeTempFolder_ = root.filePath(name) + QLatin1Char('/');
        return true;
    }
    return false;
}

void Themes::removeThemeTempFolder()
{
    if (themeTempFolder_.isEmpty()) {
        return;
    }
    QDir folder(themeTempFolder_);
    const QStringList tmpFiles = folder.entryList({QStringLiteral("*.tmp")}, QDir::Files | QDir::Hidden);
    for (const QString& name : tmpFiles) {
        folder.remove(name);
    }
    folder.rmdir(folder.absolutePath());
    themeTempFolder_.clear();
}

void Themes::showGoalOrHint()
{
    const bool otherActivity = host_.puzzleSeries() || host_.editMode();
    if (host_.freeGameActive() && !otherActivity) {
        host_.setStatusText(themeGoal_);
    } else if (!host_.freeGameActive() && !otherActivity) {
        host_.endGame();
    } else {
        host_.setStatusText(Text());
    }
}

ThemeOpen Themes::openThemeFile(const QString& path)
{
    const BusyWhile busy(host_);
    if (path.isEmpty()) {
        return ThemeOpen::Nothing;
    }
    // A folder left by an earlier load that failed half-way goes first.
    removeThemeTempFolder();
    if (!makeTempFolder()) {
        return ThemeOpen::Failed;
    }
    const theme::ThemeFileRead read = theme::readThemeFile(nativePath(path));
    if (read.status == theme::ThemeReadStatus::Unreadable) {
        removeThemeTempFolder();
        return ThemeOpen::Failed;
    }
    if (read.status == theme::ThemeReadStatus::Refused) {
        host_.showMessage(theme::kThemeRefusedMessage, MessageIcon::Warning);
        removeThemeTempFolder();
        restoreDefaultTheme();
        return ThemeOpen::Refused;
    }

    themeGoal_ = Text();
    for (int k = 0; k < theme::kThemeSections; ++k) {
        host_.processEvents();
        const bool replacedAlone = k >= 1 && !pictures_.graphicsFile(k - 1).isEmpty();
        if (!replacedAlone) {
            const Text kind = k == 0 ? Text() : graphicsKindName(k - 1);
            host_.setStatusText(TAVRIN_TEXT("graphics", "%1を開いています...").arg(kind));
            if (k == 0) {
                themeGoal_ = read.theme.goal;
            } else {
                const QString tmp = themeTempFolder_ + QStringLiteral("ktmp") + QString::number(k) +
                                    QStringLiteral(".tmp");
                const std::string& bytes = read.theme.pictures[static_cast<std::size_t>(k - 1)];
                QFile file(tmp);
                const bool written = file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
                                     file.write(bytes.data(), static_cast<qint64>(bytes.size())) ==
                                         static_cast<qint64>(bytes.size());
                file.close();
                PictureLoad result = PictureLoad::NotLoaded;
                if (written) {
                    host_.setStatusText(TAVRIN_TEXT("graphics", "%1を登録しています...").arg(kind));
                    switch (k) {
                    case 1: result = pictures_.applyHyperRoadSheet(tmp); break;
                    case 2: result = pictures_.applyBackground(tmp, 0); break;
                    case 3: result = pictures_.applyBackground(tmp, 1); break;
                    default: result = pictures_.applyItems(tmp); break;
                    }
                }
                QFile::remove(tmp);
                if (result == PictureLoad::NotLoaded) {
                    removeThemeTempFolder();
                    return ThemeOpen::Failed;
                }
            }
        }
        if (k < theme::kThemeSections - 1) {
            host_.setStatusText(Text());
        } else {
            showGoalOrHint();
        }
    }
    rememberThemeFile(path);
    pictures_.forgetGraphicsFiles();
    removeThemeTempFolder();
    return ThemeOpen::Opened;
}

void Themes::loadThemeFile()
{
    host_.showMainWindow();
    pictures_.setThemeLoading(true);
    const QString path = programSetting(settings_, themeFileKey());
    if (path.isEmpty()) {
        restoreDefaultTheme();
    } else {
        const ThemeOpen result = openThemeFile(path);
        host_.setThemeResetEnabled(true);
        if (result == ThemeOpen::Failed) {
            host_.showMessage(unreadableMessage(path), MessageIcon::Warning);
            restoreDefaultTheme();
            host_.setThemeResetEnabled(true);
        }
    }
    pictures_.setThemeLoading(false);
}

void Themes::chooseThemeFile(const QString& answer)
{
    const QString path = cutAtNul(answer);
    if (openThemeFile(path) == ThemeOpen::Failed) {
        host_.showMessage(unreadableMessage(path), MessageIcon::Warning);
        restoreDefaultTheme();
        host_.setThemeResetEnabled(true);
    }
}

bool Themes::restoreDefaultTheme()
{
    GraphicsSet& graphics = pictures_.graphics();
    if (pictures_.graphicsFile(kItemStrip).isEmpty()) {
        if (graphics.builtinItemStrip.width() != graphics.itemStrip.width() && host_.freeGameActive()) {
            if (!host_.askYesNo(itemChangeQuestion(host_.editMode(), true))) {
                return false;
            }
            host_.endGame();
        }
        graphics.useBuiltin(kItemStrip);
    }
    if (pictures_.graphicsFile(kHyperRoadSheet).isEmpty()) {
        graphics.useBuiltin(kHyperRoadSheet);
    }
    if (pictures_.graphicsFile(kNormalBackground).isEmpty()) {
        graphics.useBuiltin(kNormalBackground);
    }
    if (pictures_.graphicsFile(kGoalBackground).isEmpty()) {
        graphics.useBuiltin(kGoalBackground);
    }
    setProgramSetting(settings_, themeFileKey(), QString());
    host_.setThemeResetEnabled(false);
    if (pictures_.themeLoading()) {
        pictures_.setThemeLoading(false);
    } else {
        host_.redrawAll();
    }
    themeGoal_ = kDefaultThemeGoal;
    if (host_.freeGameActive()) {
        host_.setStatusText(themeGoal_);
    }
    return true;
}

bool Themes::canCreateTheme()
{
    for (int k = 0; k < kGraphicsKinds; ++k) {
        if (pictures_.graphicsFile(k).isEmpty()) {
            host_.showMessageWithHelp(
                TAVRIN_TEXT("graphics", "%1をゲーム(G)+開く(O)...で読み込んでください。").arg(graphicsKindName(k)),
                kLoadingPicturesHelpTopic);
            return false;
        }
    }
    return true;
}

void Themes::createTheme(const QString& goalAnswer, const std::function<QString()>& askSavePath)
{
    newThemeGoal_ = cutAtNul(goalAnswer);
    if (newThemeGoal_.isEmpty()) {
        return;
    }
    saveThemeFile(askSavePath ? askSavePath() : QString());
    loadThemeFile();
    host_.redrawAll();
}

bool Themes::saveThemeFile(const QString& answer)
{
    const QString path = cutAtNul(answer);
    if (path.isEmpty()) {
        return false;
    }
    const BusyWhile busy(host_);
    std::array<std::string, theme::kThemePictures> pictures;
    for (int k = 1; k < theme::kThemeSections; ++k) {
        const QString source = pictures_.graphicsFile(k - 1);
        host_.setStatusText(TAVRIN_TEXT("graphics", "%1を読み込んでいます...").arg(source.toStdString()));
        std::optional<std::string> bytes = readWholeFile(source);
        if (!bytes || bytes->empty()) {
            // Nothing is written: an existing file of that name stays as it was.
            host_.setStatusText(Text());
            host_.showMessage(unreadableMessage(source), MessageIcon::Warning);
            return false;
        }
        pictures[static_cast<std::size_t>(k - 1)] = std::move(*bytes);
        host_.processEvents();
    }
    const std::optional<std::string> encoded = theme::encodeThemeFile(newThemeGoal_.toStdString(), pictures);
    const bool saved = encoded && writeFileAtomically(QFile::encodeName(path).toStdString(), *encoded);
    host_.setStatusText(Text());
    if (!saved) {
        host_.showMessage(TAVRIN_TEXT("graphics", "%1に書き込むことができませんでした。").arg(path.toStdString()),
                          MessageIcon::Warning);
    }
    return saved;
}

} // namespace tavrin::graphics
