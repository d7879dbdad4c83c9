#include "app/midi_device.h"

#include "app/midi_timing.h"
#include "app/wave_device.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>

#include <fluidsynth.h>

namespace tavrin::app {

namespace {

void silentLog(int, const char*, void*) {}

// FluidSynth reports a missing sound server on stderr; the game just stays silent.
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

QString MidiDevice::soundFont()
{
    return QStringLiteral("/usr/share/sounds/sf2/TimGM6mb.sf2");
}

MidiDevice::~MidiDevice()
{
    close();
}

void MidiDevice::open(const QString& file)
{
    close();
    file_ = file;
    if (!audioAllowed() || !QFileInfo(file).isFile() || !QFileInfo(soundFont()).isFile()) {
        return;
    }
    QFile midi(file);
    if (midi.open(QIODevice::ReadOnly)) {
        division_ = midiDivision(midi.read(14).toStdString());
    }
    quietenFluidSynth();
    settings_ = new_fluid_settings();
    if (settings_ == nullptr) {
        return;
    }
    fluid_settings_setint(settings_, "synth.reverb.active", 1);
    synth_ = new_fluid_synth(settings_);
    if (synth_ == nullptr
        || fluid_synth_sfload(synth_, soundFont().toLocal8Bit().constData(), 1) == FLUID_FAILED) {
        close();
        return;
    }
    for (const char* name : {"pulseaudio", "alsa"}) {
        fluid_settings_setstr(settings_, "audio.driver", name);
        driver_ = new_fluid_audio_driver(settings_, synth_);
        if (driver_ != nullptr) {
            break;
        }
    }
    if (driver_ == nullptr || !newPlayer()) {
        close();
    }
}

bool MidiDevice::newPlayer()
{
    if (player_ != nullptr) {
        fluid_player_stop(player_);
        fluid_player_join(player_);
        delete_fluid_player(player_);
        player_ = nullptr;
    }
    player_ = new_fluid_player(synth_);
    if (player_ == nullptr) {
        return false;
    }
    if (fluid_player_add(player_, file_.toLocal8Bit().constData()) == FLUID_FAILED) {
        delete_fluid_player(player_);
        player_ = nullptr;
        return false;
    }
    return true;
}

void MidiDevice::close()
{
    if (player_ != nullptr) {
        fluid_player_stop(player_);
        fluid_player_join(player_);
        delete_fluid_player(player_);
        player_ = nullptr;
    }
    if (driver_ != nullptr) {
        delete_fluid_audio_driver(driver_);
        driver_ = nullptr;
    }
    if (synth_ != nullptr) {
        delete_fluid_synth(synth_);
        synth_ = nullptr;
    }
    if (settings_ != nullptr) {
        delete_fluid_settings(settings_);
        settings_ = nullptr;
    }
    knownLength_ = 0;
    stopped_ = false;
    started_ = false;
    division_ = 0;
}

long MidiDevice::toMs(long ticks) const
{
    return midiTicksToMs(ticks, division_, fluid_player_get_midi_tempo(player_));
}

int MidiDevice::toTicks(long ms) const
{
    return static_cast<int>(midiMsToTicks(ms, division_, fluid_player_get_midi_tempo(player_)));
}

void MidiDevice::play(long from)
{
    if (player_ == nullptr) {
        return;
    }
    // A finished player cannot be restarted: play a fresh one from the start.
    if (fluid_player_get_status(player_) != FLUID_PLAYER_READY) {
        fluid_synth_all_notes_off(synth_, -1);
        if (!newPlayer()) {
            return;
        }
    }
    stopped_ = false;
    started_ = true;
    fluid_player_play(player_);
    if (from > 0) {
        fluid_player_seek(player_, toTicks(from));
    }
}

void MidiDevice::stop()
{
    if (player_ != nullptr && fluid_player_get_status(player_) == FLUID_PLAYER_PLAYING) {
        knownLength_ = fluid_player_get_total_ticks(player_);
        // A stopped piece must never look finished, or the loop would restart it.
        stoppedAt_ = std::min(fluid_player_get_current_tick(player_), std::max(knownLength_ - 1, 0));
        stopped_ = true;
        fluid_player_stop(player_);
        fluid_synth_all_notes_off(synth_, -1);
    }
}

void MidiDevice::seek(long ms)
{
    if (player_ != nullptr) {
        fluid_player_seek(player_, toTicks(ms));
    }
}

int MidiDevice::lengthTicks() const
{
    const int ticks = fluid_player_get_total_ticks(player_);
    if (ticks > 0) {
        return ticks;
    }
    // Not played yet: a length that the start position can never equal.
    return knownLength_ > 0 ? knownLength_ : 1;
}

long MidiDevice::length() const
{
    if (player_ == nullptr) {
        return 0;
    }
    return std::max(toMs(lengthTicks()), 1L);
}

long MidiDevice::position() const
{
    if (player_ == nullptr || !started_) {
        return 0;
    }
    if (stopped_) {
        return std::min(toMs(stoppedAt_), length() - 1); // never looks finished
    }
    if (fluid_player_get_status(player_) == FLUID_PLAYER_DONE) {
        return length(); // played to its end
    }
    // One tempo for both figures, so that the end reads as the length.
    return std::min(toMs(fluid_player_get_current_tick(player_)), length());
}

int MidiDevice::mode() const
{
    if (player_ != nullptr && fluid_player_get_status(player_) == FLUID_PLAYER_PLAYING) {
        return kModePlaying;
    }
    return kModeStopped;
}

} // namespace tavrin::app
