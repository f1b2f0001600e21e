#include "tools/qt/SoundPlayer.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QSignalSpy>
#include <QFileInfo>
#include <QTemporaryDir>

#include <fstream>
#include <memory>
#include <vector>
#include <gtest/gtest.h>

namespace tw {
namespace {

void putLe(std::ofstream& out, std::uint32_t v, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.put(char((v >> (8 * i)) & 0xFF));
}

// A short 8-bit mono tone, enough for a player to open and finish.
std::string writeWav(const QTemporaryDir& dir, const char* name, int milliseconds)
{
    const std::string path = dir.filePath(QString::fromLatin1(name)).toStdString();
    const std::uint32_t rate = 8000, samples = rate * std::uint32_t(milliseconds) / 1000;
    std::ofstream out(path, std::ios::binary);
    out.write("RIFF", 4);
    putLe(out, 36 + samples, 4);
    out.write("WAVEfmt ", 8);
    putLe(out, 16, 4);
    putLe(out, 1, 2);    // PCM
    putLe(out, 1, 2);    // mono
    putLe(out, rate, 4);
    putLe(out, rate, 4); // bytes per second
    putLe(out, 1, 2);    // block align
    putLe(out, 8, 2);    // bits per sample
    out.write("data", 4);
    putLe(out, samples, 4);
    for (std::uint32_t i = 0; i < samples; ++i)
        out.put(char((i / 10) % 2 ? 0xC0 : 0x40));
    return path;
}

// Runs the event loop until cond holds or the bound passes.
template <typename Cond>
bool waitFor(Cond cond, int ms = 10000)
{
    QDeadlineTimer deadline(ms);
    while (!cond() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return cond();
}

// A device that records what the player asks of it and ends a sound when told to.
class RecordingDevice : public SoundDevice {
public:
    explicit RecordingDevice(std::vector<std::string>& log) : log_(log) {}

    bool start(const QString& path) override
    {
        log_.push_back("start:" + QFileInfo(path).fileName().toStdString());
        playing_ = true;
        return true;
    }
    void stopAndClose() override
    {
        if (playing_)
            log_.push_back("stop");
        playing_ = false;
    }
    bool isPlaying() const override { return playing_; }
    void end()
    {
        playing_ = false;
        reportEnded();
    }

private:
    std::vector<std::string>& log_;
    bool playing_ = false;
};

class SoundPlayerTest : public ::testing::Test {
protected:
    SoundPlayer* recordingPlayer()
    {
        auto device = std::make_unique<RecordingDevice>(log);
        device_ = device.get();
        player_ = std::make_unique<SoundPlayer>(std::move(device));
        return player_.get();
    }
    std::string path(const char* name) const { return dir.filePath(QString::fromLatin1(name)).toStdString(); }

    QTemporaryDir dir;
    std::vector<std::string> log;
    RecordingDevice* device_ = nullptr;
    std::unique_ptr<SoundPlayer> player_;
};

TEST_F(SoundPlayerTest, MissingFilePlaysNothingAndReportsNothing)
{
    SoundPlayer* player = recordingPlayer();
    QSignalSpy finished(player, &SoundPlayer::finished);
    player->play(path("absent.wav"));
    EXPECT_FALSE(player->isPlaying());
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(player->fileName(), path("absent.wav"));
    EXPECT_EQ(finished.count(), 0);
}

TEST_F(SoundPlayerTest, EachPlayStopsTheSoundBeforeItLooksAtTheFile)
{
    const std::string first = writeWav(dir, "first.wav", 50);
    const std::string second = writeWav(dir, "second.wav", 50);
    SoundPlayer* player = recordingPlayer();

    player->play(first);
    EXPECT_TRUE(player->isPlaying());
    player->play(second);            // cuts off the first
    EXPECT_TRUE(player->isPlaying());
    EXPECT_EQ(player->fileName(), second);
    player->play(path("absent.wav")); // stops, then finds nothing to play
    EXPECT_FALSE(player->isPlaying());
    player->play(first);
    player->play("");                 // #PLAY without a name only stops
    EXPECT_FALSE(player->isPlaying());
    player->stop();                   // nothing left to stop

    EXPECT_EQ(log, (std::vector<std::string>{"start:first.wav", "stop", "start:second.wav", "stop",
                                             "start:first.wav", "stop"}));
}

// #PLAY typed with an accented name finds the file the system spells in its own encoding.
TEST_F(SoundPlayerTest, TypedNamesFindFilesSpelledInTheSystemsEncoding)
{
    const std::string local = dir.filePath(QString::fromUtf8("caf\xc3\xa9.wav")).toStdString();
    std::ofstream(local, std::ios::binary) << "RIFF";
    SoundPlayer* player = recordingPlayer();
    player->play(dir.path().toStdString() + "/caf\xe9.wav"); // as typed: one byte per character
    player->play(local);
    EXPECT_EQ(log, (std::vector<std::string>{"start:caf\xc3\xa9.wav", "stop", "start:caf\xc3\xa9.wav"}));
}

TEST_F(SoundPlayerTest, CompletionIsPassedOnOnce)
{
    const std::string wav = writeWav(dir, "blip.wav", 50);
    SoundPlayer* player = recordingPlayer();
    QSignalSpy finished(player, &SoundPlayer::finished);
    player->play(wav);
    device_->end();
    EXPECT_FALSE(player->isPlaying());
    EXPECT_EQ(finished.count(), 1);
    player->stop(); // a stop after the end asks the device for nothing more
    EXPECT_EQ(log, (std::vector<std::string>{"start:blip.wav"}));
}

// The real player, on whatever this machine has (often no sound card at all): playing and
// stopping never blocks, never crashes, and a sound that starts also comes to an end.
TEST_F(SoundPlayerTest, RealDevicePlaysStopsAndEndsQuietly)
{
    const std::string tone = writeWav(dir, "tone.wav", 2000);
    const std::string blip = writeWav(dir, "blip.wav", 50);
    const QString noise = dir.filePath(QStringLiteral("noise.wav"));
    std::ofstream(noise.toStdString(), std::ios::binary) << "not a sound at all";

    SoundPlayer player;
    player.play(tone);
    player.play(blip);
    EXPECT_EQ(player.fileName(), blip);
    EXPECT_TRUE(waitFor([&] { return !player.isPlaying(); }));

    player.play(noise.toStdString());
    EXPECT_TRUE(waitFor([&] { return !player.isPlaying(); }));

    player.play(tone);
    player.stop();
    EXPECT_FALSE(player.isPlaying());
}

} // namespace
} // namespace tw
