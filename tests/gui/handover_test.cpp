// A second start hands its puzzle file to the running game: the socket
// exchange, what the game does with the file in each state, and senders or
// receivers that misbehave.
#include "gui_support.h"

#include "app/instance_handover.h"

#include <QElapsedTimer>
#include <QLocalServer>
#include <QLocalSocket>
#include <QSignalSpy>

#include <future>

using namespace tavrin;
using namespace tavrin::gui_test;
using app::HandoverServer;
using game::Command;

namespace {

// Sends from another thread (the sender blocks) while this thread runs the
// receiving game's event loop; the result of the send.
bool sendWhileServing(const QString& server, const QString& path, int timeoutMs = 3000)
{
    auto result = std::async(std::launch::async, [=] { return app::handOverFile(server, path, timeoutMs); });
    while (result.wait_for(std::chrono::milliseconds(0)) != std::future_status::ready) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return result.get();
}

// A running game with the hand-over wired as the program does it.
struct RunningGame : Fixture {
    QTemporaryDir socketDir;
    HandoverServer server{socketDir.filePath(QStringLiteral("game.sock"))};
    QStringList replies;

    RunningGame()
    {
        QObject::connect(&server, &HandoverServer::fileReceived, &server,
                         [this](const QString& path) { replies.append(shell->openHandedOverFile(path)); });
        startFreeGame();
    }
    // Hands `path` over and waits until the game has dealt with it.
    bool handOver(const QString& path)
    {
        const qsizetype before = replies.size();
        if (!sendWhileServing(server.serverName(), path)) {
            return false;
        }
        return QTest::qWaitFor([&] { return replies.size() > before; }, 3000);
    }
};

} // namespace

class HandoverTest : public QObject {
    Q_OBJECT
private slots:
    void messageIsHeaderPathAndNewline();
    void freeGameGivesWayToTheHandedOverSeries();
    void editorRefusesWithStatusText();
    void seriesInProgressRefuses();
    void missingOrForeignFilesAreReported();
    void nothingListeningFailsAtOnce();
    void silentReceiverTimesOut();
    void damagedMessagesAreDropped();
    void idleSenderIsDisconnected();
    void staleSocketIsReplaced();
};

void HandoverTest::messageIsHeaderPathAndNewline()
{
    QCOMPARE(app::handoverMessage(u("/tmp/問題.kem")), QByteArray("TAVRIN-OPEN\n/tmp/") + u("問題.kem").toUtf8() + "\n");
    // Paths that cannot be framed are never sent.
    QVERIFY(!app::handOverFile(QStringLiteral("unused"), u("/tmp/a\nb.kem"), 100));
    QVERIFY(!app::handOverFile(QStringLiteral("unused"), QString(), 100));
    QVERIFY(!app::handOverFile(QStringLiteral("unused"), u("/") + QString(20000, u'a'), 100));
    // The default name is per lock file.
    QVERIFY(app::handoverServerName(u("/a/tavrin.lock")) != app::handoverServerName(u("/b/tavrin.lock")));
    QCOMPARE(app::handoverServerName(u("/a/tavrin.lock")), app::handoverServerName(u("/a/tavrin.lock")));
}

void HandoverTest::freeGameGivesWayToTheHandedOverSeries()
{
    RunningGame g;
    QVERIFY(g.server.listen());
    QTRY_VERIFY(g.settled());
    const QString path = writePuzzle(g.file(QStringLiteral("series")));
    QVERIFY(!path.isEmpty());
    QVERIFY(g.handOver(path));
    QCOMPARE(g.replies.back(), QString());
    QVERIFY(g->state().puzzleSeries);
    QCOMPARE(g->form().windowTitle(), u("series - Tavrin for Windows[実行]"));
    QCOMPARE(int(g->state().board[0]), 0);
    QCOMPARE(int(g->state().board[2]), 0);
    // A handed-over series is not a command-line start: the game keeps running after it.
    QVERIFY(!g->controller().flow().launchedWithFile);
}

void HandoverTest::editorRefusesWithStatusText()
{
    RunningGame g;
    QVERIFY(g.server.listen());
    QTRY_VERIFY(g.settled());
    const QString path = writePuzzle(g.file(QStringLiteral("edit")));
    g.action(Command::EditMode)->trigger();
    QVERIFY(g->state().editMode);
    g.pressPalette(0);
    g.clickCell(5);
    QTRY_VERIFY(g.settled());
    QVERIFY(g.handOver(path));
    QCOMPARE(g.replies.back(), u("問題ファイルを開けません：編集モード中です。"));
    QCOMPARE(QString::fromStdString(g.status()), u("問題ファイルを開けません：編集モード中です。"));
    // The collection being edited is untouched.
    QVERIFY(g->state().editMode);
    QVERIFY(!g->state().puzzleSeries);
    QCOMPARE(int(g->state().board[5]), 0);
    QVERIFY(g.boxes.messages.isEmpty());
}

void HandoverTest::seriesInProgressRefuses()
{
    RunningGame g;
    QVERIFY(g.server.listen());
    QTRY_VERIFY(g.settled());
    const QString first = writePuzzle(g.file(QStringLiteral("first")));
    const QString second = writePuzzle(g.file(QStringLiteral("second")));
    QVERIFY(g.handOver(first));
    QVERIFY(g->state().puzzleSeries);
    QVERIFY(g.handOver(second));
    QCOMPARE(g.replies.back(), u("問題ファイルを開けません：問題に挑戦中です。"));
    QCOMPARE(QString::fromStdString(g.status()), g.replies.back());
    QCOMPARE(QString::fromStdString(g->controller().flow().playFilePath), first);
}

void HandoverTest::missingOrForeignFilesAreReported()
{
    RunningGame g;
    QVERIFY(g.server.listen());
    QTRY_VERIFY(g.settled());
    QVERIFY(g.handOver(g.file(QStringLiteral("gone.kem"))));
    QCOMPARE(g.replies.back(), u("問題ファイルを開けません：ファイルが見つかりません。"));
    QCOMPARE(QString::fromStdString(g.status()), g.replies.back());

    const QString path = writePuzzle(g.file(QStringLiteral("named")));
    const QString renamed = g.file(QStringLiteral("named.txt"));
    QVERIFY(QFile::rename(path, renamed));
    QVERIFY(g.handOver(renamed));
    QCOMPARE(g.replies.back(), u("問題ファイルを開けません：問題ファイル(KEMファイル)ではありません。"));

    // A damaged .kem file goes the way of the open command: its message, no series.
    const QString damaged = g.file(QStringLiteral("damaged.kem"));
    QFile file(damaged);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("KEX and more bytes");
    file.close();
    QVERIFY(g.handOver(damaged));
    QCOMPARE(g.boxes.lastMessage(), u("Tavrinの問題ファイルのファイル形式ではありません。"));
    QVERIFY(!g->state().puzzleSeries);
    QVERIFY(g->controller().freeGame().active());
}

void HandoverTest::nothingListeningFailsAtOnce()
{
    QTemporaryDir dir;
    QElapsedTimer clock;
    clock.start();
    QVERIFY(!app::handOverFile(dir.filePath(QStringLiteral("none.sock")), u("/tmp/x.kem"), 2000));
    QVERIFY2(clock.elapsed() < 1500, qPrintable(QString::number(clock.elapsed())));
}

void HandoverTest::silentReceiverTimesOut()
{
    // A game that hangs: the socket exists but nobody ever reads or answers.
    QTemporaryDir dir;
    QLocalServer hung;
    QVERIFY(hung.listen(dir.filePath(QStringLiteral("hung.sock"))));
    QElapsedTimer clock;
    clock.start();
    QVERIFY(!app::handOverFile(hung.fullServerName(), u("/tmp/x.kem"), 400));
    QVERIFY2(clock.elapsed() < 2000, qPrintable(QString::number(clock.elapsed())));
    QVERIFY(clock.elapsed() >= 300);
}

void HandoverTest::damagedMessagesAreDropped()
{
    QTemporaryDir dir;
    HandoverServer server(dir.filePath(QStringLiteral("game.sock")));
    QVERIFY(server.listen());
    QSignalSpy received(&server, &HandoverServer::fileReceived);

    static constexpr char kWithNul[] = "TAVRIN-OPEN\n/tmp/a\0b.kem\n";
    const QList<QByteArray> bad = {
        QByteArray("HELLO\n/tmp/x.kem\n"),             // another protocol
        QByteArray("TAVRIN-OPEN\nrelative/x.kem\n"),    // not an absolute path
        QByteArray("TAVRIN-OPEN\n\n"),                  // no path
        QByteArray("TAVRIN-OPEN\n/tmp/x.kem\nmore"),    // trailing bytes
        QByteArray(kWithNul, sizeof kWithNul - 1),      // a NUL inside
        QByteArray("TAVRIN-OPEN\n/tmp/\xff\xfe.kem\n"), // not UTF-8
        QByteArray("TAVRIN-OPEN\n/") + QByteArray(app::kHandoverMaxMessage, 'a'), // endless line
    };
    for (const QByteArray& bytes : bad) {
        QLocalSocket client;
        client.connectToServer(server.serverName());
        QVERIFY(client.waitForConnected(1000));
        client.write(bytes);
        client.flush();
        QTRY_COMPARE_WITH_TIMEOUT(client.state(), QLocalSocket::UnconnectedState, 3000);
        QCOMPARE(client.readAll(), QByteArray()); // no "OK"
    }
    QCoreApplication::processEvents();
    QCOMPARE(received.count(), 0);

    // The server still serves a proper sender afterwards.
    QVERIFY(sendWhileServing(server.serverName(), u("/tmp/ok.kem")));
    QTRY_COMPARE(received.count(), 1);
    QCOMPARE(received.front().front().toString(), u("/tmp/ok.kem"));
}

void HandoverTest::idleSenderIsDisconnected()
{
    QTemporaryDir dir;
    HandoverServer server(dir.filePath(QStringLiteral("game.sock")));
    server.setClientTimeout(200);
    QVERIFY(server.listen());
    QLocalSocket client;
    client.connectToServer(server.serverName());
    QVERIFY(client.waitForConnected(1000));
    client.write("TAVRIN-OPEN\n/tmp/half");
    client.flush();
    QTRY_COMPARE_WITH_TIMEOUT(client.state(), QLocalSocket::UnconnectedState, 3000);
}

void HandoverTest::staleSocketIsReplaced()
{
    QTemporaryDir dir;
    const QString name = dir.filePath(QStringLiteral("game.sock"));
    // A game that ended without cleaning up leaves a file in the socket's place.
    QFile leftover(name);
    QVERIFY(leftover.open(QIODevice::WriteOnly));
    leftover.close();
    HandoverServer server(name);
    QVERIFY(server.listen());
    QVERIFY(server.isListening());
    QSignalSpy received(&server, &HandoverServer::fileReceived);
    QVERIFY(sendWhileServing(name, u("/tmp/again.kem")));
    QTRY_COMPARE(received.count(), 1);
}

QTEST_MAIN(HandoverTest)
#include "handover_test.moc"
