// The main window's smaller parts: the program section of the settings, the
// registration page and address, the result box, mnemonics, the help
// window, toolbar pictures, pieces not offered.
#include "gui_support.h"

#include "app/command_line.h"
#include "game/command_table.h"
#include "app/help_window.h"
#include "app/language.h"
#include "app/midi_timing.h"
#include "app/high_score_dialog.h"
#include "app/qt_settings_store.h"
#include "app/score_server_dialog.h"
#include "app/toolbar_icons.h"
#include "app/zoom.h"
#include "game/flow_texts.h"
#include "app/single_instance.h"
#include "app/startup_options.h"
#include "graphics/program_settings.h"

#include <QClipboard>
#include <QFileInfo>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QTemporaryDir>
#include <QStatusBar>
#include <QTimer>
#include <QApplication>
#include <QLineEdit>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTextLayout>
#include <QToolBar>
#include <QToolButton>

using namespace tavrin;
using namespace tavrin::gui_test;
using game::Command;

class WindowPartsTest : public QObject {
    Q_OBJECT
private slots:
    void pictureFilesLiveInTheProgramSection();
    void registrationPageIsOfferedWhenJustWritten();
    void scoreServerIsSetInTheOptions();
    void resultBoxTotalsLineUp();
    void optionsItemsShowTheirMnemonic();
    void helpWindowFitsItsPicture();
    void newPuzzleHasItsOwnIcon();
    void piecesNotOfferedLookDimmed();
};

void WindowPartsTest::pictureFilesLiveInTheProgramSection()
{
    QTemporaryDir dir;
    const QString file = dir.filePath("settings.ini");
    {
        app::QtSettingsStore store(std::make_unique<QSettings>(file, QSettings::IniFormat));
        graphics::setProgramSetting(store, "fn0", "/pictures/a.bmp");
        QCOMPARE(graphics::programSetting(store, "fn0"), QStringLiteral("/pictures/a.bmp"));
        QCOMPARE(graphics::programSetting(store, "Theme File"), QString());
    }
    QSettings settings(file, QSettings::IniFormat);
    QCOMPARE(settings.value("Tavrin for Windows/fn0").toString(), QStringLiteral("/pictures/a.bmp"));
}

void WindowPartsTest::registrationPageIsOfferedWhenJustWritten()
{
    Fixture f;
    QList<QUrl> opened;
    app::setUrlHook([&](const QUrl& url) {
        opened.append(url);
        return true;
    });
    f.startFreeGame();
    const auto request = f->highScores().freeEntryRequest(2500, 3);
    QVERIFY(request);
    QVERIFY(f->highScores().enterFreeHighScore(*request, std::string_view("Ai")));
    f->state().itemCount = 3;
    bool visible = false;
    auto press = [&](QDialog& d) {
        auto* window = qobject_cast<app::HighScoreDialog*>(&d);
        visible = window != nullptr && !window->registerButton()->isHidden();
        if (visible && window->registerButton()->isEnabled()) {
            window->registerButton()->click();
        }
        return int(QDialog::Accepted);
    };
    f.boxes.dialogs.push_back(press);
    f.action(Command::HighScores)->trigger();
    const QString page = QDir(f.folder.path()).filePath(QStringLiteral("Upload3.html"));
    QVERIFY(QFileInfo::exists(page));
    QVERIFY(visible);
    QCOMPARE(opened, QList<QUrl>{QUrl::fromLocalFile(page)});
    QCOMPARE(QString::fromStdString(f.status()), u("ハイスコア登録用のページを書き出しました：") + QDir::toNativeSeparators(page));
    // Shown again with nothing new written: the button stays hidden.
    f.boxes.dialogs.push_back(press);
    f.action(Command::HighScores)->trigger();
    QVERIFY(!visible);
    QCOMPARE(opened.size(), 1);
    app::setUrlHook({});
}

void WindowPartsTest::scoreServerIsSetInTheOptions()
{
    Fixture f;
    f.startFreeGame();
    auto answer = [](const QString& typed) {
        return [typed](QDialog& d) {
            auto* box = qobject_cast<app::ScoreServerDialog*>(&d);
            if (box == nullptr) {
                return int(QDialog::Rejected);
            }
            box->addressBox()->setText(typed);
            box->accept();
            return box->result();
        };
    };
    // Refused: the box stays open and says why; nothing is stored.
    f.boxes.dialogs.push_back(answer(u("scores.example.org")));
    f.action(Command::ScoreServer)->trigger();
    QCOMPARE(f->settings().get("Options", "ScoreServer", "?"), std::string("?"));
    f.boxes.dialogs.push_back(answer(u(" http://club.example.org:8932 ")));
    f.action(Command::ScoreServer)->trigger();
    QCOMPARE(f->settings().get("Options", "ScoreServer", "?"), std::string("http://club.example.org:8932"));
    // Emptied: back to tavrin-scores on this machine.
    f.boxes.dialogs.push_back(answer(QString()));
    f.action(Command::ScoreServer)->trigger();
    QCOMPARE(f->settings().get("Options", "ScoreServer", "?"), std::string("?"));
}

namespace {

// Where each line of a message box's text starts and where its last number
// ends, as the box's label lays it out.
struct Columns {
    QList<qreal> starts;
    QList<qreal> numberEnds;
};

Columns columnsOf(const QString& text)
{
    const QString table = app::tabulatedMessage(text);
    QTextDocument doc;
    doc.setDefaultFont(QApplication::font());
    if (table.isEmpty()) {
        doc.setPlainText(text);
    } else {
        doc.setHtml(table);
    }
    doc.adjustSize();
    Columns columns;
    static const QRegularExpression number(QStringLiteral("(\\d+)$"));
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
        const QTextLayout* layout = b.layout();
        if (b.text().isEmpty() || layout->lineCount() == 0) {
            continue;
        }
        const QTextLine line = layout->lineAt(0);
        const auto match = number.match(b.text());
        if (match.hasMatch()) {
            columns.numberEnds.append(layout->position().x() + line.cursorToX(int(b.text().size())));
        }
        // A label on its own: "エコ点：", "Total:".
        if (b.text().endsWith(u'：') || b.text().endsWith(u':')) {
            columns.starts.append(layout->position().x() + line.cursorToX(0));
        }
    }
    return columns;
}

} // namespace

void WindowPartsTest::resultBoxTotalsLineUp()
{
    const QString japanese = QString::fromStdString(game::goalReachedText(4319, 784, 800, 5903).japanese());
    const QString english = u("Goal reached.\n\nEco points:\t\t4319\nLoop points:\t\t784\nBonus:\t\t800\nTotal:\t\t5903");
    for (const QString& text : {japanese, english}) {
        const Columns c = columnsOf(text);
        QCOMPARE(c.numberEnds.size(), 4);
        QCOMPARE(c.starts.size(), 4);
        for (const qreal end : c.numberEnds) {
            QVERIFY2(qAbs(end - c.numberEnds.front()) < 1.0, qPrintable(text));
        }
        for (const qreal start : c.starts) {
            QVERIFY2(qAbs(start - c.starts.front()) < 1.0, qPrintable(text));
        }
    }
    // Nothing in a box becomes markup.
    QVERIFY(app::tabulatedMessage(u("<b>x</b>\t1")).contains(u("&lt;b&gt;")));
    QVERIFY(app::tabulatedMessage(u("no columns")).isEmpty());
}

void WindowPartsTest::optionsItemsShowTheirMnemonic()
{
    Fixture f;
    f.startFreeGame();
    // In Japanese every item shows its key in brackets at its end.
    static const QRegularExpression key(QStringLiteral("\\(&[A-Z]\\)(\\.\\.\\.)?$"));
    for (QAction* a : f->form().menu(game::Menu::Options)->actions()) {
        if (!a->isSeparator()) {
            QVERIFY2(key.match(a->text()).hasMatch(), qPrintable(a->text()));
        }
    }
    QCOMPARE(f->form().languageMenu()->title(), u("言語 / Language(&G)"));
}

void WindowPartsTest::helpWindowFitsItsPicture()
{
    Fixture f;
    QDir(f.folder.path()).mkpath(QStringLiteral("help"));
    QImage picture(700, 146, QImage::Format_RGB32); // wider than the window was, narrower than the test screen
    picture.fill(Qt::darkGreen);
    QVERIFY(picture.save(f.file(QStringLiteral("help/pieces.png"))));
    QFile page(f.file(QStringLiteral("help/index.html")));
    QVERIFY(page.open(QIODevice::WriteOnly));
    page.write("<html><body><h1>Tavrin</h1><p><img src=\"pieces.png\"></p></body></html>");
    page.close();
    app::HelpWindow help(f.folder.path(), app::kHelpContents);
    help.show();
    QCoreApplication::processEvents();
    QCOMPARE(help.browser()->horizontalScrollBar()->maximum(), 0);
}

void WindowPartsTest::newPuzzleHasItsOwnIcon()
{
    Fixture f;
    f.startFreeGame();
    f.action(Command::EditMode)->trigger();
    QVERIFY(f->state().editMode);
    const QImage newPuzzle = f.action(Command::NewGame)->icon().pixmap(24).toImage();
    const QImage open = f.action(Command::Open)->icon().pixmap(24).toImage();
    QVERIFY(newPuzzle != open);
    QCOMPARE(newPuzzle, app::mainToolbarIcon(19).pixmap(24).toImage());
}

namespace {

// The spread of lightness over a widget's picture.
int contrastOf(QWidget* widget)
{
    const QImage image = widget->grab().toImage();
    int low = 255;
    int high = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const int l = qGray(image.pixel(x, y));
            low = std::min(low, l);
            high = std::max(high, l);
        }
    }
    return high - low;
}

} // namespace

void WindowPartsTest::piecesNotOfferedLookDimmed()
{
    Fixture f;
    const QString path = writePuzzle(f.file(QStringLiteral("one.kem")));
    QVERIFY(!path.isEmpty());
    f.startFreeGame();
    f->loadPuzzleFile(path);
    QTRY_VERIFY_WITH_TIMEOUT(f->state().puzzleSeries, 3000);
    auto& form = f->form();
    int offered = -1;
    for (int e = 0; e < 11; ++e) {
        offered = form.paletteEntry(e)->isEnabled() ? e : offered;
    }
    QVERIFY(offered >= 0);
    // Lightness spread is much the same for every shape; an entry that is
    // not offered keeps well under half of the offered one's.
    const int lit = contrastOf(form.paletteEntry(offered));
    QVERIFY(lit > 60);
    for (int e = 0; e < 11; ++e) {
        if (e != offered) {
            QVERIFY2(contrastOf(form.paletteEntry(e)) * 2 < lit, qPrintable(QString::number(e)));
        }
    }
}

QTEST_MAIN(WindowPartsTest)
#include "window_parts_test.moc"
