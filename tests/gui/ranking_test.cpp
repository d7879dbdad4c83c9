// The high-score window's ranking button against a real tavrin-scores: a
// finished game's record is replayed there and ranked as verified.
#include "gui_support.h"

#include "app/high_score_dialog.h"
#include "game/game_record.h"
#include "scores/json_text.h"

#include <QEventLoop>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QProcess>
#include <QPushButton>
#include <QTcpServer>
#include <QTcpSocket>

#include <fstream>
#include <sstream>

using namespace tavrin;
using namespace tavrin::gui_test;

namespace {

// The first real finished game of the test data: score, kinds, record text.
struct Finished {
    int score = 0;
    int kinds = 0;
    std::string record;
};

Finished finishedGame()
{
    std::ifstream in(std::string(TAVRIN_TEST_DATA) + "/records/finished.txt");
    std::string line;
    Finished game;
    while (std::getline(in, line)) {
        if (!line.empty() && line[0] != '#') {
            std::istringstream fields(line);
            std::string seed;
            fields >> game.score >> game.kinds >> seed >> game.record;
            break;
        }
    }
    return game;
}

QByteArray fetch(const QString& url)
{
    QNetworkAccessManager network;
    QNetworkReply* reply = network.get(QNetworkRequest(QUrl(url)));
    QEventLoop wait;
    QObject::connect(reply, &QNetworkReply::finished, &wait, &QEventLoop::quit);
    wait.exec();
    const QByteArray body = reply->readAll();
    reply->deleteLater();
    return body;
}

} // namespace

class RankingTest : public QObject {
    Q_OBJECT
private slots:
    void aFinishedGameIsRankedAsVerified();
};

void RankingTest::aFinishedGameIsRankedAsVerified()
{
    const QDir built(QFileInfo(qEnvironmentVariable("TAVRIN_BIN")).absolutePath());
    const QString server = built.filePath(QStringLiteral("tavrin-scores"));
    QVERIFY2(QFileInfo(server).isExecutable(), "tavrin-scores is not built beside the program");
    QTcpServer probe;
    QVERIFY(probe.listen(QHostAddress::LocalHost, 0));
    const quint16 port = probe.serverPort();
    probe.close();
    QTemporaryDir data;
    QProcess scores;
    scores.start(server, {QStringLiteral("--listen"), QStringLiteral("127.0.0.1:%1").arg(port), QStringLiteral("--database"),
                          data.filePath(QStringLiteral("scores.sqlite"))});
    QVERIFY(scores.waitForStarted());
    QTRY_VERIFY_WITH_TIMEOUT(([port] {
                                 QTcpSocket socket;
                                 socket.connectToHost(QHostAddress::LocalHost, port);
                                 return socket.waitForConnected(200);
                             }()),
                             10000);

    const Finished game = finishedGame();
    HighScoreView view;
    view.itemCount = game.kinds;
    view.caption = std::string("Tavrin");
    view.recordRegistration = "{\"name\": \"Tester\", \"score\": " + std::to_string(game.score) +
                              ", \"record\": " + jsonString(game.record) + "}";
    view.registrationServer = QStringLiteral("http://127.0.0.1:%1").arg(port).toStdString();
    Boxes boxes;
    app::HighScoreDialog dialog(view);
    QVERIFY(dialog.rankingButton()->isVisibleTo(&dialog));
    dialog.rankingButton()->click();
    QCOMPARE(boxes.messages.size(), 1);
    QVERIFY2(boxes.lastMessage().contains(u("ランキングに登録しました")), qPrintable(boxes.lastMessage()));
    QVERIFY(!dialog.rankingButton()->isEnabled());

    const QJsonObject ranking =
        QJsonDocument::fromJson(fetch(QStringLiteral("http://127.0.0.1:%1/ranking/%2.json").arg(port).arg(game.kinds)))
            .object();
    const QJsonArray verified = ranking.value(QStringLiteral("verified")).toArray();
    QCOMPARE(verified.size(), 1);
    QCOMPARE(verified[0].toObject().value(QStringLiteral("name")).toString(), u("Tester"));
    QCOMPARE(verified[0].toObject().value(QStringLiteral("score")).toInt(), game.score);

    // A window without a record offers no ranking.
    app::HighScoreDialog plain(HighScoreView{});
    QVERIFY(!plain.rankingButton()->isVisibleTo(&plain));
    scores.terminate();
    QVERIFY(scores.waitForFinished(5000));
}

QTEST_MAIN(RankingTest)
#include "ranking_test.moc"
