#include "app/media_bank.h"

#include "app/command_line.h"

namespace tavrin::app {

using game::Device;
using game::DeviceMode;
using game::DeviceType;

MediaBank::MediaBank(QString folder) : folder_(std::move(folder)) {}

MediaBank::Slot* MediaBank::slot(Device device)
{
    const auto i = static_cast<std::size_t>(device);
    return i < slots_.size() ? &slots_[i] : nullptr;
}

const MediaBank::Slot* MediaBank::slot(Device device) const
{
    const auto i = static_cast<std::size_t>(device);
    return i < slots_.size() ? &slots_[i] : nullptr;
}

void MediaBank::open(Device device, DeviceType type, const std::string& file)
{
    Slot* s = slot(device);
    if (s == nullptr) {
        return;
    }
    close(device);
    // Only a plain file name beside the program is ever opened.
    const QString name = QString::fromStdString(file);
    if (name.isEmpty() || name.contains(u'/') || name.contains(u'\\')) {
        return;
    }
    const QString path = folder_ + pathSeparator(folder_) + name;
    s->type = type;
    s->open = true;
    if (type == DeviceType::Sequencer) {
        s->midi = std::make_unique<MusicDevice>(renderer_);
        s->midi->open(path);
        s->midi->setLooping(s->looping);
    } else {
        s->wave = std::make_unique<WaveDevice>();
        s->wave->open(path);
    }
}

void MediaBank::close(Device device)
{
    if (Slot* s = slot(device)) {
        s->wave.reset();
        s->midi.reset();
        s->open = false;
    }
}

void MediaBank::closeAll()
{
    for (int k = 0; k < game::kDeviceCount; ++k) {
        close(static_cast<Device>(k));
    }
}

void MediaBank::play(Device device, long from, long /*to*/)
{
    Slot* s = slot(device);
    if (s == nullptr) {
        return;
    }
    if (s->midi) {
        // One rendered piece in memory at a time, besides any still playing.
        for (Slot& other : slots_) {
            if (&other != s && other.midi) {
                other.midi->release();
            }
        }
        s->midi->play(from);
    } else if (s->wave) {
        s->wave->play();
    }
}

void MediaBank::sound(Device device)
{
    Slot* s = slot(device);
    if (s != nullptr && s->wave) {
        s->wave->play();
    }
}

void MediaBank::stop(Device device)
{
    Slot* s = slot(device);
    if (s == nullptr) {
        return;
    }
    if (s->midi) {
        s->midi->stop();
    } else if (s->wave) {
        s->wave->stop();
    }
}

void MediaBank::seek(Device device, long position)
{
    Slot* s = slot(device);
    if (s != nullptr && s->midi) {
        s->midi->seek(position);
    }
}

long MediaBank::start(Device device) const
{
    const Slot* s = slot(device);
    return s != nullptr && s->midi ? s->midi->startPosition() : 0;
}

long MediaBank::length(Device device) const
{
    const Slot* s = slot(device);
    return s != nullptr && s->midi ? s->midi->length() : 0;
}

long MediaBank::position(Device device) const
{
    const Slot* s = slot(device);
    return s != nullptr && s->midi ? s->midi->position() : 0;
}

DeviceMode MediaBank::mode(Device device) const
{
    const Slot* s = slot(device);
    if (s == nullptr || !s->open) {
        return DeviceMode::NotOpen;
    }
    if (s->midi) {
        return s->midi->playing() ? DeviceMode::Playing : DeviceMode::Stopped;
    }
    return s->wave && s->wave->isPlaying() ? DeviceMode::Playing : DeviceMode::Stopped;
}

bool MediaBank::canPlay(Device device) const
{
    const Slot* s = slot(device);
    if (s == nullptr) {
        return false;
    }
    if (s->midi) {
        return s->midi->canPlay();
    }
    return s->wave && s->wave->canPlay();
}

void MediaBank::setLooping(Device device, bool on)
{
    if (Slot* s = slot(device)) {
        s->looping = on;
        if (s->midi) {
            s->midi->setLooping(on);
        }
    }
}

} // namespace tavrin::app
