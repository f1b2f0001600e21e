#include "tools/qt/SoundPlayer.h"

#include "base/FileIo.h"
#include "tools/qt/MediaSoundDevice.h"

#include <QFile>
#include <QFileInfo>

namespace tw {

SoundPlayer::SoundPlayer(QObject* parent)
    : SoundPlayer(std::make_unique<MediaSoundDevice>(), parent)
{
}

SoundPlayer::SoundPlayer(std::unique_ptr<SoundDevice> device, QObject* parent)
    : QObject(parent)
    , device_(std::move(device))
{
    // The device has closed itself by the time it reports the end; the player only passes it on.
    device_->setEndedHandler([this] { emit finished(); });
}

SoundPlayer::~SoundPlayer()
{
    device_->setEndedHandler(nullptr);
}

void SoundPlayer::play(const std::string& file)
{
    // The stop comes before the file test: #PLAY of a missing file still silences the last one.
    stop();
    fileName_ = file;
    if (!fileExists(file))
        return;
    device_->start(QFileInfo(QFile::decodeName(QByteArray::fromStdString(file))).absoluteFilePath());
}

void SoundPlayer::stop()
{
    device_->stopAndClose();
}

} // namespace tw
