#include "scoreserver/record_verifier.h"

#include <QMetaObject>

#include <algorithm>

namespace tavrin {

RecordVerifier::RecordVerifier(int threads, std::size_t maxQueued) : maxQueued_(maxQueued)
{
    for (int i = 0; i < std::max(1, threads); ++i) {
        threads_.emplace_back([this] { work(); });
    }
}

RecordVerifier::~RecordVerifier()
{
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
        jobs_.clear();
    }
    wake_.notify_all();
    for (std::thread& thread : threads_) {
        thread.join();
    }
}

int RecordVerifier::threadsFor(int cores) { return std::clamp(cores, 1, 8); }

bool RecordVerifier::submit(game::GameRecord record, int claimedScore, QObject* context, Done done)
{
    {
        std::lock_guard lock(mutex_);
        if (jobs_.size() >= maxQueued_) {
            return false;
        }
        jobs_.push_back(Job{std::move(record), claimedScore, context, std::move(done)});
    }
    wake_.notify_one();
    return true;
}

void RecordVerifier::work()
{
    for (;;) {
        Job job;
        {
            std::unique_lock lock(mutex_);
            wake_.wait(lock, [this] { return stopping_ || !jobs_.empty(); });
            if (stopping_) {
                return;
            }
            job = std::move(jobs_.front());
            jobs_.pop_front();
        }
        const game::Verification result = game::verifyRecord(job.record, job.claimedScore);
        // The context lives at least as long as this verifier (its owner
        // joins these threads first), so queuing a call to it is safe; Qt
        // drops the call should the context go before it runs.
        QMetaObject::invokeMethod(
            job.context, [done = std::move(job.done), result] { done(result); }, Qt::QueuedConnection);
    }
}

} // namespace tavrin
