#pragma once
// The sound device on Qt Multimedia: a QMediaPlayer with a QAudioOutput, created on demand.
#include "tools/qt/SoundDevice.h"

#include <memory>

class QMediaPlayer;

namespace tw {

class MediaSoundDevice : public SoundDevice {
public:
    MediaSoundDevice();
    ~MediaSoundDevice() override;

    bool start(const QString& path) override;
    void stopAndClose() override;
    bool isPlaying() const override { return playing_; }

private:
    void ended();

    std::unique_ptr<QMediaPlayer> player_;
    bool playing_ = false;
    unsigned generation_ = 0; // counts starts, so a late close spares a newer sound
};

} // namespace tw
