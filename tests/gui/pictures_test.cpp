// Pictures and eco themes through the Open command and the Options menu.
#include "gui_support.h"

#include "graphics/file_kind_chooser.h"
#include "graphics/theme_file.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QRadioButton>
#include <QTimer>

using namespace tavrin;
using namespace tavrin::gui_test;
using game::Command;

namespace {

QString writeBitmap(const QString& path, int width, int height, QRgb colour)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    image.setPixel(0, 0, qRgb(1, 2, 3));
    if (!image.save(path, "BMP")) {
        return {};
    }
    return path;
}

} // namespace

class PicturesTest : public QObject {
    Q_OBJECT
private slots:
    void wrongSizeSheetKeepsBuiltIn();
    void themeRoundTrip();
    void forgottenPictureIsNamedAfterStartUp();
    void commandsWaitForATheme();
};

void PicturesTest::wrongSizeSheetKeepsBuiltIn()
{
    Fixture f;
    f.startFreeGame();
    QTRY_VERIFY(f.settled());
    const QString bad = writeBitmap(f.file(QStringLiteral("bad.bmp")), 352, 129, qRgb(200, 0, 0));
    QVERIFY(!bad.isEmpty());
    f.boxes.dialogs.push_back(chooseKind(graphics::FileKind::HyperRoadSheet));
    f.boxes.paths.push_back(bad);
    f.action(Command::Open)->trigger();
    QCOMPARE(f.boxes.files.back().title, u("ハイパーロードのﾛｰﾄﾞ"));
    QCOMPARE(f.boxes.lastMessage(),
             u("ビットマップのファイルが352x128ピクセルでないため、\nハイパーロードとして使用できませんでした。"));
    QCOMPARE(f.boxes.messages.back().icon, game::Icon::Warning);
    QVERIFY(f->graphics().hyperRoadSheet == f->graphics().builtinSheet);
    QCOMPARE(f->settings().get("Tavrin for Windows", "fn0", ""), std::string());
}

void PicturesTest::themeRoundTrip()
{
    Fixture f;
    f.startFreeGame();
    QTRY_VERIFY(f.settled());
    // The four pictures replaced one by one; a theme can only be made then.
    const QString sheet = writeBitmap(f.file(QStringLiteral("sheet.bmp")), 352, 128, qRgb(10, 20, 30));
    const QString normal = writeBitmap(f.file(QStringLiteral("normal.bmp")), 48, 48, qRgb(40, 160, 40));
    const QString goal = writeBitmap(f.file(QStringLiteral("goal.bmp")), 256, 256, qRgb(20, 200, 60));
    const QString items = writeBitmap(f.file(QStringLiteral("items.bmp")), 96, 64, qRgb(240, 240, 0));
    const std::array<std::pair<graphics::FileKind, QString>, 4> pictures{{
        {graphics::FileKind::HyperRoadSheet, sheet},
        {graphics::FileKind::NormalBackground, normal},
        {graphics::FileKind::GoalBackground, goal},
        {graphics::FileKind::Items, items},
    }};
    f.boxes.answers.push_back(game::Answer::Yes); // the item count may change the game
    for (const auto& [kind, path] : pictures) {
        f.boxes.dialogs.push_back(chooseKind(kind));
        f.boxes.paths.push_back(path);
        f.action(Command::Open)->trigger();
    }
    QCOMPARE(f->graphics().normalBackground.size(), (graphics::Size{48, 48}));
    QCOMPARE(f->settings().get("Tavrin for Windows", "fn1", ""), normal.toStdString());

    const QString theme = f.file(QStringLiteral("mine.ket"));
    f.boxes.texts.push_back(u("みんなつなげて"));
    f.boxes.paths.push_back(theme);
    f.action(Command::CreateTheme)->trigger();
    QCOMPARE(f.boxes.inputs.back().prompt, u("何かエコ・テーマの目標を入力してください。"));
    QVERIFY(f.boxes.files.back().save);
    QVERIFY(QFileInfo(theme).isFile());

    // Back to the default theme, forgetting the pictures.
    f.action(Command::DefaultTheme)->trigger();
    QVERIFY(f->graphics().normalBackground == f->graphics().builtinNormalBackground);
    QCOMPARE(f->settings().get("Tavrin for Windows", "fn1", "?"), std::string());
    QCOMPARE(graphics::screenText(f->themes().themeGoal()), u("水、新芽、太陽をハイパーロードでつないで全ての地域を緑化してください。"));

    // And the theme file brings everything back.
    f.boxes.dialogs.push_back(chooseKind(graphics::FileKind::EcoTheme));
    f.boxes.paths.push_back(theme);
    f.action(Command::Open)->trigger();
    QCOMPARE(graphics::screenText(f->themes().themeGoal()), u("みんなつなげて"));
    QCOMPARE(f->graphics().normalBackground.size(), (graphics::Size{48, 48}));
    QCOMPARE(f->graphics().normalBackground.pixel(5, 5), qRgb(40, 160, 40));
    QCOMPARE(f->graphics().hyperRoadSheet.pixel(0, 0), qRgb(1, 2, 3));
    QVERIFY(f.action(Command::ResetTheme)->isEnabled());
    // A new free game shows the theme's goal.
    f.action(Command::NewGame)->trigger();
    QCOMPARE(QString::fromStdString(f.status()), u("みんなつなげて"));
}

void PicturesTest::forgottenPictureIsNamedAfterStartUp()
{
    Fixture f;
    f->settings().save("Tavrin for Windows", "fn1", f.file(QStringLiteral("moved.bmp")).toStdString());
    f.startFreeGame();
    QCOMPARE(f.status(), std::string("読み込めなくなった画像の代わりに標準の画像を使います：moved.bmp"));
    QCOMPARE(f->settings().get("Tavrin for Windows", "fn1", "?"), std::string());
}

void PicturesTest::commandsWaitForATheme()
{
    Fixture f;
    f.startFreeGame();
    QTRY_VERIFY(f.settled());
    f.clickCell(0);
    QTRY_VERIFY(f.settled());
    const int moves = f->state().movesUsed;
    QVERIFY(moves > 0);

    std::array<std::string, 4> pictures;
    for (int k = 0; k < 4; ++k) {
        const QString path = writeBitmap(f.file(QStringLiteral("p%1.bmp").arg(k)), k == 0 ? 352 : 96,
                                         k == 0 ? 128 : 64, qRgb(10, 200, 10));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        pictures[static_cast<std::size_t>(k)] = file.readAll().toStdString();
    }
    const std::optional<std::string> bytes = theme::encodeThemeFile("ゆっくり", pictures);
    QVERIFY(bytes.has_value());
    const QString theme = f.file(QStringLiteral("slow.ket"));
    QFile out(theme);
    QVERIFY(out.open(QIODevice::WriteOnly));
    out.write(bytes->data(), static_cast<qint64>(bytes->size()));
    out.close();

    // In the middle of the load: a new game, the close box and another load.
    bool tried = false;
    bool busyPointer = false;
    std::function<void()> meddle = [&] {
        if (f->themes().themeTempFolder().isEmpty()) {
            QTimer::singleShot(0, meddle); // not loading yet
            return;
        }
        tried = true;
        busyPointer = QApplication::overrideCursor() != nullptr
                      && QApplication::overrideCursor()->shape() == Qt::WaitCursor;
        f.action(Command::NewGame)->trigger();
        QVERIFY(!f->form().close());
        f.action(Command::Open)->trigger();
    };
    QTimer::singleShot(0, meddle);
    f.boxes.dialogs.push_back(chooseKind(graphics::FileKind::EcoTheme));
    f.boxes.paths.push_back(theme);
    f.action(Command::Open)->trigger();
    QVERIFY(tried);
    QVERIFY(busyPointer);
    QCOMPARE(int(f->state().movesUsed), moves);
    QVERIFY(f->form().isVisible());
    QCOMPARE(f.boxes.files.size(), 1); // no second file dialog
    QCOMPARE(graphics::screenText(f->themes().themeGoal()), u("ゆっくり"));
    QCOMPARE(QApplication::overrideCursor(), nullptr);
}

QTEST_MAIN(PicturesTest)
#include "pictures_test.moc"
