#include "scoreserver/ranking_pages.h"

#include "scores/high_score_texts.h"

#include <QDateTime>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace tavrin {

namespace {

constexpr int kIndexPreview = 3;

// Templates are filled in one arg() pass, so a "%1" typed by a player stays text.
QString escaped(const QString& text)
{
    return QString::fromStdString(htmlEscape(text.toStdString()));
}

QString product()
{
    return QString::fromUtf8(kProductName.data(), static_cast<qsizetype>(kProductName.size()));
}

QString dateOf(const ScoreDate& date)
{
    return QString::fromStdString(dateText(date));
}

QByteArray document(const QString& title, const QString& body)
{
    return QStringLiteral(
               "<!DOCTYPE html>\n<html lang=\"ja\"><head><meta charset=\"utf-8\">"
               "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">"
               "<title>%1</title><style>"
               "body{font-family:sans-serif;background:#f0f0cc;color:#222;max-width:46em;margin:0 auto;"
               "padding:.6em;line-height:1.5}"
               "h1{font-size:1.3em}h2{font-size:1.1em;margin-top:1.4em}"
               "table{border-collapse:collapse;width:100%}"
               "th,td{padding:.3em .4em;border-bottom:1px solid #cc9;text-align:left;overflow-wrap:anywhere}"
               "td.n,th.n{text-align:right;white-space:nowrap}"
               "@media (max-width:32em){.d{display:none}}"
               "a{color:#05c}p.r{font-size:1.2em}"
               "</style></head><body>\n%2\n</body></html>\n")
        .arg(escaped(title), body)
        .toUtf8();
}

QString rankingTable(const std::vector<StoredEntry>& entries, std::size_t count)
{
    if (entries.empty()) {
        return QStringLiteral("<p>まだ登録はありません。</p>");
    }
    QString rows;
    for (std::size_t i = 0; i < entries.size() && i < count; ++i) {
        const StoredEntry& entry = entries[i];
        rows += QStringLiteral("<tr><td class=\"n\">%1</td><td>%2</td><td class=\"n\">%3</td>"
                               "<td class=\"d\">%4</td><td>%5</td></tr>\n")
                    .arg(QString::number(i + 1), escaped(entry.name), QString::number(entry.score),
                         dateOf(entry.date), escaped(entry.comment));
    }
    return QStringLiteral("<table><thead><tr><th class=\"n\">順位</th><th>お名前</th><th class=\"n\">スコア</th>"
                          "<th class=\"d\">日付</th><th>コメント</th></tr></thead><tbody>\n%1</tbody></table>")
        .arg(rows);
}

QString gameLink(bool linkToGame)
{
    return linkToGame ? QStringLiteral("<p><a href=\"/play/\">ブラウザでゲームを遊ぶ</a></p>\n") : QString();
}

QString rankingTitle(int gameType)
{
    return QStringLiteral("%1 ハイスコア（アイテム%2）").arg(product()).arg(gameType);
}

QString dailyTitle(const ScoreDate& date)
{
    return QStringLiteral("%1 今日の一局 %2").arg(product(), isoDate(date));
}

// The verified list first; the pages' list below it, told apart.
QString rankingTables(const RankingLists& lists, std::size_t count, const QString& heading)
{
    QString body = heading.arg(QStringLiteral("記録で確かめたスコア")) + rankingTable(lists.verified, count);
    if (lists.unverified) {
        body += heading.arg(QStringLiteral("登録ページからのスコア（未確認）")) + rankingTable(*lists.unverified, count);
    }
    return body;
}

QJsonArray entriesJson(const std::vector<StoredEntry>& entries)
{
    QJsonArray list;
    int rank = 0;
    for (const StoredEntry& entry : entries) {
        list.append(QJsonObject{
            {QStringLiteral("rank"), ++rank},
            {QStringLiteral("name"), entry.name},
            {QStringLiteral("score"), entry.score},
            {QStringLiteral("date"), dateOf(entry.date)},
            {QStringLiteral("comment"), entry.comment},
            {QStringLiteral("registered"),
             QDateTime::fromSecsSinceEpoch(entry.registered, Qt::UTC).toString(Qt::ISODate)},
        });
    }
    return list;
}

} // namespace

QString isoDate(const ScoreDate& date)
{
    return QStringLiteral("%1-%2-%3")
        .arg(date.year, 4, 10, QLatin1Char('0'))
        .arg(date.month, 2, 10, QLatin1Char('0'))
        .arg(date.day, 2, 10, QLatin1Char('0'));
}

RenderedRanking renderRanking(int gameType, const RankingLists& lists, bool linkToGame)
{
    return {rankingPage(gameType, lists, linkToGame), rankingJson(gameType, lists)};
}

RenderedRanking renderDaily(const ScoreDate& date, const std::vector<StoredEntry>& entries, bool linkToGame)
{
    const QString day = isoDate(date);
    const QString body = QStringLiteral("<h1>%1</h1>\n<p>その日の今日の一局を遊んだ記録で確かめたスコアです（お名前ごとに一番よいもの）。</p>\n"
                                        "%2\n<p><a href=\"/\">ランキング一覧へ</a>（<a href=\"/daily/%3.json\">JSON</a>）</p>\n%4")
                             .arg(escaped(dailyTitle(date)), rankingTable(entries, entries.size()), day,
                                  gameLink(linkToGame));
    return {document(dailyTitle(date), body), dailyJson(date, entries)};
}

QByteArray indexPage(const std::map<int, RankingLists>& rankings, const ScoreDate& today,
                     const std::vector<StoredEntry>& daily, bool linkToGame)
{
    QString body = QStringLiteral("<h1>%1 インターネットハイスコア</h1>\n").arg(escaped(product())) + gameLink(linkToGame);
    body += QStringLiteral("<h2><a href=\"/daily/%1\">今日の一局 %1</a></h2>\n%2\n")
                .arg(isoDate(today), rankingTable(daily, kIndexPreview));
    for (const auto& [gameType, lists] : rankings) {
        body += QStringLiteral("<h2><a href=\"/ranking/%1\">アイテム%1のランキング</a></h2>\n").arg(gameType) +
                rankingTables(lists, kIndexPreview, QStringLiteral("<h3>%1</h3>\n")) +
                QStringLiteral("\n<p><a href=\"/ranking/%1\">上位%2位まで見る</a>（<a href=\"/ranking/%1.json\">JSON</a>）</p>\n")
                    .arg(QString::number(gameType), QString::number(kRankingLength));
    }
    return document(product() + QStringLiteral(" インターネットハイスコア"), body);
}

QByteArray rankingPage(int gameType, const RankingLists& lists, bool linkToGame)
{
    const QString body = QStringLiteral("<h1>%1</h1>\n%2\n<p><a href=\"/\">ランキング一覧へ</a>"
                                        "（<a href=\"/ranking/%3.json\">JSON</a>）</p>\n%4")
                             .arg(escaped(rankingTitle(gameType)),
                                  rankingTables(lists, kRankingLength, QStringLiteral("<h2>%1</h2>\n")),
                                  QString::number(gameType), gameLink(linkToGame));
    return document(rankingTitle(gameType), body);
}

QByteArray rankingJson(int gameType, const RankingLists& lists)
{
    return QJsonDocument(QJsonObject{{QStringLiteral("gametype"), gameType},
                                     {QStringLiteral("verified"), entriesJson(lists.verified)},
                                     {QStringLiteral("entries"), entriesJson(lists.unverified.value_or(
                                                                     std::vector<StoredEntry>{}))}})
        .toJson(QJsonDocument::Compact);
}

QByteArray dailyJson(const ScoreDate& date, const std::vector<StoredEntry>& entries)
{
    return QJsonDocument(QJsonObject{{QStringLiteral("daily"), isoDate(date)},
                                     {QStringLiteral("entries"), entriesJson(entries)}})
        .toJson(QJsonDocument::Compact);
}

QByteArray registeredPage(const Registration& entry, const RegistrationOutcome& outcome)
{
    const QString name = escaped(QString::fromStdString(entry.name));
    const QString what = outcome.added ? QStringLiteral("%1 さんのスコア %2 をアイテム%3のランキングに登録しました。")
                                       : QStringLiteral("%1 さんのスコア %2 はアイテム%3のランキングに登録済みです。");
    const QString body = QStringLiteral("<h1>%1</h1>\n<p>%2</p>\n<p class=\"r\">ただいま <strong>%3位</strong> です。</p>\n"
                                        "<p>コメント：%4</p>\n<p><a href=\"/ranking/%5\">ランキングを見る</a></p>")
                             .arg(outcome.added ? QStringLiteral("登録しました") : QStringLiteral("登録済みです"),
                                  what.arg(name, QString::number(entry.score), QString::number(entry.gameType)),
                                  QString::number(outcome.rank), escaped(QString::fromStdString(entry.comment)),
                                  QString::number(entry.gameType));
    return document(QStringLiteral("ハイスコア登録"), body);
}

QByteArray messagePage(const QString& title, const QString& message)
{
    return document(title, QStringLiteral("<h1>%1</h1>\n<p>%2</p>\n<p><a href=\"/\">ランキング一覧へ</a></p>")
                               .arg(escaped(title), escaped(message)));
}

} // namespace tavrin
