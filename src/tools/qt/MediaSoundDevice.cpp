#include "tools/qt/MediaSoundDevice.h"

#include <QAudioDevice>
#include <QAudioOutput>
#include <QMediaDevices>
#include <QMediaPlayer>
#include <QUrl>

namespace tw {

MediaSoundDevice::MediaSoundDevice() = default;

MediaSoundDevice::~MediaSoundDevice()
{
    if (player_) {
        // No notifications while the player is being torn down.
        QObject::disconnect(player_.get(), nullptr, nullptr, nullptr);
        player_->stop();
    }
}

bool MediaSoundDevice::start(const QString& path)
{
    stopAndClose();
    // Without an output device nothing can be heard, and some media back ends crash writing
    // to a device that is not there; a machine without sound simply stays silent.
    if (QMediaDevices::audioOutputs().isEmpty())
        return false;
    if (!player_) {
        player_ = std::make_unique<QMediaPlayer>();
        player_->setAudioOutput(new QAudioOutput(player_.get()));
        QObject::connect(player_.get(), &QMediaPlayer::mediaStatusChanged, player_.get(),
                         [this](QMediaPlayer::MediaStatus status) {
                             if (status == QMediaPlayer::EndOfMedia
                                 || status == QMediaPlayer::InvalidMedia)
                                 ended();
                         });
        // A file the back end cannot decode ends the sound like any other failure: silently.
        QObject::connect(player_.get(), &QMediaPlayer::errorOccurred, player_.get(),
                         [this](QMediaPlayer::Error error, const QString&) {
                             if (error != QMediaPlayer::NoError)
                                 ended();
                         });
    }
    ++generation_;
    // Playing from here on, so that a file found unusable while it is opened ends at once.
    playing_ = true;
    player_->setSource(QUrl::fromLocalFile(path));
    if (playing_)
        player_->play();
    return true;
}

void MediaSoundDevice::stopAndClose()
{
    playing_ = false;
    if (player_ && !player_->source().isEmpty()) {
        player_->stop();
        player_->setSource(QUrl());
    }
}

void MediaSoundDevice::ended()
{
    if (!playing_)
        return;
    playing_ = false;
    // Closing from inside the player's own notification is left to the event loop; a sound
    // started in the meantime is not closed by it.
    const unsigned generation = generation_;
    QMetaObject::invokeMethod(
        player_.get(),
        [this, generation] {
            if (generation == generation_ && !playing_)
                stopAndClose();
        },
        Qt::QueuedConnection);
    reportEnded();
}

} // namespace tw
