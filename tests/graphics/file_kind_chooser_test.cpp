#include "graphics/file_kind_chooser.h"
#include "graphics/pictures.h"
#include "graphics/themes.h"
#include "fake_host.h"
#include "picture_helpers.h"

#include <QApplication>
#include <QButtonGroup>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

namespace tavrin::graphics {
namespace {

TEST(FileKindChooserTest, CaptionsInOrder)
{
    FileKindChooser chooser;
    EXPECT_EQ(chooser.windowTitle(), QStringLiteral("Tavrin for Windows"));
    EXPECT_EQ(chooser.label()->text(), QStringLiteral("開きたいファイルの種類を選択してOKを押してください。"));
    const QStringList expected{
        QStringLiteral("問題ファイル(KEMファイル)"),
        QStringLiteral("エコ・テーマ(KETファイル)"),
        QStringLiteral("ハイパーロード(BMPファイル)"),
        QStringLiteral("通常の背景(BMPファイル)"),
        QStringLiteral("目標達成時の背景(BMPファイル)"),
        QStringLiteral("アイテム(BMPファイル)"),
    };
    for (int i = 0; i < kFileKinds; ++i) {
        EXPECT_EQ(chooser.option(i)->text(), expected[i]);
        EXPECT_FALSE(chooser.option(i)->isChecked());
        EXPECT_EQ(chooser.option(i)->parentWidget() == chooser.pictureFrame(), i >= 2) << i;
    }
    EXPECT_EQ(chooser.pictureFrame()->title(), QStringLiteral("画像ファイルの個別変更"));
    EXPECT_EQ(chooser.okButton()->text(), QStringLiteral("OK"));
    EXPECT_EQ(chooser.cancelButton()->text(), QStringLiteral("Cancel"));
}

TEST(FileKindChooserTest, OneOptionAtATime)
{
    FileKindChooser chooser;
    chooser.option(0)->click();
    chooser.option(4)->click();
    EXPECT_FALSE(chooser.option(0)->isChecked());
    EXPECT_EQ(chooser.selectedKind(), FileKind::GoalBackground);
}

TEST(FileKindChooserTest, OkWithoutAChoiceKeepsTheWindowOpen)
{
    FileKindChooser chooser;
    chooser.show();
    chooser.okButton()->click();
    EXPECT_TRUE(chooser.isVisible());
    EXPECT_EQ(chooser.result(), QDialog::Rejected);
    chooser.option(1)->click();
    chooser.okButton()->click();
    EXPECT_FALSE(chooser.isVisible());
    EXPECT_EQ(chooser.result(), QDialog::Accepted);
}

// Clicks inside the modal window once it is up.
void whenShown(const std::function<void(FileKindChooser&)>& act)
{
    QTimer::singleShot(0, [act] {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (auto* chooser = qobject_cast<FileKindChooser*>(widget); chooser && chooser->isVisible()) {
                act(*chooser);
                return;
            }
        }
    });
}

TEST(FileKindChooserTest, ChooseReturnsTheKindOrNothing)
{
    whenShown([](FileKindChooser& c) {
        c.option(5)->click();
        c.okButton()->click();
    });
    EXPECT_EQ(FileKindChooser::choose(nullptr), FileKind::Items);

    whenShown([](FileKindChooser& c) {
        c.option(2)->click();
        c.cancelButton()->click();
    });
    EXPECT_EQ(FileKindChooser::choose(nullptr), std::nullopt);
}

TEST(OpenGraphicsKindTest, ThemeChoiceForgetsPicturesEvenWhenCancelled)
{
    GraphicsSet set = test::noiseSet();
    const PixelBuffer customSheet = test::noiseImage(352, 128, 77);
    set.hyperRoadSheet = customSheet;
    test::ProgramSettings settings;
    test::FakeHost host;
    Pictures pictures(set, settings, host);
    Themes themes(pictures, settings, host);
    for (int k = 0; k < 4; ++k) {
        pictures.rememberGraphicsFile(k, QStringLiteral("/p/%1.bmp").arg(k));
    }
    std::vector<FileKind> asked;
    openGraphicsKind(FileKind::EcoTheme, pictures, themes, [&](FileKind kind) {
        asked.push_back(kind);
        return QString();
    });
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0], FileKind::EcoTheme);
    for (int k = 0; k < 4; ++k) {
        EXPECT_EQ(settings.value(graphicsFileKey(k)), QString());
    }
    EXPECT_EQ(set.hyperRoadSheet, customSheet);
    EXPECT_TRUE(host.messages.empty());
}

TEST(OpenGraphicsKindTest, PictureChoicesRunTheirReplaceCommand)
{
    QTemporaryDir dir;
    GraphicsSet set = test::noiseSet();
    test::ProgramSettings settings;
    test::FakeHost host;
    Pictures pictures(set, settings, host);
    Themes themes(pictures, settings, host);
    const QString bg = dir.filePath("bg.bmp");
    ASSERT_TRUE(test::saveBmp(test::noiseImage(10, 10, 1), bg));
    openGraphicsKind(FileKind::GoalBackground, pictures, themes, [&](FileKind) { return bg; });
    EXPECT_EQ(settings.value("fn2"), bg);
    EXPECT_EQ(set.goalBackground.size(), (Size{10, 10}));
    openGraphicsKind(FileKind::PuzzleFile, pictures, themes, [&](FileKind) -> QString {
        ADD_FAILURE() << "the puzzle file is not opened here";
        return QString();
    });
}

TEST(ThemeDialogTextsTest, Texts)
{
    EXPECT_EQ(screenText(themeOpenDialogTitle()), QStringLiteral("エコ・テーマのロード"));
    EXPECT_EQ(screenText(themeSaveDialogTitle()), QStringLiteral("名前をつけてエコ・テーマの保存"));
    EXPECT_EQ(screenText(themeFilterName()), QStringLiteral("エコ・テーマ(*.ket)"));
    EXPECT_EQ(screenText(themeGoalPrompt()), QStringLiteral("何かエコ・テーマの目標を入力してください。"));
}

} // namespace
} // namespace tavrin::graphics
