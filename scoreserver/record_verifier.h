// Game records replayed on threads of their own, so that a slow replay never
// holds up the server's reading and answering.
#pragma once

#include "game/game_record.h"
#include "game/record_replay.h"

#include <QObject>

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace tavrin {

class RecordVerifier {
public:
    // `threads` replays at once (at least one); at most `maxQueued` waiting.
    RecordVerifier(int threads, std::size_t maxQueued);
    // Lets the replays under way finish; the waiting ones are dropped.
    ~RecordVerifier();
    RecordVerifier(const RecordVerifier&) = delete;
    RecordVerifier& operator=(const RecordVerifier&) = delete;

    using Done = std::function<void(game::Verification)>;
    // Replays `record` (against `claimedScore`); `done` then runs on
    // `context`'s thread, unless `context` is gone. False when too many wait.
    bool submit(game::GameRecord record, int claimedScore, QObject* context, Done done);

    // Replays at once on a machine with `cores` cores: one a core. The
    // replays are what costs; the server's thread and its database writer
    // mostly wait, and take their turn.
    static int threadsFor(int cores);

private:
    struct Job {
        game::GameRecord record;
        int claimedScore = 0;
        QObject* context = nullptr;
        Done done;
    };
    void work();

    std::size_t maxQueued_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<Job> jobs_;
    bool stopping_ = false;
    std::vector<std::thread> threads_;
};

} // namespace tavrin
