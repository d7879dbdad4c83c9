// The database writes of the score server, on a thread of their own, so that
// the server keeps reading and answering requests while a batch of
// registrations is being committed.
#pragma once

#include "scoreserver/score_store.h"

#include <QObject>
#include <QPointer>
#include <QThread>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace tavrin {

struct StoredBatch {
    std::optional<std::vector<RegistrationOutcome>> outcomes; // nullopt: nothing stored
    QString error;
};

class StoreWorker {
public:
    // `number` tells the connections of several workers apart.
    StoreWorker(DatabaseTarget target, int number);
    ~StoreWorker();
    StoreWorker(const StoreWorker&) = delete;
    StoreWorker& operator=(const StoreWorker&) = delete;

    // Starts the thread and connects there.
    bool start(QString& error);

    // Stores the entries on the thread; `done` then runs on `context`'s thread.
    void submit(std::vector<NewEntry> entries, QObject* context, std::function<void(StoredBatch)> done);

private:
    DatabaseTarget target_;
    QString connectionName_;
    QThread thread_;
    QObject* inThread_ = nullptr;
    std::unique_ptr<ScoreStore> store_; // made, used and destroyed on thread_
};

} // namespace tavrin
