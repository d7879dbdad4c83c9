// A registration that carries its game's record, as the game posts it to
// POST /register: a JSON object
//   {"name": "...", "comment": "...", "score": N, "record": "<record as text>"}
// The score is the one the game showed; the replay must give exactly it.
#pragma once

#include "game/game_record.h"
#include "game/record_replay.h"
#include "scores/registration_form.h"
#include "scoreserver/score_store.h"

#include <QByteArrayView>
#include <QString>

#include <optional>

namespace tavrin {

inline constexpr std::string_view kRecordRegistrationPath = "/register";

struct RecordRegistration {
    Registration fields;    // gameType, claimed score, date, name and comment as stored
    game::GameRecord record;
    std::string recordText; // the record as stored: its text in lower case
};

struct RecordRegistrationCheck {
    std::optional<RecordRegistration> registration;
    int status = 0;   // the HTTP status of a refusal
    QString error;    // a word for programs: "bad-request", "bad-record", ...
    QString message;  // for the player, in Japanese
};

// Checks everything but the replay. The entry is dated `today` (the server's
// date), a daily game by its own date, which may be at most a day later.
RecordRegistrationCheck checkRecordRegistration(QByteArrayView body, ScoreDate today);

// The server's own date, which registrations are dated by.
ScoreDate serverToday();

// Why a replay did not prove the registration, for the player.
QString verdictMessage(const game::Verification& verification, int claimedScore);

// The answer to a stored registration with a record, as JSON:
//   {"registered": bool, "verified": true, "score": N, "rank": N|null,
//    "gametype": N|null, "daily": "YYYY-MM-DD"|null, "ranking": "/ranking/N"|"/daily/DATE",
//    "message": "..."}
// "score" is the one the entry holds (the daily game: the player's best).
QByteArray recordAnswerJson(const NewEntry& entry, const RegistrationOutcome& outcome);

// A refusal as JSON: {"error": "...", "message": "..."}.
QByteArray refusalJson(const QString& error, const QString& message);

} // namespace tavrin
