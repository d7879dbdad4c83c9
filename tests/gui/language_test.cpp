// The window in English and in Japanese: the choice in the options menu,
// "--lang", Qt's own dialogs, and a switch in the middle of a game.
#include "gui_support.h"

#include "game/hint_texts.h"

#include "app/help_window.h"
#include "app/language.h"
#include "puzzles/kem_file.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QGroupBox>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTextBrowser>

using namespace tavrin;
using namespace tavrin::gui_test;
using game::Command;

namespace {

QString yesButtonText()
{
    QMessageBox box;
    return box.addButton(QMessageBox::Yes)->text();
}

} // namespace

class LanguageTest : public QObject {
    Q_OBJECT
private slots:
    void languageArgumentIsTakenOut();
    void switchingMidGameKeepsTheGame();
    void commandLineLanguageIsNotRemembered();
    void anyFileFilterMatchesNamesWithoutDot();
    void helpFollowsTheLanguage();
    void hintsFitTheStatusBarInBothLanguages();
};

void LanguageTest::languageArgumentIsTakenOut()
{
    std::string error;
    char a0[] = "tavrin", a1[] = "--lang", a2[] = "en", a3[] = "x y.kem";
    char* argv[] = {a0, a1, a2, a3, nullptr};
    int argc = 4;
    QCOMPARE(app::takeLanguageArgument(argc, argv, error), std::optional(app::Language::English));
    QCOMPARE(argc, 2);
    QCOMPARE(QString::fromUtf8(argv[1]), QStringLiteral("x y.kem"));
    QVERIFY(argv[2] == nullptr);
    QVERIFY(error.empty());

    char b1[] = "--lang=fr";
    char* bad[] = {a0, b1, nullptr};
    argc = 2;
    QVERIFY(!app::takeLanguageArgument(argc, bad, error));
    QVERIFY(!error.empty());
    QCOMPARE(argc, 1);
}

void LanguageTest::switchingMidGameKeepsTheGame()
{
    Fixture f;
    copyTranslations(f);
    f.startFreeGame();
    app::MainWindow& form = f->form();
    // Japanese by default, Qt's own buttons included.
    QCOMPARE(form.menu(game::Menu::Game)->title(), u("ｹﾞｰﾑ(&G)"));
    QVERIFY(form.languageAction(app::Language::Japanese)->isChecked());
    QCOMPARE(yesButtonText(), u("はい(&Y)"));

    // The goal in the status bar follows the switch.
    form.languageAction(app::Language::English)->trigger();
    QCOMPARE(f.status(), std::string("Link water, sprouts and sun with hyper roads and turn the whole land green."));
    form.languageAction(app::Language::Japanese)->trigger();
    QCOMPARE(f.status(), std::string("水、新芽、太陽をハイパーロードでつないで全ての地域を緑化してください。"));

    // A move, then the switch.
    QTest::mouseMove(form.board(), app::BoardView::cellCentre(0));
    f.clickCell(0);
    QTRY_VERIFY_WITH_TIMEOUT(f.settled(), 5000);
    const GameState before = f->state();
    const int offeredBefore = f->controller().freeGame().offeredPiece();
    form.languageAction(app::Language::English)->trigger();

    QCOMPARE(app::currentLanguage(), app::Language::English);
    QVERIFY(form.languageAction(app::Language::English)->isChecked());
    QCOMPARE(f->settings().get("Options", "Language", ""), std::string("en"));
    QCOMPARE(form.menu(game::Menu::Game)->title(), u("&Game"));
    QCOMPARE(f.action(Command::NewGame)->text(), u("&New Game"));
    QCOMPARE(f.action(Command::Hint)->toolTip(), u("Hint"));
    QCOMPARE(form.scoreFrame(game::ScoreFrame::Eco)->title(), u("Eco points"));
    QVERIFY(form.loopLengthLabel()->text().startsWith(u("Shortest loop: ")));
    QCOMPARE(yesButtonText(), u("&Yes"));
    // The game went on untouched.
    QCOMPARE(f->state().board, before.board);
    QCOMPARE(f->controller().freeGame().offeredPiece(), offeredBefore);
    QCOMPARE(f->state().movesUsed, before.movesUsed);
    QCOMPARE(f->state().labels.ecoPoints, before.labels.ecoPoints);
    QVERIFY(f->controller().freeGame().active());

    // Messages that come later follow too; data stays as it is.
    f->setStatusText(kem::kModeMissingMessage);
    QCOMPARE(f.status(), std::string("Give every puzzle a game mode before saving."));
    f->setStatusText(std::string("保存する前に全ての問題のゲームモードをつける必要があります。"));
    QCOMPARE(f.status(), std::string("保存する前に全ての問題のゲームモードをつける必要があります。"));

    // And back: exactly the Japanese of before.
    f->setStatusText(kem::kModeMissingMessage);
    form.languageAction(app::Language::Japanese)->trigger();
    QCOMPARE(f.status(), std::string("保存する前に全ての問題のゲームモードをつける必要があります。"));
    QCOMPARE(form.menu(game::Menu::Game)->title(), u("ｹﾞｰﾑ(&G)"));
    QCOMPARE(form.scoreFrame(game::ScoreFrame::Eco)->title(), u("エコ点"));
    QCOMPARE(f->settings().get("Options", "Language", ""), std::string("ja"));
    QCOMPARE(yesButtonText(), u("はい(&Y)"));
}

void LanguageTest::commandLineLanguageIsNotRemembered()
{
    app::openSettings()->clear();
    QTemporaryDir folder;
    QDir(folder.path()).mkdir(QStringLiteral("translations"));
    QFile::copy(QFileInfo(qEnvironmentVariable("TAVRIN_BIN")).absoluteDir().filePath(QStringLiteral("translations/tavrin_en.qm")),
                folder.filePath(QStringLiteral("translations/tavrin_en.qm")));
    Boxes boxes;
    app::GameShell shell({folder.path(), {}, {}, {}, {}, app::Language::English});
    shell.start();
    QCOMPARE(shell.form().menu(game::Menu::Options)->title(), u("&Options"));
    QVERIFY(shell.form().languageAction(app::Language::English)->isChecked());
    QCOMPARE(shell.settings().get("Options", "Language", "none"), std::string("none"));
    app::applyLanguage(app::Language::Japanese, folder.path());
}

void LanguageTest::anyFileFilterMatchesNamesWithoutDot()
{
    QTemporaryDir folder;
    app::FileRequest request;
    request.folder = folder.path();
    request.filters = {u("Tavrin 問題(*.kem)"), u("全てのファイル (*.*)")};
    QFileDialog dialog;
    app::prepareFileDialog(dialog, request);
    auto* combo = dialog.findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
    QVERIFY(combo != nullptr);
    QCOMPARE(combo->itemText(1), u("全てのファイル (*.*)"));
    auto* model = dialog.findChild<QFileSystemModel*>();
    QVERIFY(model != nullptr);
    QVERIFY(!QDir::match(model->nameFilters(), u("README")));
    combo->setCurrentIndex(1);
    combo->activated(1);
    QVERIFY(QDir::match(model->nameFilters(), u("README")));
    QVERIFY(QDir::match(model->nameFilters(), u("old.kem")));
}

void LanguageTest::helpFollowsTheLanguage()
{
    const QString folder = QFileInfo(qEnvironmentVariable("TAVRIN_BIN")).absolutePath();
    app::applyLanguage(app::Language::English, folder);
    QVERIFY(app::helpPage(folder, app::kHelpContents).endsWith(u("help/en/index.html")));
    app::HelpWindow english(folder, app::kHelpContents);
    QCOMPARE(english.windowTitle(), u("Tavrin for Windows Help"));
    QVERIFY(english.browser()->toPlainText().contains(u("Tavrin Help")));
    app::applyLanguage(app::Language::Japanese, folder);
    QVERIFY(app::helpPage(folder, app::kHelpLoadingPictures).endsWith(u("help/pictures.html")));
    app::HelpWindow japanese(folder, app::kHelpContents);
    QCOMPARE(japanese.windowTitle(), u("Tavrin for Windows ヘルプ"));
}

// Both hints, in both languages, fit the status bar at ×1; the language
// menu keeps both names and takes each language's kind of mnemonic.
void LanguageTest::hintsFitTheStatusBarInBothLanguages()
{
    Fixture f;
    copyTranslations(f);
    f.startFreeGame();
    app::MainWindow& form = f->form();
    QCOMPARE(form.languageMenu()->title(), u("言語 / Language(&G)"));
    form.languageAction(app::Language::English)->trigger();
    QCOMPARE(form.languageMenu()->title(), u("言語 / Lan&guage"));
    app::StatusText* status = form.statusLabel();
    const std::vector<PlacementHint> hints{{63, 2807, true}, {63, 0, false}};
    for (const app::Language language : {app::Language::English, app::Language::Japanese}) {
        form.languageAction(language)->trigger();
        for (const PlacementHint& hint : hints) {
            f->setStatusText(game::hintText(hint));
            QCoreApplication::processEvents();
            QVERIFY2(status->shownText() == status->text(), qPrintable(status->text()));
            QVERIFY(status->toolTip().isEmpty());
        }
    }
}

QTEST_MAIN(LanguageTest)
#include "language_test.moc"
