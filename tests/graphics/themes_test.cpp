#include "graphics/themes.h"
#include "graphics/theme_file.h"
#include "fake_host.h"
#include "picture_helpers.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace tavrin::graphics {
namespace {

using test::FakeHost;
using test::noiseImage;
using test::noiseSet;

const QString kDefaultGoal = QStringLiteral("水、新芽、太陽をハイパーロードでつないで全ての地域を緑化してください。");

std::string bmpBytes(const PixelBuffer& image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    toQImage(image).save(&buffer, "BMP");
    return bytes.toStdString();
}

class ThemesTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QTemporaryDir tempRoot;
    GraphicsSet set = noiseSet();
    test::ProgramSettings settings;
    FakeHost host;
    Pictures pictures{set, settings, host};
    Themes themes{pictures, settings, host};

    const PixelBuffer sheet = noiseImage(352, 128, 41);
    const PixelBuffer normal = noiseImage(40, 24, 42);
    const PixelBuffer goal = noiseImage(256, 256, 43);
    const PixelBuffer items = noiseImage(96, 64, 44);

    void SetUp() override { themes.setTempRoot(tempRoot.path()); }

    QString writeFile(const QString& name, const std::string& bytes)
    {
        const QString path = dir.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes.data(), static_cast<qint64>(bytes.size()));
        return path;
    }
    QString themeFile(const QString& name, const std::string& goalText,
                      std::array<std::string, 4> parts = {})
    {
        const std::array<PixelBuffer, 4> images{sheet, normal, goal, items};
        for (std::size_t k = 0; k < 4; ++k) {
            if (parts[k].empty()) {
                parts[k] = bmpBytes(images[k]);
            }
        }
        return writeFile(name, *theme::encodeThemeFile(goalText, parts));
    }
    bool tempRootEmpty() const
    {
        return QDir(tempRoot.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden).isEmpty();
    }
};

TEST_F(ThemesTest, OpenAppliesAllFourPicturesAndTheGoal)
{
    host.freeGame = true;
    const QString path = themeFile("green.ket", "森をつなごう");
    EXPECT_EQ(themes.openThemeFile(path), ThemeOpen::Opened);
    EXPECT_EQ(set.hyperRoadSheet, sheet);
    EXPECT_EQ(set.normalBackground, normal);
    EXPECT_EQ(set.goalBackground, goal);
    EXPECT_EQ(set.itemStrip, items);
    EXPECT_EQ(screenText(themes.themeGoal()), QStringLiteral("森をつなごう"));
    EXPECT_EQ(settings.value("Theme File"), path);
    EXPECT_EQ(host.themeResetStates.back(), true);
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(themes.themeTempFolder(), QString());
    EXPECT_TRUE(tempRootEmpty());
    // Progress in the status bar, then the goal of the running free game.
    const QStringList expected{
        QStringLiteral("を開いています..."),          QString(),
        QStringLiteral("ハイパーロードを開いています..."), QStringLiteral("ハイパーロードを登録しています..."),
        QString(),
        QStringLiteral("通常の背景を開いています..."),   QStringLiteral("通常の背景を登録しています..."),
        QString(),
        QStringLiteral("目標達成時の背景を開いています..."), QStringLiteral("目標達成時の背景を登録しています..."),
        QString(),
        QStringLiteral("アイテムを開いています..."),     QStringLiteral("アイテムを登録しています..."),
        QStringLiteral("森をつなごう"),
    };
    EXPECT_EQ(host.statusTexts, expected);
    EXPECT_EQ(host.processEventsCount, 5);
}

TEST_F(ThemesTest, IndividuallyReplacedPictureWinsAndIsForgottenAfterwards)
{
    const PixelBuffer mine = noiseImage(64, 64, 50);
    const QString minePath = dir.filePath("mine.bmp");
    ASSERT_TRUE(test::saveBmp(mine, minePath));
    pictures.replaceBackground(minePath, 0);
    ASSERT_EQ(settings.value("fn1"), minePath);

    EXPECT_EQ(themes.openThemeFile(themeFile("t.ket", "x")), ThemeOpen::Opened);
    EXPECT_EQ(set.normalBackground, mine);
    EXPECT_EQ(set.hyperRoadSheet, sheet);
    EXPECT_EQ(set.goalBackground, goal);
    EXPECT_EQ(set.itemStrip, items);
    EXPECT_EQ(settings.value("fn1"), QString());
    EXPECT_FALSE(host.statusTexts.contains(QStringLiteral("通常の背景を開いています...")));
}

TEST_F(ThemesTest, RefusedFileRestoresTheDefaultTheme)
{
    set.hyperRoadSheet = sheet;
    settings.setValue("Theme File", "/old.ket");
    std::string bytes = *theme::encodeThemeFile("x", {bmpBytes(sheet), bmpBytes(normal), bmpBytes(goal), bmpBytes(items)});
    bytes[0] = 'k';
    bytes[1] = 'e';
    bytes[2] = 't';
    EXPECT_EQ(themes.openThemeFile(writeFile("lower.ket", bytes)), ThemeOpen::Refused);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, QStringLiteral("エコ・テーマの読み込みに失敗しました。"));
    EXPECT_EQ(host.messages[0].icon, MessageIcon::Warning);
    EXPECT_EQ(set.hyperRoadSheet, set.builtinSheet);
    EXPECT_EQ(settings.value("Theme File"), QString());
    EXPECT_EQ(host.themeResetStates.back(), false);
    EXPECT_EQ(screenText(themes.themeGoal()), kDefaultGoal);
    EXPECT_TRUE(tempRootEmpty());
}

TEST_F(ThemesTest, TinyFileWithPositionsAtItsEndIsRefused)
{
    std::string bytes = "KET";
    for (int k = 0; k < 5; ++k) {
        bytes += std::string("\x18\0\0\0", 4);
    }
    ASSERT_EQ(bytes.size(), 23u);
    EXPECT_EQ(themes.openThemeFile(writeFile("tiny.ket", bytes)), ThemeOpen::Refused);
}

TEST_F(ThemesTest, StartUpLoadOfAMissingThemeSaysSoAndUsesTheDefault)
{
    const QString path = dir.filePath("gone.ket");
    settings.setValue("Theme File", path);
    set.itemStrip = items;
    themes.loadThemeFile();
    EXPECT_TRUE(host.shown);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, path + QStringLiteral("を読み込むことができませんでした。"));
    EXPECT_EQ(host.messages[0].icon, MessageIcon::Warning);
    EXPECT_EQ(settings.value("Theme File"), QString());
    EXPECT_EQ(set.itemStrip, set.builtinItemStrip);
    EXPECT_EQ(host.themeResetStates.back(), true); // enabled again after the failure, as after a load
    EXPECT_FALSE(pictures.themeLoading());
    EXPECT_EQ(host.redrawAllCount, 0); // the caller redraws once afterwards
}

TEST_F(ThemesTest, SectionThatIsNoPictureFailsTheLoad)
{
    const QString path = themeFile("broken.ket", "x", {std::string(), std::string("garbage, not a bitmap")});
    settings.setValue("Theme File", path);
    themes.loadThemeFile();
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, path + QStringLiteral("を読み込むことができませんでした。"));
    EXPECT_EQ(set.normalBackground, set.builtinNormalBackground);
    EXPECT_EQ(set.hyperRoadSheet, set.builtinSheet); // the default theme is back
    EXPECT_EQ(themes.themeTempFolder(), QString());
    EXPECT_TRUE(tempRootEmpty());
}

TEST_F(ThemesTest, WrongSizeSheetInATheme)
{
    const QString path = themeFile("odd.ket", "y", {bmpBytes(noiseImage(352, 129, 3))});
    EXPECT_EQ(themes.openThemeFile(path), ThemeOpen::Opened);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text,
              QStringLiteral("ビットマップのファイルが352x128ピクセルでないため、\nハイパーロードとして使用できませんでした。"));
    EXPECT_EQ(set.hyperRoadSheet, set.builtinSheet);
    EXPECT_EQ(set.normalBackground, normal); // the load went on
    EXPECT_EQ(set.itemStrip, items);
}

TEST_F(ThemesTest, TempFolderTakesTheFirstFreeName)
{
    ASSERT_TRUE(QDir(tempRoot.path()).mkdir("~tempket0"));
    QFile blocker(tempRoot.filePath("~tempket1"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    // Watch the folder while the first section is unpacked.
    struct Watching : FakeHost {
        Themes* themes = nullptr;
        QString seen;
        void setStatusText(const Text& text) override
        {
            if (seen.isEmpty() && themes) {
                seen = themes->themeTempFolder();
            }
            FakeHost::setStatusText(text);
        }
    } watching;
    Pictures watchedPictures(set, settings, watching);
    Themes watched(watchedPictures, settings, watching);
    watched.setTempRoot(tempRoot.path());
    watching.themes = &watched;
    EXPECT_EQ(watched.openThemeFile(themeFile("t.ket", "z")), ThemeOpen::Opened);
    EXPECT_EQ(watching.seen, QDir(tempRoot.path()).filePath("~tempket2") + "/");
    EXPECT_FALSE(QFileInfo::exists(tempRoot.filePath("~tempket2")));
}

TEST_F(ThemesTest, EndGameWhenNoActivityRunsAfterTheLoad)
{
    EXPECT_EQ(themes.openThemeFile(themeFile("t.ket", "z")), ThemeOpen::Opened);
    EXPECT_EQ(host.endGameCount, 1);
    host.series = true;
    host.statusTexts.clear();
    EXPECT_EQ(themes.openThemeFile(themeFile("t2.ket", "z")), ThemeOpen::Opened);
    EXPECT_EQ(host.endGameCount, 1);
    EXPECT_EQ(host.statusTexts.back(), QString());
}

TEST_F(ThemesTest, RestoreDefaultAsksWhenTheItemCountChangesDuringAGame)
{
    host.freeGame = true;
    set.itemStrip = noiseImage(160, 64, 8);
    set.hyperRoadSheet = sheet;
    EXPECT_FALSE(themes.restoreDefaultTheme());
    ASSERT_EQ(host.questions.size(), 1);
    EXPECT_EQ(host.questions[0], QStringLiteral("新しいアイテムをロードすると現在のゲームを中断されますがよいですか？"));
    EXPECT_EQ(set.itemStrip.width(), 160);
    EXPECT_EQ(set.hyperRoadSheet, sheet);

    host.answers = {true};
    EXPECT_TRUE(themes.restoreDefaultTheme());
    EXPECT_EQ(host.endGameCount, 1);
    EXPECT_EQ(set.itemStrip, set.builtinItemStrip);
    EXPECT_EQ(set.hyperRoadSheet, set.builtinSheet);
    EXPECT_EQ(host.redrawAllCount, 1);
}

TEST_F(ThemesTest, RestoreDefaultKeepsIndividuallyReplacedPictures)
{
    host.freeGame = true;
    const QString path = dir.filePath("sheet.bmp");
    ASSERT_TRUE(test::saveBmp(sheet, path));
    pictures.replaceHyperRoadSheet(path);
    set.normalBackground = normal;
    EXPECT_TRUE(themes.restoreDefaultTheme());
    EXPECT_EQ(set.hyperRoadSheet, sheet);
    EXPECT_EQ(set.normalBackground, set.builtinNormalBackground);
    EXPECT_EQ(host.statusTexts.back(), kDefaultGoal);
}

TEST_F(ThemesTest, CreateNeedsAllFourPicturesReplaced)
{
    for (int k = 0; k < 3; ++k) {
        pictures.rememberGraphicsFile(k, QStringLiteral("/some/%1.bmp").arg(k));
    }
    EXPECT_FALSE(themes.canCreateTheme());
    ASSERT_EQ(host.helpMessages.size(), 1u);
    EXPECT_EQ(host.helpMessages[0].first, QStringLiteral("アイテムをゲーム(G)+開く(O)...で読み込んでください。"));
    EXPECT_EQ(host.helpMessages[0].second, 47);
}

TEST_F(ThemesTest, CreateSaveAndLoadRoundTrip)
{
    const std::array<PixelBuffer, 4> images{sheet, normal, goal, items};
    for (int k = 0; k < 4; ++k) {
        const QString path = dir.filePath(QStringLiteral("pic%1.bmp").arg(k));
        ASSERT_TRUE(test::saveBmp(images[static_cast<std::size_t>(k)], path));
        pictures.rememberGraphicsFile(k, path);
    }
    ASSERT_TRUE(themes.canCreateTheme());
    const QString target = dir.filePath("made.ket");
    int asked = 0;
    themes.createTheme(QString::fromUtf16(u"ひまわりの丘\0junk", 11), [&] {
        ++asked;
        return target;
    });
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(themes.newThemeGoal(), QStringLiteral("ひまわりの丘"));
    ASSERT_TRUE(QFileInfo::exists(target));
    EXPECT_EQ(host.statusTexts.filter("を読み込んでいます...").size(), 4);
    EXPECT_EQ(settings.value("Theme File"), QString()); // the new file is not made current
    EXPECT_GE(host.redrawAllCount, 1);

    QFile file(target);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray head = file.read(7);
    EXPECT_EQ(head.left(3), QByteArray("KET"));
    EXPECT_EQ(static_cast<unsigned char>(head[3]), 24u);

    // Loaded into a fresh program with only built-in pictures.
    GraphicsSet fresh = noiseSet();
    test::ProgramSettings freshSettings;
    FakeHost freshHost;
    freshHost.freeGame = true;
    Pictures freshPictures(fresh, freshSettings, freshHost);
    Themes freshThemes(freshPictures, freshSettings, freshHost);
    freshThemes.setTempRoot(tempRoot.path());
    freshPictures.forgetGraphicsFiles();
    freshThemes.chooseThemeFile(target);
    EXPECT_TRUE(freshHost.messages.empty());
    EXPECT_EQ(fresh.hyperRoadSheet, sheet);
    EXPECT_EQ(fresh.normalBackground, normal);
    EXPECT_EQ(fresh.goalBackground, goal);
    EXPECT_EQ(fresh.itemStrip, items);
    EXPECT_EQ(screenText(freshThemes.themeGoal()), QStringLiteral("ひまわりの丘"));
    EXPECT_EQ(freshSettings.value("Theme File"), target);

    // And at the next start.
    GraphicsSet again = noiseSet();
    FakeHost againHost;
    Pictures againPictures(again, freshSettings, againHost);
    Themes againThemes(againPictures, freshSettings, againHost);
    againThemes.setTempRoot(tempRoot.path());
    againPictures.loadRememberedGraphics();
    againThemes.loadThemeFile();
    EXPECT_EQ(again.itemStrip, items);
    EXPECT_EQ(screenText(againThemes.themeGoal()), QStringLiteral("ひまわりの丘"));
    EXPECT_TRUE(tempRootEmpty());
}

TEST_F(ThemesTest, EmptyGoalOrCancelledSaveWritesNothing)
{
    int asked = 0;
    themes.createTheme(QString(), [&] {
        ++asked;
        return dir.filePath("never.ket");
    });
    EXPECT_EQ(asked, 0);
    EXPECT_FALSE(themes.saveThemeFile(QString()));
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files).isEmpty());
}

TEST_F(ThemesTest, SaveWithAnUnreadablePictureKeepsTheOldFile)
{
    const QString target = writeFile("old.ket", "previous contents");
    for (int k = 0; k < 4; ++k) {
        const QString path = dir.filePath(QStringLiteral("pic%1.bmp").arg(k));
        ASSERT_TRUE(test::saveBmp(noiseImage(352, 128, static_cast<std::uint32_t>(k)), path));
        pictures.rememberGraphicsFile(k, path);
    }
    QFile::remove(dir.filePath("pic2.bmp"));
    themes.createTheme(QStringLiteral("g"), [&] { return target; });
    EXPECT_FALSE(themes.saveThemeFile(target));
    ASSERT_FALSE(host.messages.empty());
    EXPECT_EQ(host.messages[0].text, dir.filePath("pic2.bmp") + QStringLiteral("を読み込むことができませんでした。"));
    QFile file(target);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("previous contents"));
    EXPECT_EQ(QDir(dir.path()).entryList({"*.ket*"}, QDir::Files).size(), 1); // no stray temporary file
}

TEST_F(ThemesTest, SaveWithAPictureTurnedIntoANamedPipeDoesNotWait)
{
    const QString target = writeFile("old.ket", "previous contents");
    for (int k = 0; k < 4; ++k) {
        const QString path = dir.filePath(QStringLiteral("pic%1.bmp").arg(k));
        ASSERT_TRUE(test::saveBmp(noiseImage(352, 128, static_cast<std::uint32_t>(k)), path));
        pictures.rememberGraphicsFile(k, path);
    }
    const QString pipe = dir.filePath("pic1.bmp");
    QFile::remove(pipe);
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    themes.createTheme(QStringLiteral("g"), [&] { return target; });
    EXPECT_FALSE(themes.saveThemeFile(target));
    ASSERT_FALSE(host.messages.empty());
    EXPECT_EQ(host.messages[0].text, pipe + QStringLiteral("を読み込むことができませんでした。"));
    QFile file(target);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("previous contents"));
}

TEST_F(ThemesTest, ExitCleanUpRemovesTheFolderAndItsFiles)
{
    // Closing the program while a section file is unpacked.
    struct Closing : FakeHost {
        Themes* themes = nullptr;
        QStringList leftBehind;
        void setStatusText(const Text& text) override
        {
            if (screenText(text) == QStringLiteral("通常の背景を登録しています...") && themes) {
                leftBehind = QDir(themes->themeTempFolder()).entryList({"*.tmp"}, QDir::Files);
                themes->removeThemeTempFolder();
            }
            FakeHost::setStatusText(text);
        }
    } closing;
    Pictures closingPictures(set, settings, closing);
    Themes closingThemes(closingPictures, settings, closing);
    closingThemes.setTempRoot(tempRoot.path());
    closing.themes = &closingThemes;
    EXPECT_EQ(closingThemes.openThemeFile(themeFile("t.ket", "z")), ThemeOpen::Failed);
    EXPECT_EQ(closing.leftBehind, QStringList{QStringLiteral("ktmp2.tmp")});
    EXPECT_EQ(closingThemes.themeTempFolder(), QString());
    EXPECT_TRUE(tempRootEmpty());
}

TEST_F(ThemesTest, BuiltInPicturesOfTheProgramFolder)
{
    const QString bin = qEnvironmentVariable("TAVRIN_PROGRAM_DIR");
    if (bin.isEmpty() || !QFileInfo::exists(QDir(bin).filePath(QString::fromLatin1(builtinFileName(kHyperRoadSheet))))) {
        GTEST_SKIP() << "the built-in pictures have not been generated";
    }
    const GraphicsSet builtin = loadGraphicsSet(bin);
    EXPECT_TRUE(isValidSheet(builtin.hyperRoadSheet));
    EXPECT_NE(builtin.hyperRoadSheet, drawFallbackSheet());
    EXPECT_EQ(builtin.itemCount(), 3);
    EXPECT_EQ(builtin.normalBackground.size(), (Size{256, 256}));
    EXPECT_EQ(builtin.goalBackground.size(), (Size{256, 256}));
}

} // namespace
} // namespace tavrin::graphics
