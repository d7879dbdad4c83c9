#include "app/music_device.h"

#include "app/midi_timing.h"
#include "app/wave_device.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace tavrin::app {

namespace {

long toMs(std::size_t frames)
{
    return static_cast<long>(static_cast<long long>(frames) * 1000 / MidiRenderer::kSampleRate);
}

std::size_t toFrames(long ms)
{
    return static_cast<std::size_t>(static_cast<long long>(std::max(ms, 0L)) * MidiRenderer::kSampleRate / 1000);
}

} // namespace

void MusicDevice::open(const QString& file)
{
    close();
    file_ = file;
    if (!audioAllowed() || !QFileInfo(file).isFile() || !QFileInfo(MidiRenderer::soundFont()).isFile()) {
        return;
    }
    QFile midi(file);
    canPlay_ = midi.open(QIODevice::ReadOnly) && midiDivision(midi.read(14).toStdString()) != 0;
}

void MusicDevice::close()
{
    output_.stop();
    if (piece_) {
        piece_->abandoned = true;
        piece_.reset();
    }
    canPlay_ = false;
    playing_ = false;
    stopped_ = false;
}

void MusicDevice::release()
{
    if (!playing() && piece_) {
        output_.stop();
        piece_->abandoned = true;
        piece_.reset();
    }
}

bool MusicDevice::startOutput()
{
    std::shared_ptr<RenderedPiece> piece = piece_;
    return output_.start(MidiRenderer::kSampleRate, [piece](std::int16_t* out, std::size_t frames) {
        const std::lock_guard<std::mutex> lock(piece->mutex);
        return piece->samples.read(out, frames);
    });
}

void MusicDevice::play(long from)
{
    if (!canPlay_) {
        return;
    }
    output_.stop();
    if (!piece_) {
        piece_ = renderer_.render(file_);
    }
    {
        const std::lock_guard<std::mutex> lock(piece_->mutex);
        piece_->samples.setLooping(looping_);
        piece_->samples.seek(toFrames(from));
    }
    stopped_ = false;
    playing_ = startOutput();
    if (!playing_) {
        canPlay_ = false; // no sound server
    }
}

void MusicDevice::stop()
{
    if (playing()) {
        stopped_ = true;
    }
    playing_ = false;
    output_.stop();
}

void MusicDevice::seek(long ms)
{
    if (piece_) {
        const std::lock_guard<std::mutex> lock(piece_->mutex);
        piece_->samples.seek(toFrames(ms));
    }
}

void MusicDevice::setLooping(bool on)
{
    looping_ = on;
    if (piece_) {
        const std::lock_guard<std::mutex> lock(piece_->mutex);
        piece_->samples.setLooping(on);
    }
}

long MusicDevice::length() const
{
    if (!piece_) {
        return 0;
    }
    const std::lock_guard<std::mutex> lock(piece_->mutex);
    // A file the synthesiser could not play has no length, so nothing restarts it.
    if (!piece_->samples.complete() || piece_->failed) {
        return 0;
    }
    return std::max(toMs(piece_->samples.length()), 1L);
}

long MusicDevice::position() const
{
    if (!piece_) {
        return 0;
    }
    const long whole = length();
    long at = 0;
    {
        const std::lock_guard<std::mutex> lock(piece_->mutex);
        at = toMs(piece_->samples.position());
    }
    if (stopped_) {
        return std::min(at, std::max(whole - 1, 0L)); // a stopped piece never looks finished
    }
    if (playing_ && output_.finished()) {
        return whole; // played to its end
    }
    return whole > 0 ? std::min(at, whole) : at;
}

bool MusicDevice::playing() const
{
    return playing_ && !output_.finished();
}

} // namespace tavrin::app
