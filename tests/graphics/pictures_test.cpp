#include "graphics/pictures.h"
#include "fake_host.h"
#include "picture_helpers.h"

#include <QBuffer>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace tavrin::graphics {
namespace {

using test::FakeHost;
using test::noiseImage;
using test::noiseSet;

const QString kNotBitmap = QStringLiteral("ファイルがビットマップ形式ではありません。");
const QString kSheetSize =
    QStringLiteral("ビットマップのファイルが352x128ピクセルでないため、\nハイパーロードとして使用できませんでした。");
const QString kItemSize =
    QStringLiteral("ビットマップのファイルが32 * (2～5) x64ピクセルでないため、\nアイテムとして使用できませんでした。");

class PicturesTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    GraphicsSet set = noiseSet();
    test::ProgramSettings settings;
    FakeHost host;
    Pictures pictures{set, settings, host};

    QString bmp(const QString& name, int w, int h, std::uint32_t seed = 7)
    {
        const QString path = dir.filePath(name);
        EXPECT_TRUE(test::saveBmp(noiseImage(w, h, seed), path));
        return path;
    }
    QString textFile(const QString& name)
    {
        const QString path = dir.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("this is not a picture\n");
        return path;
    }
};

TEST(GraphicsKindNameTest, NamesTheFourPictures)
{
    EXPECT_EQ(screenText(graphicsKindName(0)), QStringLiteral("ハイパーロード"));
    EXPECT_EQ(screenText(graphicsKindName(1)), QStringLiteral("通常の背景"));
    EXPECT_EQ(screenText(graphicsKindName(2)), QStringLiteral("目標達成時の背景"));
    EXPECT_EQ(screenText(graphicsKindName(3)), QStringLiteral("アイテム"));
    EXPECT_EQ(screenText(graphicsKindName(4)), QString());
    EXPECT_EQ(screenText(graphicsKindName(-1)), QString());
    EXPECT_EQ(screenText(replaceDialogTitle(0)), QStringLiteral("ハイパーロードのﾛｰﾄﾞ"));
    EXPECT_EQ(screenText(replaceDialogTitle(2)), QStringLiteral("目標達成後の背景のﾛｰﾄﾞ"));
}

TEST(GraphicsSetTest, FallbackPicturesMeetTheirRules)
{
    const GraphicsSet set = GraphicsSet::fallback();
    EXPECT_TRUE(isValidSheet(set.hyperRoadSheet));
    EXPECT_TRUE(isValidItemStrip(set.itemStrip));
    EXPECT_EQ(set.itemCount(), 3);
    EXPECT_EQ(set.normalBackground.size(), (Size{256, 256}));
    for (int y = 0; y < set.hyperRoadSheet.height(); ++y) {
        for (int x = 0; x < set.hyperRoadSheet.width(); ++x) {
            ASSERT_EQ(set.hyperRoadSheet.pixel(x, y) & 0xFF000000u, 0xFF000000u) << x << "," << y;
        }
    }
    // A missing program folder still gives a usable set.
    const GraphicsSet loaded = loadGraphicsSet(QStringLiteral("/nonexistent/folder"));
    EXPECT_TRUE(isValidSheet(loaded.hyperRoadSheet));
    EXPECT_TRUE(isValidItemStrip(loaded.itemStrip));
}

TEST(GraphicsSetTest, LoadsBuiltinsFromTheProgramFolderAndRejectsWrongSizes)
{
    QTemporaryDir dir;
    const PixelBuffer sheet = noiseImage(352, 128, 21);
    ASSERT_TRUE(test::saveBmp(sheet, dir.filePath(QString::fromLatin1(builtinFileName(kHyperRoadSheet)))));
    ASSERT_TRUE(test::saveBmp(noiseImage(100, 64, 22), dir.filePath(QString::fromLatin1(builtinFileName(kItemStrip)))));
    const GraphicsSet set = loadGraphicsSet(dir.path());
    EXPECT_EQ(set.hyperRoadSheet, sheet);
    EXPECT_EQ(set.builtinSheet, sheet);
    EXPECT_EQ(set.itemStrip, drawFallbackItems()); // 100 wide: not a strip
}

TEST(CutAtNulTest, CutsAtTheFirstNul)
{
    EXPECT_EQ(cutAtNul(QStringLiteral("abc")), QStringLiteral("abc"));
    EXPECT_EQ(cutAtNul(QString::fromUtf16(u"a\0b\0c", 5)), QStringLiteral("a"));
    EXPECT_EQ(cutAtNul(QString()), QString());
}

TEST_F(PicturesTest, SheetOfTheRightSizeIsUsedAndRemembered)
{
    const QString path = bmp("sheet.bmp", 352, 128);
    pictures.replaceHyperRoadSheet(path);
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(set.hyperRoadSheet, noiseImage(352, 128, 7));
    EXPECT_EQ(host.redrawAllCount, 1);
    EXPECT_EQ(pictures.graphicsFile(0), path);
    EXPECT_EQ(settings.value("fn0"), path);
}

TEST_F(PicturesTest, WrongSizeSheetShowsTheMessageAndUsesTheBuiltIn)
{
    const QString good = bmp("sheet.bmp", 352, 128);
    pictures.replaceHyperRoadSheet(good);
    const int redraws = host.redrawAllCount;
    pictures.replaceHyperRoadSheet(bmp("tall.bmp", 352, 129));
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, kSheetSize);
    EXPECT_EQ(host.messages[0].icon, MessageIcon::Warning);
    EXPECT_EQ(set.hyperRoadSheet, set.builtinSheet); // not the sheet in use before
    EXPECT_EQ(settings.value("fn0"), good);          // remembered file unchanged
    EXPECT_EQ(host.redrawAllCount, redraws);
}

TEST_F(PicturesTest, UnreadableSheetKeepsThePreviousOneAndForgetsTheFile)
{
    const QString good = bmp("sheet.bmp", 352, 128);
    pictures.replaceHyperRoadSheet(good);
    pictures.replaceHyperRoadSheet(textFile("notes.txt"));
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, kNotBitmap);
    EXPECT_EQ(host.messages[0].icon, MessageIcon::None);
    EXPECT_EQ(set.hyperRoadSheet, noiseImage(352, 128, 7));
    EXPECT_EQ(settings.value("fn0"), QString());
    EXPECT_EQ(host.redrawAllCount, 2);
}

TEST_F(PicturesTest, CancelledSheetOrItemDialogChangesNothing)
{
    settings.setValue("fn0", "kept0");
    settings.setValue("fn3", "kept3");
    pictures.replaceHyperRoadSheet(QString());
    pictures.replaceItems(QString());
    EXPECT_EQ(settings.value("fn0"), QStringLiteral("kept0"));
    EXPECT_EQ(settings.value("fn3"), QStringLiteral("kept3"));
    EXPECT_EQ(host.redrawAllCount + host.redrawBoardCount, 0);
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(PicturesTest, CancelledBackgroundDialogForgetsTheFileButKeepsThePicture)
{
    const QString path = bmp("bg.bmp", 48, 48);
    pictures.replaceBackground(path, 0);
    EXPECT_EQ(settings.value("fn1"), path);
    EXPECT_EQ(set.normalBackground.size(), (Size{48, 48}));
    EXPECT_EQ(host.redrawBoardCount, 1);
    pictures.replaceBackground(QString(), 0);
    EXPECT_EQ(settings.value("fn1"), QString());
    EXPECT_TRUE(settings.contains("fn1"));
    EXPECT_EQ(set.normalBackground.size(), (Size{48, 48}));
}

TEST_F(PicturesTest, UnreadableGoalBackgroundShowsTheMessage)
{
    const PixelBuffer before = set.goalBackground;
    pictures.replaceBackground(dir.filePath("missing.bmp"), 1);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, kNotBitmap);
    EXPECT_EQ(set.goalBackground, before);
    EXPECT_EQ(settings.value("fn2"), QString());
    EXPECT_TRUE(settings.contains("fn2"));
}

TEST_F(PicturesTest, BackgroundOfAnySizeIsAcceptedAndNoRedrawWhileAThemeLoads)
{
    pictures.setThemeLoading(true);
    EXPECT_EQ(pictures.applyBackground(bmp("wide.bmp", 700, 3), 1), PictureLoad::Applied);
    EXPECT_EQ(set.goalBackground.size(), (Size{700, 3}));
    EXPECT_EQ(host.redrawBoardCount, 0);
    EXPECT_EQ(pictures.applyBackground(QString(), 1), PictureLoad::Skipped);
    EXPECT_EQ(pictures.applyBackground(textFile("x.bmp"), 0), PictureLoad::NotLoaded);
    EXPECT_TRUE(host.messages.empty()); // reporting is the caller's
}

TEST_F(PicturesTest, ItemPictureSizes)
{
    struct Case {
        int w, h;
        bool ok;
    };
    for (const Case c : {Case{64, 64, true}, Case{160, 64, true}, Case{96, 64, true}, Case{32, 64, false},
                         Case{192, 64, false}, Case{100, 64, false}, Case{96, 63, false}}) {
        host.messages.clear();
        set.itemStrip = noiseImage(96, 64, 99);
        pictures.replaceItems(bmp(QStringLiteral("items%1x%2.bmp").arg(c.w).arg(c.h), c.w, c.h));
        if (c.ok) {
            EXPECT_TRUE(host.messages.empty()) << c.w << "x" << c.h;
            EXPECT_EQ(set.itemStrip.size(), (Size{c.w, c.h}));
        } else {
            ASSERT_EQ(host.messages.size(), 1u) << c.w << "x" << c.h;
            EXPECT_EQ(host.messages[0].text, kItemSize);
            EXPECT_EQ(host.messages[0].icon, MessageIcon::None);
            EXPECT_EQ(set.itemStrip, set.builtinItemStrip);
        }
    }
    EXPECT_TRUE(host.questions.isEmpty()); // no game running
}

TEST_F(PicturesTest, SameItemCountNeverAsksDuringAGame)
{
    host.freeGame = true;
    const QString path = bmp("three.bmp", 96, 64);
    pictures.replaceItems(path);
    EXPECT_TRUE(host.questions.isEmpty());
    EXPECT_EQ(settings.value("fn3"), path);
    EXPECT_EQ(host.redrawBoardCount, 1);
    EXPECT_EQ(host.endGameCount, 0);
}

TEST_F(PicturesTest, OtherItemCountAsksAndNoKeepsTheGame)
{
    host.freeGame = true;
    const PixelBuffer before = set.itemStrip;
    pictures.replaceItems(bmp("five.bmp", 160, 64));
    ASSERT_EQ(host.questions.size(), 1);
    EXPECT_EQ(host.questions[0], QStringLiteral("新しいアイテムをロードすると現在のゲームは中断されますがよいですか？"));
    EXPECT_EQ(set.itemStrip, before);
    EXPECT_FALSE(settings.contains("fn3"));
    EXPECT_EQ(host.endGameCount, 0);
}

TEST_F(PicturesTest, OtherItemCountYesEndsTheGameAfterTheRedraw)
{
    host.freeGame = true;
    host.editor = true;
    host.answers = {true};
    const QString path = bmp("two.bmp", 64, 64);
    pictures.replaceItems(path);
    ASSERT_EQ(host.questions.size(), 1);
    EXPECT_EQ(host.questions[0],
              QStringLiteral("新しいアイテムをロードすると現在のプレーモードでのゲームは中断されますがよいですか？"));
    EXPECT_EQ(set.itemCount(), 2);
    EXPECT_EQ(settings.value("fn3"), path);
    EXPECT_EQ(host.redrawBoardCount, 1);
    EXPECT_EQ(host.endGameCount, 1);
}

TEST_F(PicturesTest, ApplyItemsAsksNothingWhileStartingAndFallsBackOnNo)
{
    host.freeGame = true;
    host.starting = true;
    EXPECT_EQ(pictures.applyItems(bmp("two.bmp", 64, 64)), PictureLoad::Applied);
    EXPECT_TRUE(host.questions.isEmpty());

    host.starting = false;
    set.itemStrip = noiseImage(96, 64, 5);
    EXPECT_EQ(pictures.applyItems(bmp("four.bmp", 128, 64)), PictureLoad::Declined);
    EXPECT_EQ(host.questions.size(), 1);
    EXPECT_EQ(set.itemStrip, set.builtinItemStrip);
    EXPECT_EQ(pictures.applyItems(textFile("bad.bmp")), PictureLoad::NotLoaded);
}

TEST_F(PicturesTest, ApplySheetRefusesWrongSizeWithTheMessage)
{
    EXPECT_EQ(pictures.applyHyperRoadSheet(bmp("small.bmp", 32, 32)), PictureLoad::Refused);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, kSheetSize);
    EXPECT_EQ(pictures.applyHyperRoadSheet(dir.filePath("gone.bmp")), PictureLoad::NotLoaded);
    EXPECT_EQ(host.messages.size(), 1u);
    pictures.setThemeLoading(true);
    EXPECT_EQ(pictures.applyHyperRoadSheet(bmp("sheet.bmp", 352, 128)), PictureLoad::Applied);
    EXPECT_EQ(host.redrawAllCount, 0);
}

TEST_F(PicturesTest, HostileBitmapHeadersAreNotLoaded)
{
    // A valid BMP whose header then claims 30000 x 30000 pixels, and one cut inside its header.
    QByteArray bytes;
    {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        toQImage(noiseImage(352, 128, 3)).save(&buffer, "BMP");
    }
    QByteArray huge = bytes;
    const char dims[8] = {0x30, 0x75, 0, 0, 0x30, 0x75, 0, 0};
    huge.replace(18, 8, QByteArray(dims, 8));
    const QString hugePath = dir.filePath("huge.bmp");
    const QString cutPath = dir.filePath("cut.bmp");
    for (const auto& [path, data] : {std::pair{hugePath, huge}, std::pair{cutPath, bytes.left(30)}}) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(data);
    }
    const PixelBuffer before = set.hyperRoadSheet;
    pictures.replaceHyperRoadSheet(hugePath);
    pictures.replaceHyperRoadSheet(cutPath);
    ASSERT_EQ(host.messages.size(), 2u);
    EXPECT_EQ(host.messages[0].text, kNotBitmap);
    EXPECT_EQ(host.messages[1].text, kNotBitmap);
    EXPECT_EQ(set.hyperRoadSheet, before);
}

TEST_F(PicturesTest, ForgetClearsAllFourSlots)
{
    for (int k = 0; k < 4; ++k) {
        pictures.rememberGraphicsFile(k, QStringLiteral("/p/%1").arg(k));
    }
    EXPECT_EQ(settings.value("fn2"), QStringLiteral("/p/2"));
    pictures.forgetGraphicsFiles();
    for (int k = 0; k < 4; ++k) {
        EXPECT_EQ(pictures.graphicsFile(k), QString());
        EXPECT_EQ(settings.value(graphicsFileKey(k)), QString());
    }
}

TEST_F(PicturesTest, RememberedFilesLoadAtStartUpAndBadOnesAreForgotten)
{
    const QString sheet = bmp("sheet.bmp", 352, 128, 31);
    const QString background = bmp("bg.bmp", 20, 30, 32);
    settings.setValue("fn0", sheet);
    settings.setValue("fn1", background);
    settings.setValue("fn2", dir.filePath("deleted.bmp"));
    settings.setValue("fn3", bmp("items.bmp", 100, 64)); // no longer fits the rule
    const QStringList skipped = pictures.loadRememberedGraphics();

    EXPECT_EQ(set.hyperRoadSheet, noiseImage(352, 128, 31));
    EXPECT_EQ(set.normalBackground, noiseImage(20, 30, 32));
    EXPECT_EQ(set.goalBackground, set.builtinGoalBackground);
    EXPECT_EQ(set.itemStrip, set.builtinItemStrip);
    EXPECT_EQ(pictures.graphicsFile(0), sheet);
    EXPECT_EQ(pictures.graphicsFile(2), QString());
    EXPECT_EQ(settings.value("fn2"), QString());
    EXPECT_EQ(settings.value("fn3"), QString());
    EXPECT_EQ(skipped.size(), 2);
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(PicturesTest, NamedPipesAndFoldersAreNotOpenedAsPictures)
{
    // Opening a pipe nobody writes to would block the program for good.
    const QString pipe = dir.filePath("pipe.bmp");
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    EXPECT_TRUE(loadPicture(pipe).isNull());
    EXPECT_TRUE(loadPicture(dir.path()).isNull());

    settings.setValue("fn0", pipe);
    settings.setValue("fn1", dir.path());
    const QStringList skipped = pictures.loadRememberedGraphics();
    EXPECT_EQ(skipped, (QStringList{pipe, dir.path()}));
    EXPECT_EQ(set.hyperRoadSheet, set.builtinSheet);
    EXPECT_EQ(settings.value("fn0"), QString());

    const PixelBuffer before = set.hyperRoadSheet;
    pictures.replaceHyperRoadSheet(pipe);
    EXPECT_EQ(set.hyperRoadSheet, before);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages.back().text, kNotBitmap);
    EXPECT_EQ(pictures.graphicsFile(0), QString());
}

} // namespace
} // namespace tavrin::graphics
