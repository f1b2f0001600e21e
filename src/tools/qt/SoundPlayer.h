#pragma once
// The hidden player behind #PLAY: one sound at a time, started without waiting, cut off by the
// next. A missing file, a missing sound device or an unplayable file are all silent.
#include "tools/qt/SoundDevice.h"

#include <QObject>

#include <memory>
#include <string>

namespace tw {

class SoundPlayer : public QObject {
    Q_OBJECT
public:
    // Plays through Qt Multimedia.
    explicit SoundPlayer(QObject* parent = nullptr);
    // Plays through the given device (tests pass one that records what it is asked).
    explicit SoundPlayer(std::unique_ptr<SoundDevice> device, QObject* parent = nullptr);
    ~SoundPlayer() override;

    // Stops and closes what plays, then opens file and starts it when the file exists.
    // An empty name, or a file that does not exist, only stops.
    void play(const std::string& file);
    // Stops and closes the sound that is playing, if any.
    void stop();
    // Whether a sound started by play is still playing.
    bool isPlaying() const { return device_->isPlaying(); }
    // The file of the last play, whether or not it existed.
    const std::string& fileName() const { return fileName_; }

signals:
    // A sound came to its end (or failed while playing) and the device was closed.
    void finished();

private:
    std::unique_ptr<SoundDevice> device_;
    std::string fileName_;
};

} // namespace tw
