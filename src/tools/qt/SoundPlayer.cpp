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
    // Typed names arrive one character per byte; the file system may spell the same name in
    // its own encoding.
    std::string found = file;
    if (!fileExists(found)) {
        const QByteArray local = QFile::encodeName(QString::fromLatin1(file.data(), qsizetype(file.size())));
        found = local.toStdString();
        if (!fileExists(found))
            return;
    }
    device_->start(QFileInfo(QFile::decodeName(QByteArray::fromStdString(found))).absoluteFilePath());
}

void SoundPlayer::stop()
{
    device_->stopAndClose();
}

} // namespace tw
