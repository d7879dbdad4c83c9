#include "app/midi_renderer.h"

#include <QFileInfo>

#include <algorithm>
#include <cstdlib>
#include <vector>

#include <fluidsynth.h>
#include <malloc.h>
#include <pthread.h>

namespace tavrin::app {

namespace {

// FluidSynth renders in blocks of 64 frames; the end of a piece is found to
// within one of them.
constexpr int kBlockFrames = 64;
// Frames handed to the piece at a time while it renders.
constexpr std::size_t kChunkFrames = 8192;
// How long the last notes may ring on after the end (reverb, releases).
constexpr int kLongestTailFrames = MidiRenderer::kSampleRate * 3;
// A tail sample this small counts as silence.
constexpr int kSilence = 2;

void silentLog(int, const char*, void*) {}

// FluidSynth reports on stderr; the game just stays silent.
void quietenFluidSynth()
{
    static const bool done = [] {
        for (int level = FLUID_PANIC; level < LAST_LOG_LEVEL; ++level) {
            fluid_set_log_function(level, silentLog, nullptr);
        }
        return true;
    }();
    (void)done;
}

} // namespace

struct MidiRenderer::Synth {
    fluid_settings_t* settings = nullptr;
    fluid_synth_t* synth = nullptr;
};

QString MidiRenderer::soundFont()
{
    return QStringLiteral("/usr/share/sounds/sf2/TimGM6mb.sf2");
}

MidiRenderer::~MidiRenderer()
{
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        quitting_ = true;
        for (const Job& job : jobs_) {
            if (auto piece = job.piece.lock()) {
                piece->abandoned = true;
            }
        }
        jobs_.clear();
    }
    wake_.notify_all();
    if (worker_.joinable()) {
        worker_.join();
    }
}

std::shared_ptr<RenderedPiece> MidiRenderer::render(const QString& file)
{
    auto piece = std::make_shared<RenderedPiece>();
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        jobs_.push_back({file, piece});
        if (!worker_.joinable()) {
            // The synthesiser's instruments and the buffers of a render are
            // large and short-lived: a fixed threshold keeps them in mappings
            // of their own, which go back to the system when freed, instead
            // of the threshold rising to them and their memory staying in the
            // worker's heap.
            mallopt(M_MMAP_THRESHOLD, 128 * 1024);
            worker_ = std::thread([this] { run(); });
        }
    }
    wake_.notify_one();
    return piece;
}

void MidiRenderer::run()
{
    pthread_setname_np(pthread_self(), "tavrin-render");
    for (;;) {
        Job job;
        {
            std::unique_lock<std::mutex> lock(mutex_);
            wake_.wait(lock, [this] { return quitting_ || !jobs_.empty(); });
            if (quitting_) {
                break;
            }
            job = std::move(jobs_.front());
            jobs_.pop_front();
        }
        renderOne(job);
        // Done for now: the synthesiser and its instruments would only take
        // memory while the rendered piece plays on.
        bool idle = false;
        {
            const std::lock_guard<std::mutex> lock(mutex_);
            idle = jobs_.empty();
        }
        if (idle) {
            freeSynth();
            synthFailed_ = false;
            malloc_trim(0);
        }
    }
    freeSynth();
}

bool MidiRenderer::ensureSynth()
{
    if (synth_ != nullptr || synthFailed_) {
        return synth_ != nullptr;
    }
    quietenFluidSynth();
    auto* s = new Synth;
    s->settings = new_fluid_settings();
    if (s->settings != nullptr) {
        fluid_settings_setnum(s->settings, "synth.sample-rate", kSampleRate);
        fluid_settings_setint(s->settings, "synth.reverb.active", 1);
        // Only the instruments a piece uses are held in memory, and none locked.
        fluid_settings_setint(s->settings, "synth.dynamic-sample-loading", 1);
        fluid_settings_setint(s->settings, "synth.lock-memory", 0);
        // The player's clock is the rendered samples, not the wall clock.
        fluid_settings_setstr(s->settings, "player.timing-source", "sample");
        s->synth = new_fluid_synth(s->settings);
    }
    if (s->synth != nullptr && QFileInfo(soundFont()).isFile()) {
        ++soundFontReads_;
        if (fluid_synth_sfload(s->synth, soundFont().toLocal8Bit().constData(), 1) != FLUID_FAILED) {
            synth_ = s;
            return true;
        }
    }
    if (s->synth != nullptr) {
        delete_fluid_synth(s->synth);
    }
    if (s->settings != nullptr) {
        delete_fluid_settings(s->settings);
    }
    delete s;
    synthFailed_ = true;
    return false;
}

void MidiRenderer::freeSynth()
{
    if (synth_ != nullptr) {
        delete_fluid_synth(synth_->synth);
        delete_fluid_settings(synth_->settings);
        delete synth_;
        synth_ = nullptr;
    }
}

void MidiRenderer::renderOne(const Job& job)
{
    std::shared_ptr<RenderedPiece> piece = job.piece.lock();
    if (!piece || piece->abandoned) {
        return;
    }
    auto fail = [&piece] {
        const std::lock_guard<std::mutex> lock(piece->mutex);
        piece->failed = true;
        piece->samples.finish({});
    };
    if (!ensureSynth()) {
        fail();
        return;
    }
    fluid_synth_t* synth = synth_->synth;
    fluid_synth_system_reset(synth);
    fluid_player_t* player = new_fluid_player(synth);
    if (player == nullptr || fluid_player_add(player, job.file.toLocal8Bit().constData()) == FLUID_FAILED
        || fluid_player_play(player) == FLUID_FAILED) {
        if (player != nullptr) {
            delete_fluid_player(player);
        }
        fail();
        return;
    }

    std::vector<std::int16_t> chunk;
    chunk.reserve(kChunkFrames * 2);
    auto hand = [&piece, &chunk] {
        const std::lock_guard<std::mutex> lock(piece->mutex);
        piece->samples.append(chunk.data(), chunk.size() / 2);
        chunk.clear();
    };
    std::int16_t block[kBlockFrames * 2];
    bool ended = false;
    long frames = 0;
    // A file that never ends (a broken length) is cut at ten minutes.
    const long longest = static_cast<long>(kSampleRate) * 600;
    while (!piece->abandoned && frames < longest) {
        fluid_synth_write_s16(synth, kBlockFrames, block, 0, 2, block, 1, 2);
        // The player moves on at the start of each block: once it is at the
        // file's last tick, this block already lies past the end and rings on
        // in the tail. (The player itself reports the end only seconds later,
        // to let the last notes fade.)
        const int total = fluid_player_get_total_ticks(player);
        if (fluid_player_get_status(player) != FLUID_PLAYER_PLAYING
            || (total > 0 && fluid_player_get_current_tick(player) >= total)) {
            ended = true;
            break;
        }
        chunk.insert(chunk.end(), block, block + kBlockFrames * 2);
        frames += kBlockFrames;
        if (chunk.size() >= kChunkFrames * 2) {
            hand();
        }
    }
    hand();
    std::vector<std::int16_t> tail;
    if (ended) {
        tail.assign(block, block + kBlockFrames * 2);
        while (static_cast<int>(tail.size() / 2) < kLongestTailFrames && !piece->abandoned) {
            fluid_synth_write_s16(synth, kBlockFrames, block, 0, 2, block, 1, 2);
            tail.insert(tail.end(), block, block + kBlockFrames * 2);
        }
        const auto loud = std::find_if(tail.rbegin(), tail.rend(), [](std::int16_t v) { return std::abs(v) > kSilence; });
        tail.resize(static_cast<std::size_t>(tail.rend() - loud));
    }
    fluid_player_stop(player);
    delete_fluid_player(player);
    fluid_synth_all_sounds_off(synth, -1);
    const std::lock_guard<std::mutex> lock(piece->mutex);
    // Nothing played at all: the player could not read the file.
    piece->failed = frames == 0;
    piece->samples.finish(std::move(tail));
}

} // namespace tavrin::app
