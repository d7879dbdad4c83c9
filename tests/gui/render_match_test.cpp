// The board as the game window shows it (pictures read by Qt, drawn in the
// window) and as tavrin-cli render writes it (pictures read by stb, drawn
// without Qt) are the same pixels.
#include "gui_support.h"

#include "engine/analysis.h"

#include <QFile>
#include <QProcess>

using namespace tavrin;
using namespace tavrin::gui_test;

class RenderMatchTest : public QObject {
    Q_OBJECT
private slots:
    void windowAndCommandLineDrawTheSamePixels();
};

namespace {

int mismatches(const QImage& a, const QImage& b, QPoint bOrigin)
{
    int count = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            count += (a.pixel(x, y) | 0xFF000000u) != (b.pixel(bOrigin.x() + x, bOrigin.y() + y) | 0xFF000000u);
        }
    }
    return count;
}

} // namespace

void RenderMatchTest::windowAndCommandLineDrawTheSamePixels()
{
    const QDir built(QFileInfo(qEnvironmentVariable("TAVRIN_BIN")).absolutePath());
    const QString cli = built.filePath(QStringLiteral("tavrin-cli"));
    QVERIFY2(QFileInfo(cli).isExecutable(), "tavrin-cli is not built beside the program");

    // The game's own pictures in a program folder of the test's own.
    Fixture f;
    f.shell.reset();
    for (const char* name : {"hyperroad.bmp", "background_normal.bmp", "background_goal.bmp", "items.bmp"}) {
        QVERIFY(QFile::copy(built.filePath(QLatin1String(name)), f.file(QLatin1String(name))));
    }
    f.shell = std::make_unique<app::GameShell>(app::ShellOptions{f.folder.path(), {}});
    f.startFreeGame();
    QTRY_VERIFY(f.settled());

    // A ring linking three items, two pieces apart, two moves used; a cross offered.
    const char* rows[8] = {"4 5 . . . . . .", "3 2 . . . . . .", ". . . . . . . .", ". . . . 7 . . .",
                           ". . . . . . . .", ". . . . . . . 1", ". . . . . . . .", ". . 9 . . . . ."};
    GameState& s = f->state();
    QString board;
    for (int r = 0; r < 8; ++r) {
        board += QLatin1String(rows[r]) + QLatin1Char('\n');
        const QStringList tokens = QString::fromLatin1(rows[r]).split(QLatin1Char(' '));
        for (int c = 0; c < 8; ++c) {
            s.board[static_cast<std::size_t>(r * 8 + c)] =
                static_cast<HyperRoad>(tokens[c] == QLatin1String(".") ? -1 : tokens[c].toInt());
        }
    }
    s.cellItem.fill(-1);
    s.greenStamp.fill(-1);
    s.greenChanged.fill(false);
    const int items[3] = {0, 9, 1};
    s.itemCount = 3;
    for (int k = 0; k < 3; ++k) {
        s.itemCells[static_cast<std::size_t>(k)] = static_cast<std::int16_t>(items[k]);
        s.cellItem[static_cast<std::size_t>(items[k])] = static_cast<std::int16_t>(k);
    }
    s.movesUsed = 2;
    s.maxMovesUsed = 2;
    NetworkAnalysis(s).networkAnalysis();
    QVERIFY(s.greenStamp[0] != -1); // the ring links the items
    f->session().input([&] { f->controller().freeGame().setOfferedPiece(10), f->controller().showNewBoard(); });

    const QImage shownBoard = f->form().board()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    // The panel's tile sits inside a margin of the window colour.
    const QImage panelWidget = f->form().offeredPiece()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const int margin = (panelWidget.width() - 32) / 2;
    const QImage shownPanel = panelWidget.copy(margin, margin, 32, 32);
    QCOMPARE(shownBoard.size(), QSize(256, 256));

    QProcess render;
    const QString png = f.file(QStringLiteral("cli.png"));
    render.start(cli, {QStringLiteral("render"), QStringLiteral("--items"), QStringLiteral("0,9,1"),
                       QStringLiteral("--moves-used"), QStringLiteral("2"), QStringLiteral("--offered"),
                       QStringLiteral("10"), QStringLiteral("--data"), f.folder.path(), QStringLiteral("--out"), png});
    QVERIFY(render.waitForStarted());
    render.write(board.toLatin1());
    render.closeWriteChannel();
    QVERIFY(render.waitForFinished(30000));
    QCOMPARE(render.exitCode(), 0);
    const QImage written = QImage(png).convertToFormat(QImage::Format_RGB32);
    QCOMPARE(written.size(), QSize(296, 256));

    QCOMPARE(mismatches(shownBoard, written, QPoint(0, 0)), 0);
    // The panel colour is the window's own; the piece on it is the same.
    const QRgb windowColour = f->form().palette().color(QPalette::Window).rgb() | 0xFF000000u;
    int pieceMismatches = 0;
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            const QRgb shown = shownPanel.pixel(x, y) | 0xFF000000u;
            const QRgb cliPixel = written.pixel(264 + x, y) | 0xFF000000u;
            if (shown != windowColour || cliPixel != 0xFFD4D0C8u) {
                pieceMismatches += shown != cliPixel;
            }
        }
    }
    QCOMPARE(pieceMismatches, 0);
}

QTEST_MAIN(RenderMatchTest)
#include "render_match_test.moc"
