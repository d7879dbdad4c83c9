#include "scoreserver/store_worker.h"

#include <QDateTime>


namespace tavrin {

StoreWorker::StoreWorker(DatabaseTarget target, int number)
    : target_(std::move(target)), connectionName_(QStringLiteral("writer%1").arg(number))
{
    thread_.setObjectName(connectionName_);
}

StoreWorker::~StoreWorker()
{
    if (inThread_) {
        QMetaObject::invokeMethod(inThread_, [this] { store_.reset(); }, Qt::BlockingQueuedConnection);
        thread_.quit();
        thread_.wait();
        delete inThread_;
    }
}

bool StoreWorker::start(QString& error)
{
    thread_.start();
    inThread_ = new QObject;
    inThread_->moveToThread(&thread_);
    bool opened = false;
    QMetaObject::invokeMethod(
        inThread_,
        [&] {
            store_ = std::make_unique<ScoreStore>(target_, connectionName_);
            opened = store_->open(error);
        },
        Qt::BlockingQueuedConnection);
    return opened;
}

void StoreWorker::submit(std::vector<NewEntry> entries, QObject* context, std::function<void(StoredBatch)> done)
{
    QMetaObject::invokeMethod(
        inThread_,
        [this, entries = std::move(entries), receiver = QPointer<QObject>(context), done = std::move(done)]() mutable {
            StoredBatch batch;
            // A batch that fails once (say, two batches waiting on each other's
            // rows) is tried again before its players are told to come back.
            for (int attempt = 0; attempt < 2 && !batch.outcomes; ++attempt) {
                batch.outcomes = store_->registerBatch(entries, QDateTime::currentSecsSinceEpoch(), batch.error);
            }
            if (receiver) {
                QMetaObject::invokeMethod(
                    receiver.data(), [done = std::move(done), batch = std::move(batch)]() mutable { done(std::move(batch)); },
                    Qt::QueuedConnection);
            }
        },
        Qt::QueuedConnection);
}

} // namespace tavrin
