#include "scoreserver/record_registration.h"

#include "game/daily_game.h"

#include <QDate>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>

#include <tuple>

namespace tavrin {

namespace {

RecordRegistrationCheck refused(int status, const char* error, const QString& message)
{
    RecordRegistrationCheck check;
    check.status = status;
    check.error = QLatin1String(error);
    check.message = message;
    return check;
}

bool hasControlCharacter(const QString& text)
{
    for (const QChar c : text) {
        if (c.unicode() < 0x20 || (c.unicode() >= 0x7F && c.unicode() < 0xA0)) {
            return true;
        }
    }
    return false;
}

QString recordProblemMessage(game::RecordProblem problem)
{
    switch (problem) {
    case game::RecordProblem::NewerVersion:
        return QStringLiteral("ゲームの記録が新しい形式で書かれています。サーバーを新しくしてください。");
    case game::RecordProblem::Truncated: return QStringLiteral("ゲームの記録が途中で切れています。");
    case game::RecordProblem::Damaged: return QStringLiteral("ゲームの記録が壊れています。");
    case game::RecordProblem::BadValue: return QStringLiteral("ゲームの記録にありえない値が含まれています。");
    case game::RecordProblem::TooLong: return QStringLiteral("ゲームの記録が長すぎます。");
    default: return QStringLiteral("ゲームの記録として読めません。");
    }
}

} // namespace

RecordRegistrationCheck checkRecordRegistration(QByteArrayView body, ScoreDate today)
{
    if (static_cast<std::size_t>(body.size()) > kMaxRegistrationBody) {
        return refused(413, "too-large", QStringLiteral("送信されたデータが大きすぎます。"));
    }
    QJsonParseError parseError{};
    const QJsonDocument document = QJsonDocument::fromJson(body.toByteArray(), &parseError);
    if (parseError.error != QJsonParseError::NoError || !document.isObject()) {
        return refused(400, "bad-request", QStringLiteral("送信されたデータが JSON のオブジェクトではありません。"));
    }
    const QJsonObject object = document.object();
    const QJsonValue name = object.value(QLatin1String("name"));
    const QJsonValue comment = object.value(QLatin1String("comment"));
    const QJsonValue score = object.value(QLatin1String("score"));
    const QJsonValue record = object.value(QLatin1String("record"));
    if (!name.isString() || name.toString().isEmpty()) {
        return refused(400, "bad-request", QStringLiteral("お名前（name）が空か、文字列ではありません。"));
    }
    if (!comment.isUndefined() && !comment.isNull() && !comment.isString()) {
        return refused(400, "bad-request", QStringLiteral("コメント（comment）が文字列ではありません。"));
    }
    if (hasControlCharacter(name.toString()) || hasControlCharacter(comment.toString())) {
        return refused(400, "bad-request", QStringLiteral("お名前かコメントに使えない文字が含まれています。"));
    }
    const double claimed = score.toDouble(-1);
    if (!score.isDouble() || claimed < 0 || claimed > INT16_MAX || claimed != static_cast<int>(claimed)) {
        return refused(400, "bad-request", QStringLiteral("スコア（score）は 0 から 32767 までの整数でなければなりません。"));
    }
    if (!record.isString()) {
        return refused(400, "bad-request", QStringLiteral("ゲームの記録（record）が送信されていません。"));
    }
    const game::RecordRead read = game::readRecordText(record.toString().toStdString());
    if (!read.record) {
        return refused(422, "bad-record", recordProblemMessage(read.problem));
    }
    RecordRegistration registration;
    registration.record = *read.record;
    registration.recordText = game::recordText(*read.record);
    Registration& fields = registration.fields;
    fields.score = static_cast<std::int16_t>(claimed);
    fields.name = utf8Prefix(name.toString().toStdString(), kMaxNameCharacters);
    const std::string said = comment.toString().toStdString();
    fields.comment = said.empty() ? std::string(kNoComment) : utf8Prefix(said, kMaxCommentCharacters);
    if (const auto& day = read.record->daily) {
        const ScoreDate tomorrow = nextDay(today);
        if (std::tie(day->year, day->month, day->day) > std::tie(tomorrow.year, tomorrow.month, tomorrow.day)) {
            return refused(422, "future-date", QStringLiteral("今日の一局の日付が未来になっています。"));
        }
        fields.gameType = game::kDailyGameItemKinds;
        fields.date = *day;
    } else {
        if (read.record->itemKinds < 3) {
            return refused(422, "no-ranking", QStringLiteral("アイテムが2種類のゲームにはランキングがありません。"));
        }
        fields.gameType = read.record->itemKinds;
        fields.date = today;
    }
    return RecordRegistrationCheck{std::move(registration), 0, {}, {}};
}

ScoreDate serverToday()
{
    const QDate date = QDate::currentDate();
    return {static_cast<std::int16_t>(date.year()), static_cast<std::int16_t>(date.month()),
            static_cast<std::int16_t>(date.day())};
}

QString verdictMessage(const game::Verification& verification, int claimedScore)
{
    const QString move = QString::number(verification.move + 1);
    switch (verification.verdict) {
    case game::Verdict::Finished: return {};
    case game::Verdict::Malformed: return recordProblemMessage(verification.problem);
    case game::Verdict::NotDailyGame: return QStringLiteral("この記録はその日の今日の一局のものではありません。");
    case game::Verdict::MoveRefused:
        return QStringLiteral("記録の%1手目は、ゲームのルールでは打てない手です。").arg(move);
    case game::Verdict::MovesAfterEnd:
        return QStringLiteral("記録の%1手目は、ゲームが終わった後の手です。").arg(move);
    case game::Verdict::GoalNotReached: return QStringLiteral("記録のゲームは目標に達していません。");
    case game::Verdict::ScoreDiffers:
        return QStringLiteral("記録のゲームのスコアは%1点で、送信されたスコア（%2点）と違います。")
            .arg(verification.score)
            .arg(claimedScore);
    }
    return {};
}

QByteArray recordAnswerJson(const NewEntry& entry, const RegistrationOutcome& outcome)
{
    const Registration& e = entry.fields;
    const bool daily = entry.kind == EntryKind::Daily;
    const QString name = QString::fromStdString(e.name);
    const QString day = QStringLiteral("%1-%2-%3")
                            .arg(e.date.year, 4, 10, QLatin1Char('0'))
                            .arg(e.date.month, 2, 10, QLatin1Char('0'))
                            .arg(e.date.day, 2, 10, QLatin1Char('0'));
    const QString where = daily ? QStringLiteral("今日の一局 %1").arg(day) : QStringLiteral("アイテム%1").arg(e.gameType);
    QString text;
    if (outcome.added) {
        text = QStringLiteral("%1 さんのスコア %2 を、ゲームの記録で確かめて%3のランキングに登録しました。ただいま %4位 です。")
                   .arg(name)
                   .arg(outcome.score)
                   .arg(where)
                   .arg(outcome.rank);
    } else if (daily && outcome.rank > 0) {
        text = QStringLiteral("%1 さんの%2のスコアは、登録済みの %3（%4位）のままです。")
                   .arg(name, where)
                   .arg(outcome.score)
                   .arg(outcome.rank);
    } else {
        text = QStringLiteral("このゲームの記録はすでに%1のランキングに登録されています。").arg(where);
    }
    QJsonObject answer{
        {QStringLiteral("registered"), outcome.added},
        {QStringLiteral("verified"), true},
        {QStringLiteral("score"), outcome.score},
        {QStringLiteral("rank"), outcome.rank > 0 ? QJsonValue(outcome.rank) : QJsonValue()},
        {QStringLiteral("gametype"), daily ? QJsonValue() : QJsonValue(e.gameType)},
        {QStringLiteral("daily"), daily ? QJsonValue(day) : QJsonValue()},
        {QStringLiteral("ranking"), daily ? QStringLiteral("/daily/") + day : QStringLiteral("/ranking/%1").arg(e.gameType)},
        {QStringLiteral("message"), text},
    };
    return QJsonDocument(answer).toJson(QJsonDocument::Compact);
}

QByteArray refusalJson(const QString& error, const QString& message)
{
    return QJsonDocument(QJsonObject{{QStringLiteral("error"), error}, {QStringLiteral("message"), message}})
        .toJson(QJsonDocument::Compact);
}

} // namespace tavrin
