#include "app/wave_device.h"

#include <QAudioDevice>
#include <QFileInfo>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QUrl>

#include <cstdlib>

namespace tavrin::app {

bool audioAllowed()
{
    return std::getenv("TAVRIN_NO_AUDIO") == nullptr;
}

WaveDevice::WaveDevice() = default;
WaveDevice::~WaveDevice() = default;

void WaveDevice::open(const QString& file)
{
    close();
    if (!audioAllowed() || !QFileInfo(file).isFile() || QMediaDevices::audioOutputs().isEmpty()) {
        return;
    }
    effect_ = std::make_unique<QSoundEffect>();
    effect_->setSource(QUrl::fromLocalFile(file));
}

void WaveDevice::close()
{
    if (effect_) {
        effect_->stop();
        effect_.reset();
    }
}

bool WaveDevice::canPlay() const
{
    return effect_ != nullptr && effect_->status() != QSoundEffect::Error;
}

bool WaveDevice::isPlaying() const
{
    return effect_ != nullptr && effect_->isPlaying();
}

void WaveDevice::play()
{
    if (canPlay()) {
        effect_->stop();
        effect_->play();
    }
}

void WaveDevice::stop()
{
    if (effect_) {
        effect_->stop();
    }
}

} // namespace tavrin::app
