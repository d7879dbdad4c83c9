// Registering a finished game with its record at the score server: the
// server replays the record and ranks the score it gives (POST /register).
#pragma once

#include <QByteArray>
#include <QString>

namespace tavrin::app {

struct RegistrationAnswer {
    bool registered = false; // the server took the entry (or had it already)
    QString message;         // what to tell the player
};

// Posts `json` (the high-score window's recordRegistration) to `server`
// ("http://host:port") and waits at most `timeoutMs` for the answer.
RegistrationAnswer registerRecord(const QString& server, const QByteArray& json, int timeoutMs = 15000);

} // namespace tavrin::app
